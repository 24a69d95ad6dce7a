// navora-screenshots: renders the desktop program's windows to PNG files for
// review, each in a fresh session (scratch settings store and voyage
// directory) on the offscreen platform, so that pictures repeat from run to
// run and never touch the user's own settings or log.
//
//   navora-screenshots OUTPUT_DIR [SCENE...]
//
// A scene is one row of kScenes: a name (the file name) and a function that
// builds the window to picture. Add a row to picture another window.

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/bridge/DataDirectory.h"
#include "app/bridge/DataFileChecks.h"
#include "app/bridge/LogBridge.h"
#include "app/bridge/LogEntryBridge.h"
#include "app/dialogs/AlmanacDialog.h"
#include "app/dialogs/CommentDialog.h"
#include "app/dialogs/CompassDeterminationDialog.h"
#include "app/dialogs/CompassPlanningDialog.h"
#include "app/dialogs/ExternalFixDialog.h"
#include "app/dialogs/LegEditorDialog.h"
#include "app/dialogs/NewInitialFixDialog.h"
#include "app/dialogs/ObservationRecorderDialog.h"
#include "app/dialogs/ReportPreviewDialog.h"
#include "app/dialogs/RiseSetFixedDialog.h"
#include "app/dialogs/RiseSetUnderwayDialog.h"
#include "app/dialogs/SightPlanningDialog.h"
#include "app/dialogs/StripFormDialog.h"
#include "app/dialogs/TimeOfFixDialog.h"
#include "app/dialogs/UpdateDrDialog.h"
#include "app/dialogs/WaypointDialog.h"
#include "app/plots/SightPlotWindow.h"
#include "app/plots/SkyChartWindow.h"
#include "app/shell/AboutBox.h"
#include "app/shell/HelpWindow.h"
#include "app/shell/LogWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/NightPalette.h"
#include "app/shell/SettingsStore.h"
#include "app/shell/SplashWindow.h"
#include "app/shell/TrackPane.h"
#include "app/shell/WorksheetWindow.h"
#include "app/tasks/AlmanacTasks.h"
#include "app/tasks/ComputeFixCourse.h"
#include "app/tasks/PlanningCourse.h"
#include "app/tasks/RiseSetCourse.h"
#include "app/tasks/SightPlotTasks.h"
#include "engine/log/NewInitialFix.h"
#include "engine/planning/SkyChart.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

// The size of the main window in the pictures.
constexpr QSize kMainWindowSize(1280, 800);

// Declines every question, so that no scene stops in a modal dialog.
class DecliningNotice : public Notice {
 public:
  NoticeAnswer Show(std::string_view, NoticeStyle style) override {
    return NoticeAsksQuestion(style) ? NoticeAnswer::kNo : NoticeAnswer::kOk;
  }
};

// What a scene's windows live on: settings and a voyage directory of their own.
class Session {
  QTemporaryDir scratch_;  // first: the members below use it

 public:
  Session() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       scratch_.filePath("settings"));
    QDir(scratch_.path()).mkpath("voyage");
  }

  DecliningNotice notice;
  ApplicationState state{FindDataDirectory(), scratch_.filePath("voyage").toStdString() + "/"};
};

using SceneBuilder = std::function<std::unique_ptr<QWidget>(Session&)>;

struct Scene {
  const char* name;
  SceneBuilder build;
};

// The main window after start-up, its worksheet holding a Sun, Moon and
// Aries page for the longest day of 2024.
std::unique_ptr<QWidget> MainWindowWithAlmanac(Session& session) {
  auto window = std::make_unique<MainWindow>(session.state, session.notice);
  window->resize(kMainWindowSize);
  window->Start(false);
  WorksheetWindow* worksheet = window->CurrentWorksheet();
  if (worksheet != nullptr) {
    TaskContext context{session.notice, worksheet->Sink(), session.state.places};
    const AlmanacTableRequest request{CalendarToJulian(2024, 6, 21, 0, 0, 0.0), 24, 1.0 / 24.0};
    static_cast<void>(RunSunMoonAriesAlmanac(context, request));
    if (auto* frame = qobject_cast<QWidget*>(worksheet->parentWidget())) frame->showMaximized();
  }
  return window;
}

