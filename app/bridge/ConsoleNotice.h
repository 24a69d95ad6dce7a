#pragma once

#include <cstdio>

#include "app/bridge/Notice.h"

namespace navora {

// Notices of a non-interactive console program: the text goes to `stream`
// (UTF-8, one line break added). Nobody is there to answer, so a question gets
// the caller's default: Yes/OK when `acceptQuestions`, else No/Cancel; the
// answer given is printed after the text.
class ConsoleNotice : public Notice {
 public:
  explicit ConsoleNotice(bool acceptQuestions = false, std::FILE* stream = stderr)
      : acceptQuestions_(acceptQuestions), stream_(stream) {}

  NoticeAnswer Show(std::string_view text, NoticeStyle style) override;

 private:
  bool acceptQuestions_;
  std::FILE* stream_;
};

}  // namespace navora
