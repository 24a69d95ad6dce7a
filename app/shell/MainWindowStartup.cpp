// The main window's start-up and shut-down, the About box and the manual.

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include "app/bridge/DataFileChecks.h"
#include "app/shell/AboutBox.h"
#include "app/shell/HelpWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/ProgramArt.h"
#include "app/shell/SettingsStore.h"
#include "app/shell/SplashWindow.h"
#include "app/shell/WorksheetWindow.h"
#include "engine/log/EventLog.h"
#include "engine/log/TextLog.h"

namespace navora {
namespace {

// The key of the dock layout inside its section.
constexpr char kBarStateKey[] = "State";

constexpr char kInitialFixQuestion[] =
    "              WARNING!!              \n\nAn initial fix has not been recorded.  \n"
    "Would you like to record one now?    \n\n";

constexpr char kManualMissing[] =
    "The navigator's manual was not found beside the program\n"
    "or in its share/navora/manual folder.";

// What follows the splash: the offer of an initial fix when the log has none.
void AfterSplash(MainWindow& window) {
  if (window.State().initialFixMissing && window.CurrentWorksheet() != nullptr) {
    window.OfferInitialFix();
  }
}

}  // namespace

void MainWindow::Start(bool splash) {
  setWindowIcon(ProgramIcon());
  OpenVoyageLogsAtStartup(notice_, state_);
  CreateLogWindows();
  if (state_.logAvailable) restoreState(LoadBytes(kTrackBarStateSection, kBarStateKey));
  // Guarded: the data-file messages below run an event loop.
  const QPointer<WorksheetWindow> worksheet = NewWorksheet();
  CheckDataFilesAtStartup(notice_, state_.places);

  LoadPlacement(kMainFrameSection, *this);
  // A start asked to be minimized still comes up on screen, so that the
  // window is not lost, but quietly: without the splash.
  const bool quietStart = windowState().testFlag(Qt::WindowMinimized);
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  // The worksheet is placed once the document area has its size: a stored
  // placement is kept only when it lies at least partly inside the area.
  if (worksheet) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(worksheet->parentWidget())) {
      LoadPlacement(kWorksheetPlacementSection, *frame);
    }
  }

  if (splash && !quietStart) {
    auto* splashWindow = new SplashWindow(this);
    // Queued: the question must not open inside the splash's close, while
    // the splash still stands over the window.
    connect(
        splashWindow, &SplashWindow::Finished, this, [this] { AfterSplash(*this); },
        Qt::QueuedConnection);
    splashWindow->show();
    splashWindow->raise();
  } else {
    QTimer::singleShot(0, this, [this] { AfterSplash(*this); });
  }
}

void MainWindow::OfferInitialFix() {
  if (notice_.Show(kInitialFixQuestion, kNoticeYesNoQuestion) == NoticeAnswer::kYes) {
    RunNewInitialFix(CurrentWorksheet());
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  state_.closing = true;
  if (state_.logAvailable) StoreBytes(kTrackBarStateSection, kBarStateKey, saveState());
  StorePlacement(kMainFrameSection, *this);
  // Each document may refuse (its changes unsaved): then the program stays.
  mdiArea_->closeAllSubWindows();
  if (!mdiArea_->subWindowList().isEmpty()) {
    state_.closing = false;
    event->ignore();
    return;
  }
  CloseEventLog(state_.events);
  CloseTextLog(state_.text);
  event->accept();
}

void MainWindow::ShowAbout() {
  AboutBox about(this);
  about.exec();
}

void MainWindow::ShowHelp() {
  if (auto* help = findChild<HelpWindow*>()) {
    help->show();
    help->raise();
    help->activateWindow();
    return;
  }
  const QString index = FindManualIndex();
  if (index.isEmpty()) {
    notice_.Show(kManualMissing, kNoticeOk);
    return;
  }
  auto* help = new HelpWindow(index, this);
  help->show();
}

}  // namespace navora
