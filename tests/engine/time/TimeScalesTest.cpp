#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "engine/time/Calendar.h"
#include "engine/time/SiderealTime.h"
#include "engine/time/TdbMinusTt.h"

namespace navora {
namespace {

// "2000-01-01 00:00 Sat", the minute split of jd.
std::string Minute(double jd) {
  int16_t y, mo, d, h, mi;
  char weekday[4];
  SplitJulianToMinuteWeekday(jd, y, mo, d, h, mi, weekday);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d %s", y, mo, d, h, mi, weekday);
  return text;
}

// "2000-01-01 00:00:59.940 Sat", the seconds split of jd.
std::string Seconds(double jd, int16_t decimals) {
  int16_t y, mo, d, h, mi;
  double s;
  char weekday[4];
  SplitJulianToSeconds(jd, decimals, y, mo, d, h, mi, s, weekday);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%06.3f %s", y, mo, d, h, mi, s,
                weekday);
  return text;
}

TEST(Calendar, TimeOfDayAndMonthNames) {
  EXPECT_EQ(CalendarToJulian(1969, 12, 7, 0, 0, 0.0), 2440562.5);
  EXPECT_NEAR(CalendarToJulian(2024, 2, 29, 18, 0, 36.0), 2460369.5 + 0.7504166666667, 1e-9);
  EXPECT_STREQ(MonthAbbreviation(8), "Sep");
  EXPECT_EQ(MonthAbbreviation(12), nullptr);
}

// Every day from 1968 to 2029 both ways, against the standard library's calendar.
TEST(Calendar, AgreesWithTheCivilCalendar) {
  constexpr int32_t kUnixEpochDayNumber = 2440588;
  static constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  for (int32_t jdn = 2440000; jdn <= 2462000; ++jdn) {
    const std::chrono::sys_days day{std::chrono::days{jdn - kUnixEpochDayNumber}};
    const std::chrono::year_month_day expected{day};
    int16_t y, m, d;
    JulianDayToCalendar(jdn, y, m, d);
    ASSERT_EQ(y, static_cast<int>(expected.year())) << jdn;
    ASSERT_EQ(m, static_cast<unsigned>(expected.month())) << jdn;
    ASSERT_EQ(d, static_cast<unsigned>(expected.day())) << jdn;
    ASSERT_EQ(CalendarToJulian(y, m, d, 12, 0, 0.0), jdn);
    ASSERT_STREQ(WeekdayName(jdn), kWeekdays[std::chrono::weekday{day}.c_encoding()]) << jdn;
  }
}

TEST(Calendar, MinuteRoundingCarriesIntoDayAndYear) {
  EXPECT_EQ(Minute(CalendarToJulian(1999, 12, 31, 23, 59, 30.0)), "2000-01-01 00:00 Sat");
  EXPECT_EQ(Minute(CalendarToJulian(1999, 12, 31, 23, 59, 29.0)), "1999-12-31 23:59 Fri");
  EXPECT_EQ(Minute(CalendarToJulian(2021, 3, 1, 9, 59, 45.0)), "2021-03-01 10:00 Mon");
}

TEST(Calendar, SecondsCarryOnlyWhenThePrintWouldShowSixty) {
  const double lastMinute = CalendarToJulian(2023, 12, 31, 23, 59, 0.0);
  EXPECT_EQ(Seconds(lastMinute + 59.6 / 86400, 0), "2024-01-01 00:00:00.000 Mon");
  EXPECT_EQ(Seconds(lastMinute + 59.94 / 86400, 1), "2023-12-31 23:59:59.940 Sun");
  EXPECT_EQ(Seconds(lastMinute + 59.96 / 86400, 1), "2024-01-01 00:00:00.000 Mon");
  EXPECT_EQ(Seconds(CalendarToJulian(2001, 7, 4, 6, 7, 8.25), 2), "2001-07-04 06:07:08.250 Wed");
}

TEST(Calendar, DialogFieldsAndEmptyFields) {
  EXPECT_EQ(DialogFieldsToJulian(30, 0, 1, 12, 0, 0.0), 2451545.0);
  const double midnight = CalendarToJulian(2005, 3, 9, 0, 0, 0.0);
  EXPECT_EQ(DialogFieldsToJulian(35, 2, 9, kEmptyDialogField, 45, 30.0), midnight);
  EXPECT_EQ(DialogFieldsToJulian(35, 2, 9, 7, kEmptyDialogField, 30.0), midnight + 7 / 24.0);
  EXPECT_EQ(DialogFieldsToJulian(35, 2, 9, 7, 15, kEmptyDialogSeconds),
            CalendarToJulian(2005, 3, 9, 7, 15, 0.0));
  int32_t y, m, d;
  JulianDayToDialogDate(2460676, y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20241231);
}

// Reference values from an independent implementation of the same models.
TEST(SiderealTime, GreenwichMeanAndLocalWrapIntoOneDay) {
  const struct {
    double jdUt1, gmstHours;
  } kSamples[] = {{2440587.5, 6.681975813813011},
                  {2451545.0, 18.697374558333337},
                  {2455197.75, 12.718935963816255},
                  {2460676.5, 6.726637857694094}};
  double mean, apparent;
  for (const auto& sample : kSamples) {
    ComputeSiderealTime(sample.jdUt1, 0.0, 0.0, mean, apparent);
    EXPECT_NEAR(mean, sample.gmstHours, 1e-8) << sample.jdUt1;
  }
  ComputeSiderealTime(2451545.0, 90.0, 0.0, mean, apparent);
  EXPECT_NEAR(mean, 18.697374558333337 + 6.0 - 24.0, 1e-8);
  ComputeSiderealTime(2440587.5, -100.5, -1.2, mean, apparent);
  EXPECT_NEAR(mean, 6.681975813813011 - 6.7 + 24.0, 1e-8);
}

// Full-series TDB - TT; the two-term expression is good to about 20 us.
TEST(TdbMinusTt, AgreesWithTheFullSeries) {
  const struct {
    double jd, seconds;
  } kSamples[] = {{2440587.5, -5.161209333154983e-05},
                  {2448000.5, 0.0015857352525033984},
                  {2451545.0, -9.930719894379447e-05},
                  {2458000.25, -0.001441777566822269}};
  for (const auto& sample : kSamples) {
    double seconds, shifted;
    ConvertTdbToTt(sample.jd, seconds, shifted);
    EXPECT_NEAR(seconds, sample.seconds, 2e-5) << sample.jd;
    EXPECT_EQ(shifted, sample.jd - seconds / 86400.0);
  }
}

}  // namespace
}  // namespace navora
