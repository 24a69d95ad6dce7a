// Headings, row layouts, names and Polaris's "--" are pinned whole by the
// golden tables, and the values by the references and the published pages;
// these cases cover what the commands never ask for, the statuses, the
// boundaries, the printed times and the instant of the day's star table.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "engine/almanac/AlmanacHeading.h"
#include "engine/almanac/AlmanacRow.h"
#include "engine/almanac/AlmanacText.h"
#include "engine/almanac/AlmanacValues.h"
#include "engine/horizon/BodyPhysics.h"
#include "engine/time/Calendar.h"
#include "tests/engine/almanac/PrintedTable.h"

namespace navora {
namespace {

constexpr double kHourDays = 1.0 / 24.0;
constexpr double kMinuteDays = 1.0 / 1440.0;
constexpr double kThirtySecondsDays = 30.0 / 86400.0;
constexpr double kBeforeDeltaTTable = 2440400.5;
constexpr double kJ2000 = 2451545.0;

const double kJanuary2 = CalendarToJulian(2021, 1, 2, 0, 0, 0.0);

using AlmanacHeading = testing::PrintedTableTest;
using AlmanacRow = testing::PrintedTableTest;
using AlmanacValues = testing::PrintedTableTest;

TEST_F(AlmanacHeading, DateAndTimeLines) {
  // The stars at an instant with seconds: UT1, its seconds rounded.
  const std::vector<std::string> instant = Heading(CalendarToJulian(2021, 1, 2, 17, 5, 29.2), 0.4,
                                                   kAlmanacStarAtInstant, kThirtySecondsDays);
  ASSERT_EQ(instant.size(), 12u);
  EXPECT_EQ(instant[2], "                                           h  m  s");
  EXPECT_EQ(instant[3], "                        2021 Jan  2 (Sat) 17 05 30 UT");

  // The day's stars are dated 12h of the date, to the minute at any interval.
  EXPECT_EQ(Heading(kJanuary2 + 23.99 / 24.0, 0.0, kAlmanacStarForDay, kThirtySecondsDays)[3],
            "                          2021 Jan  2 (Sat) 12 00 UT");

  // Planet magnitudes are those of 0h of the date: Venus, -4.049 at 0h of
  // 2020 January 22, is -4.054 by 23h 45m.
  const std::vector<std::string> planets =
      Heading(CalendarToJulian(2020, 1, 22, 23, 45, 0.0), 0.0, kAlmanacPlanets, kHourDays);
  EXPECT_NE(planets[6].find("VENUS -4.0 "), std::string::npos) << planets[6];
}

TEST_F(AlmanacHeading, Statuses) {
  AlmanacHeadingLines lines;
  int16_t last = -1;
  EXPECT_EQ(ComputeAlmanacHeading(places_, kJanuary2, 0.0, 0, kHourDays, lines, last),
            kHeadingBadKind);
  EXPECT_EQ(ComputeAlmanacHeading(places_, kJanuary2, 0.0, 5, kHourDays, lines, last),
            kHeadingBadKind);
  // Every kind's heading checks DUT1; the day's star heading computes nothing.
  const EngineStatus withoutDeltaT[] = {kHeadingNoDeltaT, kHeadingNoDeltaT, kHeadingNoTimeArguments,
                                        kStatusOk};
  for (AlmanacKind kind = 1; kind <= 4; ++kind) {
    EXPECT_EQ(ComputeAlmanacHeading(places_, kJanuary2, 0.9, kind, kHourDays, lines, last),
              kStatusOk);
    EXPECT_EQ(ComputeAlmanacHeading(places_, kJanuary2, -0.91, kind, kHourDays, lines, last),
              kHeadingBadDut1);
    EXPECT_EQ(ComputeAlmanacHeading(places_, kBeforeDeltaTTable, 0.0, kind, kHourDays, lines, last),
              withoutDeltaT[kind - 1]);
  }
}

// A Venus magnitude is blank when there is none; angles that are not numbers
// are refused; an interval of one minute reached through rounding is not
// below a minute.
TEST(AlmanacTexts, MagnitudesAnglesAndIntervals) {
  MagnitudeText text;
  FormatMagnitudeText(kNoMagnitude, text);
  EXPECT_STREQ(text, "    ");
  FormatMagnitudeText(-3.94, text);
  EXPECT_STREQ(text, "-3.9");
  FormatMagnitudeText(0.0, text);
  EXPECT_STREQ(text, "+0.0");

  AlmanacAngle angles[2];
  EXPECT_TRUE(SplitAlmanacAngles({12.5, -0.5}, angles));
  EXPECT_EQ(angles[1].sign, '-');
  for (double bad : {std::nan(""), double{INFINITY}}) {
    EXPECT_FALSE(SplitAlmanacAngles({1.0, bad}, angles)) << bad;
  }

  EXPECT_FALSE(IntervalBelowOneMinute(1.0 / 1440.0 - 1e-15));
  EXPECT_TRUE(IntervalBelowOneMinute(59.0 / 86400.0));
}

TEST_F(AlmanacRow, RefusesBadKindsStarNumbersAndDut1) {
  const double jd = CalendarToJulian(2010, 6, 1, 0, 0, 0.0);
  AlmanacLine line;
  EXPECT_EQ(ComputeAlmanacRow(places_, jd, 0.0, 0, 1, kHourDays, line), kRowBadKind);
  EXPECT_EQ(ComputeAlmanacRow(places_, jd, 0.0, 5, 1, kHourDays, line), kRowBadKind);
  for (AlmanacKind kind : {kAlmanacStarAtInstant, kAlmanacStarForDay}) {
    EXPECT_EQ(ComputeAlmanacRow(places_, jd, 0.0, kind, 0, kHourDays, line), kRowBadStarNumber);
    EXPECT_EQ(ComputeAlmanacRow(places_, jd, 0.0, kind, 58, kHourDays, line), kStatusOk);
    EXPECT_EQ(ComputeAlmanacRow(places_, jd, 0.0, kind, 59, kHourDays, line), kRowBadStarNumber);
    for (double dut1 : {0.9, -0.9}) {
      EXPECT_EQ(ComputeAlmanacRow(places_, jd, dut1, kind, 1, kHourDays, line), kStatusOk);
    }
    for (double dut1 : {0.91, -0.91, std::nan("")}) {
      EXPECT_EQ(ComputeAlmanacRow(places_, jd, dut1, kind, 1, kHourDays, line), kRowBadDut1);
    }
  }
  // The body tables leave DUT1 to their heading, and ignore the star number.
  EXPECT_EQ(ComputeAlmanacRow(places_, jd, 0.95, kAlmanacSunMoonAries, 500, kHourDays, line),
            kStatusOk);
  EXPECT_EQ(ComputeAlmanacRow(places_, jd, 0.95, kAlmanacPlanets, 500, kHourDays, line), kStatusOk);
}

TEST_F(AlmanacRow, ReportsMissingDeltaTByKindAndLeavesTheLineAlone) {
  AlmanacLine line;
  std::strcpy(line, "untouched");
  const EngineStatus expected[] = {kRowSunNoDeltaT, kRowPlanetsNoDeltaT, kRowStarNoDeltaT,
                                   kRowStarNoDeltaT};
  for (AlmanacKind kind = 1; kind <= 4; ++kind) {
    EXPECT_EQ(ComputeAlmanacRow(places_, kBeforeDeltaTTable, 0.0, kind, 1, kHourDays, line),
              expected[kind - 1]);
  }
  EXPECT_STREQ(line, "untouched");
}

// The printed time is UT1, to the minute or with its seconds rounded; a
// rounding up carries through the hour into the next day.
TEST_F(AlmanacRow, PrintedTimes) {
  const double jd = CalendarToJulian(2015, 3, 20, 10, 29, 40.0);
  const double lastSecond = CalendarToJulian(2015, 3, 20, 23, 59, 59.7);
  struct Case {
    double jd, dut1, interval;
    const char* start;
  };
  for (const Case& c :
       {Case{jd, 0.0, kHourDays, " 10 30 |"}, Case{jd, 0.0, kMinuteDays, " 10 30 |"},
        Case{jd, 0.0, kThirtySecondsDays, " 102940 |"},
        Case{jd, 0.6, kThirtySecondsDays, " 102941 |"},
        Case{lastSecond, 0.0, kThirtySecondsDays, " 000000 |"}}) {
    const std::string row = Row(c.jd, c.dut1, kAlmanacSunMoonAries, 1, c.interval);
    EXPECT_TRUE(row.starts_with(c.start)) << row;
  }
}

// The day's star table shows 12h UT of the UT1 date of the instant asked for.
TEST_F(AlmanacRow, StarsOfTheDayAreThoseOfNoonOfTheDate) {
  // Polaris's SHA, an hour angle near the pole, changes by tenths of a
  // minute from one day to the next, so a wrong instant shows in print.
  constexpr int16_t kPolaris = 58;
  const auto shaAndDec = [this](int16_t day, int16_t hour, int16_t minute, double second,
                                double dut1, AlmanacKind kind) {
    const double jd = CalendarToJulian(2021, 6, day, hour, minute, second);
    testing::PrintedStar row;
    EXPECT_TRUE(testing::ParseStarRow(Row(jd, dut1, kind, kPolaris, kHourDays),
                                      kind == kAlmanacStarAtInstant, row));
    return std::to_string(row.sha) + " " + std::to_string(row.dec);
  };
  const std::string noon = shaAndDec(21, 12, 0, 0.0, 0.0, kAlmanacStarAtInstant);
  const std::string nextNoon = shaAndDec(22, 12, 0, 0.0, 0.0, kAlmanacStarAtInstant);
  ASSERT_NE(noon, nextNoon);
  EXPECT_EQ(shaAndDec(21, 0, 1, 0.0, 0.0, kAlmanacStarForDay), noon);
  EXPECT_EQ(shaAndDec(21, 23, 59, 0.0, 0.0, kAlmanacStarForDay), noon);
  EXPECT_EQ(shaAndDec(22, 0, 1, 0.0, 0.0, kAlmanacStarForDay), nextNoon);
  // Half a second before midnight UTC is already the next day in UT1.
  EXPECT_EQ(shaAndDec(21, 23, 59, 59.5, 0.9, kAlmanacStarForDay), nextNoon);
}

TEST(HourAngles, StayInTheHalfOpenCircle) {
  // A right ascension just past the sidereal time is just below 360, not negative.
  EXPECT_NEAR(GhaFromSiderealTime(5.0, 5.0 + 1e-6), 360.0 - 15e-6, 1e-9);
  EXPECT_EQ(GhaFromSiderealTime(7.25, 7.25), 0.0);
  EXPECT_NEAR(GhaFromSiderealTime(23.9, 0.1), 357.0, 1e-9);
  EXPECT_NEAR(GhaFromSiderealTime(0.1, 23.9), 3.0, 1e-9);
  EXPECT_EQ(ShaFromRightAscension(0.0), 0.0);  // 360 itself is never printed
  EXPECT_NEAR(ShaFromRightAscension(24.0 - 1e-6), 15e-6, 1e-9);
}

TEST_F(AlmanacValues, StatusesOfUnknownStarsPlanetsAndMissingDeltaT) {
  // Any catalogue star, beyond the 58 the tables print.
  StarAlmanacEntry star{};
  EXPECT_EQ(ComputeStarAlmanac(places_, kJ2000, 173, star), kStatusOk);
  EXPECT_EQ(star.starNumber, 173);
  EXPECT_EQ(ComputeStarAlmanac(places_, kJ2000, 0, star), kAlmanacUnknownStar);
  EXPECT_EQ(ComputeStarAlmanac(places_, kJ2000, 174, star), kAlmanacUnknownStar);

  for (BodyId body : {kEarth, kSun, kMoon, BodyId{0}}) {
    double magnitude = 0.0;
    EXPECT_EQ(ComputePlanetMagnitude(places_, body, kJ2000, magnitude), kMagnitudeUnknownBody);
    EXPECT_EQ(magnitude, kNoMagnitude);
  }

  // The rows stop at the Sun before reaching the Moon and Aries.
  MoonAlmanacValues moon{};
  double aries = 0.0;
  EXPECT_EQ(ComputeMoonAlmanac(places_, kBeforeDeltaTTable, moon), kAlmanacNoDeltaT);
  EXPECT_EQ(ComputeAriesAlmanac(places_, kBeforeDeltaTTable, aries), kAlmanacNoDeltaT);
}

}  // namespace
}  // namespace navora
