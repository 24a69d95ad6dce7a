#include "engine/horizon/HorizonFrame.h"

#include <cmath>

#include "engine/common/Angles.h"
#include "engine/common/Rotation.h"

namespace navora {

namespace {

constexpr double kZenithAltitudeDeg = kDegreesPerQuarterCircle;

EngineStatus RefuseVector(Vector3& out) {
  out = {0.0, 0.0, 0.0};
  return kStatusOutOfDomain;
}

EngineStatus RefuseAngles(double& azimuthDeg, double& altitudeDeg) {
  azimuthDeg = 0.0;
  altitudeDeg = 0.0;
  return kStatusOutOfDomain;
}

}  // namespace

EngineStatus EquatorialToHourAngleFrame(const Vector3& in, double localSiderealHours,
                                        Vector3& out) {
  if (!IsFinite(in) || !std::isfinite(localSiderealHours)) return RefuseVector(out);
  // The frame turned by the sidereal time puts x on the meridian and y at
  // hour angle 6h east; mirroring y makes it point west.
  const Vector3 turned = RotateAboutZ(in, DegreesToRadians(HoursToDegrees(localSiderealHours)));
  out = {turned[0], -turned[1], turned[2]};
  return kStatusOk;
}

EngineStatus HourAngleToHorizonFrame(const Vector3& in, double latitudeDeg, Vector3& out) {
  if (!IsFinite(in) || !IsLatitude(latitudeDeg)) return RefuseVector(out);
  const double phi = DegreesToRadians(latitudeDeg);
  const double c = std::cos(phi);
  const double s = std::sin(phi);
  const Vector3 v = in;
  out = {c * v[2] - s * v[0], -v[1], s * v[2] + c * v[0]};
  return kStatusOk;
}

EngineStatus VectorToAzimuthAltitude(const Vector3& horizon, double& azimuthDeg,
                                     double& altitudeDeg) {
  if (!IsFinite(horizon)) return RefuseAngles(azimuthDeg, altitudeDeg);
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
  if (!std::isfinite(raHours) || !IsLatitude(decDeg)) return RefuseAngles(azimuthDeg, altitudeDeg);
  // Right ascension and declination are longitude and latitude on the
  // equatorial sphere.
  Vector3 v{};
  LonLatToVector(HoursToDegrees(raHours), decDeg, 1.0, v);
  EngineStatus status = EquatorialToHourAngleFrame(v, localSiderealHours, v);
  if (status == kStatusOk) status = HourAngleToHorizonFrame(v, latitudeDeg, v);
  if (status != kStatusOk) return RefuseAngles(azimuthDeg, altitudeDeg);
  return VectorToAzimuthAltitude(v, azimuthDeg, altitudeDeg);
}

EngineStatus AzimuthAltitudeToVector(double azimuthDeg, double altitudeDeg,
                                     double localSiderealHours, double latitudeDeg,
                                     Vector3& equatorial) {
  if (!std::isfinite(azimuthDeg) || !IsLatitude(altitudeDeg)) return RefuseVector(equatorial);
  // Azimuth and altitude are longitude and latitude in the horizon frame.
  LonLatToVector(azimuthDeg, altitudeDeg, 1.0, equatorial);
  EngineStatus status = HourAngleToHorizonFrame(equatorial, latitudeDeg, equatorial);
  if (status == kStatusOk) {
    status = EquatorialToHourAngleFrame(equatorial, localSiderealHours, equatorial);
  }
  if (status != kStatusOk) return RefuseVector(equatorial);
  return kStatusOk;
}

void LonLatToVector(double longitudeDeg, double latitudeDeg, double distance, Vector3& vector) {
  const double lon = DegreesToRadians(longitudeDeg);
  const double lat = DegreesToRadians(latitudeDeg);
  const double cosLat = std::cos(lat);
  vector = {distance * cosLat * std::cos(lon), distance * cosLat * std::sin(lon),
            distance * std::sin(lat)};
}

}  // namespace navora
