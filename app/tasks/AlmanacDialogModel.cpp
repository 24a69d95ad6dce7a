#include "app/tasks/AlmanacDialogModel.h"

#include <cmath>
#include <cstdio>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr char kSelectMonth[] = "Please select a month.\n";
constexpr char kSelectYear[] = "Please select a year.\n";
constexpr char kRangeFormat[] = "Please enter an integer between %d and %d.";
constexpr char kTruncationQuestion[] =
    "The number of repetitions you requested \nextends beyond the valid date range of  \n"
    "NAVORA 2.1. \n\nClick 'OK' to continue with truncated   \noutput or 'Cancel' to modify your "
    "request.\n";

constexpr int kMonthCount = 12;
constexpr int kLongestMonth = 31;
constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
constexpr int kLastSecond = 59;
constexpr int kMaxRepetitions = 999;
constexpr int kMaxIntervalValue = 999;
constexpr int kSecondsPerMinute = 60;

constexpr double kHoursPerDay = 24.0;
constexpr double kMinutesPerDay = 1440.0;
constexpr double kSecondsPerDay = 86400.0;

// A fractional count of intervals this close above a whole number is taken as
// that whole number: the last instant would fall on the end of the range.
constexpr double kWholeIntervalTolerance = 5e-5;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// A value outside lo..hi shows the platform's range message.
bool CheckRange(Notice& notice, int value, int lo, int hi, AlmanacField field,
                AlmanacField& returnTo) {
  if (value >= lo && value <= hi) return true;
  char text[64];
  std::snprintf(text, sizeof text, kRangeFormat, lo, hi);
  notice.Show(text, kNoticeOk);
  returnTo = field;
  return false;
}

// An empty time edit counts as 0 and is not checked.
bool CheckTimeRange(Notice& notice, const std::optional<int>& value, int hi, AlmanacField field,
                    AlmanacField& returnTo) {
  return !value.has_value() || CheckRange(notice, *value, 0, hi, field, returnTo);
}

bool CheckDate(Notice& notice, const AlmanacDialogFields& fields, AlmanacField& returnTo) {
  if (fields.monthIndex < 0 || fields.monthIndex >= kMonthCount) {
    notice.Show(kSelectMonth, kNoticeOk);
    returnTo = AlmanacField::kMonth;
    return false;
  }
  if (fields.yearIndex < 0 || fields.yearIndex >= kAlmanacYearCount) {
    notice.Show(kSelectYear, kNoticeOk);
    returnTo = AlmanacField::kYear;
    return false;
  }
  return CheckRange(notice, fields.day, 1, AlmanacDayLimit(fields.monthIndex, fields.yearIndex),
                    AlmanacField::kDay, returnTo);
}

bool CheckHourAndMinute(Notice& notice, const AlmanacDialogFields& fields, AlmanacField& returnTo) {
  return CheckTimeRange(notice, fields.hour, kLastHour, AlmanacField::kHour, returnTo) &&
         CheckTimeRange(notice, fields.minute, kLastMinute, AlmanacField::kMinute, returnTo);
}

int16_t TimeFieldValue(const std::optional<int>& value) {
  return value.has_value() ? static_cast<int16_t>(*value) : kEmptyDialogField;
}

// Julian date of the validated date fields at the time of day; empty time
// fields are kEmptyDialogField and kEmptyDialogSeconds.
double FieldsToJulian(const AlmanacDialogFields& fields, int16_t hour, int16_t minute,
                      double second) {
  return DialogFieldsToJulian(static_cast<int16_t>(fields.yearIndex),
                              static_cast<int16_t>(fields.monthIndex),
                              static_cast<int16_t>(fields.day), hour, minute, second);
}

// Seconds count only when the table steps by less than a minute.
double TabulatedSecond(const AlmanacDialogFields& fields) {
  const bool stepsInSeconds =
      fields.unit == IntervalUnit::kSeconds && fields.intervalValue < kSecondsPerMinute;
  if (!stepsInSeconds) return 0.0;
  return fields.second.has_value() ? *fields.second : kEmptyDialogSeconds;
}

}  // namespace

AlmanacDialogFields InitialAlmanacDialogFields(double referenceJd) {
  AlmanacDialogFields fields;
  SetCurrentAlmanacDate(fields, referenceJd);
  fields.hour = 0;
  fields.minute = 0;
  fields.second = 0;
  return fields;
}

