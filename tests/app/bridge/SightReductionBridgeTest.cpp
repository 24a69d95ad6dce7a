// What each status of the sight reduction and of the fix report tells the
// navigator, with which icon.

#include <gtest/gtest.h>

#include "app/bridge/RecordingNotice.h"
#include "app/bridge/SightReductionBridge.h"

namespace navora {
namespace {

TEST(SightReductionBridge, EachStatusHasItsMessageAndIcon) {
  constexpr char kNoMemory[] = "Insufficient memory available\n for this operation.";
  constexpr char kNoSolution[] = "A solution is not possible\nwith this these observations.";
  constexpr char kReport[] = "An error returned from the\nSight Reduction table routine.";
  using Tell = int (*)(Notice&, EngineStatus);
  struct Case {
    Tell tell;
    EngineStatus status;
    const char* text;  // nullptr: nothing shown
    NoticeStyle style;
  };
  const Tell reduction = TellSightReductionStatus;
  const Tell report = TellFixReportStatus;
  const Case cases[] = {
      {reduction, 0, nullptr, 0},
      {reduction, 1, "Error number 1 occurred in\n Sight Reduction.", kNoticeOk},
      {reduction, 2, "Error number 2 occurred in\n Sight Reduction.", kNoticeOk},
      {reduction, 3, kNoSolution, kNoticeOkStop},
      {reduction, 4, "A solution is not possible\nwhen no observations. are\nincluded.",
       kNoticeOkStop},
      {reduction, 7, "Error number 7 occurred in\n Sight Reduction.", kNoticeOk},
      {reduction, 8, kNoSolution, kNoticeOkStop},
      {reduction, -99, kNoMemory, kNoticeOk},
      {report, 0, nullptr, 0},
      {report, 1, kNoMemory, kNoticeOk},
      {report, 11, kNoMemory, kNoticeOk},
      {report, 21, kReport, kNoticeOk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.tell == report ? "report " : "reduction ") << c.status);
    RecordingNotice notice;
    EXPECT_EQ(c.tell(notice, c.status), c.status);
    ASSERT_EQ(notice.shown.size(), c.text == nullptr ? 0u : 1u);
    if (c.text == nullptr) continue;
    EXPECT_EQ(notice.shown[0].text, c.text);
    EXPECT_EQ(notice.shown[0].style, c.style);
  }
}

}  // namespace
}  // namespace navora
