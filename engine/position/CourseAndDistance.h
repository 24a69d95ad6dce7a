#pragma once

#include <cstdint>

#include "engine/common/EngineStatus.h"

namespace navora {

// The inverse problem of the sailings: initial course and distance from one
// position to another.
//
// Model: WGS-84 semi-major axis with flattening 0.00335281. Rhumb line by
// meridional parts (isometric latitude) and the meridian arc to the 4th power
// of e, or mid-latitude sailing for tracks of little northing; great circle
// on the sphere (haversine), its arc turned into km with the ellipsoid's
// radius of curvature at the middle of the track in the track's direction.
// Units: latitudes and longitudes in degrees, course in degrees true [0, 360),
// distance in km. Domain: latitudes in -90..90, longitudes any finite value
// (the difference is reduced into (-180, 180]).
// Accuracy against an independent geodesy library on the same ellipsoid:
//   rhumb line, up to 600 NM between 70 S and 70 N: distance within
//   0.0063 NM, course within 0.00005 degree;
//   great circle, up to 4800 NM between 60 S and 60 N: distance within
//   0.15 per cent, initial course within 0.18 degree (the sphere's course).
//
// Statuses: kStatusOutOfDomain (course and distance 0) for a latitude
// outside -90..90 or a non-finite coordinate.

// Sailing of CourseAndDistance; the values are those of the motion modes.
inline constexpr int16_t kRouteNone = 0;
inline constexpr int16_t kRouteRhumbLine = 1;
inline constexpr int16_t kRouteGreatCircle = 2;

// Initial course and distance by rhumb line or great circle; any other route
// gives 0 and 0 with status 0.
[[nodiscard]] EngineStatus CourseAndDistance(int16_t route, double latitude1Deg,
                                             double longitude1Deg, double latitude2Deg,
                                             double longitude2Deg, double& courseDeg,
                                             double& distanceKm);

}  // namespace navora
