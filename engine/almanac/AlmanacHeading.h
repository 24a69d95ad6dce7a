#pragma once

#include <cstdint>

#include "engine/almanac/AlmanacLine.h"
#include "engine/almanac/AlmanacValues.h"
#include "engine/common/EngineStatus.h"

namespace navora {

// Statuses of ComputeAlmanacHeading.
inline constexpr EngineStatus kHeadingNoTimeArguments = 1;  // kind 3: no Delta T for the instant
inline constexpr EngineStatus kHeadingNoDeltaT = 3;
inline constexpr EngineStatus kHeadingBadKind = 4;
inline constexpr EngineStatus kHeadingBadDut1 = 5;
inline constexpr EngineStatus kHeadingNoPlace = 6;  // the ephemeris could not give a place

inline constexpr int kAlmanacHeadingLineCount = 12;
using AlmanacHeadingLines = AlmanacLine[kAlmanacHeadingLineCount];

// Heading lines 0..lastLineIndex of an almanac table of the kind for a UTC
// instant (UT1 = UTC + DUT1). Lines 0, 4 and 5 (title, section title and the
// blank after it) belong to the first heading of a command only; the date and
// column lines are repeated at each new day. DUT1 in seconds, interval in
// days. Semi-diameters, phase and magnitudes printed here carry the accuracy
// of AlmanacValues.h. Outputs are valid on status 0.
[[nodiscard]] EngineStatus ComputeAlmanacHeading(PlaceContext& context, double jdUtc,
                                                 double dut1Seconds, AlmanacKind kind,
                                                 double intervalDays, AlmanacHeadingLines& lines,
                                                 int16_t& lastLineIndex);

}  // namespace navora
