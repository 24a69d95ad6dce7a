#pragma once

#include <cstdint>

#include "app/bridge/ReferencePositionBridge.h"
#include "app/tasks/TaskContext.h"
#include "engine/common/BodyId.h"
#include "engine/common/PositionRecord.h"
#include "engine/log/EventLog.h"

namespace navora {

// The gyro/compass error commands from accepted dialog entries to appended
// report lines. Times are UTC Julian dates, UT1-UTC seconds, angles degrees,
// heights of eye metres. The observer is `reference` advanced by dead
// reckoning to the instant.

struct CompassPlanningRequest {
  double timeUtc = 0.0;
  PositionRecord reference;  // its course is the ship's head of the relative bearings
  double heightOfEyeM = 0.0;
  double ut1MinusUtc = 0.0;
};

struct CompassErrorRequest {
  double timeUtc = 0.0;
  PositionRecord reference;
  double heightOfEyeM = 0.0;
  double ut1MinusUtc = 0.0;
  BodyId body = kSun;       // or kCompassStarBody with starNumber
  int16_t starNumber = 0;   // 1..58
  double observed = 0.0;    // azimuth, or the relative bearing with `relative`
  double heading = 0.0;
  bool relative = false;
};

// The latest recorded sight's height of eye, and for the planning its
// UT1-UTC (the determination's is entered).
void ApplyLatestSightConditions(EventLog& events, CompassPlanningRequest& request);
void ApplyLatestSightConditions(EventLog& events, CompassErrorRequest& request);

// The two commands: the instant checked against the reference (told by the
// check), the position advanced, the report appended. A refusal or an engine
// failure (the user has been told) stops the command. `error` (when given)
// receives the determined error, + East.
TaskOutcome RunCompassPlanning(TaskContext& context, ReferenceState& state,
                               const CompassPlanningRequest& request);
TaskOutcome RunCompassError(TaskContext& context, ReferenceState& state,
                            const CompassErrorRequest& request, double* error = nullptr);

// The voyage check of a compass instant: the ephemeris must cover it and the
// reference must be advanced to it without entering the polar region,
// crossing 100 degrees of longitude, or going more than 10 days or back a
// day or more. 0 when accepted, else the refusal (told).
int CheckCompassInstant(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                        const PositionRecord& reference, double timeUtc);

}  // namespace navora
