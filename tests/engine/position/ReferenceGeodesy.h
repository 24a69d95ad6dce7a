#pragma once

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Rhumb.hpp>

#include <cmath>

#include "engine/common/PositionRecord.h"

namespace navora::testing {

// The dead reckoning's ellipsoid (a in metres and its rounded flattening),
// so that the independent solutions answer for the same Earth.
inline constexpr double kEquatorialRadiusM = 6378137.0;
inline constexpr double kFlatteningUsed = 0.00335281;
inline constexpr double kMetresPerNauticalMile = 1852.0;
inline constexpr double kMetresPerKm = 1000.0;

inline const GeographicLib::Rhumb& ReferenceRhumb() {
  static const GeographicLib::Rhumb rhumb(kEquatorialRadiusM, kFlatteningUsed, true);
  return rhumb;
}

inline const GeographicLib::Geodesic& ReferenceGeodesic() {
  static const GeographicLib::Geodesic geodesic(kEquatorialRadiusM, kFlatteningUsed);
  return geodesic;
}

// Geodesic distance between two positions, nautical miles.
inline double SeparationNm(double lat1, double lon1, double lat2, double lon2) {
  double metres = 0.0;
  ReferenceGeodesic().Inverse(lat1, lon1, lat2, lon2, metres);
  return metres / kMetresPerNauticalMile;
}

// Smallest difference of two directions in degrees.
inline double DirectionDifference(double a, double b) {
  double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180.0 ? 360.0 - d : d;
}

// A moving record without current; speed in knots.
inline PositionRecord MovingRecord(uint16_t motionMode, double time, double latitude,
                                   double longitude, double course, double speedKnots) {
  PositionRecord record;
  record.motionMode = motionMode;
  record.time = time;
  record.latitude = latitude;
  record.longitude = longitude;
  record.course = course;
  record.speed = speedKnots;
  record.speedKmPerDay = speedKnots * kKmPerDayPerKnot;
  record.positionType = 0;
  return record;
}

}  // namespace navora::testing
