#include "engine/horizon/HorizonFrame.h"

#include <cmath>

#include "engine/common/Angles.h"
#include "engine/common/Rotation.h"

namespace navora {

namespace {

constexpr double kZenithAltitudeDeg = kDegreesPerQuarterCircle;

}  // namespace

void EquatorialToHourAngleFrame(const Vector3& in, double localSiderealHours, Vector3& out) {
  // The frame turned by the sidereal time puts x on the meridian and y at
  // hour angle 6h east; mirroring y makes it point west.
  const Vector3 turned = RotateAboutZ(in, DegreesToRadians(HoursToDegrees(localSiderealHours)));
  out = {turned[0], -turned[1], turned[2]};
}

void HourAngleToHorizonFrame(const Vector3& in, double latitudeDeg, Vector3& out) {
  const double phi = DegreesToRadians(latitudeDeg);
  const double c = std::cos(phi);
  const double s = std::sin(phi);
  const Vector3 v = in;
  out = {c * v[2] - s * v[0], -v[1], s * v[2] + c * v[0]};
}

EngineStatus VectorToAzimuthAltitude(const Vector3& horizon, double& azimuthDeg,
                                     double& altitudeDeg) {
  const double r = std::hypot(horizon[0], horizon[1]);
  if (r == 0.0) {
    azimuthDeg = 0.0;
    if (horizon[2] == 0.0) {
      altitudeDeg = 0.0;
      return kAzAltZeroVector;
    }
    altitudeDeg = horizon[2] > 0.0 ? kZenithAltitudeDeg : -kZenithAltitudeDeg;
    return kAzAltVerticalVector;
  }
  azimuthDeg = RadiansToDegrees(std::atan2(horizon[1], horizon[0]));
  altitudeDeg = RadiansToDegrees(std::atan2(horizon[2], r));
  return kStatusOk;
}

EngineStatus RaDecToAzimuthAltitude(double raHours, double decDeg, double localSiderealHours,
                                    double latitudeDeg, double& azimuthDeg, double& altitudeDeg) {
  // Right ascension and declination are longitude and latitude on the
  // equatorial sphere.
  Vector3 v{};
  LonLatToVector(HoursToDegrees(raHours), decDeg, 1.0, v);
  EquatorialToHourAngleFrame(v, localSiderealHours, v);
  HourAngleToHorizonFrame(v, latitudeDeg, v);
  return VectorToAzimuthAltitude(v, azimuthDeg, altitudeDeg);
}

void AzimuthAltitudeToVector(double azimuthDeg, double altitudeDeg, double localSiderealHours,
                             double latitudeDeg, Vector3& equatorial) {
  // Azimuth and altitude are longitude and latitude in the horizon frame.
  LonLatToVector(azimuthDeg, altitudeDeg, 1.0, equatorial);
  HourAngleToHorizonFrame(equatorial, latitudeDeg, equatorial);
  EquatorialToHourAngleFrame(equatorial, localSiderealHours, equatorial);
}

void LonLatToVector(double longitudeDeg, double latitudeDeg, double distance, Vector3& vector) {
  const double lon = DegreesToRadians(longitudeDeg);
  const double lat = DegreesToRadians(latitudeDeg);
  const double cosLat = std::cos(lat);
  vector = {distance * cosLat * std::cos(lon), distance * cosLat * std::sin(lon),
            distance * std::sin(lat)};
}

}  // namespace navora
