#include "engine/time/Calendar.h"

#include <cmath>

#include "engine/time/TimeConstants.h"

namespace navora {
namespace {

constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// Index (jdn mod 7) + 1 with 7 taken as 0: day numbers divisible by 7 are Mondays.
constexpr const char* kWeekdayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

constexpr int kFirstDialogYear = 1970;
constexpr double kMinutesPerHour = 60.0;
constexpr double kSecondsPerMinute = 60.0;

// Whole and fractional time of day of jd; shared by the minute and seconds splits.
struct TimeOfDay {
  int32_t dayNumber;
  int16_t hour;
  int16_t minute;
  double minuteFraction;  // of the minute, [0, 1)
};

TimeOfDay SplitTimeOfDay(double jd) {
  TimeOfDay split{};
  split.dayNumber = static_cast<int32_t>(std::trunc(jd + 0.5));
  const double hours = std::fmod((jd - std::trunc(jd)) * kHoursPerDay + 12.0, kHoursPerDay);
  split.hour = static_cast<int16_t>(std::trunc(hours));
  const double minutes = (hours - std::trunc(hours)) * kMinutesPerHour;
  split.minute = static_cast<int16_t>(std::trunc(minutes));
  split.minuteFraction = minutes - std::trunc(minutes);
  return split;
}

// Carries an incremented minute into the hour and the hour into the day.
void CarryMinute(TimeOfDay& split) {
  if (split.minute >= 60) {
    split.minute = 0;
    ++split.hour;
  }
  if (split.hour >= 24) {
    split.hour = 0;
    ++split.dayNumber;
  }
}

void CopyWeekday(int32_t dayNumber, char (&weekday)[4]) {
  const char* name = WeekdayName(dayNumber);
  for (int i = 0; i < 4; ++i) weekday[i] = name[i];
}

}  // namespace

double CalendarToJulian(int16_t year, int16_t month, int16_t day, int16_t hour, int16_t minute,
                        double seconds) {
  const int32_t y = year;
  const int32_t m = month;
  const int32_t a = (m - 14) / 12;  // -1 in January and February
  const int32_t dayNumber = day - 32075 + 1461 * (y + 4800 + a) / 4 + 367 * (m - 2 - 12 * a) / 12 -
                            3 * ((y + 4900 + a) / 100) / 4;
  return dayNumber +
         ((seconds / kSecondsPerMinute + minute) / kMinutesPerHour + hour) / kHoursPerDay - 0.5;
}

void JulianDayToCalendar(int32_t julianDayNumber, int16_t& year, int16_t& month, int16_t& day) {
  int32_t l = julianDayNumber + 68569;
  const int32_t n = 4 * l / 146097;
  l = l - (146097 * n + 3) / 4;
  const int32_t i = 4000 * (l + 1) / 1461001;
  l = l - 1461 * i / 4 + 31;
  const int32_t k = 80 * l / 2447;
  day = static_cast<int16_t>(l - 2447 * k / 80);
  l = k / 11;
  month = static_cast<int16_t>(k + 2 - 12 * l);
  year = static_cast<int16_t>(100 * (n - 49) + i + l);
}

void SplitJulianToMinute(double jd, int16_t& year, int16_t& month, int16_t& day, int16_t& hour,
                         int16_t& minute) {
  char weekday[4];
  SplitJulianToMinuteWeekday(jd, year, month, day, hour, minute, weekday);
}

void SplitJulianToMinuteWeekday(double jd, int16_t& year, int16_t& month, int16_t& day,
                                int16_t& hour, int16_t& minute, char (&weekday)[4]) {
  TimeOfDay split = SplitTimeOfDay(jd);
  if (std::trunc(split.minuteFraction * kSecondsPerMinute + 0.5) >= 30.0) {
    ++split.minute;
    CarryMinute(split);
  }
  JulianDayToCalendar(split.dayNumber, year, month, day);
  hour = split.hour;
  minute = split.minute;
  CopyWeekday(split.dayNumber, weekday);
}

void SplitJulianToSeconds(double jd, int16_t decimals, int16_t& year, int16_t& month, int16_t& day,
                          int16_t& hour, int16_t& minute, double& seconds, char (&weekday)[4]) {
  TimeOfDay split = SplitTimeOfDay(jd);
  seconds = split.minuteFraction * kSecondsPerMinute;
  // Half a unit of the last printed decimal decides whether the print would show 60.
  const double halfLastDigit = 5.0 * std::pow(10.0, -(decimals < 0 ? 0 : decimals) - 1);
  if (std::trunc(seconds + halfLastDigit) >= kSecondsPerMinute) {
    seconds = 0.0;
    ++split.minute;
    CarryMinute(split);
  }
  JulianDayToCalendar(split.dayNumber, year, month, day);
  hour = split.hour;
  minute = split.minute;
  CopyWeekday(split.dayNumber, weekday);
}

const char* MonthAbbreviation(int index) {
  if (index < 0 || index >= 12) return nullptr;
  return kMonthNames[index];
}

const char* WeekdayName(int32_t julianDayNumber) {
  const int32_t remainder = julianDayNumber % 7;
  return kWeekdayNames[(remainder + 1 + 7) % 7];
}

double DialogFieldsToJulian(int16_t yearIndex, int16_t monthIndex, int16_t day, int16_t hour,
                            int16_t minute, double seconds) {
  if (hour == kEmptyDialogField) {
    hour = 0;
    minute = 0;
    seconds = 0.0;
  } else if (minute == kEmptyDialogField) {
    minute = 0;
    seconds = 0.0;
  } else if (seconds == kEmptyDialogSeconds) {
    seconds = 0.0;
  }
  return CalendarToJulian(static_cast<int16_t>(kFirstDialogYear + yearIndex),
                          static_cast<int16_t>(monthIndex + 1), day, hour, minute, seconds);
}

void JulianDayToDialogDate(int32_t julianDayNumber, int32_t& year, int32_t& month, int32_t& day) {
  int16_t y = 0;
  int16_t m = 0;
  int16_t d = 0;
  JulianDayToCalendar(julianDayNumber, y, m, d);
  year = y;
  month = m;
  day = d;
}

}  // namespace navora
