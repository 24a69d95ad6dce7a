#include "engine/position/Ellipsoid.h"

#include <cmath>

namespace navora {

namespace {
const double kEccentricity = std::sqrt(kEccentricitySquared);
constexpr double kQuarterTurnRad = 0.7853981633974483;  // pi / 4
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
  return std::log(std::tan(kQuarterTurnRad + 0.5 * latitudeRad)) +
         0.5 * kEccentricity * std::log((1.0 - es) / (1.0 + es));
}

bool IsMeridianCourse(double courseDeg) {
  const double remainder = std::fmod(std::fabs(courseDeg), 180.0);
  return remainder < kMeridianCourseToleranceDeg || 180.0 - remainder < kMeridianCourseToleranceDeg;
}

double NormalizeDirection360(double directionDeg) {
  double reduced = std::fmod(directionDeg, 360.0);
  if (reduced < 0.0) {
    reduced += 360.0;
  }
  return reduced + 0.0;  // turns -0.0 into 0.0
}

double ReduceLongitude(double longitudeDeg) {
  double reduced = std::fmod(longitudeDeg, 360.0);
  if (reduced > 180.0) {
    reduced -= 360.0;
  } else if (reduced < -180.0) {
    reduced += 360.0;
  }
  return reduced;
}

}  // namespace navora
