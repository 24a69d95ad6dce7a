// The main window's log windows: "Current Log", archived logs, and the
// "Current Track" pane.

#include "app/shell/MainWindow.h"

namespace navora {

void MainWindow::CreateLogWindows() {}
void MainWindow::SetCurrentLogShown(bool shown) { static_cast<void>(shown); }
void MainWindow::SetTrackShown(bool shown) { trackDock_->setVisible(shown); }

bool MainWindow::OpenArchivedLog(const QString& path) {
  static_cast<void>(path);
  return false;
}

void MainWindow::NoteLogEntry(const std::vector<std::string>& lines, WorksheetWindow* worksheet) {
  static_cast<void>(lines);
  static_cast<void>(worksheet);
}

void MainWindow::ClearCurrentLog() {}
void MainWindow::RefreshTrack() {}

}  // namespace navora
