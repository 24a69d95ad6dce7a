#include "engine/time/Calendar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace navora {
namespace {

constexpr int32_t kUnixEpochDayNumber = 2440588;  // 1970 Jan 1

// Independent civil calendar: the standard library's proleptic Gregorian one.
std::chrono::year_month_day CivilDate(int32_t dayNumber) {
  return std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{dayNumber - kUnixEpochDayNumber}}};
}

double JulianAt(int16_t y, int16_t mo, int16_t d, int16_t h, int16_t mi, double s) {
  return CalendarToJulian(y, mo, d, h, mi, s);
}

TEST(CalendarToJulian, KnownEpochs) {
  EXPECT_DOUBLE_EQ(JulianAt(2000, 1, 1, 12, 0, 0.0), 2451545.0);
  EXPECT_DOUBLE_EQ(JulianAt(1970, 1, 1, 0, 0, 0.0), 2440587.5);
  EXPECT_DOUBLE_EQ(JulianAt(1969, 12, 7, 0, 0, 0.0), 2440562.5);
  EXPECT_DOUBLE_EQ(JulianAt(2025, 1, 1, 0, 0, 0.0), 2460676.5);
  EXPECT_NEAR(JulianAt(2024, 2, 29, 18, 30, 45.5), 2460369.5 + (18 + (30 + 45.5 / 60) / 60) / 24,
              1e-9);
}

// Every day of the supported years and a margin, both directions, against
// the standard library's calendar and weekdays.
TEST(CalendarToJulian, AgreesWithCivilCalendarOverSupportedRange) {
  for (int32_t jdn = 2440000; jdn <= 2461500; ++jdn) {
    const std::chrono::year_month_day expected = CivilDate(jdn);
    int16_t y = 0, m = 0, d = 0;
    JulianDayToCalendar(jdn, y, m, d);
    ASSERT_EQ(y, static_cast<int>(expected.year())) << jdn;
    ASSERT_EQ(m, static_cast<unsigned>(expected.month())) << jdn;
    ASSERT_EQ(d, static_cast<unsigned>(expected.day())) << jdn;
    ASSERT_EQ(JulianAt(y, m, d, 12, 0, 0.0), jdn);

    const std::chrono::weekday weekday{std::chrono::sys_days{expected}};
    static constexpr const char* kNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    ASSERT_STREQ(WeekdayName(jdn), kNames[weekday.c_encoding()]) << jdn;
  }
}

TEST(JulianDayToCalendar, J2000IsSaturdayFirstOfJanuary) {
  int16_t y = 0, m = 0, d = 0;
  JulianDayToCalendar(2451545, y, m, d);
  EXPECT_EQ(y, 2000);
  EXPECT_EQ(m, 1);
  EXPECT_EQ(d, 1);
  EXPECT_STREQ(WeekdayName(2451545), "Sat");
  EXPECT_STREQ(WeekdayName(2451544), "Fri");
  EXPECT_STREQ(WeekdayName(2451546), "Sun");
}

TEST(MonthAbbreviation, NamesAndBounds) {
  EXPECT_STREQ(MonthAbbreviation(0), "Jan");
  EXPECT_STREQ(MonthAbbreviation(8), "Sep");
  EXPECT_STREQ(MonthAbbreviation(11), "Dec");
  EXPECT_EQ(MonthAbbreviation(-1), nullptr);
  EXPECT_EQ(MonthAbbreviation(12), nullptr);
}

struct MinuteSplit {
  int16_t year, month, day, hour, minute;
  std::string weekday;
};

MinuteSplit SplitToMinute(double jd) {
  MinuteSplit s{};
  char weekday[4] = {};
  SplitJulianToMinuteWeekday(jd, s.year, s.month, s.day, s.hour, s.minute, weekday);
  s.weekday = weekday;
  return s;
}

TEST(SplitJulianToMinute, RoundsHalfMinuteUpAcrossMidnightAndYear) {
  const MinuteSplit up = SplitToMinute(JulianAt(1999, 12, 31, 23, 59, 30.0));
  EXPECT_EQ(up.year, 2000);
  EXPECT_EQ(up.month, 1);
  EXPECT_EQ(up.day, 1);
  EXPECT_EQ(up.hour, 0);
  EXPECT_EQ(up.minute, 0);
  EXPECT_EQ(up.weekday, "Sat");

  const MinuteSplit down = SplitToMinute(JulianAt(1999, 12, 31, 23, 59, 29.0));
  EXPECT_EQ(down.year, 1999);
  EXPECT_EQ(down.day, 31);
  EXPECT_EQ(down.hour, 23);
  EXPECT_EQ(down.minute, 59);
  EXPECT_EQ(down.weekday, "Fri");

  const MinuteSplit hourCarry = SplitToMinute(JulianAt(2021, 3, 1, 9, 59, 45.0));
  EXPECT_EQ(hourCarry.hour, 10);
  EXPECT_EQ(hourCarry.minute, 0);
}

