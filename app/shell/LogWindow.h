#pragma once

#include <QString>
#include <QTextCharFormat>
#include <QTextEdit>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace navora {

// A voyage log shown read-only: the "Current Log", which follows the text
// log as entries are written, or an archived log opened from a file. The
// text takes the log font ("LogSettings\FontInfo", "LogSettings\CharFormatInfo")
// when one is stored, else the worksheets' "Courier New" 9 pt; the frame's
// placement is kept under "LogSettings\WindowPlacement".
class LogWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr char kCurrentLogTitle[] = "Current Log";
  static constexpr char kReadOnlySuffix[] = "( READ ONLY )";

  // The Current Log: its title, and closing it only hides it unless
  // `closing()` says the program is ending; `hidden` is told when it hides.
  static LogWindow* NewCurrentLog(std::function<bool()> closing, std::function<void()> hidden);
  // An archived log read from `path`: the file name followed by "( READ ONLY )".
  static LogWindow* NewArchivedLog(const QString& path);

  // Appends the lines (Latin-1, as the engine writes them) at the end.
  void AppendLines(const std::vector<std::string>& lines);
  void Clear();

  QString Title() const { return windowTitle(); }
  // The archived file's absolute path; empty for the Current Log.
  const QString& Path() const { return path_; }
  QTextEdit& View() { return *view_; }

  // Puts the frame (the MDI child holding this window) where the stored
  // placement says, when one is stored.
  void PlaceFrame();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  LogWindow(const QString& title, QString path);

  QTextEdit* view_;
  QTextCharFormat format_;  // every line is inserted in it
  QString path_;
  std::function<bool()> closing_;  // set for the Current Log only
  std::function<void()> hidden_;
};

}  // namespace navora
