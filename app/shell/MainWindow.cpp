#include "app/shell/MainWindow.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTextEdit>

#include "app/shell/LogWindow.h"
#include "app/shell/NightPalette.h"
#include "app/shell/TaskCommandsEnabled.h"
#include "app/shell/WorksheetWindow.h"


namespace navora {
namespace {

QString Text(const char* text) { return QString::fromLatin1(text); }

}  // namespace

MainWindow::MainWindow(ApplicationState& state, Notice& notice, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      notice_(notice),
      mdiArea_(new QMdiArea(this)),
      trackDock_(new QDockWidget(Text("Current Track"), this)) {
  setWindowTitle(Text(kApplicationTitle));
  setCentralWidget(mdiArea_);
  trackDock_->setObjectName("CurrentTrack");
  addDockWidget(Qt::LeftDockWidgetArea, trackDock_);
  BuildMenus();
  EnableBuiltTaskCommands(*this);
  statusBar()->showMessage(Text(kIdleStatusText));
  connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
    if (message.isEmpty()) statusBar()->showMessage(Text(kIdleStatusText));
  });
}

MainWindow::~MainWindow() = default;

WorksheetWindow* MainWindow::CurrentWorksheet() const { return currentWorksheet_.data(); }

LogWindow* MainWindow::CurrentLog() const { return currentLog_.data(); }

QAction* MainWindow::Action(CommandId id) const {
  const auto found = actions_.find(id);
  return found == actions_.end() ? nullptr : found->second;
}

QAction* MainWindow::AddCommand(QMenu& menu, CommandId id, const char* text, const char* status) {
  QAction* action = menu.addAction(Text(text));
  action->setStatusTip(Text(status));
  actions_[id] = action;
  return action;
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(Text("&File"));
  auto add = [this](QMenu* menu, const char* text, const char* status, auto slot,
                    QKeySequence key = {}) {
    QAction* action = menu->addAction(Text(text), this, slot);
    action->setStatusTip(Text(status));
    if (!key.isEmpty()) action->setShortcut(key);
    return action;
  };
  add(file, "&New Worksheet", "Create a new worksheet", [this] { NewWorksheet(); },
      QKeySequence::New);
  add(file, "&Open...", "Open an existing document", [this] { OpenFile(); }, QKeySequence::Open);
  add(file, "&Close", "Close the active document", [this] { mdiArea_->closeActiveSubWindow(); });
  add(file, "&Save", "Save the active document", [this] { SaveActive(false); },
      QKeySequence::Save);
  add(file, "Save &As...", "Save the active document with a new name",
      [this] { SaveActive(true); });
  file->addSeparator();
  add(file, "&Print...", "Print the active document", [this] { PrintActive(); },
      QKeySequence::Print);
  add(file, "Print Pre&view", "Display full pages", [this] { PrintPreviewActive(); });
  add(file, "&Export PDF...", "Save the active document as a PDF file",
      [this] { ExportPdfActive(); });
  file->addSeparator();
  for (int i = 0; i < kRecentFileCount; ++i) {
    QAction* recent = file->addAction(QString());
    recent->setVisible(false);
    recent->setStatusTip(Text("Open this document"));
    connect(recent, &QAction::triggered, this, [this, recent] {
      const QStringList entry = recent->data().toStringList();
      if (entry.size() == 2) OpenPath(entry[0], entry[1].toInt());
    });
    recentFileActions_.append(recent);
  }
  UpdateRecentFiles();
  file->addSeparator();
  add(file, "E&xit", "Quit the application; prompts to save documents", [this] { close(); });

  QMenu* edit = menuBar()->addMenu(Text("&Edit"));
  auto onEditor = [](auto member) {
    return [member] {
      if (auto* editor = qobject_cast<QTextEdit*>(QApplication::focusWidget())) (editor->*member)();
    };
  };
  add(edit, "&Undo", "Undo the last action", onEditor(&QTextEdit::undo), QKeySequence::Undo);
  edit->addSeparator();
  add(edit, "Cu&t", "Cut the selection and put it on the Clipboard", onEditor(&QTextEdit::cut),
      QKeySequence::Cut);
  add(edit, "&Copy", "Copy the selection and put it on the Clipboard",
      onEditor(&QTextEdit::copy), QKeySequence::Copy);
  add(edit, "&Paste", "Insert Clipboard contents", onEditor(&QTextEdit::paste),
      QKeySequence::Paste);
  add(edit, "Select &All", "Select the entire document", onEditor(&QTextEdit::selectAll),
      QKeySequence::SelectAll);
  edit->addSeparator();
  add(edit, "&Font...", "Change font of the selected text or graphic",
      [this] { ChangeFontActive(); });
  edit->addSeparator();
  QMenu* remove = menuBar()->addMenu(Text("&Delete"));
  QMenu* view = menuBar()->addMenu(Text("&View"));
  QAction* currentLog = AddCommand(*view, kCommandCurrentLog, "Current &Log",
                                   "Show or hide the current log window");
  currentLog->setCheckable(true);
  connect(currentLog, &QAction::triggered, this, &MainWindow::SetCurrentLogShown);
  QAction* currentTrack = AddCommand(*view, kCommandCurrentTrack, "Current &Track",
                                     "Show or hide the current track pane");
  currentTrack->setCheckable(true);
  connect(currentTrack, &QAction::triggered, this, &MainWindow::SetTrackShown);
  QAction* statusBarShown = view->addAction(Text("&Status Bar"));
  statusBarShown->setStatusTip(Text("Show or hide the status bar"));
  statusBarShown->setCheckable(true);
  statusBarShown->setChecked(true);
  connect(statusBarShown, &QAction::toggled, statusBar(), &QWidget::setVisible);
  QAction* night = view->addAction(Text("&Night Palette"));
  night->setObjectName("NightPalette");
  night->setStatusTip(Text("Show the program in dim red on black for a dark bridge"));
  night->setCheckable(true);
  night->setChecked(LoadNightPaletteChoice());
  SetNightPalette(night->isChecked());
  connect(night, &QAction::triggered, this, &MainWindow::SetNightPaletteShown);
  view->addSeparator();
  BuildLogMenus(*edit, *remove, *view);

  QMenu* task = menuBar()->addMenu(Text("&Task"));
  BuildTaskMenu(*task);

  QMenu* window = menuBar()->addMenu(Text("&Window"));
  add(window, "&Cascade", "Arrange windows so they overlap",
      [this] { mdiArea_->cascadeSubWindows(); });
  add(window, "&Tile", "Arrange windows as non-overlapping tiles",
      [this] { mdiArea_->tileSubWindows(); });

  QMenu* help = menuBar()->addMenu(Text("&Help"));
  add(help, "&Help Topics", "List Help topics", [this] { ShowHelp(); }, QKeySequence::HelpContents);
  help->addSeparator();
  add(help, "&About NAVORA...", "Display program information, version number and copyright",
      [this] { ShowAbout(); });
}