// Every minute of two days (one before noon-based day change, one after) splits
// back to the minute it was built from, also with a few seconds either side.
TEST(SplitJulianToMinute, RecoversEveryMinuteOfTheDay) {
  for (int day = 14; day <= 15; ++day) {
    for (int minuteOfDay = 0; minuteOfDay < 1440; ++minuteOfDay) {
      const auto h = static_cast<int16_t>(minuteOfDay / 60);
      const auto mi = static_cast<int16_t>(minuteOfDay % 60);
      for (double seconds : {0.0, 10.0, -10.0}) {
        int16_t y = 0, mo = 0, d = 0, hh = 0, mm = 0;
        SplitJulianToMinute(JulianAt(2010, 6, static_cast<int16_t>(day), h, mi, seconds), y, mo, d,
                            hh, mm);
        ASSERT_EQ(d, day) << minuteOfDay << " " << seconds;
        ASSERT_EQ(hh, h) << minuteOfDay << " " << seconds;
        ASSERT_EQ(mm, mi) << minuteOfDay << " " << seconds;
      }
    }
  }
}

struct SecondsSplit {
  int16_t year, month, day, hour, minute;
  double seconds;
  std::string weekday;
};

SecondsSplit SplitToSeconds(double jd, int16_t decimals) {
  SecondsSplit s{};
  char weekday[4] = {};
  SplitJulianToSeconds(jd, decimals, s.year, s.month, s.day, s.hour, s.minute, s.seconds, weekday);
  s.weekday = weekday;
  return s;
}

TEST(SplitJulianToSeconds, CarriesOnlyWhenThePrintWouldShowSixty) {
  const double base = JulianAt(2023, 12, 31, 23, 59, 0.0);
  const SecondsSplit whole = SplitToSeconds(base + 59.6 / 86400, 0);
  EXPECT_EQ(whole.year, 2024);
  EXPECT_EQ(whole.day, 1);
  EXPECT_EQ(whole.hour, 0);
  EXPECT_EQ(whole.minute, 0);
  EXPECT_EQ(whole.seconds, 0.0);
  EXPECT_EQ(whole.weekday, "Mon");

  const SecondsSplit stays = SplitToSeconds(base + 59.94 / 86400, 1);
  EXPECT_EQ(stays.minute, 59);
  EXPECT_NEAR(stays.seconds, 59.94, 1e-4);  // unrounded; the report prints 59.9

  const SecondsSplit carries = SplitToSeconds(base + 59.96 / 86400, 1);
  EXPECT_EQ(carries.year, 2024);
  EXPECT_EQ(carries.minute, 0);
  EXPECT_EQ(carries.seconds, 0.0);

  const SecondsSplit plain = SplitToSeconds(JulianAt(2001, 7, 4, 6, 7, 8.25), 2);
  EXPECT_EQ(plain.hour, 6);
  EXPECT_EQ(plain.minute, 7);
  EXPECT_NEAR(plain.seconds, 8.25, 1e-4);
  EXPECT_EQ(plain.weekday, "Wed");
}

TEST(DialogFieldsToJulian, YearAndMonthIndicesAndEmptyFields) {
  EXPECT_DOUBLE_EQ(DialogFieldsToJulian(30, 0, 1, 12, 0, 0.0), 2451545.0);
  const double midnight = JulianAt(2005, 3, 9, 0, 0, 0.0);
  EXPECT_DOUBLE_EQ(DialogFieldsToJulian(35, 2, 9, kEmptyDialogField, 45, 30.0), midnight);
  EXPECT_DOUBLE_EQ(DialogFieldsToJulian(35, 2, 9, 7, kEmptyDialogField, 30.0),
                   JulianAt(2005, 3, 9, 7, 0, 0.0));
  EXPECT_DOUBLE_EQ(DialogFieldsToJulian(35, 2, 9, 7, 15, kEmptyDialogSeconds),
                   JulianAt(2005, 3, 9, 7, 15, 0.0));
  EXPECT_DOUBLE_EQ(DialogFieldsToJulian(35, 2, 9, 7, 15, 12.5), JulianAt(2005, 3, 9, 7, 15, 12.5));
}

TEST(JulianDayToDialogDate, WidensTheCalendarDate) {
  int32_t y = 0, m = 0, d = 0;
  JulianDayToDialogDate(2460676, y, m, d);
  EXPECT_EQ(y, 2024);
  EXPECT_EQ(m, 12);
  EXPECT_EQ(d, 31);
}

}  // namespace
}  // namespace navora
