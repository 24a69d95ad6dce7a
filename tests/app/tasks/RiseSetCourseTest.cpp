// Complete layouts and the days a table gets are in the golden tables.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tasks/RiseSetCourse.h"
#include "app/tasks/SightTasks.h"
#include "support/TemporaryDirectory.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

using testing::Jd;

constexpr size_t kFixedSunHeading = 15;
constexpr size_t kUnderwayHeading = 17;
constexpr char kHighLatitudeNote[] = "Accuracy of rise/set times decreases at high latitudes.";
constexpr char kEngineRefused[] = "An error returned from Rise/Set.";

class RiseSetCourse : public testing::AlmanacTaskFixture {
 protected:
  RiseSetFixedRequest Fixed(BodyId body, double latitude, int days) const {
    RiseSetFixedRequest request;
    request.dateJd = Jd(2004, 6, 20);
    request.latitudeDeg = latitude;
    request.longitudeDeg = -4.25;
    request.body = body;
    request.days = days;
    return request;
  }

  RiseSetUnderwayRequest Underway(double referenceJd, double dateJd) const {
    RiseSetUnderwayRequest request;
    request.dateJd = dateJd;
    request.body = kSun;
    // motionMode 0 as entered: the command takes the reference as underway.
    request.reference = MakePositionRecord(kMotionNone, kPositionDr, referenceJd, 49.5, -4.25,
                                           250.0, 12.0, 0.0, 0.0);
    return request;
  }

  ReferenceState state;
};

TEST_F(RiseSetCourse, HighLatitudeNoteOncePerRunAndArmedAgain) {
  for (int run = 0; run < 2; ++run) {
    notice.shown.clear();
    sink.text.clear();
    ASSERT_EQ(RunRiseSetFixed(context, state, Fixed(kSun, 75.0, 3)), TaskOutcome::kCompleted);
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].text, kHighLatitudeNote);
    EXPECT_TRUE(state.highLatitudeNoteDue);
    EXPECT_EQ(Lines().size(), kFixedSunHeading + 3);
  }
}

TEST_F(RiseSetCourse, RefusalsKeepWhatWasAppended) {
  const struct {
    const char* what;
    RiseSetFixedRequest request;
    double ut1MinusUtc;
    const char* message;
    size_t lines;
  } cases[] = {
      {"UT1-UTC beyond 0.9 s", Fixed(kSun, 49.5, 2), 0.91, kEngineRefused, kFixedSunHeading},
      {"date beyond the ephemeris", Fixed(kSun, 49.5, 2), 0.0, "Date selected is out of range", 0},
  };
  for (auto c : cases) {
    notice.shown.clear();
    sink.text.clear();
    c.request.ut1MinusUtc = c.ut1MinusUtc;
    if (c.lines == 0) c.request.dateJd = Jd(2030, 1, 1);
    EXPECT_EQ(RunRiseSetFixed(context, state, c.request), TaskOutcome::kStopped) << c.what;
    ASSERT_EQ(notice.shown.size(), 1u) << c.what;
    EXPECT_EQ(notice.shown[0].text, c.message) << c.what;
    EXPECT_EQ(Lines().size(), c.lines) << c.what;
  }
}

TEST_F(RiseSetCourse, InterruptBetweenDays) {
  int asked = 0;
  context.interruptRequested = [&asked] { return ++asked == 2; };
  EXPECT_EQ(RunRiseSetFixed(context, state, Fixed(kSun, 49.5, 5)), TaskOutcome::kInterrupted);
  EXPECT_EQ(Lines().size(), kFixedSunHeading + 1);
}

TEST_F(RiseSetCourse, UnderwayPassesOverAnEmptyDayAndRefusesAStaleReference) {
  // Reference near midnight: nothing of that day is left, the next is listed.
  ASSERT_EQ(RunRiseSetUnderway(context, state, Underway(Jd(2004, 6, 20, 23, 30), Jd(2004, 6, 20))),
            TaskOutcome::kCompleted);
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), kUnderwayHeading + 7);
  EXPECT_TRUE(lines[kUnderwayHeading].starts_with("    Beg. Naut. Twi.    21 Jun"))
      << lines[kUnderwayHeading];
  EXPECT_TRUE(notice.shown.empty());

  sink.text.clear();
  EXPECT_EQ(RunRiseSetUnderway(context, state, Underway(Jd(2004, 6, 1), Jd(2004, 6, 20))),
            TaskOutcome::kStopped);
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_TRUE(notice.shown[0].text.starts_with("Input date is more than 10 days"));
  EXPECT_TRUE(sink.text.empty());
}

TEST(LatestSightConditions, TheLastRecordedSightsOrZero) {
  testing::TemporaryDirectory voyage;
  EventLog log;
  ASSERT_EQ(SetEventLogDirectory(log, (voyage.path() + "/").c_str()), 0);
  ASSERT_EQ(OpenEventLog(log), 2);
  ASSERT_EQ(AppendPositionEntry(
                log, MakePositionRecord(kMotionRhumbLine, kPositionExternalFix, Jd(2004, 6, 20),
                                        49.5, -4.25, 250.0, 12.0, 0.0, 0.0)),
            0);
  EXPECT_EQ(ReadLatestSightConditions(log).ut1MinusUtc, 0.0);
  // Recorded out of time order: the last one recorded counts.
  for (const auto& [hour, dut1] : {std::pair{10, 0.3}, std::pair{8, -0.2}}) {
    ObservationRecord sight = DefaultObservationRecord();
    sight.time = Jd(2004, 6, 20, hour);
    sight.ut1MinusUtc = dut1;
    sight.heightOfEye = hour;
    ASSERT_EQ(AppendSightEntry(log, sight), 0);
  }
  const LatestSightConditions latest = ReadLatestSightConditions(log);
  EXPECT_EQ(latest.ut1MinusUtc, -0.2);
  EXPECT_EQ(latest.heightOfEyeM, 8.0);
}

}  // namespace
}  // namespace navora
