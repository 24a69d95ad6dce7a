#include <gtest/gtest.h>

#include "app/bridge/RecordingNotice.h"
#include "app/tasks/InterruptCheck.h"

namespace navora {
namespace {

constexpr uint32_t kKeyEscape = 0x1B;

TEST(InterruptKeys, TypedAheadAnswersAndAltAndEnterAreIgnored) {
  RecordingNotice notice;
  for (const uint32_t key : {kKeyN, kKeyAlt, kKeyEnter}) EXPECT_FALSE(KeyAbortsTask(notice, key));
  EXPECT_TRUE(notice.shown.empty());
}

TEST(InterruptKeys, OtherKeysAskAndOnlyYesAborts) {
  RecordingNotice notice;
  notice.answers = {NoticeAnswer::kNo, NoticeAnswer::kYes};
  EXPECT_FALSE(KeyAbortsTask(notice, kKeyEscape));
  EXPECT_TRUE(KeyAbortsTask(notice, 'Y'));
  ASSERT_EQ(notice.shown.size(), 2u);
  EXPECT_EQ(notice.shown[0].text, "Processing has been interrupted. Do\nyou want to abort?");
  EXPECT_EQ(notice.shown[0].style, kNoticeYesNoQuestion);
}

}  // namespace
}  // namespace navora
