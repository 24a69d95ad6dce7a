#include "app/tasks/PlanningDialogModel.h"

#include <cstdio>

#include "app/tasks/FieldChecks.h"
#include "engine/common/BodyId.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace

SightPlanningFields InitialSightPlanningFields(const PositionRecord& reference) {
  SightPlanningFields fields;
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  SplitJulianToMinute(reference.time, year, month, day, hour, minute);
  // The date of the rounded minute, which may carry into the next day.
  const int yearIndex = year - kFirstAlmanacYear;
  fields.yearIndex = yearIndex >= 0 && yearIndex < kAlmanacYearCount ? yearIndex : kNoSelection;
  fields.monthIndex = month - 1;
  fields.day = day;
  fields.hour = TwoDigits(hour);
  fields.minute = TwoDigits(minute);
  fields.reference = reference;
  return fields;
}

void SetCurrentPlanningDate(SightPlanningFields& fields, double nowJd) {
  SetCurrentRiseSetDate(fields, nowJd);
}

bool EditPlanningReference(Notice& notice, const FixDialog& enterFix, PositionRecord& reference) {
  if (notice.Show(kEditReferenceQuestion, kNoticeYesNoQuestion) != NoticeAnswer::kYes) return false;
  PositionRecord entered;
  if (!enterFix(kPlanningReferenceCaption, reference, entered)) return false;
  reference =
      MakePositionRecord(kMotionRhumbLine, kPositionUserDefined, entered.time, entered.latitude,
                         entered.longitude, entered.course, entered.speed, 0.0, 0.0);
  return true;
}

bool AcceptSightPlanningDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                               const SightPlanningFields& fields, SightPlanningRequest& request,
                               PlanningField& returnTo) {
  FieldChecks<PlanningField> check(notice, returnTo);
  if (!check.Date(fields, PlanningField::kDay, PlanningField::kMonth, PlanningField::kYear)) {
    return false;
  }
  SightPlanningRequest accepted;
  accepted.twilight = fields.twilight;
  accepted.morning = fields.morning;
  const auto year = static_cast<int16_t>(fields.yearIndex);
  const auto month = static_cast<int16_t>(fields.monthIndex);
  const auto day = static_cast<int16_t>(fields.day);
  accepted.dateUtc =
      DialogFieldsToJulian(year, month, day, kEmptyDialogField, kEmptyDialogField, kEmptyDialogSeconds);
  double checkedTime = accepted.dateUtc;
  if (!fields.twilight) {
    int16_t hour = 0, minute = 0;
    if (!check.TimeField(fields.hour, kLastHour, PlanningField::kHour, hour) ||
        !check.TimeField(fields.minute, kLastMinute, PlanningField::kMinute, minute)) {
      return false;
    }
    accepted.timeUtc = DialogFieldsToJulian(year, month, day, hour, minute, kEmptyDialogSeconds);
    checkedTime = accepted.timeUtc;
  }
  // The ship moves from the reference whatever the reference was logged as.
  accepted.reference = fields.reference;
  accepted.reference.motionMode = kMotionRhumbLine;
  accepted.showPrecision = fields.showPrecision;
  accepted.grade = fields.grade;
  state.highLatitudeNoteDue = true;
  if (TaskCheckUnderway(notice, ephemeris, state, accepted.reference, checkedTime, kSun, nullptr) !=
      0) {
    returnTo = PlanningField::kDay;
    return false;
  }
  request = accepted;
  return true;
}

}  // namespace navora
