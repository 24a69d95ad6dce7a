#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/bridge/Notice.h"

namespace navora {

// Keeps every notice shown, for tests. Answers come from `answers` in order;
// when it is empty, a question gets its first button (OK or Yes) and any
// other notice OK.
class RecordingNotice : public Notice {
 public:
  struct Shown {
    std::string text;
    NoticeStyle style;
  };

  NoticeAnswer Show(std::string_view text, NoticeStyle style) override;

  std::vector<Shown> shown;
  std::deque<NoticeAnswer> answers;
};

}  // namespace navora
