#include <gtest/gtest.h>

#include "app/bridge/AlmanacBridge.h"
#include "app/bridge/DataFileChecks.h"
#include "app/bridge/RecordingNotice.h"

namespace navora {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kHour = 1.0 / 24.0;

TEST(AlmanacBridge, HeadingHandsBackItsLineCountOrStops) {
  RecordingNotice notice;
  CheckDataFilesAtStartup(notice);
  AlmanacHeadingLines lines{};
  int16_t lineCount = 0;
  const int16_t expectedCounts[] = {10, 9, 12, 9};
  for (AlmanacKind kind = kAlmanacSunMoonAries; kind <= kAlmanacStarForDay; ++kind) {
    EXPECT_EQ(TaskAlmanacHeading(notice, kJ2000, 0.0, kind, kHour, lineCount, lines), 0);
    EXPECT_EQ(lineCount, expectedCounts[kind - 1]) << kind;
  }
  EXPECT_TRUE(notice.shown.empty());

  EXPECT_EQ(TaskAlmanacHeading(notice, kJ2000, 0.0, 5, kHour, lineCount, lines), 1);
  EXPECT_EQ(TaskAlmanacHeading(notice, kJ2000, 0.91, kAlmanacPlanets, kHour, lineCount, lines), 1);
  ASSERT_EQ(notice.shown.size(), 2u);
  EXPECT_EQ(notice.shown[1].text, "An error returned from the\n almanac heading routine.");
  EXPECT_EQ(notice.shown[1].style, kNoticeOk);
}

TEST(AlmanacBridge, RowFailureIsShownAndStopsTheTask) {
  RecordingNotice notice;
  CheckDataFilesAtStartup(notice);
  AlmanacLine row{};
  EXPECT_EQ(TaskAlmanac(notice, kJ2000, 0.0, kAlmanacStarAtInstant, 58, kHour, row), 0);
  EXPECT_TRUE(notice.shown.empty());
  EXPECT_EQ(TaskAlmanac(notice, kJ2000, 0.0, kAlmanacStarAtInstant, 59, kHour, row), 1);
  EXPECT_EQ(TaskAlmanac(notice, kJ2000, -0.91, kAlmanacStarForDay, 1, kHour, row), 1);
  ASSERT_EQ(notice.shown.size(), 2u);
  EXPECT_EQ(notice.shown[1].text, "An error was returned from\n the Almanac manager.");
  EXPECT_EQ(notice.shown[1].style, kNoticeOk);
}

}  // namespace
}  // namespace navora
