#include "engine/position/CourseAndDistance.h"

#include <algorithm>
#include <cmath>

#include "engine/position/Ellipsoid.h"
#include "engine/position/SphereDirect.h"

namespace navora {

namespace {

constexpr double kMeridianToleranceDeg = 1e-8;
// Mercator sailing needs a northing of at least a hundredth of the departure
// and 0.18 degree; flatter or shorter tracks use mid-latitude sailing.
constexpr double kMercatorNorthingRatio = 0.01;
constexpr double kMercatorMinimumNorthingDeg = 0.18;

// Meridian arc from the equator divided by a (1 - e^2), latitude in radians.
double ReducedMeridianArc(double latitudeRad) {
  const double e2 = kEccentricitySquared;
  const double sin2 = std::sin(2.0 * latitudeRad);
  return latitudeRad + 1.5 * e2 * (0.5 * latitudeRad - 0.25 * sin2) +
         1.875 * e2 * e2 * (0.375 * latitudeRad - 0.25 * sin2);
}

void MidLatitudeCourseAndDistance(double lat1Deg, double lat2Deg, double dlatDeg, double dlonDeg,
                                  double& courseDeg, double& distanceKm) {
  const double latMid = DegreesToRadians(0.5 * (lat1Deg + lat2Deg));
  const double m = MeridianRadius(latMid);
  const double n = PrimeVerticalRadius(latMid);
  if (std::fabs(dlatDeg) < kMeridianToleranceDeg) {
    courseDeg = dlonDeg < 0.0 ? 270.0 : 90.0;
    distanceKm = DegreesToRadians(std::cos(latMid) * std::fabs(dlonDeg)) * n;
    return;
  }
  if (std::fabs(dlonDeg) < kMeridianToleranceDeg) {
    courseDeg = dlatDeg < 0.0 ? 180.0 : 0.0;
    distanceKm = DegreesToRadians(std::fabs(dlatDeg)) * m;
    return;
  }
  const double departure = n * std::cos(latMid) * dlonDeg;
  const double northing = m * dlatDeg;
  courseDeg = WrapDegrees360(RadiansToDegrees(std::atan2(departure, northing)));
  distanceKm = DegreesToRadians(std::hypot(departure, northing));
}

void MercatorCourseAndDistance(double lat1Deg, double lat2Deg, double dlonDeg, double& courseDeg,
                               double& distanceKm) {
  const double lat1 = DegreesToRadians(lat1Deg);
  const double lat2 = DegreesToRadians(lat2Deg);
  const double course =
      std::atan2(DegreesToRadians(dlonDeg), IsometricLatitude(lat2) - IsometricLatitude(lat1));
  courseDeg = WrapDegrees360(RadiansToDegrees(course));
  distanceKm = kMeridianRadiusAtEquatorKm / std::cos(course) *
               (ReducedMeridianArc(lat2) - ReducedMeridianArc(lat1));
}

void RhumbLineCourseAndDistance(double lat1Deg, double lon1Deg, double lat2Deg, double lon2Deg,
                                double& courseDeg, double& distanceKm) {
  const double dlatDeg = lat2Deg - lat1Deg;
  const double dlonDeg = WrapDegrees180(lon2Deg - lon1Deg);
  // The reduced difference: a track across 180 degrees is judged by its real
  // departure.
  const bool mercator =
      std::fabs(dlatDeg) >=
          kMercatorNorthingRatio * std::cos(DegreesToRadians(lat1Deg)) * std::fabs(dlonDeg) &&
      std::fabs(dlatDeg) >= kMercatorMinimumNorthingDeg;
  if (mercator) {
    MercatorCourseAndDistance(lat1Deg, lat2Deg, dlonDeg, courseDeg, distanceKm);
  } else {
    MidLatitudeCourseAndDistance(lat1Deg, lat2Deg, dlatDeg, dlonDeg, courseDeg, distanceKm);
  }
}

// The initial course comes from the sphere; the arc is turned into a distance
// with the ellipsoid's radius of curvature at the middle of the track in the
// direction of the track there.
void GreatCircleCourseAndDistance(double lat1Deg, double lon1Deg, double lat2Deg, double lon2Deg,
                                  double& courseDeg, double& distanceKm) {
  const double dlonDeg = WrapDegrees180(lon2Deg - lon1Deg);
  const double lat1 = DegreesToRadians(lat1Deg);
  const double lat2 = DegreesToRadians(lat2Deg);
  if (std::fabs(dlonDeg) < kMeridianToleranceDeg) {
    courseDeg = lat2 < lat1 ? 180.0 : 0.0;
    distanceKm = std::fabs(lat2 - lat1) * MeridianRadius(0.5 * (lat1 + lat2));
    return;
  }
  const double dlon = DegreesToRadians(dlonDeg);
  const double sinLat1 = std::sin(lat1);
  const double cosLat1 = std::cos(lat1);
  const double sinLat2 = std::sin(lat2);
  const double cosLat2 = std::cos(lat2);
  // Haversine and atan2 forms: exact on the sphere and well conditioned for
  // short tracks.
  const double sinHalfDlat = std::sin(0.5 * (lat2 - lat1));
  const double sinHalfDlon = std::sin(0.5 * dlon);
  const double haversine =
      sinHalfDlat * sinHalfDlat + cosLat1 * cosLat2 * sinHalfDlon * sinHalfDlon;
  const double halfArc = std::asin(std::sqrt(std::min(haversine, 1.0)));
  const double course =
      std::atan2(std::sin(dlon) * cosLat2, cosLat1 * sinLat2 - sinLat1 * cosLat2 * std::cos(dlon));

  const SpherePoint middle = SphereDirect(lat1, course, halfArc);
  courseDeg = WrapDegrees360(RadiansToDegrees(course));
  distanceKm = 2.0 * halfArc * RadiusOfCurvatureInDirection(middle.latitude, middle.course);
}

}  // namespace

EngineStatus CourseAndDistance(int16_t route, double latitude1Deg, double longitude1Deg,
                               double latitude2Deg, double longitude2Deg, double& courseDeg,
                               double& distanceKm) {
  courseDeg = 0.0;
  distanceKm = 0.0;
  if (!IsLatitude(latitude1Deg) || !IsLatitude(latitude2Deg) || !std::isfinite(longitude1Deg) ||
      !std::isfinite(longitude2Deg)) {
    return kStatusOutOfDomain;
  }
  if (route == kRouteRhumbLine) {
    RhumbLineCourseAndDistance(latitude1Deg, longitude1Deg, latitude2Deg, longitude2Deg, courseDeg,
                               distanceKm);
  } else if (route == kRouteGreatCircle) {
    GreatCircleCourseAndDistance(latitude1Deg, longitude1Deg, latitude2Deg, longitude2Deg,
                                 courseDeg, distanceKm);
  }
  return kStatusOk;
}

}  // namespace navora
