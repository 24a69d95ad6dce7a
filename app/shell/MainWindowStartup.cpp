// The main window's start-up and shut-down, the About box and the manual.

#include <QCloseEvent>

#include "app/shell/MainWindow.h"

namespace navora {

void MainWindow::Start(bool splash) {
  static_cast<void>(splash);
  OpenVoyageLogsAtStartup(notice_, state_);
  CreateLogWindows();
  NewWorksheet();
  show();
}

void MainWindow::OfferInitialFix() {}

void MainWindow::closeEvent(QCloseEvent* event) {
  state_.closing = true;
  mdiArea_->closeAllSubWindows();
  if (!mdiArea_->subWindowList().isEmpty()) {
    state_.closing = false;
    event->ignore();
    return;
  }
  event->accept();
}

void MainWindow::ShowAbout() {}
void MainWindow::ShowHelp() {}

}  // namespace navora
