// The compass error's bridge entries: what the navigator is told for each
// failure and what the caller gets back.

#include <gtest/gtest.h>

#include "app/bridge/CompassBridge.h"
#include "app/bridge/RecordingNotice.h"

namespace navora {
namespace {

constexpr double kBeforeDeltaTJd = 2400000.5;  // outside the Delta T table
constexpr double kJd = 2460385.0;
const StarEntry kNoStar{};

TEST(CompassBridge, TellsEachFailureAndStopsTheTask) {
  PlaceContext places;
  ReportLine lines[kCompassErrorMaxLines];
  int lineCount = 0;
  double error = 0.0;
  const struct {
    double jd;
    BodyId body;
    const char* text;
    int returned;
  } kCases[] = {
      {kBeforeDeltaTJd, kSun, "  Error number  -1 returned\nfrom gyro/compass error.",
       kGyroCompassNoDeltaT},
      {kJd, kMercury, "  Error number   1 returned\nfrom gyro/compass error.", kCompassUnknownBody},
  };
  for (const auto& c : kCases) {
    RecordingNotice notice;
    EXPECT_EQ(TaskGyroCompassError(notice, places, c.jd, 0.0, c.body, kNoStar, 50.0, -4.0, 0.0,
                                   10.0, 0.0, false, lines, lineCount, error),
              c.returned);
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].text, c.text);
    EXPECT_EQ(notice.shown[0].style, kNoticeOk);
  }

  RecordingNotice notice;
  ReportLine table[kAzimuthPlanningMaxLines];
  EXPECT_LE(TaskCompassErrorPlanning(notice, places, kBeforeDeltaTJd, 0.0, 50.0, -4.0, 0.0, 90.0,
                                     table, lineCount),
            -1000);
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_EQ(notice.shown[0].text, "An error returned from\n Compass Error, Planning.");
}

}  // namespace
}  // namespace navora
