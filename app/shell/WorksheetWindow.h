#pragma once

#include <QTextEdit>
#include <QWidget>
#include <string_view>

#include "app/bridge/Notice.h"
#include "app/tasks/ReportSink.h"

namespace navora {

// A worksheet: the rich-text document every task report is appended to,
// with its editor view.
class WorksheetWindow : public QWidget {
  Q_OBJECT

 public:
  explicit WorksheetWindow(QWidget* parent = nullptr);

  QTextEdit& Editor() { return *editor_; }

  // Appends report text (Latin-1; lines end in "\r\n") at the end of the
  // worksheet and marks it modified.
  void AppendReport(std::string_view text);

  // Receives a task's lines one at a time, each appended with "\r\n".
  ReportSink& Sink() { return sink_; }

  // Stand-in until the worksheet's own interrupt check arrives.
  bool InterruptRequested(Notice&) { return false; }

  QString Title() const { return title_; }
  void SetTitle(const QString& title);

 private:
  class LineSink : public ReportSink {
   public:
    explicit LineSink(WorksheetWindow& window) : window_(window) {}
    void AppendLine(std::string_view line) override;

   private:
    WorksheetWindow& window_;
  };

  QTextEdit* editor_;
  LineSink sink_{*this};
  QString title_;
};

}  // namespace navora
