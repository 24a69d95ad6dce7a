#pragma once

#include <cstdint>

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"

namespace navora {

// The records of a running fix over up to kMaxLegs legs of the DR track.
// Units: Julian date UTC, degrees (north and east positive), knots and km
// per day; standard errors in degrees and knots.

// One leg, leg 0 first; the last leg is the fix leg. A leg ends where the
// next one starts; the fix leg ends at the time of fix.
struct LegRecord {
  uint16_t sightCount = 0;       // sights on this leg
  uint16_t includedCount = 0;    // included sights on this leg
  uint16_t corrected = 0;        // 1 when the last correction changed this leg
  uint16_t solveCourseSpeed = 0; // 1 when this leg's course and speed are unknowns
  PositionRecord start;          // the log entry that starts the leg (caller's)
  PositionRecord end;            // start advanced to the leg's end time
  PositionRecord reduction;      // end with course and speed made good; the
                                 // fix leg's position is the fix
};

// The fix and its standard errors.
struct FixSolution {
  double time = 0.0;            // time of fix, UTC Julian date
  double latitude = 0.0;        // degrees
  double longitude = 0.0;       // degrees east, -180..180
  double course = 0.0;          // fix leg course made good, degrees
  double speed = 0.0;           // fix leg speed made good, knots
  double sigmaLatitude = 0.0;   // degrees
  double sigmaLongitude = 0.0;  // degrees
  double sigmaCourse = 0.0;     // degrees; 0 when not solved
  double sigmaSpeed = 0.0;      // knots; 0 when not solved
  double covLatLon = 0.0;       // square degrees
  double sigmaUnitWeight = 0.0; // a-posteriori standard error of unit weight, degrees
};

// Flags of ReduceSights.
inline constexpr uint8_t kReduceOnly = 1;          // reduce at the DR positions; no fix
inline constexpr uint8_t kSolveCourseSpeed = 2;    // course and speed unknowns where possible

// Statuses of the sight reduction.
inline constexpr EngineStatus kSightReductionBadLegCount = 1;   // legs outside 1..kMaxLegs
inline constexpr EngineStatus kSightReductionNoSights = 2;
inline constexpr EngineStatus kSightReductionNoConvergence = 3; // the 20th pass was reached
inline constexpr EngineStatus kSightReductionNoneIncluded = 4;
inline constexpr EngineStatus kSightReductionNoPlace = 5;       // apparent place unavailable
inline constexpr EngineStatus kSightReductionNoHcZn = 6;        // degenerate direction
inline constexpr EngineStatus kSightReductionNoDeltaT = 7;
inline constexpr EngineStatus kSightReductionNoSolution = 8;    // divergence, pole, singular

}  // namespace navora
