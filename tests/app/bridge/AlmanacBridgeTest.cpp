// Successful calls and the heading's line count are exercised by every
// golden table; these cases pin what a failure shows.

#include <gtest/gtest.h>

#include "app/bridge/AlmanacBridge.h"
#include "app/bridge/DataFileChecks.h"
#include "app/bridge/RecordingNotice.h"

namespace navora {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kHour = 1.0 / 24.0;

TEST(AlmanacBridge, FailuresAreShownAndStopTheTask) {
  RecordingNotice notice;
  PlaceContext places;
  ASSERT_TRUE(CheckDataFilesAtStartup(notice, places));
  AlmanacHeadingLines lines{};
  int16_t lineCount = 0;
  EXPECT_EQ(TaskAlmanacHeading(notice, places, kJ2000, 0.0, 5, kHour, lineCount, lines), 1);
  EXPECT_EQ(TaskAlmanacHeading(notice, places, kJ2000, 0.91, kAlmanacPlanets, kHour, lineCount, lines), 1);
  AlmanacLine row{};
  EXPECT_EQ(TaskAlmanac(notice, places, kJ2000, 0.0, kAlmanacStarAtInstant, 58, kHour, row), 0);
  EXPECT_EQ(TaskAlmanac(notice, places, kJ2000, 0.0, kAlmanacStarAtInstant, 59, kHour, row), 1);
  EXPECT_EQ(TaskAlmanac(notice, places, kJ2000, -0.91, kAlmanacStarForDay, 1, kHour, row), 1);

  const char* const heading = "An error returned from the\n almanac heading routine.";
  const char* const manager = "An error was returned from\n the Almanac manager.";
  ASSERT_EQ(notice.shown.size(), 4u);
  for (size_t k = 0; k < notice.shown.size(); ++k) {
    EXPECT_EQ(notice.shown[k].text, k < 2 ? heading : manager);
    EXPECT_EQ(notice.shown[k].style, kNoticeOk);
  }
}

}  // namespace
}  // namespace navora
