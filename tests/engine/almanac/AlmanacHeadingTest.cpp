#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/almanac/AlmanacHeading.h"
#include "engine/almanac/AlmanacText.h"
#include "engine/ephemeris/EphemerisReader.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr double kHourDays = 1.0 / 24.0;
constexpr double kThirtySecondsDays = 30.0 / 86400.0;
constexpr double kBeforeDeltaTTable = 2440400.5;
constexpr size_t kLongestReportLine = 78;

// The page of 2021 January 2 (a Saturday): Sun S.D. 16.3', GHA Aries at 0h
// 101 51.0, magnitudes Venus -3.9, Mars -0.2, Jupiter -2.0, Saturn +0.6.
const double kJanuary2 = CalendarToJulian(2021, 1, 2, 0, 0, 0.0);

class AlmanacHeading : public ::testing::Test {
 protected:
  void SetUp() override {
    double first = 0.0, last = 0.0;
    ASSERT_EQ(OpenEphemerisFile("1970-2025.eph", first, last), kStatusOk);
  }

  static std::vector<std::string> Heading(double jd, double dut1, AlmanacKind kind,
                                          double interval) {
    AlmanacHeadingLines lines;
    int16_t last = -1;
    EXPECT_EQ(ComputeAlmanacHeading(jd, dut1, kind, interval, lines, last), kStatusOk);
    std::vector<std::string> texts;
    for (int16_t j = 0; j <= last && j < kAlmanacHeadingLineCount; ++j) {
      texts.emplace_back(lines[j]);
      EXPECT_LE(texts.back().size(), kLongestReportLine) << texts.back();
    }
    return texts;
  }
};

TEST_F(AlmanacHeading, SunMoonAries) {
  std::vector<std::string> expected = {
      "                                    ALMANAC",
      "    ",
      "                              2021 Jan  2 (Sat)",
      "    ",
      "                                SUN/MOON/ARIES",
      "    ",
      "       |        SUN  ,      |                MOON                 |  ARIES",
      "   UT  |    S.D. = 16.3     |                                     |",
      "       |   GHA       Dec.   |   GHA       Dec.    H.P.  S.D.  Ill.|   GHA",
      "  h  m |   o   ,     o   ,  |   o   ,     o   ,     ,     ,     % |   o   ,",
  };
  EXPECT_EQ(Heading(kJanuary2, 0.0, kAlmanacSunMoonAries, kHourDays), expected);

  expected[6] = "        |         SUN  ,     |                MOON                 |  ARIES";
  expected[7] = "   UT   |     S.D. = 16.3    |                                     |";
  expected[8] = "        |  G.H.A.     Dec.   |  G.H.A.     Dec.    H.P.  S.D.  Ill.|  G.H.A.";
  expected[9] = "  h m s |   o   ,     o   ,  |   o   ,     o   ,     ,     ,     % |   o   ,";
  EXPECT_EQ(Heading(kJanuary2, 0.0, kAlmanacSunMoonAries, kThirtySecondsDays), expected);
}

TEST_F(AlmanacHeading, PlanetsWithTheMagnitudesOfTheDay) {
  std::vector<std::string> expected = {
      "                                    ALMANAC",
      "    ",
      "                               2021 Jan  2 (Sat)",
      "    ",
      "                                    PLANETS",
      "     ",
      "  UT |    VENUS -3.9   |     MARS -0.2   |  JUPITER -2.0   |   SATURN +0.6",
      "     |   GHA      Dec. |  GHA       Dec. |  GHA       Dec. |  GHA       Dec.",
      " h  m|  o   ,    o   , |  o   ,    o   , |  o   ,    o   , |  o   ,    o   ,",
  };
  // Late in the day: the magnitudes are still those of 0h of the date.
  EXPECT_EQ(Heading(kJanuary2 + 0.9, 0.0, kAlmanacPlanets, kHourDays), expected);

  expected[6] = "  UT  |    VENUS -3.9   |     MARS -0.2   |  JUPITER -2.0   |   SATURN +0.6";
  expected[7] = "      |   GHA      Dec. |   GHA      Dec. |  GHA       Dec. |   GHA    Dec.";
  expected[8] = " h m s|  o   ,    o   , |  o   ,    o   , |  o   ,    o   , |  o   ,    o   ,";
  EXPECT_EQ(Heading(kJanuary2, 0.0, kAlmanacPlanets, kThirtySecondsDays), expected);
}

