#include "app/dialogs/CommentDialog.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QVBoxLayout>

namespace navora {
namespace {

constexpr int kCommentPointSize = 8;
constexpr int kCommentColumns = 80;  // a log line and a margin
constexpr int kCommentRows = 12;

// The log's fixed-pitch face, or the system's when it is missing.
QFont CommentFont() {
  QFont font(QStringLiteral("FixedSys"), kCommentPointSize);
  font.setStyleHint(QFont::TypeWriter);
  if (!QFontInfo(font).fixedPitch()) {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kCommentPointSize);
  }
  return font;
}

}  // namespace

CommentDialog::CommentDialog(QWidget* parent) : QDialog(parent), editor_(new QPlainTextEdit(this)) {
  setWindowTitle(QStringLiteral("Enter a Comment"));
  auto* layout = new QVBoxLayout(this);
  editor_->setFont(CommentFont());
  editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor_->setTabChangesFocus(true);
  const QFontMetrics metrics(editor_->font());
  editor_->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('x')) * kCommentColumns,
                          metrics.lineSpacing() * kCommentRows);
  layout->addWidget(editor_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::string CommentDialog::Comment() const {
  return editor_->toPlainText().toLatin1().toStdString();
}

}  // namespace navora