// A voyage of three legs in both logs: the initial fix off Ushant with a Sun
// sight, a course change with two star sights, a second with a Moon sight,
// and a comment; written as the tasks write them.
void LogThreeLegs(Session& session) {
  ApplicationState& state = session.state;
  const double start = CalendarToJulian(2024, 6, 21, 4, 0, 0.0);
  const char* directory = state.voyageDirectory.c_str();
  NewVoyage voyage;
  if (SetTextLogDirectory(state.text, directory) != kStatusOk ||
      SetEventLogDirectory(state.events, directory) != kStatusOk ||
      StartNewVoyage(state.events, state.text, MakeInitialFixRecord(start, 48.5, -5.2, 245.0, 12.0),
                     voyage) != kStatusOk) {
    return;
  }
  std::vector<std::string> written;
  auto sight = [&](double hours, uint16_t body, uint16_t star) {
    ObservationRecord record = DefaultObservationRecord();
    record.time = start + hours / 24.0;
    record.bodyCode = body;
    record.starNumber = star;
    static_cast<void>(TaskAppendSightEntry(session.notice, state.events, record));
  };
  auto courseChange = [&](double hours, double latitude, double longitude, double course) {
    const PositionRecord change =
        MakePositionRecord(kMotionRhumbLine, kPositionDr, start + hours / 24.0, latitude, longitude,
                           course, 12.0, 0.0, 0.0);
    if (TaskAppendPositionEntry(session.notice, state.events, change) == kStatusOk) {
      static_cast<void>(TaskLogNewPosition(session.notice, state.text, change, false, written));
    }
  };
  sight(1.5, 14, 0);
  courseChange(3.0, 48.2, -5.9, 220.0);
  sight(4.0, 20, 1);
  sight(4.1, 20, 18);
  courseChange(6.0, 47.8, -6.4, 200.0);
  sight(7.0, 11, 0);
  static_cast<void>(TaskWriteComment(session.notice, state.text,
                                     "Ushant light abeam to port, 9 miles. Wind SW 4.", written));
}

// The main window on a voyage under way: the Current Log beside a worksheet,
// the Current Track pane with three legs.
std::unique_ptr<QWidget> MainWindowOnAVoyage(Session& session) {
  LogThreeLegs(session);
  auto window = std::make_unique<MainWindow>(session.state, session.notice);
  window->resize(kMainWindowSize);
  window->Start(false);
  window->MdiArea().tileSubWindows();
  return window;
}

// The main window on a voyage, its worksheet holding a week of Sun rise, set
// and twilight at a fixed site and the Moon's events underway.
std::unique_ptr<QWidget> MainWindowWithRiseSet(Session& session) {
  LogThreeLegs(session);
  auto window = std::make_unique<MainWindow>(session.state, session.notice);
  window->resize(kMainWindowSize);
  window->Start(false);
  WorksheetWindow* worksheet = window->CurrentWorksheet();
  if (worksheet == nullptr) return window;
  ApplicationState& state = session.state;
  TaskContext context{session.notice, worksheet->Sink(), state.places};
  RiseSetFixedRequest fixed;
  fixed.dateJd = CalendarToJulian(2024, 6, 18, 0, 0, 0.0);
  fixed.timeZoneHours = 2.0f;
  fixed.latitudeDeg = 48.5;
  fixed.longitudeDeg = -5.2;
  fixed.heightOfEyeM = 3.048;
  fixed.days = 7;
  static_cast<void>(RunRiseSetFixed(context, state.reference, fixed));
  worksheet->Sink().AppendLine("     ");
  RiseSetUnderwayRequest underway;
  underway.dateJd = CalendarToJulian(2024, 6, 21, 0, 0, 0.0);
  underway.body = kMoon;
  underway.reference = LatestPositionOrDefault(state.events);
  underway.days = 2;
  static_cast<void>(RunRiseSetUnderway(context, state.reference, underway));
  if (auto* frame = qobject_cast<QWidget*>(worksheet->parentWidget())) frame->showMaximized();
  return window;
}

// Tall enough for both tables and the precision below them.
constexpr QSize kSelectedStarsWindowSize(1280, 960);

