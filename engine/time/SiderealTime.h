#pragma once

namespace navora {

// Local mean and local apparent sidereal time, hours in [0, 24), for a UT1
// Julian date, an east longitude in degrees and the equation of the equinoxes
// in arcseconds.
void ComputeSiderealTime(double jdUt1, double eastLongitudeDeg, double equationOfEquinoxesArcsec,
                         double& meanHours, double& apparentHours);

}  // namespace navora
