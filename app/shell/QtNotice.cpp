#include "app/shell/QtNotice.h"

#include <QMessageBox>

#include "app/bridge/LogBridge.h"
#include "app/shell/NightPalette.h"

namespace navora {

NoticeAnswer QtNotice::Show(std::string_view text, NoticeStyle style) {
  QMessageBox box(parent_);
  box.setWindowTitle(QString::fromLatin1(kNoticeCaption));
  box.setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  box.setTextFormat(Qt::PlainText);
  switch (style) {
    case kNoticeYesNoQuestion:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::No);
      break;
    case kNoticeYesNoCancelQuestion:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Yes);
      break;
    case kNoticeOkStop:
      box.setIcon(QMessageBox::Critical);
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case kNoticeOkCancelStop:
      box.setIcon(QMessageBox::Critical);
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case kNoticeOkInformation:
      box.setIcon(QMessageBox::Information);
      box.setStandardButtons(QMessageBox::Ok);
      break;
    default:
      box.setIcon(QMessageBox::Warning);
      box.setStandardButtons(QMessageBox::Ok);
      break;
  }
  // The style's icons are drawn in full colour, bright against the night palette.
  if (NightPaletteOn()) box.setIconPixmap(NightTinted(box.iconPixmap()));
  switch (box.exec()) {
    case QMessageBox::Yes:
      return NoticeAnswer::kYes;
    case QMessageBox::No:
      return NoticeAnswer::kNo;
    case QMessageBox::Cancel:
      return NoticeAnswer::kCancel;
    default:
      return NoticeAnswer::kOk;
  }
}

}  // namespace navora
