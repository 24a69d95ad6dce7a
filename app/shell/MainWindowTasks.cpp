// The main window's Task commands: each runs in the worksheet chosen for it.

#include "app/shell/MainWindow.h"
#include "app/shell/WorksheetWindow.h"

namespace navora {

void MainWindow::RunTaskCommand(CommandId id) {
  WorksheetWindow* worksheet = ChooseWorksheet();
  if (worksheet == nullptr) return;
  static_cast<void>(id);
}

void MainWindow::RunNewInitialFix(WorksheetWindow* worksheet) { static_cast<void>(worksheet); }

}  // namespace navora
