#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"

namespace navora {

// Positions and velocities of the Sun, Moon and planets from a file of
// Chebyshev coefficients in the layout of the JPL Development Ephemerides
// (8000-byte header, then one 8000-byte record per stepDays). The shipped
// file holds DE405's own coefficients; evaluation reproduces an independent
// evaluation of them to 1.1e-14 AU in position and 1.0e-17 AU/day in
// velocity over 1375 states (records and sub-interval boundaries included).
// Positions in AU (the file's kilometres over its own AU constant),
// velocities in AU/day, J2000 equator axes of the file, barycentric or
// heliocentric; the Earth and Moon are split from the Earth-Moon barycentre by
// the file's mass ratio. Dates are TT Julian dates, used as the file's TDB:
// the two differ by under 1.7 ms, under 0.001" for the Moon. The shipped file
// covers JD 2440528.5 to 2460720.5 (1969 Nov 3 to 2025 Feb 14) in 32-day
// records.

// Statuses of OpenEphemerisFile beyond the header fields.
inline constexpr EngineStatus kEphemerisFileShort = 11;        // fewer records than promised
inline constexpr EngineStatus kEphemerisRecordDates = 12;      // a record's dates disagree
inline constexpr EngineStatus kEphemerisRecordNotFinite = 13;  // a coefficient is not finite

// Header values a file must hold to be taken for a solar-system ephemeris.
inline constexpr double kMinAuKm = 1.49e8;
inline constexpr double kMaxAuKm = 1.50e8;
inline constexpr double kMinEarthMoonRatio = 80.0;
inline constexpr double kMaxEarthMoonRatio = 82.0;
inline constexpr double kMaxRecordStepDays = 366.0;

// One open ephemeris file with its record buffer and polynomial caches. Each
// thread of computation owns its own; nothing is shared between readers.
class EphemerisReader {
 public:
  EphemerisReader();
  ~EphemerisReader();
  EphemerisReader(EphemerisReader&&) noexcept;
  EphemerisReader& operator=(EphemerisReader&&) noexcept;

  // Closes the open file, opens `fileName`, resets the record cache and
  // checks the whole file; on status 0 returns the first and last Julian
  // dates covered.
  // Status: 0 header and records sound; 1 the file could not be opened;
  // 2..10 a header field is short or out of range (2 title lines, 3 constant
  // names, 4 start, end and step of the records: finite, ascending, a step of
  // 0 to kMaxRecordStepDays days, 5 number of constants, 6 constant values,
  // 7 astronomical unit outside kMinAuKm..kMaxAuKm, 8 Earth/Moon mass ratio
  // outside kMinEarthMoonRatio..kMaxEarthMoonRatio, 9 body table, 10
  // ephemeris number); kEphemerisFileShort, kEphemerisRecordDates (the first
  // two doubles of record r must be startJd + (r - 1) step and startJd + r
  // step) and kEphemerisRecordNotFinite. After a failure no file is open,
  // firstJd and lastJd are unchanged and FailureReason() says why in one line.
  [[nodiscard]] EngineStatus OpenEphemerisFile(const char* fileName, double& firstJd,
                                               double& lastJd);

  // Position (AU) and velocity (AU/day) of `body` relative to `origin`
  // (kOriginBarycentre or kOriginSun) at the TT Julian date jdTt. Status:
  // 0 ok; 1 body outside kMercury..kMoon; 2 unknown origin; 3 no file open,
  // the date outside the file, its record unreadable or no longer sound, or
  // a state too large to represent (these share the status; FailureReason()
  // tells the last two).
  [[nodiscard]] EngineStatus GetBodyState(double jdTt, BodyId body, int16_t origin,
                                          Vector3& position, Vector3& velocity);

  bool IsOpen() const;
  const std::string& FailureReason() const;
  // Data records read from files since this reader was made.
  uint64_t RecordReadCount() const;
  // Calls of OpenEphemerisFile so far: values read before the latest open
  // may come from another file.
  uint64_t OpenCount() const;

  struct State;

 private:
  std::unique_ptr<State> state_;
};

}  // namespace navora
