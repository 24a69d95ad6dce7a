#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "engine/position/PositionReport.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

std::string Blanks(int count) { return std::string(static_cast<size_t>(count), ' '); }

double Rounded(double angle) {
  double rounded = -1.0;
  EXPECT_EQ(RoundAngle360(angle, rounded), kStatusOk);
  return rounded;
}

TEST(RoundAngle360, ReducesAndWrapsWhatWouldPrintAs360) {
  EXPECT_EQ(Rounded(359.95), 0.0);
  EXPECT_DOUBLE_EQ(Rounded(359.94), 359.94);
  EXPECT_EQ(Rounded(-0.04), 0.0);
  EXPECT_DOUBLE_EQ(Rounded(725.0), 5.0);
  EXPECT_FALSE(std::signbit(Rounded(-0.0)));
}

TEST(SplitPositionForReport, CarriesRoundedSecondsIntoTheNextYear) {
  PositionRecord position;
  position.positionType = 4;
  position.time = CalendarToJulian(2004, 12, 31, 23, 59, 59.6);
  position.latitude = -0.0004;
  position.longitude = -123.25;
  position.course = 359.97;
  position.set = -90.0;
  PositionReportParts parts;
  ASSERT_EQ(SplitPositionForReport(position, parts), kStatusOk);
  EXPECT_STREQ(parts.typeName, "       ");
  EXPECT_EQ(parts.day, 1);
  EXPECT_STREQ(parts.month, "Jan");
  EXPECT_EQ(parts.year, 2005);
  EXPECT_EQ(parts.hour, 0);
  EXPECT_EQ(parts.minute, 0);
  EXPECT_EQ(parts.seconds, 0.0);
  EXPECT_EQ(parts.latitudeLetter, ' ');
  EXPECT_EQ(parts.latitudeDegrees, 0);
  EXPECT_EQ(parts.longitudeLetter, 'W');
  EXPECT_EQ(parts.course, 0.0);
  EXPECT_DOUBLE_EQ(parts.set, 270.0);
}

TEST(FormatPositionTimeBlock, ToTheMinuteOrTheSecond) {
  ReportLine lines[kPositionTimeBlockLines];
  const double jd = CalendarToJulian(2003, 7, 4, 14, 5, 40.0);
  ASSERT_EQ(FormatPositionTimeBlock(jd, 12.5, -123.25, 4.57, 0, lines), kStatusOk);
  EXPECT_EQ(std::string(lines[0]), Blanks(52) + "o   ,");
  EXPECT_STREQ(lines[1], "                Date:  4 Jul 2003         Lat:   N 12 30.0");
  EXPECT_STREQ(lines[2], "                        h m               Long:  W123 15.0");
  EXPECT_STREQ(lines[3], "                Time:  1406 UTC           Ht:       15 ft.");

  // To the second, with the carry of a rounded second into the next year.
  ASSERT_EQ(FormatPositionTimeBlock(jd, 0.0, 8.5, 0.0, 1, lines), kStatusOk);
  EXPECT_STREQ(lines[1], "                Date:  4 Jul 2003         Lat:     00 00.0");
  EXPECT_STREQ(lines[2], "                       h  m  s            Long:  E008 30.0");
  EXPECT_STREQ(lines[3], "                Time: 14 05 40 UTC        Ht:        0 ft.");

  const double newYear = CalendarToJulian(2004, 12, 31, 23, 59, 59.6);
  ASSERT_EQ(FormatPositionTimeBlock(newYear, -60.75, 179.99999, 30.0, 1, lines), kStatusOk);
  EXPECT_STREQ(lines[1], "                Date:  1 Jan 2005         Lat:   S 60 45.0");
  EXPECT_STREQ(lines[2], "                       h  m  s            Long:  E180 00.0");
  EXPECT_STREQ(lines[3], "                Time: 00 00 00 UTC        Ht:       98 ft.");
}

TEST(FormatSiteBlock, Lines) {
  ReportLine lines[kSiteBlockLines];
  ASSERT_EQ(FormatSiteBlock(-(33.0 + 52.0 / 60.0), 151.2, 10.0, lines), kStatusOk);
  EXPECT_EQ(std::string(lines[0]), Blanks(41) + "o   ,");
  EXPECT_STREQ(lines[1], "                               Lat:   S 33 52.0");
  EXPECT_STREQ(lines[2], "                               Long:  E151 12.0");
  EXPECT_STREQ(lines[3], "                               Ht:       33 ft.");
}

TEST(FormatCourseSpeedBlock, ShortAndLongForms) {
  ReportLine lines[kCourseSpeedBlockLines];
  ASSERT_EQ(FormatCourseSpeedBlock(359.97, 10.2, 135.0, 2.0, 1, lines), kStatusOk);
  EXPECT_EQ(std::string(lines[0]), Blanks(42) + "o");
  EXPECT_STREQ(lines[1], "                               Course: 000.0");
  EXPECT_STREQ(lines[2], "                               Speed:  10.2 kn.");

  ASSERT_EQ(FormatCourseSpeedBlock(359.97, 10.2, -45.0, 2.0, 0, lines), kStatusOk);
  EXPECT_EQ(std::string(lines[0]), Blanks(27) + "o" + Blanks(24) + "o");
  EXPECT_STREQ(lines[1], "                Course: 000.0             Set:   315.0");
  EXPECT_STREQ(lines[2], "                Speed:   10.2 kn.         Drift:  02.0 kn.");
}

TEST(PositionReportBlocks, ExtremeValuesStayWithinTheLine) {
  ReportLine lines[kPositionTimeBlockLines];
  ASSERT_EQ(FormatPositionTimeBlock(2451545.0, -89.99, -179.99, 1e9, 0, lines), kStatusOk);
  EXPECT_STREQ(lines[3], "                Time:  1200 UTC           Ht:      32767 ft.");
  ASSERT_EQ(FormatCourseSpeedBlock(1e300, 1e300, -1e300, 1e300, 0, lines), kStatusOk);
  for (int i = 0; i < kCourseSpeedBlockLines; ++i) EXPECT_LE(std::strlen(lines[i]), 78u);
}

}  // namespace
}  // namespace navora
