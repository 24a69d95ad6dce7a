#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/almanac/AlmanacRow.h"
#include "engine/almanac/PrintedTable.h"
#include "engine/ephemeris/EphemerisReader.h"
#include "engine/time/Calendar.h"
#include "engine/time/DeltaT.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

using testing::ParsePlanetsRow;
using testing::ParseStarRow;
using testing::ParseSunMoonAriesRow;
using testing::PrintedPlanets;
using testing::PrintedStar;
using testing::PrintedSunMoonAries;

constexpr double kHourDays = 1.0 / 24.0;
constexpr double kMinuteDays = 1.0 / 1440.0;
constexpr double kThirtySecondsDays = 30.0 / 86400.0;
constexpr double kBeforeDeltaTTable = 2440400.5;
constexpr size_t kLongestReportLine = 78;

class AlmanacRow : public ::testing::Test {
 protected:
  void SetUp() override {
    double first = 0.0, last = 0.0;
    ASSERT_EQ(OpenEphemerisFile("1970-2025.eph", first, last), kStatusOk);
  }

  static std::string Row(double jd, double dut1, AlmanacKind kind, int16_t star, double interval) {
    AlmanacLine line;
    EXPECT_EQ(ComputeAlmanacRow(jd, dut1, kind, star, interval, line), kStatusOk);
    return line;
  }
};

TEST_F(AlmanacRow, RefusesBadKindsStarNumbersAndDut1) {
  const double jd = CalendarToJulian(2010, 6, 1, 0, 0, 0.0);
  AlmanacLine line;
  EXPECT_EQ(ComputeAlmanacRow(jd, 0.0, 0, 1, kHourDays, line), kRowBadKind);
  EXPECT_EQ(ComputeAlmanacRow(jd, 0.0, 5, 1, kHourDays, line), kRowBadKind);
  for (AlmanacKind kind : {kAlmanacStarAtInstant, kAlmanacStarForDay}) {
    EXPECT_EQ(ComputeAlmanacRow(jd, 0.0, kind, 0, kHourDays, line), kRowBadStarNumber);
    EXPECT_EQ(ComputeAlmanacRow(jd, 0.0, kind, 58, kHourDays, line), kStatusOk);
    EXPECT_EQ(ComputeAlmanacRow(jd, 0.0, kind, 59, kHourDays, line), kRowBadStarNumber);
    EXPECT_EQ(ComputeAlmanacRow(jd, 0.9, kind, 1, kHourDays, line), kStatusOk);
    EXPECT_EQ(ComputeAlmanacRow(jd, -0.9, kind, 1, kHourDays, line), kStatusOk);
    EXPECT_EQ(ComputeAlmanacRow(jd, 0.91, kind, 1, kHourDays, line), kRowBadDut1);
    EXPECT_EQ(ComputeAlmanacRow(jd, -0.91, kind, 1, kHourDays, line), kRowBadDut1);
    EXPECT_EQ(ComputeAlmanacRow(jd, std::nan(""), kind, 1, kHourDays, line), kRowBadDut1);
  }
  // The body tables leave DUT1 to their heading, and ignore the star number.
  EXPECT_EQ(ComputeAlmanacRow(jd, 0.95, kAlmanacSunMoonAries, 500, kHourDays, line), kStatusOk);
  EXPECT_EQ(ComputeAlmanacRow(jd, 0.95, kAlmanacPlanets, 500, kHourDays, line), kStatusOk);
}

TEST_F(AlmanacRow, ReportsMissingDeltaTByKindAndLeavesTheLineAlone) {
  AlmanacLine line;
  std::strcpy(line, "untouched");
  EXPECT_EQ(ComputeAlmanacRow(kBeforeDeltaTTable, 0.0, kAlmanacSunMoonAries, 1, kHourDays, line),
            kRowSunNoDeltaT);
  EXPECT_EQ(ComputeAlmanacRow(kBeforeDeltaTTable, 0.0, kAlmanacPlanets, 1, kHourDays, line),
            kRowPlanetsNoDeltaT);
  EXPECT_EQ(ComputeAlmanacRow(kBeforeDeltaTTable, 0.0, kAlmanacStarAtInstant, 1, kHourDays, line),
            kRowStarNoDeltaT);
  EXPECT_EQ(ComputeAlmanacRow(kBeforeDeltaTTable, 0.0, kAlmanacStarForDay, 1, kHourDays, line),
            kRowStarNoDeltaT);
  EXPECT_EQ(ComputeAlmanacRow(kBeforeDeltaTTable, 0.0, 9, 1, kHourDays, line), kRowBadKind);
  EXPECT_STREQ(line, "untouched");
}

