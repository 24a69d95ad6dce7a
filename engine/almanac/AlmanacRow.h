#pragma once

#include <cstdint>

#include "engine/almanac/AlmanacLine.h"
#include "engine/almanac/AlmanacValues.h"
#include "engine/common/EngineStatus.h"

namespace navora {

// Statuses of ComputeAlmanacRow.
inline constexpr EngineStatus kRowBadKind = 1;
inline constexpr EngineStatus kRowBadStarNumber = 2;  // star kinds: outside 1..58
inline constexpr EngineStatus kRowBadDut1 = 3;        // star kinds: |DUT1| > 0.9 s
inline constexpr EngineStatus kRowSunNoDeltaT = 4;
inline constexpr EngineStatus kRowMoonNoDeltaT = 5;
inline constexpr EngineStatus kRowPlanetsNoDeltaT = 6;
inline constexpr EngineStatus kRowStarNoDeltaT = 7;
inline constexpr EngineStatus kRowAriesNoDeltaT = 11;
// The ephemeris could not give a place, or a value is not a finite angle.
inline constexpr EngineStatus kRowNoPlace = 12;

// Largest star number the almanac tables accept: the navigational stars and
// Polaris.
inline constexpr int16_t kAlmanacLastStar = 58;

// Computes the almanac values of one UTC instant (UT1 = UTC + DUT1, DUT1 in
// seconds) and writes one table row of the kind into line, angles to 0.1'
// (accuracy as in AlmanacValues.h). starNumber is used by the star kinds
// only; the interval (days) chooses between times with seconds and times to
// the minute. Kind 4 tabulates 12h UT of the UT1 date. The line is written
// only on success.
[[nodiscard]] EngineStatus ComputeAlmanacRow(PlaceContext& context, double jdUtc,
                                             double dut1Seconds, AlmanacKind kind,
                                             int16_t starNumber, double intervalDays,
                                             AlmanacLine& line);

// The star name as the tables print it: each letter that follows another
// non-blank character is lowered ("RIGIL KENT." -> "Rigil Kent.").
void MixedCaseStarName(const char* name, char (&text)[14]);

}  // namespace navora