// The main window on a voyage, its worksheet holding the selected stars and
// the Sun, Moon and planets for the evening twilight of the longest day,
// with the expected precision of the fix.
std::unique_ptr<QWidget> MainWindowWithSelectedStars(Session& session) {
  LogThreeLegs(session);
  auto window = std::make_unique<MainWindow>(session.state, session.notice);
  window->resize(kSelectedStarsWindowSize);
  window->Start(false);
  WorksheetWindow* worksheet = window->CurrentWorksheet();
  if (worksheet == nullptr) return window;
  ApplicationState& state = session.state;
  TaskContext context{session.notice, worksheet->Sink(), state.places};
  SightPlanningRequest request;
  request.twilight = true;
  request.morning = false;
  request.dateUtc = CalendarToJulian(2024, 6, 21, 0, 0, 0.0);
  request.reference = LatestPositionOrDefault(state.events);
  request.heightOfEyeM = 3.048;
  request.showPrecision = true;
  static_cast<void>(RunSelectedStars(context, state.reference, request));
  if (auto* frame = qobject_cast<QWidget*>(worksheet->parentWidget())) frame->showMaximized();
  return window;
}

// The voyage at night, the night palette chosen in an earlier run: the
// worksheet holds a Sun, Moon and Aries page beside the Current Log and the
// track pane.
std::unique_ptr<QWidget> MainWindowAtNight(Session& session) {
  LogThreeLegs(session);
  StoreNightPaletteChoice(true);
  auto window = std::make_unique<MainWindow>(session.state, session.notice);
  window->resize(kMainWindowSize);
  window->Start(false);
  if (WorksheetWindow* worksheet = window->CurrentWorksheet()) {
    TaskContext context{session.notice, worksheet->Sink(), session.state.places};
    const AlmanacTableRequest request{CalendarToJulian(2024, 6, 21, 0, 0, 0.0), 6, 1.0 / 24.0};
    static_cast<void>(RunSunMoonAriesAlmanac(context, request));
  }
  window->MdiArea().tileSubWindows();
  return window;
}

std::unique_ptr<QWidget> CurrentLogWindow(Session& session) {
  LogThreeLegs(session);
  auto window = std::make_unique<MainWindow>(session.state, session.notice);
  window->resize(kMainWindowSize);
  window->Start(false);
  std::unique_ptr<QWidget> log;
  if (LogWindow* current = window->CurrentLog()) {
    QWidget* frame = current->parentWidget();
    frame->setParent(nullptr);
    frame->resize(800, 600);
    log.reset(frame);
  }
  return log;
}

std::unique_ptr<QWidget> TrackTree(Session& session) {
  LogThreeLegs(session);
  session.state.logAvailable = true;
  auto pane = std::make_unique<TrackPane>(session.state);
  pane->resize(320, 400);
  pane->Refresh();
  return pane;
}

// A running fix over three legs off Tasmania with two course changes: morning
// stars, then the Sun, Venus and the Moon, then the Sun and evening stars,
// the DR started 4' N and 5' E of the true track.
struct PlotLeg {
  double time, latitude, longitude, course, speed;
  uint16_t positionType;
};
struct PlotSight {
  uint16_t leg, body, star;
  double time, hs, sigma;
};
constexpr PlotLeg kPlotLegs[] = {
    {2454536.2708333335, -45.066666667, 149.881666667, 20.0, 14.0, kPositionExternalFix},
    {2454536.4166666665, -44.299289582, 150.273167285, 95.0, 15.0, kPositionDr},
    {2454536.6250000000, -44.408235093, 152.008709926, 170.0, 11.0, kPositionDr},
};
constexpr PlotSight kPlotSights[] = {
    {0, 20, 42, 2454536.2951388890, 71.590000000000, 0.005},
    {0, 20, 33, 2454536.2965277778, 39.560000000000, 0.005},
    {0, 20, 38, 2454536.2982638888, 67.876666666667, 0.01},
    {0, 20, 44, 2454536.2998263887, 59.590000000000, 0.005},
    {0, 20, 24, 2454536.3016203702, 35.641666666667, 0.005},
    {1, 14, 0, 2454536.4375000000, 27.266666666667, 0.005},
    {1, 2, 0, 2454536.4584490741, 52.331666666667, 0.01},
    {1, 12, 0, 2454536.5416666665, 47.315000000000, 0.005},
    {1, 13, 0, 2454536.5628472222, 13.193333333333, 0.005},
    {2, 14, 0, 2454536.6666666665, 41.313333333333, 0.005},
    {2, 12, 0, 2454536.7504629628, 23.860000000000, 0.02},
    {2, 20, 5, 2454536.8784722220, 45.073333333333, 0.005},
    {2, 20, 7, 2454536.8799768519, 50.978333333333, 0.005},
    {2, 20, 11, 2454536.8814814813, 48.908333333333, 0.01},
    {2, 20, 18, 2454536.8829861111, 61.343333333333, 0.005},
    {2, 20, 22, 2454536.8844907410, 69.413333333333, 0.005},
};
constexpr double kPlotTimeOfFix = 2454536.8844907410;
constexpr QSize kPlotWindowSize(1000, 680);

