#pragma once

#include <array>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"

namespace navora {

// Radii in metres indexed by BodyId; index 0 holds the Moon's radius as well.
inline constexpr std::array<double, 12> kBodyRadiusMetres = {
    1738000.0,                                         // 0 (Moon)
    2439700.0,  6051900.0,  6378137.0,  3397000.0,     // Mercury, Venus, Earth, Mars
    71492000.0, 60268000.0, 25559000.0, 24764000.0,    // Jupiter, Saturn, Uranus, Neptune
    1151000.0,  696000000.0, 1738000.0};               // Pluto, Sun, Moon

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

// Illuminated fraction of the disk, 0 to 1, at the phase angle (degrees).
double IlluminatedFraction(double phaseAngleDeg);

// Visual magnitude of a planet at Sun distance r and Earth distance delta
// (AU), Saturn's ring tilt (degrees) and the phase angle (degrees).
[[nodiscard]] EngineStatus PlanetMagnitude(BodyId planet, double sunDistanceAu, double earthDistanceAu,
                             double ringTiltDeg, double phaseAngleDeg, double& magnitude);

// Saturnicentric latitude of the Earth referred to the ring plane (degrees)
// for a TDB date, the light time (days) and the unit vector from Saturn toward
// the Earth in the equator of date.
double SaturnRingTilt(double jdTdb, double lightTimeDays, const Vector3& towardEarth);

}  // namespace navora
