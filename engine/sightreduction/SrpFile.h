#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/common/EngineStatus.h"
#include "engine/common/ObservationRecord.h"
#include "engine/sightreduction/FixTypes.h"
#include "engine/sightreduction/ReducedObservation.h"

namespace navora {

// The state of a sight reduction plot and its ".srp" file.
//
// The file is a sequence of little-endian fields: ints of 4 bytes (two's
// complement), doubles of 8 bytes (IEEE-754), strings as a one-byte length
// and that many characters:
//   the string "srp"; nLegs, nSights (ints); timeOfFix (double);
//   fixCalculated (int);
//   per sight: reduced legIndex (int), bodyName (string), included (int),
//     time, drLatitude, drLongitude, hs, refraction, dip, ho, hc, zn, ra,
//     dec, raAtFix, decAtFix (doubles); sight legIndex, bodyCode, included
//     (ints); sight weight (double); rejected, excluded (ints);
//   per leg: end motionMode, sailingMethod (ints); time, course,
//     speedKmPerDay, speed, set, driftKmPerDay, drift, latitude, longitude
//     (doubles); positionType (int);
//   solution: time, latitude, longitude, course, speed, sigmaLatitude,
//     sigmaLongitude, sigmaCourse, sigmaSpeed, covLatLon, sigmaUnitWeight.
//
// What the file keeps is what the plot draws: the lines of position (ho,
// hc, zn at the DR positions and times), the legs' ends, the fix with its
// error ellipse, the body names, and the strip form's altitudes (the index
// correction follows as ho - hs + (dip + refraction) / 60, dip and
// refraction in arc-minutes). It does not keep the legs' start and
// reduction records and counts, the sights' standard errors, star numbers,
// weather, heights of eye and UT1 - UTC, nor the reduced records' hour
// angles and partials. An archived plot therefore shows the fix and its
// sights but cannot solve again, write the report or log the fix, and its
// strip form has no hour angle; the fields not stored read as the records'
// defaults. Writing what was read gives the same bytes.
//
// Reading refuses anything that is not such a file: a wrong signature, a
// count outside its range (nLegs 1..kMaxLegs, nSights 0..kMaxSights), a leg
// index beyond nLegs, a flag other than 0 or 1, a value too large for its
// field, a body name too long or holding a NUL, a number that is not
// finite, a file that ends early or goes on after the solution. Nothing is
// used before it is checked.

// The plot document's data, in the order the document keeps it.
struct SightPlotState {
  std::array<ReducedObservation, kMaxSights> reduced{};
  std::array<ObservationRecord, kMaxSights> sights{};
  std::array<LegRecord, kMaxLegs> legs{};
  FixSolution solution;                        // the DR position at the time of fix until a fix
  uint8_t fixCalculated = 0;                   // 1 after a successful Calculate Fix
  std::array<uint8_t, kMaxSights> rejected{};  // not included, or |ho - hc| too large
  std::array<uint8_t, kMaxSights> excluded{};  // not included
  int32_t nLegs = 0;
  int32_t nSights = 0;
  double timeOfFix = 0.0;  // UTC Julian date
};

inline constexpr std::string_view kSrpSignature = "srp";

// The largest file, in bytes: four legs and every sight with a name of the
// longest length.
inline constexpr size_t kMaxSrpBytes = 4298;

// Statuses of the plot file.
inline constexpr EngineStatus kSrpNotAPlot = 1;     // wrong signature, damaged or forged
inline constexpr EngineStatus kSrpCannotRead = 2;   // the file cannot be opened or read
inline constexpr EngineStatus kSrpCannotWrite = 3;  // the file cannot be written whole

// The file's bytes of a plot. A plot that ReadSrp would refuse (counts out
// of range, a flag other than 0 or 1, a number not finite ...) gives
// kSrpNotAPlot and no bytes.
[[nodiscard]] EngineStatus WriteSrp(const SightPlotState& plot, std::string& bytes);

// Reads a plot from a file's bytes; on failure `plot` is a default state.
[[nodiscard]] EngineStatus ReadSrp(std::string_view bytes, SightPlotState& plot);

// The same with a file. Writing goes beside the file and renames over it
// once complete, so a failed save leaves the previous file as it was.
[[nodiscard]] EngineStatus ReadSrpFile(const std::string& path, SightPlotState& plot);
[[nodiscard]] EngineStatus WriteSrpFile(const std::string& path, const SightPlotState& plot);

}  // namespace navora
