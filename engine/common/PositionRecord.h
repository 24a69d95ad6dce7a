#pragma once

#include <cstdint>

namespace navora {

// Knots to kilometres per day: 1.852 km per nautical mile times 24 hours.
inline constexpr double kKmPerDayPerKnot = 44.448;

// Every position, fix, DR position and waypoint of the engine; passed by value.
struct PositionRecord {
  uint16_t motionMode = 0;     // 0 no motion, 1 rhumb line with set/drift, 2 great circle
  uint16_t sailingMethod = 0;  // 1 mid-latitude sailing was used, 0 otherwise
  double time = 0.0;           // Julian date, UTC
  double course = 0.0;         // degrees true
  double speedKmPerDay = 0.0;
  double speed = 0.0;          // knots
  double set = 0.0;            // degrees true, toward which the current sets
  double driftKmPerDay = 0.0;
  double drift = 0.0;          // knots
  double latitude = 0.0;       // degrees, north positive
  double longitude = 0.0;      // degrees, east positive, -180..180
  uint16_t positionType = 0;   // 0 celestial fix, 1 external fix, 2 DR, 3 user-defined
};

}  // namespace navora
