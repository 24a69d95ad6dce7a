#pragma once

#include <cstdint>

namespace navora {

// Sailing of CourseAndDistance; the values are those of the motion modes.
inline constexpr int16_t kRouteNone = 0;
inline constexpr int16_t kRouteRhumbLine = 1;
inline constexpr int16_t kRouteGreatCircle = 2;

// Initial course (degrees true, 0..360) and distance (km) on the ellipsoid
// from one position to another, by rhumb line or great circle. Any other
// route gives 0 and 0.
void CourseAndDistance(int16_t route, double latitude1Deg, double longitude1Deg,
                       double latitude2Deg, double longitude2Deg, double& courseDeg,
                       double& distanceKm);

}  // namespace navora