// The voyage's sights reduced at their DR positions, as Compute Fix opens
// them; solved too when `solve`.
std::unique_ptr<SightPlotWindow> RunningFixPlot(Session& session, bool solve) {
  if (!CheckDataFilesAtStartup(session.notice, session.state.places)) return nullptr;
  LegsAndSights loaded;
  for (const PlotLeg& leg : kPlotLegs) {
    loaded.legs[loaded.legCount++] =
        MakePositionRecord(kMotionRhumbLine, leg.positionType, leg.time, leg.latitude,
                           leg.longitude, leg.course, leg.speed, 0.0, 0.0);
  }
  for (const PlotSight& entry : kPlotSights) {
    ObservationRecord sight = DefaultObservationRecord();
    sight.legIndex = entry.leg;
    sight.bodyCode = entry.body;
    sight.starNumber = entry.star;
    sight.time = entry.time;
    sight.ut1MinusUtc = -0.1;
    sight.temperature = 16.0;
    sight.pressure = 1003.0;
    sight.hs = entry.hs;
    sight.indexCorrection = 0.025;
    sight.heightOfEye = 18.288;
    sight.sigma = entry.sigma;
    sight.included = 1;
    loaded.sights[loaded.sightCount++] = sight;
  }
  SightPlotDocument document;
  if (OpenLivePlot(session.notice, session.state.places, loaded, kPlotTimeOfFix, document) != 0) {
    return nullptr;
  }
  auto plot = std::make_unique<SightPlotWindow>(
      std::move(document), session.notice, &session.state.places, SightPlotWindow::DefaultFont());
  plot->SetTitle(SightPlotWindow::NewLivePlotTitle({}));
  plot->resize(kPlotWindowSize);
  if (solve) {
    // The Sun's upper limb of the third leg, a poor sight, left out.
    plot->ToggleSight(10);
    if (!plot->CalculateFix()) return nullptr;
  }
  return plot;
}

// The chart the Sky Chart command draws, off Nantucket (41.5 N, 70.25 W)
// from a height of eye of 12 m; an empty chart when it cannot be computed.
SkyChartState ComputedChart(Session& session, double timeUtc) {
  constexpr double kLatitude = 41.5, kLongitude = -70.25, kHeightOfEyeM = 12.0;
  SkyChartLuminary luminaries[kSkyChartMaxLuminaries];
  SkyChartPlanet planets[kSkyChartMaxPlanets];
  SkyChartStar stars[kSkyChartMaxStars];
  int16_t luminaryCount = 0, planetCount = 0, starCount = 0;
  if (!CheckDataFilesAtStartup(session.notice, session.state.places) ||
      ComputeSkyChart(session.state.places, timeUtc, 0.0, kLatitude, kLongitude, kHeightOfEyeM,
                      luminaries, luminaryCount, planets, planetCount, stars,
                      starCount) != kStatusOk) {
    return {};
  }
  PositionRecord observer = MakePositionRecord(kMotionRhumbLine, kPositionDr, timeUtc, kLatitude,
                                               kLongitude, 245.0, 12.0, 0.0, 0.0);
  return InitialiseSkyChart(luminaries, luminaryCount, planets, planetCount, stars, starCount,
                            observer, timeUtc)
      .chart;
}

