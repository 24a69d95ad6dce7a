#pragma once

#include <QWidget>

#include "app/bridge/Notice.h"

namespace navora {

// The task bridge's notices as modal message boxes over `parent`: the icon
// and buttons of each style, the text exactly as given (Latin-1, as the
// engine's reports are), "NAVORA" as the caption.
class QtNotice : public Notice {
 public:
  explicit QtNotice(QWidget* parent) : parent_(parent) {}

  NoticeAnswer Show(std::string_view text, NoticeStyle style) override;

  void SetParent(QWidget* parent) { parent_ = parent; }

 private:
  QWidget* parent_;
};

// The caption of the program's message boxes.
inline constexpr char kNoticeCaption[] = "NAVORA";

}  // namespace navora
