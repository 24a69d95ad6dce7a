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
#include "app/shell/AboutBox.h"
#include "app/shell/HelpWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/SettingsStore.h"
#include "app/shell/SplashWindow.h"
#include "app/shell/WorksheetWindow.h"
#include "app/tasks/AlmanacTasks.h"
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
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch_.filePath("settings"));
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

const Scene kScenes[] = {
    {"main-window", MainWindowWithAlmanac},
    {"about-box", [](Session&) { return std::make_unique<AboutBox>(); }},
    {"splash", [](Session&) { return std::make_unique<SplashWindow>(); }},
    {"help", [](Session&) { return std::make_unique<HelpWindow>(FindManualIndex()); }},
    {"help-almanac",
     [](Session&) {
       auto help = std::make_unique<HelpWindow>(FindManualIndex());
       help->Browser().setSource(QUrl(QStringLiteral("almanac.html")));
       return help;
     }},
};

bool Render(const Scene& scene, const QDir& output) {
  Session session;
  std::unique_ptr<QWidget> window = scene.build(session);
  window->show();
  for (int pass = 0; pass < 5; ++pass) QApplication::processEvents();
  const QString path = output.filePath(QString::fromLatin1(scene.name) + ".png");
  const bool saved = window->grab().save(path);
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
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