void MainWindow::SetNightPaletteShown(bool night) {
  if (auto* action = findChild<QAction*>("NightPalette")) action->setChecked(night);
  SetNightPalette(night);
  StoreNightPaletteChoice(night);
  emit NightPaletteChanged(night);
}

void MainWindow::BuildLogMenus(QMenu& edit, QMenu& remove, QMenu& view) {
  for (const LogCommand& command : kLogCommands) {
    QMenu& menu = command.menu == LogMenu::kEdit     ? edit
                  : command.menu == LogMenu::kDelete ? remove
                                                     : view;
    // Enabled by the tasks that bring the Leg Editor and the Observation Recorder.
    AddCommand(menu, command.id, command.menuText, command.statusText)->setEnabled(false);
  }
}

void MainWindow::BuildTaskMenu(QMenu& menu) {
  std::map<TaskGroup, QMenu*> submenus;
  for (const TaskCommand& command : kTaskCommands) {
    QMenu* target = &menu;
    if (command.group != TaskGroup::kNone) {
      QMenu*& submenu = submenus[command.group];
      if (submenu == nullptr) {
        submenu = menu.addMenu(Text(kTaskGroupTitles[static_cast<int>(command.group)]));
      }
      target = submenu;
    } else if (command.id == kCommandNewInitialFix) {
      menu.addSeparator();
    }
    QAction* action = AddCommand(*target, command.id, command.menuText, command.statusText);
    const CommandId id = command.id;
    connect(action, &QAction::triggered, this, [this, id] { RunTaskCommand(id); });
    action->setEnabled(false);  // each task enables its command when it is wired in
  }
}

}  // namespace navora
