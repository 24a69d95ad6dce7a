#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"
#include "engine/horizon/VectorArithmetic.h"

namespace navora {

// Statuses of VectorToAzimuthAltitude.
inline constexpr EngineStatus kAzAltZeroVector = 1;    // azimuth and altitude 0
inline constexpr EngineStatus kAzAltVerticalVector = 2;  // azimuth 0, altitude +90 or -90

// Rotates an equatorial vector of date into the hour-angle frame of the local
// sidereal time (hours): x toward the upper meridian, y toward hour angle 6h
// (west). The map is its own inverse. `in` and `out` may be the same.
void EquatorialToHourAngleFrame(const Vector3& in, double localSiderealHours, Vector3& out);

// Rotates an hour-angle vector into the horizon frame of the latitude
// (degrees): x north, y east, z zenith. Its own inverse. `in` and `out` may be
// the same.
void HourAngleToHorizonFrame(const Vector3& in, double latitudeDeg, Vector3& out);

// Azimuth (degrees, (-180, 180], from north through east; callers add 360 to a
// negative one) and altitude (degrees) of a horizon-frame vector.
EngineStatus VectorToAzimuthAltitude(const Vector3& horizon, double& azimuthDeg,
                                     double& altitudeDeg);

// Azimuth and altitude of an apparent place of date seen from the latitude at
// the local apparent sidereal time. Status of VectorToAzimuthAltitude.
EngineStatus RaDecToAzimuthAltitude(double raHours, double decDeg, double localSiderealHours,
                                    double latitudeDeg, double& azimuthDeg, double& altitudeDeg);

// The reverse: the equatorial unit vector of date of an azimuth and altitude.
void AzimuthAltitudeToVector(double azimuthDeg, double altitudeDeg, double localSiderealHours,
                             double latitudeDeg, Vector3& equatorial);

// distance x (cos lat cos lon, cos lat sin lon, sin lat), angles in degrees.
void LonLatToVector(double longitudeDeg, double latitudeDeg, double distance, Vector3& vector);

}  // namespace navora
