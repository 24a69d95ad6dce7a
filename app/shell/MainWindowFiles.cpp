// The main window's documents: worksheets, File Open and its routing, the
// recently-used list, and the file commands on the active document.

#include <QMdiSubWindow>

#include "app/shell/MainWindow.h"
#include "app/shell/WorksheetWindow.h"

namespace navora {

WorksheetWindow* MainWindow::NewWorksheet() {
  auto* worksheet = new WorksheetWindow;
  QMdiSubWindow* frame = mdiArea_->addSubWindow(worksheet);
  worksheet->SetTitle(QStringLiteral("WorkSheet1.sdf"));
  frame->show();
  currentWorksheet_ = worksheet;
  connect(worksheet, &QObject::destroyed, this, [this, worksheet] {
    if (currentWorksheet_ == worksheet) currentWorksheet_ = nullptr;
  });
  return worksheet;
}

WorksheetWindow* MainWindow::ChooseWorksheet() {
  if (QMdiSubWindow* active = mdiArea_->activeSubWindow()) {
    if (auto* worksheet = qobject_cast<WorksheetWindow*>(active->widget())) {
      currentWorksheet_ = worksheet;
      return worksheet;
    }
  }
  const QList<QMdiSubWindow*> frames = mdiArea_->subWindowList(QMdiArea::CreationOrder);
  for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame) {
    if (auto* worksheet = qobject_cast<WorksheetWindow*>((*frame)->widget())) {
      mdiArea_->setActiveSubWindow(*frame);
      currentWorksheet_ = worksheet;
      return worksheet;
    }
  }
  return NewWorksheet();
}

void MainWindow::OpenFile() {}

bool MainWindow::OpenPath(const QString& path, int filterIndex) {
  static_cast<void>(path);
  static_cast<void>(filterIndex);
  return false;
}

void MainWindow::SaveActive(bool saveAs) { static_cast<void>(saveAs); }
void MainWindow::PrintActive() {}
void MainWindow::PrintPreviewActive() {}
void MainWindow::ExportPdfActive() {}
void MainWindow::ChangeFontActive() {}
void MainWindow::UpdateRecentFiles() {}
void MainWindow::AddRecentFile(const QString& path) { static_cast<void>(path); }

}  // namespace navora
