#pragma once

#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Rhumb.hpp>
#include <cmath>

#include "engine/common/PositionRecord.h"
#include "engine/position/DeadReckoning.h"

namespace navora::testing {

// The dead reckoning's own ellipsoid (a in metres, its rounded flattening), so
// that the independent solutions answer for the same Earth.
inline const GeographicLib::Rhumb kRhumb(6378137.0, 0.00335281, true);
inline const GeographicLib::Geodesic kGeodesic(6378137.0, 0.00335281);
inline constexpr double kMetresPerMile = 1852.0;

inline double SeparationNm(double lat1, double lon1, double lat2, double lon2) {
  double metres = 0.0;
  kGeodesic.Inverse(lat1, lon1, lat2, lon2, metres);
  return metres / kMetresPerMile;
}

// Smallest difference of two directions, degrees.
inline double AngleGap(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

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
  return record;
}

// `from` advanced by `days`; the rates of latitude and longitude there, degrees
// per day, when asked for.
inline PositionRecord Advance(const PositionRecord& from, double days, double* latRate = nullptr,
                              double* lonRate = nullptr) {
  PositionRecord to;
  double rates[2] = {0.0, 0.0};
  EXPECT_EQ(AdvanceDeadReckoning(from.time + days, from, to, rates[0], rates[1]), kStatusOk);
  if (latRate != nullptr) *latRate = rates[0];
  if (lonRate != nullptr) *lonRate = rates[1];
  return to;
}

}  // namespace navora::testing
