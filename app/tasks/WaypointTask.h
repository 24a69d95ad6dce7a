#pragma once

#include <string>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "app/tasks/TaskContext.h"
#include "engine/common/PositionRecord.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/log/EventLog.h"

namespace navora {

// The Waypoint dialog without its window, and the course from its accepted
// entries to the report lines. Times UTC, angles in degrees and minutes of
// arc. The command only reports: nothing is logged.

// The field a refused entry sends the navigator back to.
enum class WaypointField {
  kArrivalDay,
  kArrivalMonth,
  kArrivalYear,
  kArrivalHour,
  kArrivalMinute,
  kArrivalSecond,
  kLatitudeDegrees,
  kLatitudeMinutes,
  kLongitudeDegrees,
  kLongitudeMinutes,
  kDepartureDay,
  kDepartureMonth,
  kDepartureYear,
  kDepartureHour,
  kDepartureMinute,
  kDepartureSecond,
};

// A date and time group: the day from its spin, list selections as in the
// almanac dialogs (index 0 is January / 1970, -1 none), the edits as typed.
struct WaypointTimeFields {
  int day = 1;
  int monthIndex = -1;
  int yearIndex = -1;
  std::string hour, minute, second;
};

struct WaypointFields {
  WaypointTimeFields arrival;
  std::string latitudeDegrees, latitudeMinutes;
  bool south = false;
  std::string longitudeDegrees, longitudeMinutes;
  bool west = false;
  WaypointTimeFields departure;
};

// What an accepted dialog hands to the course.
struct WaypointRequest {
  double departureJd = 0.0;   // UTC
  double arrivalJd = 0.0;     // UTC
  double latitudeDeg = 0.0;   // north positive
  double longitudeDeg = 0.0;  // east positive
};

// The fields the dialog opens with: both times those of the reference to
// the second, the position empty.
WaypointFields InitialWaypointFields(const PositionRecord& reference);

// "Current Date" of the departure group: the date of the UTC Julian date
// `nowJd`, its time edits emptied.
void SetCurrentDepartureDate(WaypointFields& fields, double nowJd);

// The checks that need the reference position, in order: the departure as a
// position update (TaskCheckUnderway, its message shown by the bridge), the
// departure not before the reference, the arrival after the departure, and
// a waypoint that a great circle leads to. False, after the message, with
// the field to return to.
bool CheckWaypointRequest(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                          const PositionRecord& reference, const WaypointRequest& request,
                          WaypointField& returnTo);

// OK: the entries in the dialog's order (arrival, position, departure), then
// CheckWaypointRequest. True with the request, else false with the field to
// return to, the first failure's message shown.
bool AcceptWaypointDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                          const PositionRecord& reference, const WaypointFields& fields,
                          WaypointRequest& request, WaypointField& returnTo);

// The course after an accepted dialog: reads the latest position of the
// voyage log, computes the waypoint and appends the report to the sink.
// kStopped, the user told, when the log cannot be read or the computation
// refuses.
TaskOutcome RunWaypoint(TaskContext& context, EventLog& events, const WaypointRequest& request);

}  // namespace navora
