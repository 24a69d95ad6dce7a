// The sight reduction's bridge entries: what each status of the reduction
// and of the fix report tells the navigator, with which icon.

#include <gtest/gtest.h>

#include <string>

#include "app/bridge/RecordingNotice.h"
#include "app/bridge/SightReductionBridge.h"

namespace navora {
namespace {

constexpr char kNoMemory[] = "Insufficient memory available\n for this operation.";
constexpr char kNoSolution[] = "A solution is not possible\nwith this these observations.";

struct Told {
  EngineStatus status;
  const char* text;  // nullptr: nothing shown
  NoticeStyle style;
};

void ExpectTold(const Told& expected, int returned, const RecordingNotice& notice) {
  SCOPED_TRACE(expected.status);
  EXPECT_EQ(returned, expected.status);
  if (expected.text == nullptr) {
    EXPECT_TRUE(notice.shown.empty());
    return;
  }
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_EQ(notice.shown[0].text, expected.text);
  EXPECT_EQ(notice.shown[0].style, expected.style);
}

TEST(SightReductionBridge, EachReductionStatusHasItsMessageAndIcon) {
  const Told cases[] = {
      {0, nullptr, 0},
      {1, "Error number 1 occurred in\n Sight Reduction.", kNoticeOk},
      {2, "Error number 2 occurred in\n Sight Reduction.", kNoticeOk},
      {3, kNoSolution, kNoticeOkStop},
      {4, "A solution is not possible\nwhen no observations. are\nincluded.", kNoticeOkStop},
      {5, "Error number 5 occurred in\n Sight Reduction.", kNoticeOk},
      {6, "Error number 6 occurred in\n Sight Reduction.", kNoticeOk},
      {7, "Error number 7 occurred in\n Sight Reduction.", kNoticeOk},
      {8, kNoSolution, kNoticeOkStop},
      {-99, kNoMemory, kNoticeOk},
  };
  for (const Told& expected : cases) {
    RecordingNotice notice;
    ExpectTold(expected, TellSightReductionStatus(notice, expected.status), notice);
  }
}

TEST(SightReductionBridge, EachReportStatusHasItsMessage) {
  constexpr char kReportFailed[] = "An error returned from the\nSight Reduction table routine.";
  const Told cases[] = {
      {0, nullptr, 0},
      {1, kNoMemory, kNoticeOk},
      {11, kNoMemory, kNoticeOk},
      {21, kReportFailed, kNoticeOk},
      {-98, kReportFailed, kNoticeOk},
  };
  for (const Told& expected : cases) {
    RecordingNotice notice;
    ExpectTold(expected, TellFixReportStatus(notice, expected.status), notice);
  }
}

TEST(SightReductionBridge, ReductionWithoutLegsOrSightsIsToldAsAnErrorNumber) {
  PlaceContext context;
  LegRecord legs[kMaxLegs];
  ObservationRecord sights[1];
  ReducedObservation reduced[1];
  FixSolution out;
  struct Case {
    size_t legs;
    size_t sights;
    Told told;
  };
  const Case cases[] = {
      {0, 1, {1, "Error number 1 occurred in\n Sight Reduction.", kNoticeOk}},
      {1, 0, {2, "Error number 2 occurred in\n Sight Reduction.", kNoticeOk}},
  };
  for (const Case& c : cases) {
    RecordingNotice notice;
    const int returned =
        TaskSightReduction(notice, context, kReduceOnly, 2460400.5, 0.0, std::span(legs, c.legs),
                           std::span(sights, c.sights), std::span(reduced, c.sights), out);
    ExpectTold(c.told, returned, notice);
  }
}

}  // namespace
}  // namespace navora
