// Row layouts, names and Polaris's "--" are pinned whole by the golden
// tables; these cases cover the statuses, the printed times and the instant
// of the day's star table.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "engine/almanac/AlmanacRow.h"
#include "tests/engine/almanac/PrintedTable.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr double kHourDays = 1.0 / 24.0;
constexpr double kMinuteDays = 1.0 / 1440.0;
constexpr double kThirtySecondsDays = 30.0 / 86400.0;
constexpr double kBeforeDeltaTTable = 2440400.5;

using AlmanacRow = testing::PrintedTableTest;

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
  EXPECT_EQ(ComputeAlmanacRow(places_, jd, 0.95, kAlmanacSunMoonAries, 500, kHourDays, line), kStatusOk);
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
  for (const Case& c : {Case{jd, 0.0, kHourDays, " 10 30 |"},
                        Case{jd, 0.0, kMinuteDays, " 10 30 |"},
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
  const auto shaAndDec = [this](int16_t day, int16_t hour, int16_t minute, double second, double dut1,
                            AlmanacKind kind) {
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

}  // namespace
}  // namespace navora
