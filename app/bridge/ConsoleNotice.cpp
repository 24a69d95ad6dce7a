#include "app/bridge/ConsoleNotice.h"

#include <string>

#include "engine/common/TextEncoding.h"

namespace navora {

NoticeAnswer ConsoleNotice::Show(std::string_view text, NoticeStyle style) {
  const std::string shown = Latin1ToUtf8(text);
  std::fprintf(stream_, "%s\n", shown.c_str());
  if (!NoticeAsksQuestion(style)) return NoticeAnswer::kOk;

  NoticeAnswer answer = NoticeAnswer::kOk;
  if (style == kNoticeYesNoQuestion) {
    answer = acceptQuestions_ ? NoticeAnswer::kYes : NoticeAnswer::kNo;
  } else if (style == kNoticeYesNoCancelQuestion) {
    answer = acceptQuestions_ ? NoticeAnswer::kYes : NoticeAnswer::kCancel;
  } else {
    answer = acceptQuestions_ ? NoticeAnswer::kOk : NoticeAnswer::kCancel;
  }
  static constexpr const char* kAnswerNames[] = {"OK", "Cancel", "Yes", "No"};
  std::fprintf(stream_, "(answered %s: no one to ask)\n", kAnswerNames[static_cast<int>(answer)]);
  return answer;
}

}  // namespace navora
