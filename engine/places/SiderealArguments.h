#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/time/DeltaT.h"

namespace navora {

// Status of PrepareTimeArguments when Delta T is unavailable for the date.
inline constexpr EngineStatus kTimeArgumentsNoDeltaT = 1;

// Greenwich mean and apparent sidereal time (hours, [0, 24)), the TT date and
// the equation of the equinoxes (arcsec) for a UT1 date.
[[nodiscard]] EngineStatus PrepareTimeArguments(DeltaTTable& deltaT, double jdUt1, double& gmstHours,
                                  double& gastHours, double& jdTt,
                                  double& equationOfEquinoxesArcsec);

// Local apparent sidereal time (hours, [0, 24)) for a UTC date taken as UT1.
// Where Delta T is unavailable a fixed 60 s serves, the nutation being
// insensitive to it.
double LocalApparentSiderealTime(DeltaTTable& deltaT, double jdUtc, double eastLongitudeDeg);

}  // namespace navora