TEST_F(AlmanacHeading, StarsAtAnInstant) {
  std::vector<std::string> expected = {
      "                                    ALMANAC",
      "    ",
      "                                             h  m",
      "                          2021 Jan  2 (Sat) 00 00 UT",
      "    ",
      "                              NAVIGATIONAL STARS",
      "     ",
      "                                             o   ,",
      "                            GHA of ARIES = 101 51.0",
      "    ",
      "            NAME          No.       SHA            GHA          Dec.",
      "                                    o   ,         o   ,         o   ,",
  };
  EXPECT_EQ(Heading(kJanuary2, 0.0, kAlmanacStarAtInstant, 1.0 / 720.0), expected);

  expected[2] = "                                           h  m  s";
  expected[3] = "                        2021 Jan  2 (Sat) 00 00 00 UT";
  EXPECT_EQ(Heading(kJanuary2, 0.0, kAlmanacStarAtInstant, kThirtySecondsDays), expected);

  // The time printed is UT1 with its seconds rounded.
  const std::vector<std::string> later = Heading(CalendarToJulian(2021, 1, 2, 17, 5, 29.2), 0.4,
                                                 kAlmanacStarAtInstant, kThirtySecondsDays);
  EXPECT_EQ(later[3], "                        2021 Jan  2 (Sat) 17 05 30 UT");
}

TEST_F(AlmanacHeading, StarsOfTheDayAreDatedNoon) {
  const std::vector<std::string> expected = {
      "                                    ALMANAC",
      "    ",
      "                                             h  m",
      "                          2021 Jan  2 (Sat) 12 00 UT",
      "    ",
      "                              NAVIGATIONAL STARS",
      "     ",
      "             NAME              No.           SHA               Dec.",
      "                                             o   ,             o   ,",
  };
  EXPECT_EQ(Heading(kJanuary2, 0.0, kAlmanacStarForDay, kHourDays), expected);
  EXPECT_EQ(Heading(kJanuary2 + 23.99 / 24.0, 0.0, kAlmanacStarForDay, kThirtySecondsDays),
            expected);
}

TEST_F(AlmanacHeading, LastLineIndexByKind) {
  AlmanacHeadingLines lines;
  const int16_t expectedLast[] = {9, 8, 11, 8};
  for (AlmanacKind kind = 1; kind <= 4; ++kind) {
    int16_t last = -1;
    ASSERT_EQ(ComputeAlmanacHeading(kJanuary2, 0.0, kind, kHourDays, lines, last), kStatusOk);
    EXPECT_EQ(last, expectedLast[kind - 1]);
  }
}

TEST_F(AlmanacHeading, Statuses) {
  AlmanacHeadingLines lines;
  int16_t last = -1;
  EXPECT_EQ(ComputeAlmanacHeading(kJanuary2, 0.0, 0, kHourDays, lines, last), kHeadingBadKind);
  EXPECT_EQ(ComputeAlmanacHeading(kJanuary2, 0.0, 5, kHourDays, lines, last), kHeadingBadKind);
  // Every kind's heading checks DUT1.
  for (AlmanacKind kind = 1; kind <= 4; ++kind) {
    EXPECT_EQ(ComputeAlmanacHeading(kJanuary2, 0.9, kind, kHourDays, lines, last), kStatusOk);
    EXPECT_EQ(ComputeAlmanacHeading(kJanuary2, -0.91, kind, kHourDays, lines, last),
              kHeadingBadDut1);
  }
  EXPECT_EQ(
      ComputeAlmanacHeading(kBeforeDeltaTTable, 0.0, kAlmanacSunMoonAries, kHourDays, lines, last),
      kHeadingNoDeltaT);
  EXPECT_EQ(ComputeAlmanacHeading(kBeforeDeltaTTable, 0.0, kAlmanacPlanets, kHourDays, lines, last),
            kHeadingNoDeltaT);
  EXPECT_EQ(
      ComputeAlmanacHeading(kBeforeDeltaTTable, 0.0, kAlmanacStarAtInstant, kHourDays, lines, last),
      kHeadingNoTimeArguments);
  // The day's star heading computes nothing.
  EXPECT_EQ(
      ComputeAlmanacHeading(kBeforeDeltaTTable, 0.0, kAlmanacStarForDay, kHourDays, lines, last),
      kStatusOk);
}

TEST(AlmanacTexts, VenusMagnitudeIsBlankWhenThereIsNone) {
  MagnitudeText text;
  FormatMagnitudeText(50.0, text);
  EXPECT_STREQ(text, "    ");
  FormatMagnitudeText(-3.94, text);
  EXPECT_STREQ(text, "-3.9");
  FormatMagnitudeText(0.0, text);
  EXPECT_STREQ(text, "+0.0");
}

TEST(AlmanacIntervals, BelowOneMinutePrintsSeconds) {
  EXPECT_FALSE(IntervalBelowOneMinute(1.0 / 24.0));
  EXPECT_FALSE(IntervalBelowOneMinute(1.0 / 1440.0));
  EXPECT_FALSE(IntervalBelowOneMinute(60.0 / 86400.0));
  EXPECT_FALSE(IntervalBelowOneMinute(1.0 / 1440.0 - 1e-15));
  EXPECT_TRUE(IntervalBelowOneMinute(59.0 / 86400.0));
  EXPECT_TRUE(IntervalBelowOneMinute(30.0 / 86400.0));
  EXPECT_TRUE(IntervalBelowOneMinute(1.0 / 86400.0));
}

}  // namespace
}  // namespace navora
