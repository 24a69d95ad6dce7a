#pragma once

namespace navora {

// Dip of the sea horizon (arc-minutes) for a height of eye in metres; 0 at or
// below sea level.
double DipMinutes(double heightOfEyeMetres);

// Altitude (degrees) of the centre of a point source at rising or setting for
// a height of eye in metres: standard refraction of 34', dip and the
// extension of the visible horizon. 0 for a negative height.
double RiseSetAltitude(double heightOfEyeMetres);

// Astronomical refraction (arc-minutes) at the apparent altitude (degrees),
// scaled for the air temperature (Celsius) and pressure (millibars); the
// scale is 1 at 10 C and 1010 mb.
double RefractionMinutes(double apparentAltitudeDeg, double temperatureC, double pressureMb);

}  // namespace navora
