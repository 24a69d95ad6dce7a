#include "app/shell/LogWindow.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QTextCursor>
#include <QVBoxLayout>
#include <utility>

#include "app/shell/SettingsStore.h"
#include "app/shell/WorksheetWindow.h"

namespace navora {

namespace {

// The stored log font, refined by the stored character format (which the
// font editor of the log windows writes beside it).
QTextCharFormat LogCharFormat() {
  QTextCharFormat format;
  format.setFont(LoadFont(kLogFontSection).value_or(WorksheetWindow::DefaultFont()));
  if (const std::optional<QTextCharFormat> stored = LoadCharFormat(kLogCharFormatSection)) {
    format.merge(*stored);
  }
  return format;
}

}  // namespace

LogWindow::LogWindow(const QString& title, QString path)
    : view_(new QTextEdit(this)), format_(LogCharFormat()), path_(std::move(path)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  view_->setReadOnly(true);
  view_->setLineWrapMode(QTextEdit::NoWrap);
  view_->setFont(format_.font());
  view_->setCurrentCharFormat(format_);
  setWindowTitle(title);
}

LogWindow* LogWindow::NewCurrentLog(std::function<bool()> closing, std::function<void()> hidden) {
  auto* window = new LogWindow(QString::fromLatin1(kCurrentLogTitle), QString());
  window->closing_ = std::move(closing);
  window->hidden_ = std::move(hidden);
  return window;
}

LogWindow* LogWindow::NewArchivedLog(const QString& path) {
  const QFileInfo file(path);
  return new LogWindow(file.fileName() + QString::fromLatin1(kReadOnlySuffix),
                       file.absoluteFilePath());
}

void LogWindow::AppendLines(const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  // Each line ends in its break, as the log's pending text does.
  QString text;
  for (const std::string& line : lines) {
    text.append(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    text.append(QLatin1Char('\n'));
  }
  QTextCursor cursor(view_->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text, format_);
  view_->setTextCursor(cursor);
  view_->ensureCursorVisible();
}

void LogWindow::Clear() { view_->clear(); }

void LogWindow::PlaceFrame() {
  if (QWidget* frame = parentWidget()) LoadPlacement(kLogPlacementSection, *frame);
}

void LogWindow::closeEvent(QCloseEvent* event) {
  if (QWidget* frame = parentWidget()) StorePlacement(kLogPlacementSection, *frame);
  if (closing_ && !closing_()) {
    // The Current Log stays with the voyage: closing it only takes it out of view.
    event->ignore();
    if (hidden_) hidden_();
    return;
  }
  event->accept();
}

}  // namespace navora
