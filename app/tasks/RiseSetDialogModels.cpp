#include "app/tasks/RiseSetDialogModels.h"

#include <cmath>
#include <cstdio>

#include "app/tasks/FieldChecks.h"
#include "app/tasks/NumericFieldRules.h"
#include "engine/common/Angles.h"
#include "engine/horizon/AngleFormatting.h"
#include "engine/sightreduction/ObservationForm.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr char kTruncationQuestion[] =
    "The number of repetitions you requested \nextends beyond the valid date range of  \n"
    "NAVORA 2.1. \n\nClick 'OK' to continue with truncated   \noutput or 'Cancel' to modify your "
    "request.\n";

constexpr int16_t kTenths = 1;  // decimals of the minute, course and speed texts
constexpr double kMinutesPerHour = 60.0;
constexpr double kHoursPerDay = 24.0;
// A day left this close to whole counts as whole: the table would end on the
// last supported instant.
constexpr double kWholeDayTolerance = 5e-5;


std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

class RiseSetChecks : public FieldChecks<RiseSetField> {
 public:
  using FieldChecks::FieldChecks;

  // A whole number lo..hi.
  bool Count(const std::string& text, int lo, int hi, RiseSetField field, int& value) {
    if (ParseIntegerField(text, value) != FieldText::kValue) {
      return Refuse(kIntegerExpectedText, field);
    }
    return value >= lo && value <= hi ? true : Refuse(IntegerRangeText(lo, hi), field);
  }

  // Hours and minutes east of Greenwich, 14 hours at most either way.
  bool Zone(const std::string& hoursText, const std::string& minutesText, bool west,
            float& zoneHours) {
    int hours = 0, minutes = 0;
    if (!Count(hoursText, 0, kMaxRiseSetZoneHours, RiseSetField::kZoneHours, hours) ||
        !Count(minutesText, 0, kLastMinute, RiseSetField::kZoneMinutes, minutes)) {
      return false;
    }
    const double magnitude = hours + minutes / kMinutesPerHour;
    if (magnitude > kMaxRiseSetZoneHours)
      return Refuse(kZoneTooLargeText, RiseSetField::kZoneHours);
    zoneHours = static_cast<float>(west ? -magnitude : magnitude);
    return true;
  }

  // Feet, or metres when `inMetres`; metres out.
  bool Height(const std::string& text, bool inMetres, double& heightM) {
    int height = 0;
    if (!Count(text, 0, inMetres ? kMaxHeightOfEyeMetres : kMaxHeightOfEyeFeet,
               RiseSetField::kHeightOfEye, height)) {
      return false;
    }
    heightM = inMetres ? height : height * kMetresPerFoot;
    return true;
  }

  // The voyage checks of a table start: the ephemeris must cover it and the
  // position suit the body (and, underway, the reference's time). Each run
  // of the dialog may show the high-latitude note once.
  bool Voyage(EphemerisTable& ephemeris, ReferenceState& state, const PositionRecord& position,
              double dateJd, BodyId body) {
    state.highLatitudeNoteDue = true;
    if (TaskCheckUnderway(notice_, ephemeris, state, position, dateJd, body, nullptr) == 0) {
      return true;
    }
    returnTo_ = RiseSetField::kDay;
    return false;
  }
};

template <typename Fields>
bool CheckDate(RiseSetChecks& check, const Fields& fields, double& dateJd) {
  if (!check.Date(fields, RiseSetField::kDay, RiseSetField::kMonth, RiseSetField::kYear)) {
    return false;
  }
  dateJd = DialogFieldsToJulian(
      static_cast<int16_t>(fields.yearIndex), static_cast<int16_t>(fields.monthIndex),
      static_cast<int16_t>(fields.day), kEmptyDialogField, kEmptyDialogField, kEmptyDialogSeconds);
  return true;
}

// Degrees and minutes of a latitude (below 80) or longitude (180 at most).
bool CheckSite(RiseSetChecks& check, const RiseSetFixedFields& fields, double& latitude,
               double& longitude) {
  return check.Position(fields, RiseSetField::kLatitudeDegrees, RiseSetField::kLatitudeMinutes,
                        RiseSetField::kLongitudeDegrees, RiseSetField::kLongitudeMinutes,
                        latitude, longitude);
}

std::string LatLonText(double angleDeg, uint16_t flags) {
  char text[24];
  return FormatLatLon(angleDeg, flags | kTenths, text, sizeof text) == kStatusOk ? text : "";
}

}  // namespace

RiseSetFixedFields InitialRiseSetFixedFields(const PositionRecord& latest) {
  RiseSetFixedFields fields;
  SetCurrentRiseSetDate(fields, latest.time);
  fields.zoneHours = TwoDigits(0);
  fields.zoneMinutes = TwoDigits(0);
  ShowDialogPosition(latest.latitude, latest.longitude, fields);
  fields.heightOfEye = "000";
  fields.repetitions = TwoDigits(1);
  return fields;
}

