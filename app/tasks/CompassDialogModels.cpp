#include "app/tasks/CompassDialogModels.h"

#include <cstdio>

#include "app/tasks/FieldChecks.h"
#include "app/tasks/NumericFieldRules.h"
#include "app/tasks/ObservationRecorderModel.h"
#include "app/tasks/RiseSetDialogModels.h"
#include "engine/compass/CompassError.h"
#include "engine/sightreduction/ObservationForm.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

static_assert(kCompassBodyCount == kSolarSystemBodyCount + kPolarisNumber);

class CompassChecks : public FieldChecks<CompassField> {
 public:
  using FieldChecks::FieldChecks;

  // A number -limit..limit.
  bool Signed(const std::string& text, double limit, CompassField field, double& value) {
    if (ParseNumberField(text, value) != FieldText::kValue) {
      return Refuse(kNumberExpectedText, field);
    }
    return value >= -limit && value <= limit ? true
                                             : Refuse(NumberRangeText(-limit, limit), field);
  }
};

// The date and the time edits (seconds when `second` is given) as a Julian
// date.
template <typename Fields>
bool CheckInstant(CompassChecks& check, const Fields& fields, const std::string* second,
                  double& jd) {
  int16_t hour = 0, minute = 0, seconds = kEmptyDialogField;
  if (!check.Date(fields, CompassField::kDay, CompassField::kMonth, CompassField::kYear) ||
      !check.TimeField(fields.hour, kLastHour, CompassField::kHour, hour) ||
      !check.TimeField(fields.minute, kLastMinute, CompassField::kMinute, minute) ||
      (second != nullptr &&
       !check.TimeField(*second, kLastSecond, CompassField::kSecond, seconds))) {
    return false;
  }
  jd = DialogFieldsToJulian(static_cast<int16_t>(fields.yearIndex),
                            static_cast<int16_t>(fields.monthIndex),
                            static_cast<int16_t>(fields.day), hour, minute,
                            seconds == kEmptyDialogField ? kEmptyDialogSeconds : seconds);
  return true;
}

// The date and time shown to the second; the planning dialog keeps the
// hour and minute.
struct ShownDateTime {
  int day = 1, monthIndex = kNoSelection, yearIndex = kNoSelection;
  std::string hour, minute, second;
};

template <typename Fields>
void ShowDateAndMinute(double jd, Fields& fields) {
  ShownDateTime shown;
  ShowDialogDateTime(jd, shown);
  fields.day = shown.day;
  fields.monthIndex = shown.monthIndex;
  fields.yearIndex = shown.yearIndex;
  fields.hour = shown.hour;
  fields.minute = shown.minute;
}

std::string SignedTenths(double value) {
  char text[16];
  std::snprintf(text, sizeof text, "%+.1f", value);
  return text;
}

}  // namespace

const char* CompassBodyName(int bodyIndex) {
  return bodyIndex >= 0 && bodyIndex < kCompassBodyCount ? ObservedBodyName(bodyIndex) : nullptr;
}

bool CompassBodyOfIndex(int bodyIndex, BodyId& body, int16_t& starNumber) {
  if (bodyIndex < 0 || bodyIndex >= kCompassBodyCount) return false;
  ObservationForm form;
  form.body = bodyIndex;
  ObservationRecord sight;
  if (FormToObservation(form, sight) != kStatusOk) return false;
  body = static_cast<BodyId>(sight.bodyCode);
  starNumber = static_cast<int16_t>(sight.starNumber);
  return true;
}

CompassPlanningFields InitialCompassPlanningFields(const PositionRecord& reference) {
  CompassPlanningFields fields;
  ShowDateAndMinute(reference.time, fields);
  fields.reference = reference;
  return fields;
}

CompassErrorFields InitialCompassErrorFields(double timeUtc, double ut1MinusUtc) {
  CompassErrorFields fields;
  ShowDialogDateTime(timeUtc, fields);
  fields.ut1MinusUtc = SignedTenths(ut1MinusUtc);
  return fields;
}

void SetCurrentCompassDate(CompassPlanningFields& fields, double nowJd) {
  ShowDateAndMinute(nowJd, fields);
}

void SetCurrentCompassDate(CompassErrorFields& fields, double nowJd) {
  ShowDialogDateTime(nowJd, fields);
}

bool EditCompassReference(Notice& notice, const FixDialog& enterFix, PositionRecord& reference) {
  if (notice.Show(kEditReferenceQuestion, kNoticeYesNoQuestion) != NoticeAnswer::kYes) return false;
  PositionRecord entered;
  if (!enterFix(kCompassReferenceCaption, reference, entered)) return false;
  reference =
      MakePositionRecord(kMotionRhumbLine, kPositionExternalFix, entered.time, entered.latitude,
                         entered.longitude, entered.course, entered.speed, 0.0, 0.0);
  return true;
}

bool AcceptCompassPlanningDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                                 const CompassPlanningFields& fields,
                                 CompassPlanningRequest& request, CompassField& returnTo) {
  CompassChecks check(notice, returnTo);
  CompassPlanningRequest accepted;
  if (!CheckInstant(check, fields, nullptr, accepted.timeUtc)) return false;
  accepted.reference = fields.reference;
  if (CheckCompassInstant(notice, ephemeris, state, accepted.reference, accepted.timeUtc) != 0) {
    returnTo = CompassField::kDay;
    return false;
  }
  request = accepted;
  return true;
}

bool AcceptCompassErrorDialog(Notice& notice, const CompassErrorFields& fields,
                              const PositionRecord& reference, CompassErrorRequest& request,
                              CompassField& returnTo) {
  CompassChecks check(notice, returnTo);
  CompassErrorRequest accepted;
  if (!CheckInstant(check, fields, &fields.second, accepted.timeUtc)) return false;
  accepted.relative = fields.relative;
  if (fields.relative) {
    if (!check.Number(fields.bearing, kMaxCompassBearing, CompassField::kBearing,
                      accepted.observed) ||
        !check.Number(fields.heading, kMaxCompassBearing, CompassField::kHeading,
                      accepted.heading)) {
      return false;
    }
  } else if (!check.Number(fields.azimuth, kMaxCompassBearing, CompassField::kAzimuth,
                           accepted.observed)) {
    return false;
  }
  if (!CompassBodyOfIndex(fields.bodyIndex, accepted.body, accepted.starNumber)) {
    return check.Refuse(kSelectBodyText, CompassField::kBody);
  }
  if (!check.Signed(fields.ut1MinusUtc, kMaxAbsUt1MinusUtc, CompassField::kUt1MinusUtc,
                    accepted.ut1MinusUtc)) {
    return false;
  }
  accepted.reference = reference;
  request = accepted;
  return true;
}

}  // namespace navora
