#include "app/tasks/WaypointTask.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "app/bridge/LogEntryBridge.h"
#include "app/tasks/AlmanacDialogModel.h"
#include "app/tasks/FieldChecks.h"
#include "app/tasks/NumericFieldRules.h"
#include "engine/common/Angles.h"
#include "engine/position/DrChecks.h"
#include "engine/position/Waypoint.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr char kDepartureBeforeReference[] =
    "Departure time is earlier than \nthe reference time( the time of\nthe last log entry ).";
constexpr char kArrivalNotAfterDeparture[] =
    "Arrival time at waypoint is earlier \nthan or equal to the departure time.\n";
constexpr char kNoGreatCircle[] =
    "The waypoint is at the departure position\nor at its antipode, where no great\n"
    "circle course is defined. Please enter\nanother waypoint.";
constexpr char kBigProblem[] =
    "BIG problem in Waypoint. Please\ncontact software vendor and\nreport problem";

WaypointTimeFields TimeFieldsOf(double jd) {
  WaypointTimeFields fields;
  ShowDialogDateTime(jd, fields);
  return fields;
}

// The fields of one date and time group, in the order of WaypointField.
struct TimeGroup {
  WaypointField day, month, year, hour, minute, second;
};
constexpr TimeGroup kArrivalGroup = {WaypointField::kArrivalDay,    WaypointField::kArrivalMonth,
                                     WaypointField::kArrivalYear,   WaypointField::kArrivalHour,
                                     WaypointField::kArrivalMinute, WaypointField::kArrivalSecond};
constexpr TimeGroup kDepartureGroup = {
    WaypointField::kDepartureDay,    WaypointField::kDepartureMonth,
    WaypointField::kDepartureYear,   WaypointField::kDepartureHour,
    WaypointField::kDepartureMinute, WaypointField::kDepartureSecond};

// Each check shows its message and names its field on failure.
class WaypointChecks : public FieldChecks<WaypointField> {
 public:
  using FieldChecks::FieldChecks;

  // A date and time group to a Julian date; the date is checked exactly as
  // the almanac dialogs check theirs, an empty time edit as in
  // DialogFieldsToJulian.
  bool DateTime(const WaypointTimeFields& fields, const TimeGroup& group, double& jd) {
    if (!Date(fields, group.day, group.month, group.year)) return false;
    int16_t hour = 0, minute = 0, second = 0;
    if (!TimeField(fields.hour, kLastHour, group.hour, hour) ||
        !TimeField(fields.minute, kLastMinute, group.minute, minute) ||
        !TimeField(fields.second, kLastSecond, group.second, second)) {
      return false;
    }
    const double seconds = second == kEmptyDialogField ? kEmptyDialogSeconds : second;
    jd = DialogFieldsToJulian(static_cast<int16_t>(fields.yearIndex),
                              static_cast<int16_t>(fields.monthIndex),
                              static_cast<int16_t>(fields.day), hour, minute, seconds);
    return true;
  }
};

}  // namespace

WaypointFields InitialWaypointFields(const PositionRecord& reference) {
  WaypointFields fields;
  fields.arrival = TimeFieldsOf(reference.time);
  fields.departure = fields.arrival;
  return fields;
}

void SetCurrentDepartureDate(WaypointFields& fields, double nowJd) {
  AlmanacDialogFields date;
  SetCurrentAlmanacDate(date, nowJd);
  fields.departure.day = date.day;
  fields.departure.monthIndex = date.monthIndex;
  fields.departure.yearIndex = date.yearIndex;
  fields.departure.hour.clear();
  fields.departure.minute.clear();
  fields.departure.second.clear();
}

bool CheckWaypointRequest(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                          const PositionRecord& reference, const WaypointRequest& request,
                          WaypointField& returnTo) {
  returnTo = WaypointField::kArrivalDay;
  if (TaskCheckUnderway(notice, ephemeris, state, reference, request.departureJd,
                        kDrCheckRequireLaterTime, nullptr) != kStatusOk) {
    return false;
  }
  const bool departsEarly = reference.time > request.departureJd;
  const bool arrivesEarly = request.departureJd >= request.arrivalJd;
  if (departsEarly) notice.Show(kDepartureBeforeReference, kNoticeOk);
  if (arrivesEarly) notice.Show(kArrivalNotAfterDeparture, kNoticeOk);
  if (departsEarly && !arrivesEarly) returnTo = WaypointField::kDepartureDay;
  if (departsEarly || arrivesEarly) return false;

  WaypointResult result;
  if (ComputeWaypoint(reference, request.departureJd, request.latitudeDeg, request.longitudeDeg,
                      request.arrivalJd, result) == kWaypointNoGreatCircle) {
    notice.Show(kNoGreatCircle, kNoticeOk);
    returnTo = WaypointField::kLatitudeDegrees;
    return false;
  }
  return true;
}

bool AcceptWaypointDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                          const PositionRecord& reference, const WaypointFields& fields,
                          WaypointRequest& request, WaypointField& returnTo) {
  WaypointChecks check(notice, returnTo);
  WaypointRequest entered;
  if (!check.DateTime(fields.arrival, kArrivalGroup, entered.arrivalJd) ||
      !check.Position(fields, WaypointField::kLatitudeDegrees, WaypointField::kLatitudeMinutes,
                      WaypointField::kLongitudeDegrees, WaypointField::kLongitudeMinutes,
                      entered.latitudeDeg, entered.longitudeDeg) ||
      !check.DateTime(fields.departure, kDepartureGroup, entered.departureJd)) {
    return false;
  }
  if (!CheckWaypointRequest(notice, ephemeris, state, reference, entered, returnTo)) return false;
  request = entered;
  return true;
}

TaskOutcome RunWaypoint(TaskContext& context, EventLog& events, const WaypointRequest& request) {
  PositionRecord reference;
  if (TaskReadReferencePosition(context.notice, events, kLatestPosition, reference) != kStatusOk) {
    return TaskOutcome::kStopped;
  }
  WaypointResult result;
  const EngineStatus status = ComputeWaypoint(reference, request.departureJd, request.latitudeDeg,
                                              request.longitudeDeg, request.arrivalJd, result);
  ReportLine lines[kWaypointReportMaxLines];
  int count = 0;
  if (status == kWaypointNoGreatCircle) {
    context.notice.Show(kNoGreatCircle, kNoticeOk);
    return TaskOutcome::kStopped;
  }
  if (status != kStatusOk || FormatWaypointReport(result, reference, lines, count) != kStatusOk) {
    context.notice.Show(kBigProblem, kNoticeOk);
    return TaskOutcome::kStopped;
  }
  for (int i = 0; i < count; ++i) context.sink.AppendLine(lines[i]);
  return TaskOutcome::kCompleted;
}

}  // namespace navora
