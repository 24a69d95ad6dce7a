#pragma once

namespace navora {

class MainWindow;

// Enables the Task-menu commands that are built; the others stay disabled
// until their tasks arrive. Called once the window's menus exist.
void EnableBuiltTaskCommands(MainWindow& window);

}  // namespace navora
