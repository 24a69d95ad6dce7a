#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/time/DeltaT.h"

namespace navora {

// Status of PrepareTimeArguments when Delta T is unavailable for the date.
inline constexpr EngineStatus kTimeArgumentsNoDeltaT = 1;

// Greenwich mean and apparent sidereal time (hours, [0, 24)), the TT date and
// the equation of the equinoxes (arcsec) for a UT1 date: TT = UT1 + Delta T of
// the table, GMST 1982 and the 4-term nutation (SiderealTime.h,
// PrecessionNutation.h). GAST agrees with IAU 2006/2000A to 0.0207 s over
// 1970-2024, given the same Delta T. Holds inside the Delta T table.
[[nodiscard]] EngineStatus PrepareTimeArguments(DeltaTTable& deltaT, double jdUt1,
                                                double& gmstHours, double& gastHours, double& jdTt,
                                                double& equationOfEquinoxesArcsec);

// Local apparent sidereal time (hours, [0, 24)) for a UTC date taken as UT1.
// Where Delta T is unavailable a fixed 60 s serves, the nutation being
// insensitive to it. UTC for UT1 costs up to 0.9 s of time; use
// PrepareTimeArguments where that matters.
double LocalApparentSiderealTime(DeltaTTable& deltaT, double jdUtc, double eastLongitudeDeg);

}  // namespace navora
