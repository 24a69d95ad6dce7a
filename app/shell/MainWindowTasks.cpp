// The main window's Task commands: each runs in the worksheet chosen for it,
// from its dialog to the report appended there.

#include <QApplication>
#include <QMdiSubWindow>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "app/bridge/LogBridge.h"
#include "app/bridge/LogEntryBridge.h"
#include "app/dialogs/AlmanacDialog.h"
#include "app/dialogs/CommentDialog.h"
#include "app/dialogs/CompassDeterminationDialog.h"
#include "app/dialogs/CompassPlanningDialog.h"
#include "app/dialogs/ExternalFixDialog.h"
#include "app/dialogs/NewInitialFixDialog.h"
#include "app/dialogs/ObservationRecorderDialog.h"
#include "app/dialogs/ReportPreviewDialog.h"
#include "app/dialogs/RiseSetFixedDialog.h"
#include "app/dialogs/RiseSetUnderwayDialog.h"
#include "app/dialogs/SightPlanningDialog.h"
#include "app/dialogs/TimeOfFixDialog.h"
#include "app/dialogs/UpdateDrDialog.h"
#include "app/dialogs/WaypointDialog.h"
#include "app/plots/SightPlotWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/SettingsStore.h"
#include "app/shell/TaskCommandsEnabled.h"
#include "app/shell/WorksheetWindow.h"
#include "app/tasks/AlmanacTasks.h"
#include "app/tasks/CompassCourse.h"
#include "app/tasks/ComputeFixCourse.h"
#include "app/tasks/NewInitialFixDialogModel.h"
#include "app/tasks/PlanningCourse.h"
#include "app/tasks/PositionTasks.h"
#include "app/tasks/RiseSetCourse.h"
#include "app/tasks/SightPlotTasks.h"
#include "app/tasks/SightTasks.h"
#include "app/tasks/WaypointTask.h"