std::unique_ptr<QWidget> SkyChartScene(Session& session, SkyChartState chart, bool night) {
  if (night) SetNightPalette(true);
  auto window = std::make_unique<SkyChartWindow>(SkyChartDocument{std::move(chart), true},
                                                 session.notice, SkyChartWindow::DefaultFont());
  window->SetTitle(QStringLiteral("Sky Chart1.spp"));
  window->SetPlotPalette(PlotPaletteFor(night));
  window->resize(kPlotWindowSize);
  return window;
}

// Before dawn, 2024 August 20, 08:00 UTC: the Sun far below the horizon,
// Jupiter and Mars high in the east, Saturn and the full Moon in the west.
double NightTime() { return CalendarToJulian(2024, 8, 20, 8, 0, 0.0); }

// Evening twilight, 2024 April 14, 23:45 UTC: the Sun a few degrees down in
// the west, a waxing Moon high in the south-west lit towards it.
double TwilightTime() { return CalendarToJulian(2024, 4, 14, 23, 45, 0.0); }

const Scene kScenes[] = {
    {"main-window", MainWindowWithAlmanac},
    {"voyage", MainWindowOnAVoyage},
    {"main-window-night", MainWindowAtNight},
    {"current-log", CurrentLogWindow},
    {"track-tree", TrackTree},
    {"almanac-dialog",
     [](Session& session) {
       return std::make_unique<AlmanacDialog>(
           AlmanacDialogKind::kTable, QStringLiteral("Almanac - Sun, Moon, and Aries"),
           session.notice, InitialAlmanacDialogFields(CalendarToJulian(2024, 6, 21, 0, 0, 0.0)));
     }},
    {"new-initial-fix-dialog",
     [](Session& session) {
       return std::make_unique<NewInitialFixDialog>(
           QStringLiteral("New Initial Fix"), session.notice,
           MakeInitialFixRecord(CalendarToJulian(2024, 6, 21, 4, 0, 0.0), 48.5, -5.2, 245.0, 12.0));
     }},
    {"riseset-fixed-dialog",
     [](Session& session) {
       LogThreeLegs(session);
       ApplicationState& state = session.state;
       return std::make_unique<RiseSetFixedDialog>(session.notice, state.places.ephemeris,
                                                   state.reference,
                                                   LatestPositionOrDefault(state.events));
     }},
    {"riseset-underway-dialog",
     [](Session& session) {
       LogThreeLegs(session);
       ApplicationState& state = session.state;
       auto dialog = std::make_unique<RiseSetUnderwayDialog>(session.notice, state.places.ephemeris,
                                                             state.reference,
                                                             LatestPositionOrDefault(state.events));
       RiseSetUnderwayFields fields = dialog->Fields();
       fields.zoneHours = "02";
       fields.body = kMoon;
       dialog->SetFields(fields);
       return dialog;
     }},
    {"riseset-worksheet", MainWindowWithRiseSet},
    // Selected Stars for the evening twilight, the precision asked for.
    {"sight-planning-dialog",
     [](Session& session) {
       LogThreeLegs(session);
       ApplicationState& state = session.state;
       auto dialog = std::make_unique<SightPlanningDialog>(
           SightPlanningDialog::Kind::kSelectedStars, session.notice, state.places.ephemeris,
           state.reference, LatestPositionOrDefault(state.events));
       SightPlanningFields fields = dialog->Fields();
       fields.twilight = true;
       fields.morning = false;
       fields.showPrecision = true;
       dialog->SetFields(fields);
       return dialog;
     }},
    {"selected-stars-worksheet", MainWindowWithSelectedStars},
    {"compass-planning-dialog",
     [](Session& session) {
       LogThreeLegs(session);
       ApplicationState& state = session.state;
       auto dialog = std::make_unique<CompassPlanningDialog>(session.notice, state.places.ephemeris,
                                                             state.reference,
                                                             LatestPositionOrDefault(state.events));
       CompassPlanningFields fields = dialog->Fields();
       fields.hour = "21";
       fields.minute = "30";
       dialog->SetFields(fields);
       return dialog;
     }},
    // Mirfak's relative bearing, low in the north at the end of twilight.
    {"compass-determination-dialog",
     [](Session& session) {
       LogThreeLegs(session);
       ApplicationState& state = session.state;
       const PositionRecord reference = LatestPositionOrDefault(state.events);
       CompassErrorFields fields = InitialCompassErrorFields(reference.time, 0.0);
       fields.hour = "21";
       fields.minute = "30";
       fields.second = "00";
       fields.relative = true;
       fields.bearing = "157.0";
       fields.heading = "200.0";
       for (int i = 0; i < kCompassBodyCount; ++i) {
         if (std::string_view(CompassBodyName(i)) == "Mirfak") fields.bodyIndex = i;
       }
       return std::make_unique<CompassDeterminationDialog>(session.notice, reference, fields);
     }},
    {"comment-dialog", [](Session&) { return std::make_unique<CommentDialog>(); }},
    {"about-box", [](Session&) { return std::make_unique<AboutBox>(); }},
    {"splash", [](Session&) { return std::make_unique<SplashWindow>(); }},
    {"help", [](Session&) { return std::make_unique<HelpWindow>(FindManualIndex()); }},
    {"help-almanac",
     [](Session&) {
       auto help = std::make_unique<HelpWindow>(FindManualIndex());
       help->Browser().setSource(QUrl(QStringLiteral("almanac.html")));
       return help;
     }},
    {"update-dr-dialog",
     [](Session& session) {
       LogThreeLegs(session);
       ApplicationState& state = session.state;
       auto dialog = std::make_unique<UpdateDrDialog>(
           PositionTaskLogs{session.notice, state.events, state.text, state.places.ephemeris,
                            state.reference},
           LatestPositionOrDefault(state.events));
       UpdateDrFields fields = dialog->Fields();
       fields.hour = "12";
       fields.change = true;
       fields.course = "180.0";
       dialog->SetFields(fields);
       return dialog;
     }},
    {"external-fix-dialog",
     [](Session& session) {
       LogThreeLegs(session);
       ApplicationState& state = session.state;
       return std::make_unique<ExternalFixDialog>(
           PositionTaskLogs{session.notice, state.events, state.text, state.places.ephemeris,
                            state.reference},
           LatestPositionOrDefault(state.events));
     }},
    {"waypoint-dialog",
     [](Session& session) {
       LogThreeLegs(session);
       ApplicationState& state = session.state;
       return std::make_unique<WaypointDialog>(session.notice, state.places.ephemeris,
                                               state.reference,
                                               LatestPositionOrDefault(state.events));
     }},
    // An Update DR two hours after the third leg, turning south at 10 knots.
    {"report-preview",
     [](Session& session) -> std::unique_ptr<QWidget> {
       LogThreeLegs(session);
       ApplicationState& state = session.state;
       if (!CheckDataFilesAtStartup(session.notice, state.places)) return nullptr;
       PositionTaskLogs logs{session.notice, state.events, state.text, state.places.ephemeris,
                             state.reference};
       const PositionRecord reference = LatestPositionOrDefault(state.events);
       UpdateDrFields fields = InitialUpdateDrFields(reference);
       fields.hour = "12";
       fields.change = true;
       fields.course = "180.0";
       fields.speed = "10.0";
       UpdateDrPreview preview;
       FixField refused = FixField::kDay;
       if (!AcceptUpdateDr(logs, reference, fields, preview, refused)) return nullptr;
       return std::make_unique<ReportPreviewDialog>(preview.report, WorksheetWindow::DefaultFont());
     }},
    {"leg-editor",
     [](Session& session) -> std::unique_ptr<QWidget> {
       LogThreeLegs(session);
       LegsAndSights loaded;
       if (TaskLoadLegsAndSights(session.state.events, loaded) != kStatusOk) return nullptr;
       // The latest course change, its course being corrected.
       auto editor = std::make_unique<LegEditorDialog>(LegEditorMode::kEditing, loaded,
                                                       loaded.legCount - 1, session.notice);
       editor->CourseField().setText(QStringLiteral("205.0"));
       return editor;
     }},
    {"observation-recorder",
     [](Session& session) -> std::unique_ptr<QWidget> {
       LogThreeLegs(session);
       LegsAndSights loaded;
       if (TaskLoadLegsAndSights(session.state.events, loaded) != kStatusOk) return nullptr;
       // The Moon sight of the third leg, its altitude being corrected.
       auto recorder = std::make_unique<ObservationRecorderDialog>(
           ObservationRecorderModel(RecorderMode::kEditing, loaded, loaded.sightCount - 1),
           session.notice);
       recorder->HsDegreesField().setText(QStringLiteral("27"));
       recorder->HsMinutesField().setText(QStringLiteral("42.7"));
       return recorder;
     }},
    {"time-of-fix", [](Session&) { return std::make_unique<TimeOfFixDialog>(); }},
    {"sight-plot",
     [](Session& session) -> std::unique_ptr<QWidget> { return RunningFixPlot(session, false); }},
    {"sight-plot-solved",
     [](Session& session) -> std::unique_ptr<QWidget> { return RunningFixPlot(session, true); }},
    {"strip-form",
     [](Session& session) -> std::unique_ptr<QWidget> {
       std::unique_ptr<SightPlotWindow> plot = RunningFixPlot(session, false);
       StripForm form;
       // The Moon's upper limb of the second leg.
       if (plot == nullptr || !BuildStripForm(plot->Document().state, 8, form)) return nullptr;
       return std::make_unique<StripFormDialog>(form);
     }},
    // The solved plot saved and opened again from its file.
    {"sight-plot-archived",
     [](Session& session) -> std::unique_ptr<QWidget> {
       std::unique_ptr<SightPlotWindow> solved = RunningFixPlot(session, true);
       const QString path =
           QString::fromStdString(session.state.voyageDirectory) + "running-fix.srp";
       SightPlotDocument document;
       if (solved == nullptr || !solved->SaveAs(path) ||
           OpenSightPlot(session.notice, path.toStdString(), document) != 0) {
         return nullptr;
       }
       auto plot = std::make_unique<SightPlotWindow>(std::move(document), session.notice, nullptr,
                                                     SightPlotWindow::DefaultFont());
       plot->SetPathName(path);
       plot->resize(kPlotWindowSize);
       return plot;
     }},
    {"sky-chart-night",
     [](Session& session) {
       return SkyChartScene(session, ComputedChart(session, NightTime()), false);
     }},
    {"sky-chart-twilight",
     [](Session& session) {
       return SkyChartScene(session, ComputedChart(session, TwilightTime()), false);
     }},
    {"sky-chart-night-palette",
     [](Session& session) {
       return SkyChartScene(session, ComputedChart(session, NightTime()), true);
     }},
};

