#include "engine/position/SphereDirect.h"

#include <algorithm>
#include <cmath>

namespace navora {

SpherePoint SphereDirect(double lat1Rad, double courseRad, double arcRad) {
  const double sinLat1 = std::sin(lat1Rad);
  const double cosLat1 = std::cos(lat1Rad);
  const double sinCourse = std::sin(courseRad);
  const double cosCourse = std::cos(courseRad);
  const double sinArc = std::sin(arcRad);
  const double cosArc = std::cos(arcRad);
  const double sinLat2 = std::clamp(sinArc * cosLat1 * cosCourse + cosArc * sinLat1, -1.0, 1.0);
  SpherePoint point;
  point.latitude = std::asin(sinLat2);
  point.longitudeChange = std::atan2(sinCourse * sinArc * cosLat1, cosArc - sinLat1 * sinLat2);
  point.course = std::atan2(sinCourse * cosLat1, cosLat1 * cosArc * cosCourse - sinLat1 * sinArc);
  return point;
}

}  // namespace navora
