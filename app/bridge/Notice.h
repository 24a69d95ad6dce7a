#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace navora {

// The platform's message-box type values used for notices.
using NoticeStyle = uint32_t;
inline constexpr NoticeStyle kNoticeOk = 0;                    // OK button
inline constexpr NoticeStyle kNoticeYesNoQuestion = 4;         // Yes and No, question icon
inline constexpr NoticeStyle kNoticeOkStop = 16;               // OK button, stop icon
inline constexpr NoticeStyle kNoticeOkCancelStop = 17;         // OK and Cancel, stop icon
inline constexpr NoticeStyle kNoticeYesNoCancelQuestion = 35;  // Yes, No and Cancel, question icon

enum class NoticeAnswer { kOk, kCancel, kYes, kNo };

// True when the style offers a choice (Yes/No or OK/Cancel).
bool NoticeAsksQuestion(NoticeStyle style);

// A modal notice to the user: shows `text` exactly ('\n' breaks lines) and
// returns the button chosen. Texts may hold Latin-1 bytes from engine reports.
class Notice {
 public:
  virtual ~Notice() = default;
  virtual NoticeAnswer Show(std::string_view text, NoticeStyle style) = 0;
};

}  // namespace navora
