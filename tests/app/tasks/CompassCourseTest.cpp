// The compass commands' course: the observer advanced from the reference to
// the instant and the report appended.

#include <gtest/gtest.h>

#include <string>

#include "app/tasks/CompassCourse.h"
#include "engine/compass/CompassError.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

using testing::Jd;

class CompassCourse : public testing::AlmanacTaskFixture {
 protected:
  // Noon, 49 30 N 4 15 W, steering 270 at 12 knots: by 20:00 the ship has
  // run 96 miles west, 2 27.3' of longitude on the ellipsoid.
  PositionRecord reference = MakePositionRecord(kMotionRhumbLine, kPositionDr,
                                                Jd(2024, 3, 15, 12), 49.5, -4.25, 270.0, 12.0,
                                                0.0, 0.0);
  ReferenceState state;
};

TEST_F(CompassCourse, ReportsAtTheDeadReckoningPosition) {
  CompassPlanningRequest plan;
  plan.timeUtc = Jd(2024, 3, 15, 20);
  plan.reference = reference;
  plan.heightOfEyeM = 10.0;
  ASSERT_EQ(RunCompassPlanning(context, state, plan), TaskOutcome::kCompleted);
  std::vector<std::string> lines = Lines();
  ASSERT_GE(lines.size(), static_cast<size_t>(kAzimuthPlanningHeaderLines));
  EXPECT_EQ(lines[2], "                Date: 15 Mar 2024         Lat:   N 49 30.0");
  EXPECT_EQ(lines[3], "                        h m               Long:  W006 42.3");
  EXPECT_EQ(lines[6], "                                Course: 270.0");

  sink.text.clear();
  CompassErrorRequest bearing;
  bearing.timeUtc = Jd(2024, 3, 15, 20, 0, 30);
  bearing.reference = reference;
  bearing.body = kCompassStarBody;
  bearing.starNumber = 58;  // Polaris
  bearing.observed = 90.0;
  bearing.heading = 270.0;
  bearing.relative = true;
  double error = 99.0;
  ASSERT_EQ(RunCompassError(context, state, bearing, &error), TaskOutcome::kCompleted);
  lines = Lines();
  EXPECT_EQ(lines[4], "                Time: 20 00 30 UTC        Ht:        0 ft.");
  EXPECT_EQ(lines[6], "                         Body:               POLARIS");
  EXPECT_EQ(lines[10], "                         Observed Azimuth:   360.0");
  EXPECT_LT(std::abs(error), 1.5);  // Polaris is within a degree and a half of north
  EXPECT_TRUE(notice.shown.empty());
}

}  // namespace
}  // namespace navora