bool Render(const Scene& scene, const QDir& output) {
  Session session;
  std::unique_ptr<QWidget> window = scene.build(session);
  if (window == nullptr) {
    std::printf("FAILED %s: nothing to picture\n", scene.name);
    return false;
  }
  window->show();
  for (int pass = 0; pass < 5; ++pass) QApplication::processEvents();
  const QString path = output.filePath(QString::fromLatin1(scene.name) + ".png");
  const bool saved = window->grab().save(path);
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
  SetNightPalette(false);  // the next scene starts by day
  return saved;
}

}  // namespace
}  // namespace navora

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const QStringList arguments = QApplication::arguments().mid(1);
  if (arguments.isEmpty()) {
    std::fprintf(stderr, "usage: navora-screenshots OUTPUT_DIR [SCENE...]\nscenes:");
    for (const navora::Scene& scene : navora::kScenes) std::fprintf(stderr, " %s", scene.name);
    std::fprintf(stderr, "\n");
    return 2;
  }
  const QDir output(arguments.front());
  if (!output.mkpath(".")) return 1;
  const QStringList wanted = arguments.mid(1);
  bool allSaved = true;
  for (const navora::Scene& scene : navora::kScenes) {
    if (wanted.isEmpty() || wanted.contains(QString::fromLatin1(scene.name))) {
      allSaved = navora::Render(scene, output) && allSaved;
    }
  }
  return allSaved ? 0 : 1;
}
