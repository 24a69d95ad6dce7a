#include "app/bridge/RecordingNotice.h"

namespace navora {

NoticeAnswer RecordingNotice::Show(std::string_view text, NoticeStyle style) {
  shown.push_back({std::string(text), style});
  if (!answers.empty()) {
    const NoticeAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  const bool yesFirst = style == kNoticeYesNoQuestion || style == kNoticeYesNoCancelQuestion;
  return yesFirst ? NoticeAnswer::kYes : NoticeAnswer::kOk;
}

}  // namespace navora
