// The main window's Task commands: each runs in the worksheet chosen for it,
// from its dialog to the report appended there.

#include <QApplication>
#include <string>
#include <vector>

#include "app/bridge/LogBridge.h"
#include "app/dialogs/AlmanacDialog.h"
#include "app/dialogs/CommentDialog.h"
#include "app/dialogs/NewInitialFixDialog.h"
#include "app/shell/MainWindow.h"
#include "app/shell/TaskCommandsEnabled.h"
#include "app/shell/WorksheetWindow.h"
#include "app/tasks/AlmanacTasks.h"
#include "app/tasks/NewInitialFixDialogModel.h"

namespace navora {
namespace {

constexpr CommandId kBuiltTaskCommands[] = {kCommandSunMoonAries, kCommandPlanets,
                                            kCommandStars,        kCommandAllBodies,
                                            kCommandNewInitialFix, kCommandEnterComment};

// The busy cursor while a task computes, removed on every way out.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

struct AlmanacCommand {
  CommandId id;
  AlmanacDialogKind kind;
  const char* caption;
};

constexpr AlmanacCommand kAlmanacCommands[] = {
    {kCommandSunMoonAries, AlmanacDialogKind::kTable, "Almanac - Sun, Moon, and Aries"},
    {kCommandPlanets, AlmanacDialogKind::kTable, "Almanac - Planets"},
    {kCommandStars, AlmanacDialogKind::kStars, "Almanac - Stars"},
    {kCommandAllBodies, AlmanacDialogKind::kDay, "Almanac - All"},
};

const AlmanacCommand* FindAlmanacCommand(CommandId id) {
  for (const AlmanacCommand& command : kAlmanacCommands) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

// The almanac's dialog, then its tabulation into the worksheet.
void RunAlmanac(MainWindow& window, const AlmanacCommand& command, WorksheetWindow& worksheet) {
  ApplicationState& state = window.State();
  Notice& notice = window.TaskNotice();
  const double referenceJd = LatestPositionOrDefault(state.events).time;
  AlmanacDialog dialog(command.kind, QString::fromLatin1(command.caption), notice,
                       InitialAlmanacDialogFields(referenceJd), &window);
  if (dialog.exec() != QDialog::Accepted) return;

  const WaitCursor busy;
  TaskContext context{notice, worksheet.Sink(), state.places,
                      [&worksheet, &notice] { return worksheet.InterruptRequested(notice); },
                      &state.lastReportText};
  switch (command.id) {
    case kCommandSunMoonAries:
      RunSunMoonAriesAlmanac(context, dialog.TableRequest());
      break;
    case kCommandPlanets:
      RunPlanetsAlmanac(context, dialog.TableRequest());
      break;
    case kCommandStars:
      RunStarsAlmanac(context, dialog.StarsRequest());
      break;
    default:
      RunAllAlmanac(context, dialog.DayRequest());
      break;
  }
}

void RunComment(MainWindow& window, WorksheetWindow& worksheet) {
  CommentDialog dialog(&window);
  if (dialog.exec() != QDialog::Accepted) return;
  ApplicationState& state = window.State();
  std::vector<std::string> lines;
  if (TaskWriteComment(window.TaskNotice(), state.text, dialog.Comment(), lines) != kStatusOk) {
    return;
  }
  state.logAvailable = true;
  window.CreateLogWindows();
  window.NoteLogEntry(lines, &worksheet);
}

}  // namespace

void EnableBuiltTaskCommands(MainWindow& window) {
  for (const CommandId id : kBuiltTaskCommands) {
    if (QAction* action = window.Action(id)) action->setEnabled(true);
  }
}

void MainWindow::RunTaskCommand(CommandId id) {
  WorksheetWindow* worksheet = ChooseWorksheet();
  if (worksheet == nullptr) return;
  if (const AlmanacCommand* almanac = FindAlmanacCommand(id)) {
    RunAlmanac(*this, *almanac, *worksheet);
  } else if (id == kCommandNewInitialFix) {
    RunNewInitialFix(worksheet);
  } else if (id == kCommandEnterComment) {
    RunComment(*this, *worksheet);
  }
}

void MainWindow::RunNewInitialFix(WorksheetWindow* worksheet) {
  const PositionRecord start = state_.reference.referenceKnown
                                   ? LatestPositionOrDefault(state_.events)
                                   : DefaultPositionRecord();
  NewVoyage voyage;
  if (TaskNewInitialFix(notice_, state_.events, state_.text, start, MakeFixDialog(this, notice_),
                        voyage) != kStatusOk) {
    return;
  }
  state_.reference.referenceKnown = true;
  state_.logAvailable = true;
  ClearCurrentLog();
  CreateLogWindows();
  NoteLogEntry(std::vector<std::string>(voyage.entry.begin(), voyage.entry.end()), worksheet);
}

}  // namespace navora
