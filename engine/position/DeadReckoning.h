#pragma once

#include "engine/common/PositionRecord.h"

namespace navora {

// Sailing methods that the advance records in sailingMethod.
inline constexpr uint16_t kSailingMercator = 0;
inline constexpr uint16_t kSailingMidLatitude = 1;

// Advances `from` on the ellipsoid to targetJd (Julian date) and writes the
// dead-reckoning position to `to`. A rhumb-line record comes out carrying the
// course and speed made good over the ground; set and drift are carried over.
// The rates are those of latitude and longitude at the new position, degrees
// per day (0 without motion). Motion modes other than rhumb line and great
// circle do not move the position.
void AdvanceDeadReckoning(double targetJd, const PositionRecord& from, PositionRecord& to,
                          double& latitudeRateDegPerDay, double& longitudeRateDegPerDay);

}  // namespace navora
