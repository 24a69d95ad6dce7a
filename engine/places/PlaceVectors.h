#pragma once

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"
#include "engine/ephemeris/EphemerisReader.h"

namespace navora {

// Statuses of VectorToRaDec.
inline constexpr EngineStatus kRaDecZeroVector = 1;
inline constexpr EngineStatus kRaDecPoleVector = 2;

// Geocentric position (AU) and velocity (AU/day) of an observer on the
// reference ellipsoid (kEarthEquatorialRadiusMetres, kEarthFlattening), true
// equator and equinox of date. Geodetic latitude -90..90 and east longitude
// in degrees, height in metres, sidereal time in hours. The velocity is the
// rotation at kEarthRotationRadPerSecond about the true pole; polar motion
// (under 15 m on the ground) is neglected.
void ObserverVectors(double eastLongitudeDeg, double latitudeDeg, double heightMetres,
                     double apparentSiderealHours, Vector3& position, Vector3& velocity);

// Vector from the observer to the body and the light time |vector| / c (days).
void GeocentricVector(const Vector3& bodyPosition, const Vector3& observerPosition,
                      Vector3& difference, double& lightTimeDays);

// Observer-to-body vector corrected for light time by exactly one iteration.
// Positions are barycentric AU, J2000 axes; distanceAu is the geometric
// distance at jdTt; lightTimeDays the light time of the corrected vector.
// The left-over light-time error scales as (radial velocity / c)^2, far below
// 0.001" for every body. Status of GetBodyState on failure.
[[nodiscard]] EngineStatus LightTimePosition(EphemerisReader& ephemeris, double jdTt, BodyId body,
                                             const Vector3& observerPosition, Vector3& vector,
                                             double& distanceAu, double& lightTimeDays);

// First-order (classical) aberration: position + light time x observer
// velocity (AU, AU/day, days); the second-order terms left out are of order
// (v/c)^2, about 0.002". A light time of exactly 0 is replaced by
// |position| / c. `position` and `aberrated` may be the same.
void ApplyAberration(const Vector3& position, const Vector3& observerVelocity, double lightTimeDays,
                     Vector3& aberrated);

// Right ascension (hours, [0, 24)) and declination (degrees) of a vector,
// exact to rounding (atan2 throughout, sound near the poles).
// Status 1 for the zero vector (both 0); status 2 for a vector along the pole
// (right ascension 0, declination +90 or -90 by the sign of z).
[[nodiscard]] EngineStatus VectorToRaDec(const Vector3& vector, double& raHours, double& decDeg);

// distance x (cos d cos a, cos d sin a, sin d).
void RaDecToVector(double raHours, double decDeg, double distance, Vector3& vector);

}  // namespace navora
