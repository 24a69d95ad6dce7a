#include "app/tasks/InterruptCheck.h"

namespace navora {
namespace {

constexpr char kAbortQuestion[] = "Processing has been interrupted. Do\nyou want to abort?";

}  // namespace

bool KeyAbortsTask(Notice& notice, uint32_t keyCode) {
  if (keyCode == kKeyN || keyCode == kKeyAlt || keyCode == kKeyEnter) return false;
  return notice.Show(kAbortQuestion, kNoticeYesNoQuestion) == NoticeAnswer::kYes;
}

}  // namespace navora
