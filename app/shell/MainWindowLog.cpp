// The main window's log windows: "Current Log", archived logs, the
// "Current Track" pane, and the Leg Editor and the Observation Recorder run
// from the log menus and the tree.

#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <string>
#include <string_view>
#include <vector>

#include "app/bridge/LogBridge.h"
#include "app/bridge/LogEntryBridge.h"
#include "app/dialogs/LegEditorDialog.h"
#include "app/dialogs/ObservationRecorderDialog.h"
#include "app/shell/LogWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/TrackPane.h"
#include "app/shell/WorksheetWindow.h"
#include "app/tasks/LegEditorModel.h"
#include "app/tasks/PositionTasks.h"
#include "app/tasks/SightTasks.h"
#include "engine/log/ArchivedTextLog.h"
#include "engine/log/TextLogPending.h"

namespace navora {

namespace {

constexpr char kReportLineEnd[] = "\r\n";

// The lines of a text whose every line ends in "\r\n".
std::vector<std::string> SplitReportLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const size_t end = text.find(kReportLineEnd);
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
  }
  return lines;
}

// The file a path names, whatever way it is spelt, so that one file opens once.
QString FileIdentity(const QString& path) {
  const QFileInfo file(path);
  const QString canonical = file.canonicalFilePath();
  return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

std::string ArchiveRefusal(EngineStatus status, const QString& path) {
  const std::string name = path.toLatin1().toStdString();
  if (status == kArchivedLogTooLarge) {
    return "The file\n" + name + "\nis too large to be a voyage log.";
  }
  return "The log file\n" + name + "\ncould not be read.";
}

// The log menus' position commands and the tree's leg commands, with the
// Leg Editor state each opens.
struct LegCommand {
  CommandId id;
  LegEditorMode mode;
  bool fromLogMenu;
};

constexpr LegCommand kLegCommands[] = {
    {kCommandViewPositions, LegEditorMode::kViewing, true},
    {kCommandModifyFix, LegEditorMode::kEditing, true},
    {kCommandDeleteFix, LegEditorMode::kDeleting, true},
    {kCommandTreeView, LegEditorMode::kViewing, false},
    {kCommandTreeEdit, LegEditorMode::kEditing, false},
    {kCommandTreeDelete, LegEditorMode::kDeleting, false},
};

const LegCommand* FindLegCommand(CommandId id) {
  for (const LegCommand& command : kLegCommands) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

// The log menus' observation commands and the tree's sight commands, with
// the Observation Recorder state each opens ("Add..." is Record Observations).
struct SightCommand {
  CommandId id;
  RecorderMode mode;
  bool fromLogMenu;
};

constexpr SightCommand kSightCommands[] = {
    {kCommandViewObservations, RecorderMode::kViewing, true},
    {kCommandModifyObservation, RecorderMode::kEditing, true},
    {kCommandDeleteObservation, RecorderMode::kDeleting, true},
    {kCommandTreeView, RecorderMode::kViewing, false},
    {kCommandTreeEdit, RecorderMode::kEditing, false},
    {kCommandTreeDelete, RecorderMode::kDeleting, false},
};

const SightCommand* FindSightCommand(CommandId id) {
  for (const SightCommand& command : kSightCommands) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

// Positions out of file order still load their legs.
constexpr int kLoadedOutOfOrder = 5;

}  // namespace

void MainWindow::CreateLogWindows() {
  if (!state_.logAvailable) {
    // No voyage yet: the empty pane stays out of view until the first fix.
    if (trackPane_ == nullptr) SetTrackShown(false);
    if (currentLog_ == nullptr) SetCurrentLogShown(false);
    return;
  }
  if (trackPane_ == nullptr) {
    trackPane_ = new TrackPane(state_);
    trackDock_->setWidget(trackPane_);
    // The pane's own close button hides it too. The action is the context:
    // the connection must not outlive either while the window is destroyed.
    QAction* shown = Action(kCommandCurrentTrack);
    QDockWidget* dock = trackDock_;
    connect(dock, &QDockWidget::visibilityChanged, shown,
            [shown, dock] { shown->setChecked(!dock->isHidden()); });
    trackPane_->Refresh();
    SetTrackShown(true);
    connect(trackPane_, &TrackPane::LegCommandRequested, this,
            [this](CommandId id, int legIndex) { RunLegEditor(id, legIndex); });
    connect(trackPane_, &TrackPane::SightCommandRequested, this,
            [this](CommandId id, int sightIndex) {
              if (id == kCommandTreeAdd) return RunTaskCommand(kCommandRecordObservations);
              RunObservationRecorder(id, sightIndex);
            });
    // With a voyage there are legs and sights to view, correct and delete.
    for (const LegCommand& command : kLegCommands) {
      if (!command.fromLogMenu) continue;
      QAction* action = Action(command.id);
      const CommandId id = command.id;
      connect(action, &QAction::triggered, this, [this, id] { RunLegEditor(id, kNoTrackIndex); });
      action->setEnabled(true);
    }
    for (const SightCommand& command : kSightCommands) {
      if (!command.fromLogMenu) continue;
      QAction* action = Action(command.id);
      const CommandId id = command.id;
      connect(action, &QAction::triggered, this,
              [this, id] { RunObservationRecorder(id, kNoTrackIndex); });
      action->setEnabled(true);
    }
  }
  if (currentLog_ == nullptr) {
    currentLog_ = LogWindow::NewCurrentLog([this] { return state_.closing; },
                                           [this] { SetCurrentLogShown(false); });
    QMdiSubWindow* frame = mdiArea_->addSubWindow(currentLog_);
    // The window shows the whole file; what the log wrote before is in it.
    std::vector<std::string> lines;
    if (TaskReadTextLog(notice_, state_.text, lines) == kStatusOk) currentLog_->AppendLines(lines);
    ClearPendingLogText(state_.text);
    currentLog_->PlaceFrame();
    frame->show();
    Action(kCommandCurrentLog)->setChecked(true);
  }
}

void MainWindow::SetCurrentLogShown(bool shown) {
  if (currentLog_ != nullptr) {
    QWidget* frame = currentLog_->parentWidget();
    frame->setVisible(shown);
    if (shown) mdiArea_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frame));
  }
  Action(kCommandCurrentLog)->setChecked(shown && currentLog_ != nullptr);
}

