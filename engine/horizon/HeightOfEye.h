#pragma once

#include "engine/common/EngineStatus.h"

namespace navora {

// Corrections of an altitude for the observer's height of eye and for
// astronomical refraction.
//
// Model: dip 1.76' sqrt(h) (h metres); rising and setting at -34' of
// refraction less the dip and 0.37' sqrt(h) for the further horizon; Bennett's
// refraction formula cot(H + 7.31 / (H + 4.4)) arc-minutes, scaled by
// (P - 80) / 930 for pressure and by a linear temperature term (scale 1 at
// 10 C and 1010 mb). Accuracy: refraction agrees with the standard-atmosphere
// table to 0.1' at the horizon, 0.06' at 10 degrees and 0.02' above 45
// degrees; the dip with the nautical table to 0.05' at 10 m.

// Dip of the sea horizon (arc-minutes) for a height of eye in metres; 0 at or
// below sea level. A non-finite height gives a non-finite dip: heights are
// checked by the operations that take them.
double DipMinutes(double heightOfEyeMetres);

// Altitude (degrees) of the centre of a point source at rising or setting for
// a height of eye in metres: standard refraction of 34', dip and the
// extension of the visible horizon. 0 for a negative height; as DipMinutes for
// a non-finite one.
double RiseSetAltitude(double heightOfEyeMetres);

// Lowest apparent altitude (degrees) that RefractionMinutes takes: the formula
// is fitted above the horizon and its pole lies at -4.4 degrees.
inline constexpr double kLowestRefractedAltitudeDeg = -1.0;

// Astronomical refraction (arc-minutes) at the apparent altitude (degrees,
// kLowestRefractedAltitudeDeg..90), scaled for the air temperature (Celsius)
// and pressure (millibars), both finite. kStatusOutOfDomain (minutes 0)
// outside that domain.
[[nodiscard]] EngineStatus RefractionMinutes(double apparentAltitudeDeg, double temperatureC,
                                             double pressureMb, double& minutes);

}  // namespace navora
