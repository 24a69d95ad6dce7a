#include "app/shell/WorksheetWindow.h"

#include <QFontDatabase>
#include <QTextCursor>
#include <QVBoxLayout>
#include <string>

namespace navora {

WorksheetWindow::WorksheetWindow(QWidget* parent) : QWidget(parent), editor_(new QTextEdit(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(editor_);
  editor_->setLineWrapMode(QTextEdit::NoWrap);
  editor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void WorksheetWindow::AppendReport(std::string_view text) {
  QString converted = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  converted.remove(QLatin1Char('\r'));
  QTextCursor cursor(editor_->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(converted);
  editor_->document()->setModified(true);
}

void WorksheetWindow::SetTitle(const QString& title) {
  title_ = title;
  setWindowTitle(title);
}

void WorksheetWindow::LineSink::AppendLine(std::string_view line) {
  std::string text(line);
  text.append("\r\n");
  window_.AppendReport(text);
}

}  // namespace navora
