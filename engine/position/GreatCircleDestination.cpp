#include "engine/position/GreatCircleDestination.h"

#include <cmath>

#include "engine/position/Ellipsoid.h"
#include "engine/position/SphereDirect.h"

namespace navora {

namespace {
// Below this arc the flat-earth step is exact to far better than a metre.
constexpr double kSmallArcDeg = 0.0001;
}  // namespace

void GreatCircleDestination(const PositionRecord& start, double distanceDeg, double& latitudeDeg,
                            double& longitudeDeg, double& courseDeg) {
  const double lat1 = DegreesToRadians(start.latitude);
  const double course = DegreesToRadians(start.course);
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
  const SpherePoint end = SphereDirect(lat1, course, DegreesToRadians(distanceDeg));
  latitudeDeg = RadiansToDegrees(end.latitude);
  longitudeDeg = start.longitude + RadiansToDegrees(end.longitudeChange);
  courseDeg = WrapDegrees360(RadiansToDegrees(end.course));
}

}  // namespace navora
