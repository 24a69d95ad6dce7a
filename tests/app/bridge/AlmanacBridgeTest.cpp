#include <gtest/gtest.h>

#include <cstring>

#include "app/bridge/AlmanacBridge.h"
#include "app/bridge/DataFileChecks.h"
#include "app/bridge/RecordingNotice.h"

namespace navora {
namespace {

constexpr char kHeadingFailed[] = "An error returned from the\n almanac heading routine.";
constexpr char kRowFailed[] = "An error was returned from\n the Almanac manager.";
constexpr double kJ2000 = 2451545.0;
constexpr double kHour = 1.0 / 24.0;

class AlmanacBridge : public ::testing::Test {
 protected:
  void SetUp() override { CheckDataFilesAtStartup(notice); }

  RecordingNotice notice;
};

TEST_F(AlmanacBridge, HeadingHandsBackItsLineCount) {
  struct Case {
    AlmanacKind kind;
    int16_t lineCount;
  };
  for (const Case c : {Case{kAlmanacSunMoonAries, 10}, Case{kAlmanacPlanets, 9},
                       Case{kAlmanacStarAtInstant, 12}, Case{kAlmanacStarForDay, 9}}) {
    AlmanacHeadingLines lines{};
    int16_t lineCount = 0;
    EXPECT_EQ(TaskAlmanacHeading(notice, kJ2000, 0.0, c.kind, kHour, lineCount, lines), 0);
    EXPECT_EQ(lineCount, c.lineCount) << c.kind;
    EXPECT_STREQ(lines[0], "                                    ALMANAC");
    EXPECT_GT(std::strlen(lines[lineCount - 1]), 0u);
  }
  EXPECT_TRUE(notice.shown.empty());
}

TEST_F(AlmanacBridge, HeadingFailureIsShownAndStopsTheTask) {
  AlmanacHeadingLines lines{};
  int16_t lineCount = 0;
  EXPECT_EQ(TaskAlmanacHeading(notice, kJ2000, 0.0, 5, kHour, lineCount, lines), 1);
  EXPECT_EQ(TaskAlmanacHeading(notice, kJ2000, 0.91, kAlmanacSunMoonAries, kHour, lineCount, lines),
            1);
  ASSERT_EQ(notice.shown.size(), 2u);
  for (const RecordingNotice::Shown& shown : notice.shown) {
    EXPECT_EQ(shown.text, kHeadingFailed);
    EXPECT_EQ(shown.style, kNoticeOk);
  }
}

TEST_F(AlmanacBridge, RowFailureIsShownAndStopsTheTask) {
  AlmanacLine row{};
  EXPECT_EQ(TaskAlmanac(notice, kJ2000, 0.0, kAlmanacStarAtInstant, 58, kHour, row), 0);
  EXPECT_TRUE(notice.shown.empty());
  EXPECT_EQ(TaskAlmanac(notice, kJ2000, 0.0, kAlmanacStarAtInstant, 59, kHour, row), 1);
  EXPECT_EQ(TaskAlmanac(notice, kJ2000, 0.0, 0, 1, kHour, row), 1);
  EXPECT_EQ(TaskAlmanac(notice, kJ2000, -0.91, kAlmanacStarForDay, 1, kHour, row), 1);
  ASSERT_EQ(notice.shown.size(), 3u);
  for (const RecordingNotice::Shown& shown : notice.shown) {
    EXPECT_EQ(shown.text, kRowFailed);
    EXPECT_EQ(shown.style, kNoticeOk);
  }
}

}  // namespace
}  // namespace navora
