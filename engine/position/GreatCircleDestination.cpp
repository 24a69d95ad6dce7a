#include "engine/position/GreatCircleDestination.h"

#include <algorithm>
#include <cmath>

#include "engine/position/Ellipsoid.h"

namespace navora {

namespace {
// Below this arc the flat-earth step is exact to far better than a metre.
constexpr double kSmallArcDeg = 0.0001;
}  // namespace

void GreatCircleDestination(const PositionRecord& start, double distanceDeg, double& latitudeDeg,
                            double& longitudeDeg, double& courseDeg) {
  const double lat1 = start.latitude * kRadiansPerDegree;
  const double course = start.course * kRadiansPerDegree;
  courseDeg = start.course;
  if (IsMeridianCourse(start.course)) {
    latitudeDeg = start.latitude + distanceDeg * std::cos(course);
    longitudeDeg = start.longitude;
    return;
  }
  if (std::fabs(distanceDeg) < kSmallArcDeg) {
    latitudeDeg = start.latitude + distanceDeg * std::cos(course);
    longitudeDeg = start.longitude + distanceDeg * std::sin(course) / std::cos(lat1);
    return;
  }
  // The atan2 forms give the right side for a negative distance too.
  const double arc = distanceDeg * kRadiansPerDegree;
  const double sinLat1 = std::sin(lat1);
  const double cosLat1 = std::cos(lat1);
  const double sinArc = std::sin(arc);
  const double cosArc = std::cos(arc);
  const double sinCourse = std::sin(course);
  const double cosCourse = std::cos(course);
  const double sinLat2 = std::clamp(sinArc * cosCourse * cosLat1 + cosArc * sinLat1, -1.0, 1.0);
  const double dlon = std::atan2(sinCourse * sinArc * cosLat1, cosArc - sinLat1 * sinLat2);
  const double course2 =
      std::atan2(sinCourse * cosLat1, cosLat1 * cosArc * cosCourse - sinLat1 * sinArc);
  latitudeDeg = std::asin(sinLat2) * kDegreesPerRadian;
  longitudeDeg = start.longitude + dlon * kDegreesPerRadian;
  courseDeg = NormalizeDirection360(course2 * kDegreesPerRadian);
}

}  // namespace navora
