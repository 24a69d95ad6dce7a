#pragma once

#include <cstdint>

namespace navora {

// The position record of the engine: fixes, DR positions and waypoints.
// Units: Julian date UTC, degrees (north and east positive), knots and km
// per day. The record stores what it is given; IsPositionRecordInDomain
// states what the position operations take, and they refuse the rest.

// Knots to kilometres per day: 1.852 km per nautical mile times 24 hours.
inline constexpr double kKmPerDayPerKnot = 44.448;

// Julian date of 2000 January 1, 0 h UTC: the time of the default records.
inline constexpr double kDefaultRecordTime = 2451544.5;

// Every position, fix, DR position and waypoint of the engine; passed by value.
struct PositionRecord {
  uint16_t motionMode = 0;     // 0 no motion, 1 rhumb line with set/drift, 2 great circle
  uint16_t sailingMethod = 0;  // 1 mid-latitude sailing was used, 0 otherwise
  double time = kDefaultRecordTime;  // Julian date, UTC
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

inline constexpr uint16_t kMotionNone = 0;
inline constexpr uint16_t kMotionRhumbLine = 1;
inline constexpr uint16_t kMotionGreatCircle = 2;

inline constexpr uint16_t kPositionCelestialFix = 0;
inline constexpr uint16_t kPositionExternalFix = 1;
inline constexpr uint16_t kPositionDr = 2;
inline constexpr uint16_t kPositionUserDefined = 3;

// Whether the operations can take the record: every number finite and the
// latitude within -90..90 degrees. Longitudes, courses and sets may be any
// finite angle (they are reduced where used).
bool IsPositionRecordInDomain(const PositionRecord& record);

// A record with sailingMethod 0 and both km-per-day fields derived from knots;
// the values are stored as given (IsPositionRecordInDomain checks them).
PositionRecord MakePositionRecord(uint16_t motionMode, uint16_t positionType, double time,
                                  double latitude, double longitude, double course,
                                  double speed, double set, double drift);

// All zero except the time, 2000 January 1, 0 h.
PositionRecord DefaultPositionRecord();

// "Celestial Fix", "External Fix", "DR Position", any other type "User-defined".
const char* PositionTypeName(uint16_t positionType);

}  // namespace navora
