#pragma once

#include <QFont>
#include <QList>
#include <QMdiArea>
#include <QTextEdit>
#include <QWidget>
#include <memory>
#include <string_view>

#include "app/bridge/Notice.h"
#include "app/tasks/ReportSink.h"

namespace navora {

// A worksheet: the rich-text document every task report is appended to,
// with its editor view, and its file (".sdf"). The title is the file name,
// or "WorkSheet<n>.sdf" until the first save, followed by "( modified )"
// while there are unsaved changes.
class WorksheetWindow : public QWidget {
  Q_OBJECT

 public:
  explicit WorksheetWindow(QWidget* parent = nullptr);
  ~WorksheetWindow() override;

  QTextEdit& Editor() { return *editor_; }

  // Where the worksheet's messages go; a message box over the window when
  // none is set.
  void SetNotice(Notice* notice) { notice_ = notice; }

  // Appends report text (Latin-1; lines end in "\r\n") at the end of the
  // worksheet, leaves the caret after it and marks the worksheet modified.
  void AppendReport(std::string_view text);

  // Receives a task's lines one at a time, each appended with "\r\n".
  ReportSink& Sink() { return sink_; }

  // The title as shown, with the modified mark while modified.
  QString Title() const;
  // The title without the mark.
  QString Name() const { return name_; }
  void SetTitle(const QString& name);
  bool IsModified() const;
  void SetModified(bool modified);

  // The file: empty until saved or opened.
  QString PathName() const { return path_; }
  bool SavedOnce() const { return savedOnce_; }
  // Set when loading refused the file: the window never held a worksheet,
  // so its placement is not kept when it closes.
  bool BadFile() const { return badFile_; }
  // Where the next Save As starts: the directory of the last worksheet saved,
  // else the program directory.
  QString DefaultDirectory() const { return defaultDirectory_; }
  void ReadDefaultDirectory(const QString& programDirectory);

  // The font of worksheets and log windows unless one is stored: "Courier New" 9 pt, or the
  // system's fixed-pitch font at 9 pt where that family is missing.
  static QFont DefaultFont();

  // Save (saveAs false) writes a saved-once worksheet in place; otherwise,
  // and for Save As, the file dialog asks for the name. False when nothing
  // was written: cancelled, or failed and the user has been told.
  bool Save(bool saveAs);
  // Save As to a chosen name: the worksheet extension rule applies and the
  // chosen directory becomes the default directory.
  bool SaveAs(const QString& chosenPath);
  // Loads a worksheet file; false (the user told why, the bad-file flag set)
  // when it cannot be opened.
  bool Load(const QString& path);

  // The interrupt check a task runs between steps: true when a key pressed
  // in this window meanwhile made the user choose to abort.
  bool InterruptRequested(Notice& notice);

  // The worksheets of an MDI area, in their list order.
  static QList<WorksheetWindow*> OpenWorksheets(const QMdiArea& area);

 signals:
  // After each successful save, with the file's path.
  void Saved(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class LineSink : public ReportSink {
   public:
    explicit LineSink(WorksheetWindow& window) : window_(window) {}
    void AppendLine(std::string_view line) override;

   private:
    WorksheetWindow& window_;
  };

  Notice& Messages();
  void ShowTitle();
  bool WriteFile(const QString& path);
  // Another open worksheet holding `path`.
  bool OpenElsewhere(const QString& path) const;

  QTextEdit* editor_;
  LineSink sink_{*this};
  Notice* notice_ = nullptr;
  std::unique_ptr<Notice> ownNotice_;
  QString name_;
  QString path_;
  QString defaultDirectory_;
  bool savedOnce_ = false;
  bool badFile_ = false;
};

}  // namespace navora