void MainWindow::SetTrackShown(bool shown) {
  const bool visible = shown && trackPane_ != nullptr;
  trackDock_->setVisible(visible);
  Action(kCommandCurrentTrack)->setChecked(visible);
}

bool MainWindow::OpenArchivedLog(const QString& path) {
  const QString identity = FileIdentity(path);
  for (QMdiSubWindow* frame : mdiArea_->subWindowList()) {
    const auto* log = qobject_cast<LogWindow*>(frame->widget());
    if (log != nullptr && log->Path() == identity) {
      frame->show();
      mdiArea_->setActiveSubWindow(frame);
      return true;
    }
  }
  std::vector<std::string> lines;
  const EngineStatus status = ReadArchivedTextLog(QFile::encodeName(identity).toStdString(), lines);
  if (status != kStatusOk) {
    notice_.Show(ArchiveRefusal(status, path), kNoticeOkStop);
    return false;
  }
  LogWindow* log = LogWindow::NewArchivedLog(identity);
  log->AppendLines(lines);
  QMdiSubWindow* frame = mdiArea_->addSubWindow(log);
  log->PlaceFrame();
  frame->show();
  mdiArea_->setActiveSubWindow(frame);
  return true;
}

void MainWindow::NoteLogEntry(const std::vector<std::string>& lines, WorksheetWindow* worksheet) {
  // The Current Log takes what the log wrote since it last looked, each batch
  // closed by its separator as the file has it: a window created by this very
  // entry has read it from the file already.
  if (currentLog_ != nullptr) {
    std::vector<std::string> written = SplitReportLines(PendingLogText(state_.text));
    ClearPendingLogText(state_.text);
    if (!written.empty()) {
      written.emplace_back(kTextLogSeparatorWidth, '-');
      currentLog_->AppendLines(written);
    }
  }
  if (worksheet != nullptr && !lines.empty()) {
    std::string text;
    for (const std::string& line : lines) text.append(line).append(kReportLineEnd);
    worksheet->AppendReport(text);
  }
  RefreshTrack();
}

void MainWindow::ClearCurrentLog() {
  if (currentLog_ != nullptr) currentLog_->Clear();
}

void MainWindow::RunLegEditor(CommandId id, int legIndex) {
  const LegCommand* command = FindLegCommand(id);
  if (command == nullptr) return;
  // The log menus are the worksheet's: a worksheet that gave the command
  // receives the entries too.
  WorksheetWindow* worksheet = nullptr;
  if (command->fromLogMenu && mdiArea_->activeSubWindow() != nullptr) {
    worksheet = qobject_cast<WorksheetWindow*>(mdiArea_->activeSubWindow()->widget());
  }
  LegsAndSights loaded;
  const int status = TaskLoadLegsAndSights(state_.events, loaded);
  if ((status != kStatusOk && status != kLoadedOutOfOrder) || loaded.legCount == 0) {
    notice_.Show(kLogReadingFailedText, kNoticeOkStop);
    return;
  }
  LegEditorDialog dialog(command->mode, loaded, legIndex, notice_, this);
  if (dialog.exec() != QDialog::Accepted || dialog.Edits().Empty()) return;
  PositionTaskLogs logs{notice_, state_.events, state_.text, state_.places.ephemeris,
                        state_.reference};
  ApplyLegEdits(logs, dialog.Edits(), [this, worksheet](const std::vector<std::string>& lines) {
    NoteLogEntry(lines, worksheet);
  });
  // A failed entry leaves the event log changed all the same.
  RefreshTrack();
}

void MainWindow::RunObservationRecorder(CommandId id, int sightIndex) {
  const SightCommand* command = FindSightCommand(id);
  if (command == nullptr) return;
  WorksheetWindow* worksheet = nullptr;
  if (command->fromLogMenu && mdiArea_->activeSubWindow() != nullptr) {
    worksheet = qobject_cast<WorksheetWindow*>(mdiArea_->activeSubWindow()->widget());
  }
  LegsAndSights loaded;
  double lastFixTime = 0.0;
  // No sights since the last fix: there is nothing to open, and nothing to say.
  if (LoadLoggedSights(notice_, state_.events, loaded, lastFixTime) != kStatusOk ||
      loaded.sightCount == 0) {
    return;
  }
  ObservationRecorderModel model(command->mode, loaded, sightIndex);
  model.AskAboutSightsBeforeFix(notice_, lastFixTime);
  SightEdits edits = model.Edits();
  // Every sight answered No leaves nothing to show but those deletions to make.
  if (!model.Empty()) {
    ObservationRecorderDialog dialog(std::move(model), notice_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    edits = dialog.Model().Edits();
  }
  if (edits.Empty()) return;
  SightTaskLogs logs{notice_, state_.events, state_.text};
  ApplySightEdits(logs, edits, [this, worksheet](const std::vector<std::string>& lines) {
    NoteLogEntry(lines, worksheet);
  });
  // A failed entry leaves the event log changed all the same.
  RefreshTrack();
}

void MainWindow::RefreshTrack() {
  if (trackPane_ != nullptr) trackPane_->Refresh();
}

}  // namespace navora
