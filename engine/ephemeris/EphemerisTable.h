#pragma once

#include <string>
#include <vector>

#include "engine/common/EngineStatus.h"
#include "engine/ephemeris/EphemerisReader.h"

namespace navora {

// Dates the engine supports, whatever the files cover.
inline constexpr double kFirstSupportedJd = 2440562.5;  // 1969 Dec 7, 0h
inline constexpr double kLastSupportedJd = 2460676.5;   // 2025 Jan 1, 0h

// Interpolation near the ends of a file would need records outside it, so a
// date must lie this many days inside a file's coverage. The default file
// covers JD 2440528.5 to 2460720.5, so every supported date passes with the
// margin; the ephemeris itself, not this table, sets the accuracy
// (EphemerisReader.h).
inline constexpr double kEphemerisMarginDays = 2.0;

inline constexpr char kDefaultEphemerisFileName[] = "1970-2025.eph";

// A known ephemeris file; its dates are refreshed from the header whenever it
// is opened.
struct EphemerisTableEntry {
  std::string fileName;
  double firstJd = 0.0;
  double lastJd = 0.0;
};

// Known ephemeris files in search order, which one is open, and its reader.
// Made with the default entry, kDefaultEphemerisFileName in `directory`
// (a prefix ending in its separator, or empty for the working directory).
struct EphemerisTable {
  explicit EphemerisTable(const std::string& directory = "");

  std::vector<EphemerisTableEntry> entries;
  int ephemerisAvailable = 0;   // 1 once the start-up open succeeded
  int currentEphemeris = 0;     // index of the entry whose file was opened last
  EngineStatus openStatus = 1;  // result of that open; 0 while its file is readable
  EphemerisReader reader;       // the file of entry currentEphemeris
};

// Opens the first entry's file; on success marks the table available with
// that entry current. Returns the status of OpenEphemerisFile; the reader's
// FailureReason() says why a file was refused.
[[nodiscard]] EngineStatus OpenDefaultEphemeris(EphemerisTable& table);

// Makes sure a file covering the UTC Julian date jd is open. Status: 0 open;
// 1 no file was found at start-up; 2 jd outside the supported dates; 3 no
// entry covers jd with the margin; 11 the covering file could not be opened;
// 10 + k its open failed with status k (header or records not sound). After
// a failed open no file is readable, and every later check reports the
// failure again until an open succeeds.
[[nodiscard]] EngineStatus SelectEphemerisForDate(EphemerisTable& table, double jd);

}  // namespace navora
