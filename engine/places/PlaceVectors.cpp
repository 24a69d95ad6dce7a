#include "engine/places/PlaceVectors.h"

#include <cmath>

#include "engine/ephemeris/EphemerisReader.h"
#include "engine/places/AstronomicalConstants.h"

namespace navora {
namespace {

constexpr double kHoursPerCircle = 24.0;
constexpr double kMetresPerKilometre = 1000.0;

double Length(const Vector3& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

}  // namespace

void ObserverVectors(double eastLongitudeDeg, double latitudeDeg, double heightMetres,
                     double apparentSiderealHours, Vector3& position, Vector3& velocity) {
  const double polarAxisRatioSquared = (1.0 - kEarthFlattening) * (1.0 - kEarthFlattening);
  const double phi = latitudeDeg * kDegToRad;
  const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
  const double c = 1.0 / std::sqrt(cosPhi * cosPhi + polarAxisRatioSquared * sinPhi * sinPhi);
  const double s = polarAxisRatioSquared * c;
  const double equatorialKm =
      (kEarthEquatorialRadiusMetres * c + heightMetres) / kMetresPerKilometre;
  const double polarKm = (kEarthEquatorialRadiusMetres * s + heightMetres) / kMetresPerKilometre;

  const double localSiderealAngle =
      (apparentSiderealHours * kArcsecondsPerHour + eastLongitudeDeg * kArcsecondsPerDegree) *
      kRadiansPerArcsecond;
  const double cosAngle = std::cos(localSiderealAngle), sinAngle = std::sin(localSiderealAngle);
  const double distanceFromAxisKm = equatorialKm * cosPhi;

  position = {distanceFromAxisKm * cosAngle / kKilometresPerAu,
              distanceFromAxisKm * sinAngle / kKilometresPerAu,
              polarKm * sinPhi / kKilometresPerAu};
  const double kmPerSecondToAuPerDay = kSecondsPerDay / kKilometresPerAu;
  velocity = {-kEarthRotationRadPerSecond * distanceFromAxisKm * sinAngle * kmPerSecondToAuPerDay,
              kEarthRotationRadPerSecond * distanceFromAxisKm * cosAngle * kmPerSecondToAuPerDay,
              0.0};
}

void GeocentricVector(const Vector3& bodyPosition, const Vector3& observerPosition,
                      Vector3& difference, double& lightTimeDays) {
  difference = {bodyPosition[0] - observerPosition[0], bodyPosition[1] - observerPosition[1],
                bodyPosition[2] - observerPosition[2]};
  lightTimeDays = Length(difference) / kSpeedOfLightAuPerDay;
}

EngineStatus LightTimePosition(EphemerisReader& ephemeris, double jdTt, BodyId body,
                               const Vector3& observerPosition, Vector3& vector, double& distanceAu,
                               double& lightTimeDays) {
  Vector3 bodyPosition{};
  Vector3 bodyVelocity{};
  EngineStatus status =
      ephemeris.GetBodyState(jdTt, body, kOriginBarycentre, bodyPosition, bodyVelocity);
  if (status != kStatusOk) return status;
  double firstLightTime = 0.0;
  GeocentricVector(bodyPosition, observerPosition, vector, firstLightTime);
  distanceAu = firstLightTime * kSpeedOfLightAuPerDay;

  status = ephemeris.GetBodyState(jdTt - firstLightTime, body, kOriginBarycentre, bodyPosition,
                                  bodyVelocity);
  if (status != kStatusOk) return status;
  GeocentricVector(bodyPosition, observerPosition, vector, lightTimeDays);
  return kStatusOk;
}

void ApplyAberration(const Vector3& position, const Vector3& observerVelocity, double lightTimeDays,
                     Vector3& aberrated) {
  const double tau =
      lightTimeDays == 0.0 ? Length(position) / kSpeedOfLightAuPerDay : lightTimeDays;
  aberrated = {position[0] + tau * observerVelocity[0], position[1] + tau * observerVelocity[1],
               position[2] + tau * observerVelocity[2]};
}

EngineStatus VectorToRaDec(const Vector3& vector, double& raHours, double& decDeg) {
  const double x = vector[0], y = vector[1], z = vector[2];
  if (x == 0.0 && y == 0.0) {
    raHours = 0.0;
    if (z == 0.0) {
      decDeg = 0.0;
      return kRaDecZeroVector;
    }
    decDeg = z > 0.0 ? 90.0 : -90.0;
    return kRaDecPoleVector;
  }
  double ra = std::atan2(y, x) * kRadToDeg / kDegreesPerHour;
  if (ra < 0.0) ra += kHoursPerCircle;
  // A tiny negative angle rounds to exactly 24 when lifted; keep [0, 24).
  if (ra >= kHoursPerCircle) ra -= kHoursPerCircle;
  raHours = ra;
  decDeg = std::atan2(z, std::hypot(x, y)) * kRadToDeg;
  return kStatusOk;
}

void RaDecToVector(double raHours, double decDeg, double distance, Vector3& vector) {
  const double ra = raHours * kDegreesPerHour * kDegToRad;
  const double dec = decDeg * kDegToRad;
  const double cosDec = std::cos(dec);
  vector = {distance * cosDec * std::cos(ra), distance * cosDec * std::sin(ra),
            distance * std::sin(dec)};
}

}  // namespace navora
