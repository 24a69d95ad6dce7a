#include "engine/sightreduction/SightRecorderTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "engine/sightreduction/BodyNames.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

using Lines = std::vector<std::string>;

const std::string kHeader =
    " Body              UTC         hs      IC   Temp  Press   Ht  UT1-UTC  Quality";
const std::string kUnits = "                  h  m  s    o   ,      ,     C     mb    ft      s";

const double kSightTime = CalendarToJulian(2024, 3, 15, 10, 23, 45.0);

ObservationRecord SunLowerLimbSight() {
  return MakeObservationRecord(0, kBodyCodeSunLowerLimb, 0, kSightTime, -0.2, 15.4, 1013.4, 30.0,
                               35.0 + 12.3 / 60.0, -1.2 / 60.0, 4.57, kQualityAverage);
}

Lines Table(SightRecorderCarry& carry, int16_t first, const ObservationRecord& sight,
            EngineStatus expected = 0) {
  ReportLine lines[kSightRecorderMaxLines];
  int16_t count = -1;
  EXPECT_EQ(FormatSightRecorderTable(carry, first, sight, lines, count), expected);
  return Lines(lines, lines + count);
}

std::string Row(const ObservationRecord& sight) {
  ReportLine line;
  EXPECT_EQ(FormatSightRow(sight, line), 0);
  return line;
}

TEST(SightRecorderTableTest, RowHasEveryFieldInItsColumn) {
  EXPECT_EQ(Row(SunLowerLimbSight()),
            "Sun (Lower)      10:23:45   35 12.3   -1.2  +15   1013    15    -0.2   Average");

  // Below freezing, pressure and altitude rounding up, no height of eye.
  const ObservationRecord star = MakeObservationRecord(
      0, kBodyCodeStar, 1, kSightTime, 0.3, -3.6, 998.5, 30.0, 8.0 + 59.96 / 60.0, 0.5 / 60.0, 0.0,
      kQualityPoor);
  EXPECT_EQ(Row(star),
            "Alpheratz        10:23:45   09 00.0   +0.5  -04    999     0    +0.3   Poor   ");
}

TEST(SightRecorderTableTest, BatchTitleAndDateHeadings) {
  SightRecorderCarry carry;
  ObservationRecord sight = SunLowerLimbSight();
  const std::string row = Row(sight);
  EXPECT_EQ(Table(carry, 1, sight), (Lines{"                                 SIGHT RECORDER", " ",
                                    "               15 Mar 2024", kHeader, kUnits, row}));
  // Same date: the row alone.
  sight.time += 1.0 / 24.0;
  EXPECT_EQ(Table(carry, 0, sight), (Lines{Row(sight)}));
  // Seconds that round up to midnight belong to the next day's heading.
  sight.time = CalendarToJulian(2024, 3, 15, 23, 59, 59.7);
  const Lines nextDay = Table(carry, 0, sight);
  ASSERT_EQ(nextDay.size(), 5u);
  EXPECT_EQ(nextDay[1], "               16 Mar 2024");
  EXPECT_EQ(nextDay[4].substr(17, 8), "00:00:00");
  // A new batch prints its headings again even for the same date.
  EXPECT_EQ(Table(carry, 1, sight).size(), 6u);
}

TEST(SightRecorderTableTest, UnknownBodyOrGradeWritesNothing) {
  SightRecorderCarry carry;
  ObservationRecord sight = SunLowerLimbSight();
  ASSERT_EQ(Table(carry, 1, sight).size(), 6u);
  // Unknown codes, and star numbers outside the catalogue.
  for (auto [body, star] : {std::pair<uint16_t, uint16_t>{7, 0}, {21, 1}, {kBodyCodeStar, 0},
                            {kBodyCodeStar, 174}}) {
    sight.bodyCode = body;
    sight.starNumber = star;
    EXPECT_TRUE(Table(carry, 0, sight, kSightUnknownBody).empty()) << body << " " << star;
  }
  sight = SunLowerLimbSight();
  sight.sigma = 0.015;
  EXPECT_TRUE(Table(carry, 0, sight, kSightUnknownGrade).empty());
  ObservationRecord noAltitude = SunLowerLimbSight();
  noAltitude.hs = std::nan("");
  EXPECT_TRUE(Table(carry, 0, noAltitude, kSightBadAltitude).empty());
  // The failed sights did not move the remembered date.
  sight.sigma = 0.005;
  EXPECT_EQ(Table(carry, 0, sight), (Lines{Row(sight)}));
  EXPECT_NE(Row(sight).find("Good   "), std::string::npos);
}

}  // namespace
}  // namespace navora
