#pragma once

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <map>

#include "app/bridge/Notice.h"
#include "app/tasks/ApplicationState.h"
#include "app/tasks/SkyChartDocument.h"
#include "app/tasks/TaskCommands.h"

namespace navora {

class LogWindow;
class SightPlotWindow;
class SkyChartWindow;
class TrackPane;
class WorksheetWindow;

// The main window: the documents in a multi-document area, the "Current
// Track" pane docked beside them, the menus and the status bar. It routes
// the Task commands to the worksheet that receives their reports.
//
// Its members are defined by concern: the window and its menus in
// MainWindow.cpp, start-up and shut-down in MainWindowStartup.cpp, documents
// and files in MainWindowFiles.cpp, the log windows and the track pane in
// MainWindowLog.cpp, the Task commands in MainWindowTasks.cpp.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `notice` shows every message of the tasks run from this window.
  MainWindow(ApplicationState& state, Notice& notice, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The text of the status bar while no command is under the pointer.
  static constexpr char kIdleStatusText[] = "For Help, press F1, or Shift+F1";
  static constexpr char kApplicationTitle[] = "NAVORA 2.1 for Windows";
  static constexpr int kRecentFileCount = 4;

  QMdiArea& MdiArea() { return *mdiArea_; }
  QAction* Action(CommandId id) const;
  ApplicationState& State() { return state_; }
  Notice& TaskNotice() { return notice_; }

  // Start-up once the window exists: opens the voyage logs, creates the log
  // windows, the first worksheet, tests the data files, shows the window and
  // the splash (unless `splash` is false or the window starts minimized),
  // then offers an initial fix when the log holds none.
  void Start(bool splash);
  // Asks whether to record an initial fix now; Yes runs New Initial Fix.
  void OfferInitialFix();

  // A new empty worksheet, named and made the current worksheet.
  WorksheetWindow* NewWorksheet();
  // The worksheet a Task command reports to: the active window when it is a
  // worksheet, else the last open worksheet brought to the top, else a new one.
  WorksheetWindow* ChooseWorksheet();
  // The worksheet that receives task reports; null when none is open.
  WorksheetWindow* CurrentWorksheet() const;
  // File Open: the file dialog with its five filters.
  void OpenFile();
  // Opens `path` as the document type of filter 1 to 5 (worksheet, archived
  // log, archived DOS log, sight reduction plot, sky chart).
  bool OpenPath(const QString& path, int filterIndex);
  // Puts a new plot window in the area, placed and with its settings, its
  // menu in the menu bar while it is the active window.
  void ShowPlot(SightPlotWindow* plot);
  // A new sky chart window for a computed chart, titled with the run's next
  // "Sky Chart%d.spp" and modified until saved.
  SkyChartWindow* ShowSkyChart(SkyChartState chart);

  // The "Current Log" window and the "Current Track" pane, when the log is available.
  void CreateLogWindows();
  void SetCurrentLogShown(bool shown);
  void SetTrackShown(bool shown);
  LogWindow* CurrentLog() const;
  TrackPane* Track() const { return trackPane_; }
  // An archived log, read-only; an open one is brought to the top instead.
  bool OpenArchivedLog(const QString& path);
  // A voyage-log change: `lines` go to the current log window and, when the
  // command came from one, to `worksheet`; the track tree is refreshed.
  void NoteLogEntry(const std::vector<std::string>& lines, WorksheetWindow* worksheet);
  // The logs started again: the current log window is emptied.
  void ClearCurrentLog();
  void RefreshTrack();

  // The night palette on or off for the whole program (View, "Night Palette"),
  // remembered for the next start; NightPaletteChanged tells the windows
  // that draw in colours of their own.
  void SetNightPaletteShown(bool night);

  // Runs a Task-menu command in the chosen worksheet.
  void RunTaskCommand(CommandId id);
  // New Initial Fix; `worksheet` receives the entry when the command came from one.
  void RunNewInitialFix(WorksheetWindow* worksheet);

 signals:
  // After the night palette was switched on or off; the plot windows take
  // PlotPaletteFor(night) (ShowPlot connects them).
  void NightPaletteChanged(bool night);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildTaskMenu(QMenu& menu);
  void BuildLogMenus(QMenu& edit, QMenu& remove, QMenu& view);
  QAction* AddCommand(QMenu& menu, CommandId id, const char* text, const char* status);
  void ShowAbout();
  void ShowHelp();
  // File commands on the active document window.
  void SaveActive(bool saveAs);
  void PrintActive();
  void PrintPreviewActive();
  void ExportPdfActive();
  void ChangeFontActive();
  void UpdateRecentFiles();
  // Puts a sky chart window in the area, as ShowPlot does a plot.
  void ShowChart(SkyChartWindow* chart);
  void AddRecentFile(const QString& path);
  // The Leg Editor for a log or tree leg command, on `legIndex` (the latest
  // leg for the log commands), then the corrections and deletions chosen.
  void RunLegEditor(CommandId command, int legIndex);
  // The Observation Recorder for a log or tree sight command, on `sightIndex`
  // (the latest sight for the log commands), then the changes chosen.
  void RunObservationRecorder(CommandId command, int sightIndex);

  ApplicationState& state_;
  Notice& notice_;
  QMdiArea* mdiArea_;
  QDockWidget* trackDock_;
  std::map<CommandId, QAction*> actions_;
  QList<QAction*> recentFileActions_;
  int lastOpenFilter_ = 1;  // the File Open filter chosen last, from 1
  SkyChartNumbering chartNumbering_;
  // Guarded: each becomes null when its window is destroyed.
  QPointer<WorksheetWindow> currentWorksheet_;
  QPointer<LogWindow> currentLog_;
  TrackPane* trackPane_ = nullptr;
};

}  // namespace navora
