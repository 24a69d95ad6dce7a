#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "app/bridge/Notice.h"
#include "app/tasks/AlmanacDialogModel.h"
#include "app/tasks/NumericFieldRules.h"
#include "engine/common/Angles.h"
#include "engine/horizon/AngleFormatting.h"
#include "engine/time/Calendar.h"

namespace navora {

// The entry limits the position dialogs share.
inline constexpr int kLastHour = 23;
inline constexpr int kLastMinute = 59;
inline constexpr int kLastSecond = 59;
inline constexpr int kMaxLatitudeDegrees = 79;  // polar navigation is not supported
inline constexpr int kMaxLongitudeDegrees = 180;
inline constexpr double kMaxEntryMinutes = 59.9;  // minutes of arc, one decimal
inline constexpr char kLongitudeTooLargeText[] =
    "The longitude must be less than\nor equal to 180 degrees.";

// The checks of a dialog's edits, in the words of the standard range
// messages: each shows its message and names the dialog's field (`Field`,
// the dialog's field enumeration) to return to on failure.
template <typename Field>
class FieldChecks {
 public:
  FieldChecks(Notice& notice, Field& returnTo) : notice_(notice), returnTo_(returnTo) {}

  // An hour, minute or second edit, 0..hi; empty reads as kEmptyDialogField.
  bool TimeField(const std::string& text, int hi, Field field, int16_t& value) {
    int parsed = 0;
    switch (ParseIntegerField(text, parsed)) {
      case FieldText::kEmpty:
        value = kEmptyDialogField;
        return true;
      case FieldText::kInvalid:
        return Refuse(kIntegerExpectedText, field);
      case FieldText::kValue:
        break;
    }
    if (parsed < 0 || parsed > hi) return Refuse(IntegerRangeText(0, hi), field);
    value = static_cast<int16_t>(parsed);
    return true;
  }

  // A whole number 0..hi, as degrees of latitude or longitude.
  bool Degrees(const std::string& text, int hi, Field field, int& value) {
    if (ParseIntegerField(text, value) != FieldText::kValue) {
      return Refuse(kIntegerExpectedText, field);
    }
    return value >= 0 && value <= hi ? true : Refuse(IntegerRangeText(0, hi), field);
  }

  // A number 0..hi, as minutes of arc, a course or a speed.
  bool Number(const std::string& text, double hi, Field field, double& value) {
    if (ParseNumberField(text, value) != FieldText::kValue) {
      return Refuse(kNumberExpectedText, field);
    }
    return value >= 0.0 && value <= hi ? true : Refuse(NumberRangeText(0.0, hi), field);
  }

  // Degrees and minutes to degrees, within 0..maxDegrees degrees.
  bool Angle(const std::string& degreesText, const std::string& minutesText, int maxDegrees,
             Field degreesField, Field minutesField, double& degrees) {
    int whole = 0;
    double minutes = 0.0;
    if (!Degrees(degreesText, maxDegrees, degreesField, whole) ||
        !Number(minutesText, kMaxEntryMinutes, minutesField, minutes)) {
      return false;
    }
    degrees = whole + minutes / kArcminutesPerDegree;
    return true;
  }

  // The position edits of `fields` (latitudeDegrees, latitudeMinutes, south,
  // longitudeDegrees, longitudeMinutes, west): a latitude below 80 degrees,
  // a longitude of 180 at most. Signed degrees, north and east positive.
  template <typename Fields>
  bool Position(const Fields& fields, Field latitudeDegrees, Field latitudeMinutes,
                Field longitudeDegrees, Field longitudeMinutes, double& latitude,
                double& longitude) {
    if (!Angle(fields.latitudeDegrees, fields.latitudeMinutes, kMaxLatitudeDegrees,
               latitudeDegrees, latitudeMinutes, latitude) ||
        !Angle(fields.longitudeDegrees, fields.longitudeMinutes, kMaxLongitudeDegrees,
               longitudeDegrees, longitudeMinutes, longitude)) {
      return false;
    }
    if (longitude > kMaxLongitudeDegrees) {
      return Refuse(kLongitudeTooLargeText, longitudeDegrees);
    }
    if (fields.south) latitude = -latitude;
    if (fields.west) longitude = -longitude;
    return true;
  }

  // The date fields of `fields` (day, monthIndex, yearIndex) checked exactly
  // as the almanac dialogs check theirs; a refusal returns to the field of
  // the three that it names.
  template <typename Fields>
  bool Date(const Fields& fields, Field dayField, Field monthField, Field yearField) {
    AlmanacDialogFields date;
    date.day = fields.day;
    date.monthIndex = fields.monthIndex;
    date.yearIndex = fields.yearIndex;
    AlmanacDayRequest request;
    AlmanacField refused = AlmanacField::kDay;
    if (AcceptAlmanacDayDialog(notice_, date, request, refused)) return true;
    returnTo_ = refused == AlmanacField::kMonth  ? monthField
                : refused == AlmanacField::kYear ? yearField
                                                 : dayField;
    return false;
  }

  bool Refuse(std::string_view text, Field field) {
    notice_.Show(text, kNoticeOk);
    returnTo_ = field;
    return false;
  }

 protected:
  Notice& notice_;
  Field& returnTo_;
};

// The date and time fields showing the UTC Julian date jd to the second
// (members day, monthIndex, yearIndex and the texts hour, minute, second,
// "%02d"); a year outside the dialogs' list is left unselected.
template <typename Fields>
void ShowDialogDateTime(double jd, Fields& fields) {
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  double seconds = 0.0;
  char weekday[4];
  SplitJulianToSeconds(jd, 0, year, month, day, hour, minute, seconds, weekday);
  const int yearIndex = year - kFirstAlmanacYear;
  fields.yearIndex = yearIndex >= 0 && yearIndex < kAlmanacYearCount ? yearIndex : kNoSelection;
  fields.monthIndex = month - 1;
  fields.day = day;
  const auto twoDigits = [](long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%02ld", value);
    return std::string(text);
  };
  fields.hour = twoDigits(hour);
  fields.minute = twoDigits(minute);
  fields.second = twoDigits(std::lround(seconds));
}

// One decimal, with a point whatever the C locale: the text of a minutes,
// course or speed edit.
inline std::string TenthsText(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1).ptr;
  return std::string(text, end);
}

// The position edits showing a latitude and longitude (degrees): members
// latitudeDegrees, latitudeMinutes, south, longitudeDegrees,
// longitudeMinutes, west; minutes to 0.1 with the carry into the degrees.
template <typename Fields>
void ShowDialogPosition(double latitudeDeg, double longitudeDeg, Fields& fields) {
  constexpr int16_t kTenths = 1;
  int16_t negative = 0, degrees = 0;
  double minutes = 0.0;
  if (SplitAngleForDialog(latitudeDeg, kTenths, negative, degrees, minutes) == kStatusOk) {
    fields.latitudeDegrees = std::to_string(degrees);
    fields.latitudeMinutes = TenthsText(minutes);
    fields.south = negative != 0;
  }
  if (SplitAngleForDialog(longitudeDeg, kTenths, negative, degrees, minutes) == kStatusOk) {
    fields.longitudeDegrees = std::to_string(degrees);
    fields.longitudeMinutes = TenthsText(minutes);
    fields.west = negative != 0;
  }
}

}  // namespace navora
