#include "engine/log/LogEntries.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

#include "engine/common/BodyId.h"
#include "engine/sightreduction/BodyNames.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

using Lines = std::vector<std::string>;

const std::string kTableHeader =
    "            Date        UTC      Latitude   Longitude   Course  Speed";
const std::string kTableMarks =
    "                       h  m  s     o   ,       o   ,       o     kn.";
const std::string kSightDate = "               15 Mar 2024";
const std::string kSightHeader =
    " Body              UTC         hs      IC   Temp  Press   Ht  UT1-UTC  Quality";
const std::string kSightUnits =
    "                  h  m  s    o   ,      ,     C     mb    ft      s";

PositionRecord DrUpdate() {
  return MakePositionRecord(kMotionRhumbLine, kPositionDr,
                            CalendarToJulian(2024, 3, 15, 10, 23, 45.0), 36.76,
                            -(122.0 + 3.2 / 60.0), 245.0, 12.5, 0.0, 0.0);
}
const std::string kDrRow = "         15 Mar 2024  10:23:45   N36 45.6   W122 03.2   245.0   12.5";

ObservationRecord MoonSight() {
  return MakeObservationRecord(0, kBodyCodeMoonUpperLimb, 0,
                               CalendarToJulian(2024, 3, 15, 6, 5, 9.0), 0.1, 22.5, 1021.0, 30.0,
                               52.0 + 7.4 / 60.0, 2.1 / 60.0, 10.0, kQualityGood);
}
const std::string kMoonRow =
    "Moon (Upper)     06:05:09   52 07.4   +2.1  +23   1021    33    +0.1   Good   ";

Lines AsLines(const ReportLine* lines, int count) {
  Lines result(lines, lines + count);
  for (const std::string& line : result) {
    EXPECT_LE(line.size(), 78u) << line;
  }
  return result;
}

TEST(LogEntriesTest, NewPositionEntryHeadingsByTypeAndInitialFlag) {
  ReportLine lines[kNewPositionEntryLines];
  ASSERT_EQ(FormatNewPositionEntry(DrUpdate(), 0, lines), 0);
  EXPECT_EQ(AsLines(lines, kNewPositionEntryLines),
            (Lines{"                                  DR UPDATE", " ", kTableHeader, kTableMarks,
                   kDrRow}));

  PositionRecord position = DrUpdate();
  position.positionType = kPositionCelestialFix;
  ASSERT_EQ(FormatNewPositionEntry(position, 1, lines), 0);
  EXPECT_STREQ(lines[0], "                                 INITIAL FIX");
  position.positionType = 4;
  EXPECT_EQ(FormatNewPositionEntry(position, 1, lines), 1);
}

TEST(LogEntriesTest, DeletionHeadingIsCentredOnColumn39) {
  ReportLine lines[kPositionDeletionLines];
  ASSERT_EQ(FormatPositionDeletion(DrUpdate(), lines), 0);
  EXPECT_EQ(
      AsLines(lines, kPositionDeletionLines),
      (Lines{std::string(31, ' ') + "DELETE DR UPDATE", " ", kTableHeader, kTableMarks, kDrRow}));

  PositionRecord position = DrUpdate();
  position.positionType = kPositionUserDefined;
  ASSERT_EQ(FormatPositionDeletion(position, lines), 0);
  EXPECT_EQ(std::string(lines[0]), std::string(32, ' ') + "DELETE POSITION");
  position.positionType = 7;
  EXPECT_EQ(FormatPositionDeletion(position, lines), 1);
}

TEST(LogEntriesTest, PositionCorrectionShowsBothRecordsUnderTheOldType) {
  PositionRecord before = DrUpdate();
  before.positionType = kPositionExternalFix;
  PositionRecord after = before;
  after.positionType = kPositionDr;
  after.latitude = -(5.0 + 0.04 / 60.0);
  after.longitude = 7.5;
  after.course = 359.97;
  after.speed = 6.0;
  ReportLine lines[kPositionCorrectionLines];
  ASSERT_EQ(FormatPositionCorrection(before, after, lines), 0);
  EXPECT_EQ(
      AsLines(lines, kPositionCorrectionLines),
      (Lines{std::string(29, ' ') + "CORRECT EXTERNAL FIX", "Before correction ...", kTableHeader,
             kTableMarks, kDrRow, " ", "After correction ...", kTableHeader, kTableMarks,
             "         15 Mar 2024  10:23:45   S05 00.0   E007 30.0   000.0   06.0"}));
  before.positionType = 4;
  EXPECT_EQ(FormatPositionCorrection(before, after, lines), 1);
}

// A record beyond the poles or not a number is refused by every position
// entry rather than printed as a position.
TEST(LogEntriesTest, PositionsOutsideTheDomainAreRefused) {
  ReportLine lines[kPositionCorrectionLines];
  for (double latitude : {95.0, std::nan("")}) {
    PositionRecord bad = DrUpdate();
    bad.latitude = latitude;
    EXPECT_EQ(FormatNewPositionEntry(bad, 0, lines), kStatusOutOfDomain) << latitude;
    EXPECT_EQ(FormatPositionDeletion(bad, lines), kStatusOutOfDomain) << latitude;
    EXPECT_EQ(FormatPositionCorrection(bad, DrUpdate(), lines), kStatusOutOfDomain) << latitude;
    EXPECT_EQ(FormatPositionCorrection(DrUpdate(), bad, lines), kStatusOutOfDomain) << latitude;
  }
}

TEST(LogEntriesTest, SightDeletionAndCorrection) {
  ReportLine lines[kSightCorrectionLines];
  ASSERT_EQ(FormatSightDeletion(MoonSight(), lines), 0);
  EXPECT_EQ(AsLines(lines, kSightDeletionLines),
            (Lines{"                                 DELETE SIGHT", " ", kSightDate, kSightHeader,
                   kSightUnits, kMoonRow}));

  ObservationRecord after = MoonSight();
  after.bodyCode = kVenus;
  after.time += 1.0;
  after.sigma = 0.01;
  ASSERT_EQ(FormatSightCorrection(MoonSight(), after, lines), 0);
  EXPECT_EQ(AsLines(lines, kSightCorrectionLines),
            (Lines{"                                 CORRECT SIGHT", "Before correction ...",
                   kSightDate, kSightHeader, kSightUnits, kMoonRow, " ", "After correction ...",
                   "               16 Mar 2024", kSightHeader, kSightUnits,
                   "Venus            06:05:09   52 07.4   +2.1  +23   1021    33    +0.1   "
                   "Average"}));

  after.bodyCode = 3;
  EXPECT_EQ(FormatSightCorrection(MoonSight(), after, lines), 1);
  after = MoonSight();
  after.sigma = 0.5;
  EXPECT_EQ(FormatSightDeletion(after, lines), 2);
}

}  // namespace
}  // namespace navora