namespace navora {
namespace {

constexpr CommandId kBuiltTaskCommands[] = {kCommandSunMoonAries,
                                            kCommandPlanets,
                                            kCommandStars,
                                            kCommandAllBodies,
                                            kCommandUpdateDr,
                                            kCommandExternalFix,
                                            kCommandWaypoint,
                                            kCommandNewInitialFix,
                                            kCommandEnterComment,
                                            kCommandRecordObservations,
                                            kCommandComputeFix,
                                            kCommandRiseSetFixed,
                                            kCommandRiseSetUnderway,
                                            kCommandSkyChart,
                                            kCommandSelectedStars,
                                            kCommandCompassPlanning,
                                            kCommandCompassDetermination};

constexpr char kFixNotSavedText[] =
    "The fix could not be saved to the log.\nClose the plot all the same?";

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

// The position commands start from a known reference: on the first of them
// in a run, an empty log asks for an initial fix. False ends the command.
bool EnsureReference(MainWindow& window) {
  ApplicationState& state = window.State();
  if (state.reference.referenceKnown) return true;
  Notice& notice = window.TaskNotice();
  const bool hadLog = state.logAvailable;
  if (TaskEnsureReferencePosition(notice, state.events, state.text, false,
                                  MakeFixDialog(&window, notice), state.reference) != kStatusOk) {
    return false;
  }
  if (!hadLog) {
    // The first fix was logged just now: show it.
    state.logAvailable = true;
    window.CreateLogWindows();
    window.RefreshTrack();
  }
  return true;
}

void AppendLines(WorksheetWindow& worksheet, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) worksheet.Sink().AppendLine(line);
}

// The report shown for confirmation; true for "Save to Log".
bool ConfirmSave(MainWindow& window, const std::vector<std::string>& report) {
  ReportPreviewDialog preview(report, WorksheetWindow::DefaultFont(), &window);
  return preview.exec() == QDialog::Accepted;
}

// The report goes to the worksheet either way; saved, the text-log entry
// follows it there and in the Current Log.
void FinishPositionReport(MainWindow& window, WorksheetWindow& worksheet,
                          const std::vector<std::string>& report,
                          const std::vector<std::string>* written) {
  const WaitCursor busy;
  AppendLines(worksheet, report);
  if (written != nullptr) window.NoteLogEntry(*written, &worksheet);
}

// The report in the preview; "Save to Log" runs `save`, which logs the
// entry and hands back the text-log lines; "Don't Save" logs nothing. The
// report goes to the worksheet either way.
void PreviewAndSave(MainWindow& window, WorksheetWindow& worksheet,
                    const std::vector<std::string>& report,
                    const std::function<int(std::vector<std::string>&)>& save) {
  if (!ConfirmSave(window, report)) {
    FinishPositionReport(window, worksheet, report, nullptr);
    return;
  }
  std::vector<std::string> written;
  const int saved = [&] {
    const WaitCursor busy;
    return save(written);
  }();
  if (saved != kStatusOk) {
    window.RefreshTrack();  // the event log may hold the new leg though the text log refused
    return;
  }
  FinishPositionReport(window, worksheet, report, &written);
}

// The voyage's latest position, after making sure the log holds one.
bool ReadReference(MainWindow& window, PositionRecord& reference) {
  return EnsureReference(window) &&
         TaskReadReferencePosition(window.TaskNotice(), window.State().events, kLatestPosition,
                                   reference) == kStatusOk;
}

void RunUpdateDr(MainWindow& window, WorksheetWindow& worksheet) {
  if (!EnsureReference(window)) return;
  ApplicationState& state = window.State();
  Notice& notice = window.TaskNotice();
  LegsAndSights loaded;
  if (TaskLoadLegsAndSights(state.events, loaded) != kStatusOk || loaded.legCount == 0) return;
  if (!ConfirmNewLeg(notice, loaded)) return;
  PositionTaskLogs logs{notice, state.events, state.text, state.places.ephemeris, state.reference};
  UpdateDrDialog dialog(logs, loaded.legs[static_cast<size_t>(loaded.legCount - 1)], &window);
  if (dialog.exec() != QDialog::Accepted) return;
  const UpdateDrPreview& preview = dialog.Preview();
  PreviewAndSave(window, worksheet, preview.report, [&](std::vector<std::string>& written) {
    return SaveUpdateDr(logs, preview, written);
  });
}

void RunExternalFix(MainWindow& window, WorksheetWindow& worksheet) {
  ApplicationState& state = window.State();
  Notice& notice = window.TaskNotice();
  PositionRecord reference;
  if (!ReadReference(window, reference)) return;
  PositionTaskLogs logs{notice, state.events, state.text, state.places.ephemeris, state.reference};
  ExternalFixDialog dialog(logs, reference, &window);
  if (dialog.exec() != QDialog::Accepted) return;
  const ExternalFixPreview& preview = dialog.Preview();
  PreviewAndSave(window, worksheet, preview.report, [&](std::vector<std::string>& written) {
    return SaveExternalFix(logs, preview, written);
  });
}

// Only reports: nothing is logged.
void RunWaypointCommand(MainWindow& window, WorksheetWindow& worksheet) {
  ApplicationState& state = window.State();
  Notice& notice = window.TaskNotice();
  PositionRecord reference;
  if (!ReadReference(window, reference)) return;
  WaypointDialog dialog(notice, state.places.ephemeris, state.reference, reference, &window);
  if (dialog.exec() != QDialog::Accepted) return;
  const WaitCursor busy;
  TaskContext context{notice, worksheet.Sink(), state.places};
  static_cast<void>(RunWaypoint(context, state.events, dialog.Request()));
}

// The table runs in the worksheet, which an interrupt key can stop between days.
TaskContext WorksheetContext(MainWindow& window, WorksheetWindow& worksheet) {
  Notice& notice = window.TaskNotice();
  return TaskContext{notice, worksheet.Sink(), window.State().places,
                     [&worksheet, &notice] { return worksheet.InterruptRequested(notice); }};
}

// A fixed site needs no voyage: the dialog merely opens on the latest
// position when there is one.
void RunFixedSite(MainWindow& window, WorksheetWindow& worksheet) {
  ApplicationState& state = window.State();
  RiseSetFixedDialog dialog(window.TaskNotice(), state.places.ephemeris, state.reference,
                            LatestPositionOrDefault(state.events), &window);
  if (dialog.exec() != QDialog::Accepted) return;
  const WaitCursor busy;
  RiseSetFixedRequest request = dialog.Request();
  request.ut1MinusUtc = ReadLatestSightConditions(state.events).ut1MinusUtc;
  TaskContext context = WorksheetContext(window, worksheet);
  static_cast<void>(RunRiseSetFixed(context, state.reference, request));
}

void RunUnderway(MainWindow& window, WorksheetWindow& worksheet) {
  ApplicationState& state = window.State();
  Notice& notice = window.TaskNotice();
  PositionRecord reference;
  if (!ReadReference(window, reference)) return;
  RiseSetUnderwayDialog dialog(notice, state.places.ephemeris, state.reference, reference,
                               MakeFixDialog(&window, notice), &window);
  if (dialog.exec() != QDialog::Accepted) return;
  const WaitCursor busy;
  RiseSetUnderwayRequest request = dialog.Request();
  request.ut1MinusUtc = ReadLatestSightConditions(state.events).ut1MinusUtc;
  TaskContext context = WorksheetContext(window, worksheet);
  static_cast<void>(RunRiseSetUnderway(context, state.reference, request));
}

// The sight planning dialog on the voyage's latest position; false when
// there is none or the navigator cancels. UT1 - UTC and the height of eye
// are the latest sight's.
bool AskSightPlanning(MainWindow& window, SightPlanningDialog::Kind kind,
                      SightPlanningRequest& request) {
  ApplicationState& state = window.State();
  Notice& notice = window.TaskNotice();
  PositionRecord reference;
  if (!ReadReference(window, reference)) return false;
  SightPlanningDialog dialog(kind, notice, state.places.ephemeris, state.reference, reference,
                             MakeFixDialog(&window, notice), &window);
  if (dialog.exec() != QDialog::Accepted) return false;
  request = dialog.Request();
  const LatestSightConditions latest = ReadLatestSightConditions(state.events);
  request.ut1MinusUtc = latest.ut1MinusUtc;
  request.heightOfEyeM = latest.heightOfEyeM;
  return true;
}

// The chart opens in a window of its own; nothing goes to the worksheet.
void RunSkyChartCommand(MainWindow& window, WorksheetWindow& worksheet) {
  SightPlanningRequest request;
  if (!AskSightPlanning(window, SightPlanningDialog::Kind::kSkyChart, request)) return;
  SkyChartState chart;
  {
    const WaitCursor busy;
    TaskContext context = WorksheetContext(window, worksheet);
    if (RunSkyChart(context, window.State().reference, request, chart) != TaskOutcome::kCompleted) {
      return;
    }
  }
  window.ShowSkyChart(std::move(chart));
}

void RunSelectedStarsCommand(MainWindow& window, WorksheetWindow& worksheet) {
  SightPlanningRequest request;
  if (!AskSightPlanning(window, SightPlanningDialog::Kind::kSelectedStars, request)) return;
  const WaitCursor busy;
  TaskContext context = WorksheetContext(window, worksheet);
  static_cast<void>(RunSelectedStars(context, window.State().reference, request));
}

void RunCompassPlanningCommand(MainWindow& window, WorksheetWindow& worksheet) {
  ApplicationState& state = window.State();
  Notice& notice = window.TaskNotice();
  PositionRecord reference;
  if (!ReadReference(window, reference)) return;
  CompassPlanningDialog dialog(notice, state.places.ephemeris, state.reference, reference,
                               MakeFixDialog(&window, notice), &window);
  if (dialog.exec() != QDialog::Accepted) return;
  const WaitCursor busy;
  CompassPlanningRequest request = dialog.Request();
  ApplyLatestSightConditions(state.events, request);
  TaskContext context = WorksheetContext(window, worksheet);
  static_cast<void>(RunCompassPlanning(context, state.reference, request));
}

// The determination opens on the reference's time and the latest sight's
// UT1 - UTC, which the navigator may correct.
void RunCompassErrorCommand(MainWindow& window, WorksheetWindow& worksheet) {
  ApplicationState& state = window.State();
  PositionRecord reference;
  if (!ReadReference(window, reference)) return;
  CompassDeterminationDialog dialog(
      window.TaskNotice(), reference,
      InitialCompassErrorFields(reference.time,
                                ReadLatestSightConditions(state.events).ut1MinusUtc),
      &window);
  if (dialog.exec() != QDialog::Accepted) return;
  const WaitCursor busy;
  CompassErrorRequest request = dialog.Request();
  ApplyLatestSightConditions(state.events, request);
  TaskContext context = WorksheetContext(window, worksheet);
  static_cast<void>(RunCompassError(context, state.reference, request));
}

// The recorder in Adding, then the new sights' table in the preview; "Save to
// Log" writes them to both logs and the table to the worksheet, "Don't Save"
// writes nothing.
void RunRecordObservations(MainWindow& window, WorksheetWindow& worksheet) {
  if (!EnsureReference(window)) return;
  ApplicationState& state = window.State();
  Notice& notice = window.TaskNotice();
  int32_t recorded = 0;
  if (BeginRecordObservations(notice, state.events, recorded) != kStatusOk) return;
  ObservationRecorderDialog dialog(
      ObservationRecorderModel(recorded, FirstNewObservation(state.events)), notice, &window);
  if (dialog.exec() != QDialog::Accepted) return;
  const std::vector<ObservationRecord> sights = dialog.Model().NewSights();
  std::vector<std::string> table;
  if (sights.empty() || FormatNewSightsTable(notice, sights, table) != kStatusOk) return;
  if (!ConfirmSave(window, table)) return;
  SightTaskLogs logs{notice, state.events, state.text};
  {
    const WaitCursor busy;
    static_cast<void>(SaveObservations(logs, sights, table, worksheet.Sink()));
  }
  // The worksheet has the table already; the Current Log and the tree follow
  // whatever reached the logs, a failure part-way included.
  window.NoteLogEntry({}, nullptr);
}

// Save and Exit of a live plot, on every way it closes. A plot without a
// calculated fix has nothing to log and closes. Otherwise the long form of
// the fix is shown: "Save to Log" writes the fix to both logs and the long
// form to the worksheet Compute Fix came from, and the plot closes; "Don't
// Save" closes it without a word to the logs. A fix the logs refused keeps
// the plot open, so it is never lost unasked. True lets the plot close.
bool SaveAndExit(MainWindow& window, SightPlotWindow& plot, QPointer<WorksheetWindow> source) {
  const SightPlotState& plotted = plot.Document().state;
  if (plotted.fixCalculated == 0) return true;
  // Sights added or removed since the last solution are solved again first:
  // the report and the log must show the fix of the sights as they stand.
  // A failure (told) keeps the plot open.
  if (plot.Document().edited && !plot.CalculateFix()) return false;
  ApplicationState& state = window.State();
  Notice& notice = window.TaskNotice();
  FixReportPreview preview;
  if (BuildFixReport(notice, state.events, plotted, preview) != kStatusOk) {
    return notice.Show(kFixNotSavedText, kNoticeYesNoQuestion) == NoticeAnswer::kYes;
  }
  if (!ConfirmSave(window, preview.longForm)) return true;
  WorksheetWindow* worksheet = source != nullptr ? source.data() : window.ChooseWorksheet();
  std::vector<std::string> written;
  int saved = kStatusOk;
  {
    const WaitCursor busy;
    saved = SaveFixToLog(notice, state.events, state.text, worksheet->Sink(), preview, written);
  }
  // The worksheet has the long form already; the Current Log and the tree
  // (a new leg starting at the fix) follow whatever reached the logs.
  window.NoteLogEntry({}, nullptr);
  return saved == kStatusOk;
}

// The legs and sights since the last fix, the time of fix, the reduction at
// the DR positions, then the live plot, whose Close saves the fix.
void RunComputeFix(MainWindow& window, WorksheetWindow& worksheet) {
  ApplicationState& state = window.State();
  Notice& notice = window.TaskNotice();
  LegsAndSights loaded;
  if (TaskReadPlotData(notice, state.events, loaded) != kStatusOk) return;
  FixTimeChoice choice = FixTimeChoice::kLast;
  if (NeedsFixTimeChoice(loaded)) {
    TimeOfFixDialog dialog(&window);
    if (dialog.exec() != QDialog::Accepted) return;
    choice = dialog.Choice();
  }
  SightPlotDocument document;
  {
    const WaitCursor busy;
    if (OpenLivePlot(notice, state.places, loaded, TimeOfFix(loaded, choice), document) !=
        kStatusOk) {
      return;
    }
  }
  std::vector<QString> titles;
  for (const QMdiSubWindow* frame : window.MdiArea().subWindowList()) {
    if (const auto* open = qobject_cast<const SightPlotWindow*>(frame->widget())) {
      titles.push_back(open->Title());
    }
  }
  auto* plot =
      new SightPlotWindow(std::move(document), notice, &state.places,
                          LoadFont(kSrPlotFontSection).value_or(SightPlotWindow::DefaultFont()));
  plot->SetTitle(SightPlotWindow::NewLivePlotTitle(titles));
  QPointer<WorksheetWindow> source(&worksheet);
  plot->SetCloseHandler(
      [&window, source](SightPlotWindow& closing) { return SaveAndExit(window, closing, source); });
  window.ShowPlot(plot);
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
  } else if (id == kCommandUpdateDr) {
    RunUpdateDr(*this, *worksheet);
  } else if (id == kCommandExternalFix) {
    RunExternalFix(*this, *worksheet);
  } else if (id == kCommandWaypoint) {
    RunWaypointCommand(*this, *worksheet);
  } else if (id == kCommandNewInitialFix) {
    RunNewInitialFix(worksheet);
  } else if (id == kCommandEnterComment) {
    RunComment(*this, *worksheet);
  } else if (id == kCommandRecordObservations) {
    RunRecordObservations(*this, *worksheet);
  } else if (id == kCommandComputeFix) {
    RunComputeFix(*this, *worksheet);
  } else if (id == kCommandRiseSetFixed) {
    RunFixedSite(*this, *worksheet);
  } else if (id == kCommandRiseSetUnderway) {
    RunUnderway(*this, *worksheet);
  } else if (id == kCommandSkyChart) {
    RunSkyChartCommand(*this, *worksheet);
  } else if (id == kCommandSelectedStars) {
    RunSelectedStarsCommand(*this, *worksheet);
  } else if (id == kCommandCompassPlanning) {
    RunCompassPlanningCommand(*this, *worksheet);
  } else if (id == kCommandCompassDetermination) {
    RunCompassErrorCommand(*this, *worksheet);
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
