#include "app/tasks/NewInitialFixDialogModel.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "app/tasks/AlmanacDialogModel.h"
#include "app/tasks/FieldChecks.h"
#include "app/tasks/NumericFieldRules.h"
#include "engine/common/Angles.h"
#include "engine/horizon/AngleFormatting.h"
#include "engine/log/NewInitialFix.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr double kMaxCourse = 359.9;  // degrees true
constexpr double kMaxSpeed = 99.9;    // knots


using FixChecks = FieldChecks<FixField>;

}  // namespace

PositionRecord LatestPositionOrDefault(EventLog& events) {
  PositionRecord latest;
  if (ReadReferencePosition(events, kLatestPosition, latest) != kStatusOk) {
    return DefaultPositionRecord();
  }
  return latest;
}

NewInitialFixFields InitialNewInitialFixFields(const PositionRecord& start) {
  NewInitialFixFields fields;
  ShowDialogDateTime(start.time, fields);

  ShowDialogPosition(start.latitude, start.longitude, fields);
  fields.course = TenthsText(start.course);
  fields.speed = TenthsText(start.speed);
  return fields;
}

void SetCurrentFixDate(NewInitialFixFields& fields, double nowJd) {
  AlmanacDialogFields date;
  SetCurrentAlmanacDate(date, nowJd);
  fields.day = date.day;
  fields.monthIndex = date.monthIndex;
  fields.yearIndex = date.yearIndex;
  fields.hour.clear();
  fields.minute.clear();
  fields.second.clear();
}

bool AcceptNewInitialFixDialog(Notice& notice, const NewInitialFixFields& fields,
                               PositionRecord& fix, FixField& returnTo) {
  FixChecks check(notice, returnTo);
  if (!check.Date(fields, FixField::kDay, FixField::kMonth, FixField::kYear)) return false;
  int16_t hour = 0, minute = 0, second = 0;
  double latitude = 0.0, longitude = 0.0, course = 0.0, speed = 0.0;
  if (!check.TimeField(fields.hour, kLastHour, FixField::kHour, hour) ||
      !check.TimeField(fields.minute, kLastMinute, FixField::kMinute, minute) ||
      !check.TimeField(fields.second, kLastSecond, FixField::kSecond, second) ||
      !check.Position(fields, FixField::kLatitudeDegrees, FixField::kLatitudeMinutes,
                      FixField::kLongitudeDegrees, FixField::kLongitudeMinutes, latitude,
                      longitude) ||
      !check.Number(fields.course, kMaxCourse, FixField::kCourse, course) ||
      !check.Number(fields.speed, kMaxSpeed, FixField::kSpeed, speed)) {
    return false;
  }
  const double seconds = second == kEmptyDialogField ? kEmptyDialogSeconds : second;
  const double time = DialogFieldsToJulian(static_cast<int16_t>(fields.yearIndex),
                                           static_cast<int16_t>(fields.monthIndex),
                                           static_cast<int16_t>(fields.day), hour, minute, seconds);
  fix = MakeInitialFixRecord(time, latitude, longitude, course, speed);
  return true;
}

}  // namespace navora
