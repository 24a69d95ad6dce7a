#include "engine/position/GreatCircleDestination.h"

#include <cmath>

#include "engine/position/Ellipsoid.h"
#include "engine/position/SphereDirect.h"

namespace navora {

namespace {

// Below this arc the flat-earth step is exact to far better than a metre.
constexpr double kSmallArcDeg = 0.0001;

// Writes the point reached, or refuses one that is no position (a meridian
// run past a pole, a flat step at a pole).
EngineStatus Reach(double latitude, double longitude, double course, double& latitudeDeg,
                   double& longitudeDeg, double& courseDeg) {
  if (!IsLatitude(latitude) || !std::isfinite(longitude) || !std::isfinite(course)) {
    latitudeDeg = longitudeDeg = courseDeg = 0.0;
    return kStatusOutOfDomain;
  }
  latitudeDeg = latitude;
  longitudeDeg = longitude;
  courseDeg = course;
  return kStatusOk;
}

}  // namespace

EngineStatus GreatCircleDestination(const PositionRecord& start, double distanceDeg,
                                    double& latitudeDeg, double& longitudeDeg, double& courseDeg) {
  if (!IsPositionRecordInDomain(start) || !std::isfinite(distanceDeg)) {
    latitudeDeg = longitudeDeg = courseDeg = 0.0;
    return kStatusOutOfDomain;
  }
  const double lat1 = DegreesToRadians(start.latitude);
  const double course = DegreesToRadians(start.course);
  if (IsMeridianCourse(start.course)) {
    return Reach(start.latitude + distanceDeg * std::cos(course), start.longitude, start.course,
                 latitudeDeg, longitudeDeg, courseDeg);
  }
  if (std::fabs(distanceDeg) < kSmallArcDeg) {
    return Reach(start.latitude + distanceDeg * std::cos(course),
                 start.longitude + distanceDeg * std::sin(course) / std::cos(lat1), start.course,
                 latitudeDeg, longitudeDeg, courseDeg);
  }
  const SpherePoint end = SphereDirect(lat1, course, DegreesToRadians(distanceDeg));
  return Reach(RadiansToDegrees(end.latitude),
               start.longitude + RadiansToDegrees(end.longitudeChange),
               WrapDegrees360(RadiansToDegrees(end.course)), latitudeDeg, longitudeDeg, courseDeg);
}

}  // namespace navora