TEST_F(AlmanacRow, MissingDeltaTFileStopsTheRowsAsWell) {
  double first = 0.0, last = 0.0;
  if (GetDeltaTCoverage(first, last) == kStatusOk) {
    GTEST_SKIP() << "the Delta T table was opened by an earlier test of this process";
  }
  testing::TemporaryDirectory empty;
  testing::ScopedWorkingDirectory inEmpty(empty.path());
  AlmanacLine line;
  const double jd = CalendarToJulian(2010, 6, 1, 0, 0, 0.0);
  EXPECT_EQ(ComputeAlmanacRow(jd, 0.0, kAlmanacSunMoonAries, 1, kHourDays, line), kRowSunNoDeltaT);
  EXPECT_EQ(ComputeAlmanacRow(jd, 0.0, kAlmanacStarForDay, 1, kHourDays, line), kRowStarNoDeltaT);
}

TEST_F(AlmanacRow, TimesToTheMinuteOrWithSeconds) {
  const double jd = CalendarToJulian(2015, 3, 20, 10, 29, 40.0);
  PrintedSunMoonAries sunMoon{};
  ASSERT_TRUE(ParseSunMoonAriesRow(Row(jd, 0.0, kAlmanacSunMoonAries, 1, kHourDays), sunMoon));
  EXPECT_EQ(sunMoon.time, "10:30");
  // Exactly one minute, however it was computed, still prints to the minute.
  ASSERT_TRUE(ParseSunMoonAriesRow(Row(jd, 0.0, kAlmanacSunMoonAries, 1, kMinuteDays), sunMoon));
  EXPECT_EQ(sunMoon.time, "10:30");
  ASSERT_TRUE(ParseSunMoonAriesRow(Row(jd, 0.0, kAlmanacSunMoonAries, 1, 60.0 / 86400.0), sunMoon));
  EXPECT_EQ(sunMoon.time, "10:30");
  ASSERT_TRUE(
      ParseSunMoonAriesRow(Row(jd, 0.0, kAlmanacSunMoonAries, 1, kThirtySecondsDays), sunMoon));
  EXPECT_EQ(sunMoon.time, "102940");

  PrintedPlanets planets{};
  ASSERT_TRUE(ParsePlanetsRow(Row(jd, 0.0, kAlmanacPlanets, 1, kHourDays), planets));
  EXPECT_EQ(planets.time, "10:30");
  ASSERT_TRUE(ParsePlanetsRow(Row(jd, 0.0, kAlmanacPlanets, 1, kThirtySecondsDays), planets));
  EXPECT_EQ(planets.time, "102940");

  // The printed time is UT1: DUT1 moves it.
  ASSERT_TRUE(
      ParseSunMoonAriesRow(Row(jd, 0.6, kAlmanacSunMoonAries, 1, kThirtySecondsDays), sunMoon));
  EXPECT_EQ(sunMoon.time, "102941");
  // Seconds that round to 60 carry through the hour into the next day.
  const double lastSecond = CalendarToJulian(2015, 3, 20, 23, 59, 59.7);
  ASSERT_TRUE(ParseSunMoonAriesRow(
      Row(lastSecond, 0.0, kAlmanacSunMoonAries, 1, kThirtySecondsDays), sunMoon));
  EXPECT_EQ(sunMoon.time, "000000");
}

TEST_F(AlmanacRow, BodyRowLayouts) {
  // 2021 January 1, 0h UT1: Sun S23 0.0, Moon N23 1.3 on the almanac page.
  const double jd = CalendarToJulian(2021, 1, 1, 0, 0, 0.0);
  for (double interval : {kHourDays, kThirtySecondsDays}) {
    const std::string sunMoon = Row(jd, 0.0, kAlmanacSunMoonAries, 1, interval);
    const std::string planets = Row(jd, 0.0, kAlmanacPlanets, 1, interval);
    EXPECT_LE(sunMoon.size(), kLongestReportLine);
    EXPECT_LE(planets.size(), kLongestReportLine);
    // Six-digit times are one character wider than "hh mm".
    const size_t shift = interval == kHourDays ? 0 : 1;
    // Column separators sit where the headings put them.
    EXPECT_EQ(sunMoon.find('|'), 7 + shift) << sunMoon;
    EXPECT_EQ(sunMoon.find('|', 9), 28 + shift) << sunMoon;
    EXPECT_EQ(sunMoon.rfind('|'), 66 + shift) << sunMoon;
    EXPECT_EQ(planets.find('|'), 5 + shift) << planets;
    EXPECT_EQ(planets.size(), 77 + shift) << planets;
    EXPECT_NE(sunMoon.find(" S23 "), std::string::npos) << sunMoon;
    EXPECT_NE(sunMoon.find(" N23 "), std::string::npos) << sunMoon;
  }
  EXPECT_EQ(Row(jd, 0.0, kAlmanacSunMoonAries, 1, kHourDays).substr(0, 10), " 00 00 | 1");
  EXPECT_EQ(Row(jd, 0.0, kAlmanacSunMoonAries, 1, kThirtySecondsDays).substr(0, 11), " 000000 | 1");
  EXPECT_EQ(Row(jd, 0.0, kAlmanacPlanets, 1, kHourDays).substr(0, 6), "00 00|");
  EXPECT_EQ(Row(jd, 0.0, kAlmanacPlanets, 1, kThirtySecondsDays).substr(0, 7), "000000|");
}

