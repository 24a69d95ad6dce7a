#pragma once

#include <array>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"

namespace navora {

// Semi-diameter, parallax and phase are exact geometry for spherical bodies
// and an ellipsoidal Earth, as good as the distances and vectors given.
// Against published pages of 2021 the Sun's and Moon's SD and the Moon's HP
// agree to 0.0', the Moon's phase to the percent and the planets' magnitudes
// to 0.1 mag.

// Radii in metres indexed by BodyId; index 0 holds the Moon's radius as well.
inline constexpr std::array<double, 12> kBodyRadiusMetres = {
    1738000.0,  // 0 (Moon)
    2439700.0,  6051900.0,   6378137.0,
    3397000.0,  // Mercury, Venus, Earth, Mars
    71492000.0, 60268000.0,  25559000.0,
    24764000.0,                           // Jupiter, Saturn, Uranus, Neptune
    1151000.0,  696000000.0, 1738000.0};  // Pluto, Sun, Moon

// Status of PlanetMagnitude for a body without a magnitude law (the Earth or
// an unknown number); the magnitude is then kNoMagnitude.
inline constexpr EngineStatus kMagnitudeUnknownBody = 1;
inline constexpr double kNoMagnitude = 50.0;

// Angular radius (arcsec) of a sphere of the radius (metres) at the distance
// (AU): the semi-diameter.
double AngularRadius(double distanceAu, double radiusMetres);

// Parallax in altitude (arcsec) of a body at the distance (AU) for an observer
// at the geodetic latitude (degrees) and the geocentric zenith distance
// (degrees). Latitude 0 and zenith distance 90 give the equatorial horizontal
// parallax.
double ParallaxInAltitude(double distanceAu, double latitudeDeg, double zenithDistanceDeg);

// Phase angle (degrees, Sun - body - Earth) of a body from its geocentric
// vector and distance and the Sun's geocentric vector (AU). Also gives the
// Sun-body distance and the unit vectors from the body toward the Sun and
// toward the Earth.
void PhaseAngle(const Vector3& body, double bodyDistanceAu, const Vector3& sun,
                double& phaseAngleDeg, double& sunDistanceAu, Vector3& towardSun,
                Vector3& towardEarth);

// Illuminated fraction of the disk, (1 + cos i) / 2, 0 to 1, at the phase
// angle i (degrees).
double IlluminatedFraction(double phaseAngleDeg);

// Visual magnitude of a planet at Sun distance r and Earth distance delta
// (AU), Saturn's ring tilt (degrees) and the phase angle i (degrees):
// V0 + 5 log10(r delta) + a polynomial in i. Mercury and Venus follow Hilton
// (2005), Mars to Pluto the Astronomical Almanac laws (Harris), Saturn with
// its ring term -2.60 sin|B| + 1.25 sin^2 B. Mercury and Venus hold for phase
// angles below about 160 degrees. Domain: distances positive, phase angle
// 0..180, ring tilt -90..90; outside it, or not finite, kStatusOutOfDomain
// with the magnitude kNoMagnitude.
[[nodiscard]] EngineStatus PlanetMagnitude(BodyId planet, double sunDistanceAu,
                                           double earthDistanceAu, double ringTiltDeg,
                                           double phaseAngleDeg, double& magnitude);

// Saturnicentric latitude of the Earth referred to the ring plane (degrees)
// for a TDB date, the light time (days) and the unit vector from Saturn toward
// the Earth in the equator of date. Saturn's pole is the IAU rotational
// element (RA 40.58 - 0.036 T, Dec 83.54 - 0.004 T degrees, T centuries from
// J2000) precessed to date, good to about 0.01 degree.
double SaturnRingTilt(double jdTdb, double lightTimeDays, const Vector3& towardEarth);

}  // namespace navora
