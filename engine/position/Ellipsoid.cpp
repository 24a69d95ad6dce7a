#include "engine/position/Ellipsoid.h"

#include <cmath>

namespace navora {

namespace {
const double kEccentricity = std::sqrt(kEccentricitySquared);
constexpr double kEighthTurnRad = DegreesToRadians(0.5 * kDegreesPerQuarterCircle);  // pi / 4
constexpr double kMeridianCourseToleranceDeg = 1e-8;
}  // namespace

double EllipsoidW(double latitudeRad) {
  const double s = std::sin(latitudeRad);
  return std::sqrt(1.0 - kEccentricitySquared * s * s);
}

double MeridianRadius(double latitudeRad) {
  const double w = EllipsoidW(latitudeRad);
  return kMeridianRadiusAtEquatorKm / (w * w * w);
}

double PrimeVerticalRadius(double latitudeRad) {
  return kEquatorialRadiusKm / EllipsoidW(latitudeRad);
}

double RadiusOfCurvatureInDirection(double latitudeRad, double azimuthRad) {
  const double cosAzimuth = std::cos(azimuthRad);
  const double sinAzimuth = std::sin(azimuthRad);
  return 1.0 / (cosAzimuth * cosAzimuth / MeridianRadius(latitudeRad) +
                sinAzimuth * sinAzimuth / PrimeVerticalRadius(latitudeRad));
}

double IsometricLatitude(double latitudeRad) {
  const double es = kEccentricity * std::sin(latitudeRad);
  return std::log(std::tan(kEighthTurnRad + 0.5 * latitudeRad)) +
         0.5 * kEccentricity * std::log((1.0 - es) / (1.0 + es));
}

bool IsMeridianCourse(double courseDeg) {
  const double remainder = std::fmod(std::fabs(courseDeg), kDegreesPerHalfCircle);
  return remainder < kMeridianCourseToleranceDeg ||
         kDegreesPerHalfCircle - remainder < kMeridianCourseToleranceDeg;
}

}  // namespace navora
