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
// reference ellipsoid, true equator and equinox of date.
void ObserverVectors(double eastLongitudeDeg, double latitudeDeg,
                     double heightMetres, double apparentSiderealHours,
                     Vector3& position, Vector3& velocity);

// Vector from the observer to the body and the light time |vector| / c (days).
void GeocentricVector(const Vector3& bodyPosition,
                      const Vector3& observerPosition, Vector3& difference,
                      double& lightTimeDays);

// Observer-to-body vector corrected for light time by exactly one iteration.
// distanceAu is the geometric distance at jdTt; lightTimeDays the light time
// of the corrected vector. Status of GetBodyState on failure.
[[nodiscard]] EngineStatus LightTimePosition(EphemerisReader& ephemeris, double jdTt, BodyId body,
                               const Vector3& observerPosition,
                               Vector3& vector, double& distanceAu,
                               double& lightTimeDays);

// First-order aberration: position + light time x observer velocity. A light
// time of exactly 0 is replaced by |position| / c. `position` and `aberrated`
// may be the same.
void ApplyAberration(const Vector3& position, const Vector3& observerVelocity,
                     double lightTimeDays, Vector3& aberrated);

// Right ascension (hours, [0, 24)) and declination (degrees) of a vector.
// Status 1 for the zero vector (both 0); status 2 for a vector along the pole
// (right ascension 0, declination +90 or -90 by the sign of z).
[[nodiscard]] EngineStatus VectorToRaDec(const Vector3& vector, double& raHours,
                           double& decDeg);

// distance x (cos d cos a, cos d sin a, sin d).
void RaDecToVector(double raHours, double decDeg, double distance,
                   Vector3& vector);

}  // namespace navora
