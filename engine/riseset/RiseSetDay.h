#pragma once

#include <array>
#include <cstdint>
#include <limits>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/common/Vector3.h"
#include "engine/places/PlaceContext.h"
#include "engine/position/ReportLine.h"

namespace navora {

// Rising, setting, meridian transit and twilight of the Sun or the Moon for
// one day, at a fixed site or for a ship underway (the reference position
// advanced by dead reckoning to every trial instant). Times are Julian
// dates: UTC where the caller hands them in or receives them, UT1 inside
// (UTC + UT1-UTC); angles in degrees.

// The seven events of a day, in the order of the underway table.
inline constexpr int kNauticalTwilightBegin = 0;
inline constexpr int kCivilTwilightBegin = 1;
inline constexpr int kRiseEvent = 2;
inline constexpr int kTransitEvent = 3;
inline constexpr int kSetEvent = 4;
inline constexpr int kCivilTwilightEnd = 5;
inline constexpr int kNauticalTwilightEnd = 6;
inline constexpr int kRiseSetEventCount = 7;

// What became of an event (rise/set, transit or twilight).
using EventStatus = int16_t;
inline constexpr EventStatus kEventOccurs = 0;
inline constexpr EventStatus kEventBelow = -1;  // continuously below; no twilight
inline constexpr EventStatus kEventAbove = 1;   // continuously above; twilight all night
inline constexpr EventStatus kTransitInCivilDark = -2;     // Sun: transit at -12 < a <= -6
inline constexpr EventStatus kTransitInNauticalDark = -3;  // Sun: transit below -12
inline constexpr EventStatus kEventUndeterminate = 999;

struct RiseSetEvent {
  double time = 0.0;  // UT1 Julian date; minus the transit time when none was computed
  EventStatus status = kEventOccurs;
  double value = 0.0;        // rise/set: true azimuth [0, 360); transit: apparent altitude
  uint16_t bearsSouth = 0;   // transit: 1 when the body bears south
  double latitude = 0.0;     // the observer at the event
  double longitude = 0.0;
};

// The events of one day; for the Moon the illuminated percentage at rise,
// transit and set (0 where the event has no time).
struct RiseSetDay {
  std::array<RiseSetEvent, kRiseSetEventCount> events{};
  std::array<double, 3> moonIlluminationPercent{};  // rise, transit, set
};

// What a table carries from one day to the next so that consecutive days
// agree (the undeterminate marks).
struct RiseSetCarryState {
  bool newTable = true;  // set by FormatRiseSetHeader, cleared after each day
  double previousStart = 0.0;
  BodyId previousBody = 0;
  EventStatus previousSetStatus = kEventUndeterminate;
  EventStatus previousCivilEndStatus = kEventUndeterminate;
  EventStatus previousNauticalEndStatus = kEventUndeterminate;
};

// The Earth's ephemeris state of the last instant the events' places were
// computed for, reused within 1e-5 day.
struct RiseSetEarthCache {
  double jdTt = std::numeric_limits<double>::quiet_NaN();
  Vector3 position{};  // barycentric, AU
  Vector3 velocity{};  // AU/day
};

// Everything one table keeps between its days. Each table owns its own, so
// two tables (or a test and the application) never disturb each other.
struct RiseSetTableState {
  RiseSetCarryState carry;
  RiseSetEarthCache earth;
};

// Statuses of ComputeRiseSetDay.
inline constexpr EngineStatus kRiseSetTransitNotConverged = 1;
inline constexpr EngineStatus kRiseSetTransitTooFar = 2;
inline constexpr EngineStatus kRiseSetNoDeltaT = 3;
inline constexpr EngineStatus kRiseSetBadBody = 4;
inline constexpr EngineStatus kRiseSetBadMotionMode = 5;
inline constexpr EngineStatus kRiseSetBadUt1MinusUtc = 6;
inline constexpr EngineStatus kRiseSetNoIllumination = 8;
inline constexpr EngineStatus kRiseSetTableStatusOffset = 10;  // + the table writer's status
inline constexpr EngineStatus kRiseSetNoEventAfterReference = 11;

// One day of a table: the day's events from startUtc (the table's date at 0h
// UTC, then the previous day's transitUtc + 1.0), and its table lines
// (RiseSetTables.h) written to `lines` with their count. transitUtc and the
// hour-angle rate (revolutions per day) of the transit are returned for the
// next day and for the twilight planning time.
[[nodiscard]] EngineStatus ComputeRiseSetDay(PlaceContext& places, RiseSetTableState& table,
                                             double startUtc, double ut1MinusUtc,
                                             float timeZoneHours, BodyId body,
                                             double heightOfEyeM, PositionRecord reference,
                                             double& transitUtc, uint16_t& lineCount,
                                             ReportLine* lines, double& transitHourAngleRate);

}  // namespace navora
