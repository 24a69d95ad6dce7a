#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"
#include "engine/horizon/VectorArithmetic.h"

namespace navora {

// Horizon coordinates: the computed altitude Hc and azimuth Zn of a direction
// for an observer at a latitude and local sidereal time.
//
// Model: two exact rotations of the celestial sphere (equatorial of date ->
// hour-angle frame -> horizon frame), no refraction or parallax; those are
// applied by the callers. Units: angles in degrees, right ascension and
// sidereal time in hours, vectors in any length unit.
// Accuracy: rounding only. Against an independent spherical-trigonometry
// reduction over latitudes and declinations to 89 degrees: altitude within
// 1.3e-12 degree, azimuth within 7.5e-13 degree; the reverse chain returns
// its input within 4.3e-13 degree.
//
// Statuses (the outputs are zero with kStatusOutOfDomain):
//   kStatusOutOfDomain  a latitude, declination or altitude outside [-90, 90],
//                       or a non-finite angle, sidereal time or vector.
inline constexpr EngineStatus kAzAltZeroVector = 1;      // azimuth and altitude 0
inline constexpr EngineStatus kAzAltVerticalVector = 2;  // azimuth 0, altitude +90 or -90

// Rotates an equatorial vector of date into the hour-angle frame of the local
// sidereal time (hours, any finite value): x toward the upper meridian, y
// toward hour angle 6h (west). The map is its own inverse. `in` and `out` may
// be the same.
[[nodiscard]] EngineStatus EquatorialToHourAngleFrame(const Vector3& in, double localSiderealHours,
                                                      Vector3& out);

// Rotates an hour-angle vector into the horizon frame of the latitude
// (degrees, -90..90): x north, y east, z zenith. Its own inverse. `in` and
// `out` may be the same.
[[nodiscard]] EngineStatus HourAngleToHorizonFrame(const Vector3& in, double latitudeDeg,
                                                   Vector3& out);

// Azimuth (degrees, (-180, 180], from north through east; callers add 360 to a
// negative one) and altitude (degrees, -90..90) of a horizon-frame vector.
// kAzAltZeroVector or kAzAltVerticalVector where the azimuth is undefined.
[[nodiscard]] EngineStatus VectorToAzimuthAltitude(const Vector3& horizon, double& azimuthDeg,
                                                   double& altitudeDeg);

// Azimuth and altitude of an apparent place of date (right ascension hours,
// declination -90..90) seen from the latitude (-90..90) at the local apparent
// sidereal time (hours). Statuses of VectorToAzimuthAltitude and the domain.
[[nodiscard]] EngineStatus RaDecToAzimuthAltitude(double raHours, double decDeg,
                                                  double localSiderealHours, double latitudeDeg,
                                                  double& azimuthDeg, double& altitudeDeg);

// The reverse: the equatorial unit vector of date of an azimuth (any finite
// value) and altitude (-90..90).
[[nodiscard]] EngineStatus AzimuthAltitudeToVector(double azimuthDeg, double altitudeDeg,
                                                   double localSiderealHours, double latitudeDeg,
                                                   Vector3& equatorial);

// distance x (cos lat cos lon, cos lat sin lon, sin lat), angles in degrees.
// A coordinate map defined for every finite input, so it has no status: a
// non-finite angle gives a non-finite vector, and callers check their angles
// (the operations above do).
void LonLatToVector(double longitudeDeg, double latitudeDeg, double distance, Vector3& vector);

}  // namespace navora