void SetCurrentAlmanacDate(AlmanacDialogFields& fields, double nowJd) {
  int32_t year = 0, month = 0, day = 0;
  JulianDayToDialogDate(static_cast<int32_t>(std::trunc(nowJd + 0.5)), year, month, day);
  const int yearIndex = year - kFirstAlmanacYear;
  fields.yearIndex = yearIndex >= 0 && yearIndex < kAlmanacYearCount ? yearIndex : kNoSelection;
  fields.monthIndex = month - 1;
  fields.day = day;
  fields.hour.reset();
  fields.minute.reset();
  fields.second.reset();
}

int AlmanacDayLimit(int monthIndex, int yearIndex) {
  static constexpr int kMonthLengths[kMonthCount] = {31, 28, 31, 30, 31, 30,
                                                     31, 31, 30, 31, 30, 31};
  if (monthIndex < 0 || monthIndex >= kMonthCount || yearIndex < 0 ||
      yearIndex >= kAlmanacYearCount) {
    return kLongestMonth;
  }
  constexpr int kFebruaryIndex = 1;
  const bool leapFebruary =
      monthIndex == kFebruaryIndex && IsLeapYear(kFirstAlmanacYear + yearIndex);
  return kMonthLengths[monthIndex] + (leapFebruary ? 1 : 0);
}

double AlmanacIntervalDays(int value, IntervalUnit unit) {
  switch (unit) {
    case IntervalUnit::kDays:
      return value;
    case IntervalUnit::kHours:
      return value / kHoursPerDay;
    case IntervalUnit::kMinutes:
      return value / kMinutesPerDay;
    case IntervalUnit::kSeconds:
      return value / kSecondsPerDay;
  }
  return value;
}

int32_t AlmanacRepetitionLimit(double startJd, double intervalDays) {
  const double intervals = (kLastSupportedJd - startJd) / intervalDays;
  const double whole = std::floor(intervals);
  const bool endsOnLastInstant = intervals - whole < kWholeIntervalTolerance;
  return static_cast<int32_t>(endsOnLastInstant ? whole : whole + 1.0);
}

bool AcceptAlmanacTableDialog(Notice& notice, const AlmanacDialogFields& fields,
                              AlmanacTableRequest& request, AlmanacField& returnTo) {
  if (!CheckDate(notice, fields, returnTo) || !CheckHourAndMinute(notice, fields, returnTo) ||
      !CheckTimeRange(notice, fields.second, kLastSecond, AlmanacField::kSecond, returnTo) ||
      !CheckRange(notice, fields.repetitions, 1, kMaxRepetitions, AlmanacField::kRepetitions,
                  returnTo) ||
      !CheckRange(notice, fields.intervalValue, 1, kMaxIntervalValue, AlmanacField::kInterval,
                  returnTo)) {
    return false;
  }
  const double startJd = FieldsToJulian(fields, TimeFieldValue(fields.hour),
                                        TimeFieldValue(fields.minute), TabulatedSecond(fields));
  const double intervalDays = AlmanacIntervalDays(fields.intervalValue, fields.unit);
  int32_t count = fields.repetitions;
  const int32_t limit = AlmanacRepetitionLimit(startJd, intervalDays);
  if (count > limit) {
    if (notice.Show(kTruncationQuestion, kNoticeOkCancelStop) != NoticeAnswer::kOk) {
      returnTo = AlmanacField::kRepetitions;
      return false;
    }
    count = limit;
  }
  request = {startJd, count, intervalDays};
  return true;
}

bool AcceptAlmanacStarsDialog(Notice& notice, const AlmanacDialogFields& fields,
                              AlmanacStarsRequest& request, AlmanacField& returnTo) {
  if (!CheckDate(notice, fields, returnTo) || !CheckHourAndMinute(notice, fields, returnTo)) {
    return false;
  }
  request.jd = FieldsToJulian(fields, TimeFieldValue(fields.hour), TimeFieldValue(fields.minute),
                              kEmptyDialogSeconds);
  return true;
}

bool AcceptAlmanacDayDialog(Notice& notice, const AlmanacDialogFields& fields,
                            AlmanacDayRequest& request, AlmanacField& returnTo) {
  if (!CheckDate(notice, fields, returnTo)) return false;
  request.dateJd =
      FieldsToJulian(fields, kEmptyDialogField, kEmptyDialogField, kEmptyDialogSeconds);
  return true;
}

}  // namespace navora