TEST_F(AlmanacRow, StarRowsWithMixedCaseNamesAndPolarisUnnumbered) {
  const double jd = CalendarToJulian(2021, 1, 2, 0, 0, 0.0);
  EXPECT_EQ(Row(jd, 0.0, kAlmanacStarForDay, 5, kHourDays).substr(0, 33),
            "         Achernar               5");
  EXPECT_EQ(Row(jd, 0.0, kAlmanacStarAtInstant, 38, kHourDays).substr(0, 28),
            "        Rigil Kent.       38");
  EXPECT_EQ(Row(jd, 0.0, kAlmanacStarAtInstant, 58, kHourDays).substr(0, 28),
            "        Polaris           --");
  EXPECT_EQ(Row(jd, 0.0, kAlmanacStarForDay, 58, kHourDays).substr(0, 33),
            "         Polaris               --");
  // Page values of 2021 January: Achernar SHA 335 22.6, Dec S57 08.2.
  EXPECT_EQ(Row(jd, 0.0, kAlmanacStarForDay, 5, kHourDays).substr(33),
            "          335 22.6          S57 08.2");

  for (int16_t star = 1; star <= kAlmanacLastStar; ++star) {
    for (AlmanacKind kind : {kAlmanacStarAtInstant, kAlmanacStarForDay}) {
      const std::string line = Row(jd, 0.0, kind, star, kHourDays);
      EXPECT_LE(line.size(), kLongestReportLine);
      PrintedStar row;
      ASSERT_TRUE(ParseStarRow(line, kind == kAlmanacStarAtInstant, row)) << line;
      EXPECT_EQ(row.number, star < 58 ? std::to_string(star) : "--");
    }
  }
}

TEST(StarNames, LettersAfterALetterAreLowered) {
  char text[14];
  MixedCaseStarName("ACHERNAR", text);
  EXPECT_STREQ(text, "Achernar");
  MixedCaseStarName("RIGIL KENT.", text);
  EXPECT_STREQ(text, "Rigil Kent.");
  MixedCaseStarName("Alpha ARA", text);
  EXPECT_STREQ(text, "Alpha Ara");
  MixedCaseStarName("Al Na'ir", text);
  EXPECT_STREQ(text, "Al Na'ir");
  MixedCaseStarName("Omicron2 CMA", text);
  EXPECT_STREQ(text, "Omicron2 Cma");
  MixedCaseStarName("", text);
  EXPECT_STREQ(text, "");
}

// The day's star table shows 12h UT of the UT1 date of the instant asked for.
TEST_F(AlmanacRow, StarsOfTheDayAreThoseOfNoonOfTheDate) {
  auto values = [](const std::string& line) {
    PrintedStar row;
    EXPECT_TRUE(ParseStarRow(line, line[8] != ' ', row)) << line;
    return std::to_string(row.sha) + " " + std::to_string(row.dec);
  };
  // Polaris's SHA, an hour angle near the pole, changes by tenths of a
  // minute from one day to the next, so a wrong instant shows in print.
  const int16_t polaris = 58;
  const std::string noon = values(Row(CalendarToJulian(2021, 6, 21, 12, 0, 0.0), 0.0,
                                      kAlmanacStarAtInstant, polaris, kHourDays));
  const std::string nextNoon = values(Row(CalendarToJulian(2021, 6, 22, 12, 0, 0.0), 0.0,
                                          kAlmanacStarAtInstant, polaris, kHourDays));
  ASSERT_NE(noon, nextNoon);
  EXPECT_EQ(values(Row(CalendarToJulian(2021, 6, 21, 0, 1, 0.0), 0.0, kAlmanacStarForDay, polaris,
                       kHourDays)),
            noon);
  EXPECT_EQ(values(Row(CalendarToJulian(2021, 6, 21, 23, 59, 0.0), 0.0, kAlmanacStarForDay, polaris,
                       kHourDays)),
            noon);
  EXPECT_EQ(values(Row(CalendarToJulian(2021, 6, 22, 0, 1, 0.0), 0.0, kAlmanacStarForDay, polaris,
                       kHourDays)),
            nextNoon);
  // Half a second before midnight UTC is already the next day in UT1.
  EXPECT_EQ(values(Row(CalendarToJulian(2021, 6, 21, 23, 59, 59.5), 0.9, kAlmanacStarForDay,
                       polaris, kHourDays)),
            nextNoon);
}

}  // namespace
}  // namespace navora
