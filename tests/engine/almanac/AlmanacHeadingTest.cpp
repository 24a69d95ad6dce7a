// The headings the commands print are pinned whole by the golden tables;
// these cases reach what the commands never ask for, and the statuses.

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

#include "engine/almanac/AlmanacHeading.h"
#include "engine/almanac/AlmanacText.h"
#include "tests/engine/almanac/PrintedTable.h"
#include "engine/horizon/BodyPhysics.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr double kHourDays = 1.0 / 24.0;
constexpr double kThirtySecondsDays = 30.0 / 86400.0;
constexpr double kBeforeDeltaTTable = 2440400.5;

const double kJanuary2 = CalendarToJulian(2021, 1, 2, 0, 0, 0.0);

using AlmanacHeading = testing::PrintedTableTest;

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
  EXPECT_EQ(ComputeAlmanacHeading(places_, kJanuary2, 0.0, 0, kHourDays, lines, last), kHeadingBadKind);
  EXPECT_EQ(ComputeAlmanacHeading(places_, kJanuary2, 0.0, 5, kHourDays, lines, last), kHeadingBadKind);
  // Every kind's heading checks DUT1; the day's star heading computes nothing.
  const EngineStatus withoutDeltaT[] = {kHeadingNoDeltaT, kHeadingNoDeltaT,
                                        kHeadingNoTimeArguments, kStatusOk};
  for (AlmanacKind kind = 1; kind <= 4; ++kind) {
    EXPECT_EQ(ComputeAlmanacHeading(places_, kJanuary2, 0.9, kind, kHourDays, lines, last), kStatusOk);
    EXPECT_EQ(ComputeAlmanacHeading(places_, kJanuary2, -0.91, kind, kHourDays, lines, last),
              kHeadingBadDut1);
    EXPECT_EQ(ComputeAlmanacHeading(places_, kBeforeDeltaTTable, 0.0, kind, kHourDays, lines, last),
              withoutDeltaT[kind - 1]);
  }
}

TEST(AlmanacTexts, VenusMagnitudeIsBlankWhenThereIsNone) {
  MagnitudeText text;
  FormatMagnitudeText(kNoMagnitude, text);
  EXPECT_STREQ(text, "    ");
  FormatMagnitudeText(-3.94, text);
  EXPECT_STREQ(text, "-3.9");
  FormatMagnitudeText(0.0, text);
  EXPECT_STREQ(text, "+0.0");
}

TEST(AlmanacTexts, AnglesThatAreNotNumbersAreRefused) {
  AlmanacAngle angles[2];
  EXPECT_TRUE(SplitAlmanacAngles({12.5, -0.5}, angles));
  EXPECT_EQ(angles[1].sign, '-');
  for (double bad : {std::nan(""), double{INFINITY}}) {
    EXPECT_FALSE(SplitAlmanacAngles({1.0, bad}, angles)) << bad;
  }
}

TEST(AlmanacIntervals, OneMinuteReachedThroughRoundingIsNotBelowIt) {
  EXPECT_FALSE(IntervalBelowOneMinute(1.0 / 1440.0 - 1e-15));
  EXPECT_TRUE(IntervalBelowOneMinute(59.0 / 86400.0));
}

}  // namespace
}  // namespace navora