RiseSetUnderwayFields InitialRiseSetUnderwayFields(const PositionRecord& reference) {
  RiseSetUnderwayFields fields;
  SetCurrentRiseSetDate(fields, reference.time);
  fields.zoneHours = TwoDigits(0);
  fields.zoneMinutes = TwoDigits(0);
  fields.heightOfEye = "000";
  fields.reference = reference;
  return fields;
}

RiseSetReferenceTexts DescribeRiseSetReference(const PositionRecord& reference) {
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  double seconds = 0.0;
  char weekday[4];
  // Whole seconds: a second that rounds to 60 is carried into the minute.
  SplitJulianToSeconds(reference.time, 0, year, month, day, hour, minute, seconds, weekday);
  RiseSetReferenceTexts texts;
  texts.type = PositionTypeName(reference.positionType);
  char text[48];
  const char* monthName = MonthAbbreviation(month - 1);
  std::snprintf(text, sizeof text, "%02d %3s %04d", day, monthName ? monthName : "???", year);
  texts.date = text;
  std::snprintf(text, sizeof text, "%02d:%02d:%02d UTC", hour, minute,
                static_cast<int>(std::lround(seconds)));
  texts.time = text;
  texts.latitude = LatLonText(reference.latitude, kLatitudeFlag);
  texts.longitude = LatLonText(reference.longitude, 0);
  texts.course = TenthsText(reference.course);
  texts.speed = TenthsText(reference.speed);
  return texts;
}

bool EditRiseSetReference(Notice& notice, const FixDialog& enterFix, PositionRecord& reference) {
  if (notice.Show(kEditReferenceQuestion, kNoticeYesNoQuestion) != NoticeAnswer::kYes) return false;
  PositionRecord entered;
  if (!enterFix(kRiseSetReferenceCaption, reference, entered)) return false;
  reference =
      MakePositionRecord(kMotionRhumbLine, kPositionUserDefined, entered.time, entered.latitude,
                         entered.longitude, entered.course, entered.speed, 0.0, 0.0);
  return true;
}

int RiseSetDayLimit(double dateJd, double zoneHours) {
  const double daysLeft = kLastSupportedJd - dateJd - zoneHours / kHoursPerDay;
  return static_cast<int>(std::floor(daysLeft + kWholeDayTolerance));
}

bool AcceptRiseSetFixedDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                              const RiseSetFixedFields& fields, RiseSetFixedRequest& request,
                              RiseSetField& returnTo) {
  RiseSetChecks check(notice, returnTo);
  RiseSetFixedRequest accepted;
  int days = 0;
  if (!CheckDate(check, fields, accepted.dateJd) ||
      !check.Zone(fields.zoneHours, fields.zoneMinutes, fields.zoneWest, accepted.timeZoneHours) ||
      !CheckSite(check, fields, accepted.latitudeDeg, accepted.longitudeDeg) ||
      !check.Height(fields.heightOfEye, fields.heightInMetres, accepted.heightOfEyeM) ||
      !check.Count(fields.repetitions, 1, kMaxRiseSetRepetitions, RiseSetField::kRepetitions,
                   days)) {
    return false;
  }
  const int limit = RiseSetDayLimit(accepted.dateJd, accepted.timeZoneHours);
  if (days > limit) {
    if (notice.Show(kTruncationQuestion, kNoticeOkCancelStop) != NoticeAnswer::kOk) {
      returnTo = RiseSetField::kRepetitions;
      return false;
    }
    days = limit;
  }
  accepted.body = fields.body;
  accepted.days = days;
  const PositionRecord site =
      MakePositionRecord(kMotionNone, kPositionExternalFix, accepted.dateJd, accepted.latitudeDeg,
                         accepted.longitudeDeg, 0.0, 0.0, 0.0, 0.0);
  if (!check.Voyage(ephemeris, state, site, accepted.dateJd, accepted.body)) return false;
  request = accepted;
  return true;
}

bool AcceptRiseSetUnderwayDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                                 const RiseSetUnderwayFields& fields,
                                 RiseSetUnderwayRequest& request, RiseSetField& returnTo) {
  RiseSetChecks check(notice, returnTo);
  RiseSetUnderwayRequest accepted;
  constexpr bool kFeet = false;
  if (!CheckDate(check, fields, accepted.dateJd) ||
      !check.Zone(fields.zoneHours, fields.zoneMinutes, fields.zoneWest, accepted.timeZoneHours) ||
      !check.Height(fields.heightOfEye, kFeet, accepted.heightOfEyeM)) {
    return false;
  }
  accepted.body = fields.body;
  // The ship moves from the reference whatever the reference was logged as.
  accepted.reference = fields.reference;
  accepted.reference.motionMode = kMotionRhumbLine;
  if (!check.Voyage(ephemeris, state, accepted.reference, accepted.dateJd, accepted.body)) {
    return false;
  }
  request = accepted;
  return true;
}

}  // namespace navora
