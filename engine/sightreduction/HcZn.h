#pragma once

#include "engine/common/EngineStatus.h"

namespace navora {

// Computed altitude and azimuth of an apparent place, and the reverse: the
// place of a direction given by altitude and azimuth.
//
// Model: local apparent sidereal time from UT1 (GMST 1982 plus the equation
// of the equinoxes, which the caller takes from the 4-term nutation at the
// instant's TT, as the places use it), then the two exact rotations of HorizonFrame.h; no
// refraction or parallax (the places are topocentric already). Units: Julian dates UT1, right
// ascension and hour angles in hours, other angles in degrees, east longitude positive, the
// equation of the equinoxes in arcseconds. Domain: finite dates and angles, latitude, declination
// and altitude within -90..90; otherwise kStatusOutOfDomain with zero outputs. Accuracy: rounding
// only, for given places and sidereal time. Hc and Zn of reduced sights against spherical
// trigonometry on IAU 2006/2000A places and sidereal time, hourly on 30 dates 1970-2024 from six
// positions: stars within 0.004' (Hc, and Zn x cos Hc), the Sun within 0.006' once its 8.8" of
// parallax is allowed for; the residual is that of the places and of the sidereal time.
// HorizonToEquatorial returns the place that ComputeHcZn took within 1e-9 degree.

// hc (degrees, -90..90), zn (degrees, [0, 360)) and lha (hours, [0, 24)) of
// (raHours, decDeg) seen from (eastLongitudeDeg, latitudeDeg) at jdUt1.
// Status of VectorToAzimuthAltitude (kAzAltVerticalVector at the zenith or
// nadir, where zn is 0) or kStatusOutOfDomain.
[[nodiscard]] EngineStatus ComputeHcZn(double jdUt1, double equationOfEquinoxesArcsec,
                                       double eastLongitudeDeg, double latitudeDeg, double raHours,
                                       double decDeg, double& hcDeg, double& znDeg,
                                       double& lhaHours);

// The inverse of ComputeHcZn: raHours [0, 24), decDeg and lhaHours [0, 24)
// of the direction (altitudeDeg, azimuthDeg). Status of VectorToRaDec (a
// direction along the pole) or kStatusOutOfDomain.
[[nodiscard]] EngineStatus HorizonToEquatorial(double jdUt1, double equationOfEquinoxesArcsec,
                                               double eastLongitudeDeg, double latitudeDeg,
                                               double altitudeDeg, double azimuthDeg,
                                               double& raHours, double& decDeg, double& lhaHours);

}  // namespace navora
