#pragma once

#include <cstdint>

#include "app/bridge/ReferencePositionBridge.h"
#include "app/tasks/TaskContext.h"
#include "engine/common/BodyId.h"
#include "engine/common/PositionRecord.h"
#include "engine/log/EventLog.h"

namespace navora {

// The rise/set commands from accepted dialog entries to appended table lines.
// Dates are 0 h UTC of the chosen day (Julian date), zones hours east,
// heights of eye metres, UT1-UTC seconds.

// A table for a fixed site, one row per day.
struct RiseSetFixedRequest {
  double dateJd = 0.0;
  float timeZoneHours = 0.0f;
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
  double heightOfEyeM = 0.0;
  BodyId body = kSun;
  int32_t days = 1;  // as entered; the Moon's table gets one more
  double ut1MinusUtc = 0.0;
};

// A table for the ship underway from `reference`, the day's events one per
// line with the dead-reckoning position at each.
struct RiseSetUnderwayRequest {
  double dateJd = 0.0;
  float timeZoneHours = 0.0f;
  double heightOfEyeM = 0.0;
  BodyId body = kSun;
  PositionRecord reference;  // its motion mode is taken as rhumb line
  int32_t days = 1;
  double ut1MinusUtc = 0.0;
};

// The two commands: date and position checks, the heading, then the days,
// checked again one by one, with an interrupt check before each. A day
// underway with nothing after the reference time is passed over without
// counting. A refusal or an engine failure (the user has been told) or an
// interrupt ends the command; what was appended stays. The high-latitude
// note is shown at most once per command and armed again at its end.
TaskOutcome RunRiseSetFixed(TaskContext& context, ReferenceState& state,
                            const RiseSetFixedRequest& request);
TaskOutcome RunRiseSetUnderway(TaskContext& context, ReferenceState& state,
                               const RiseSetUnderwayRequest& request);

}  // namespace navora
