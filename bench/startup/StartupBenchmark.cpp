// navora-startup-bench: how long the desktop program takes from process start
// to its main window on screen, without the splash, on the offscreen platform.
//
// Each run is a fresh process (this program started again with --child), so
// that loading the Qt libraries and the first font lookup are counted as a
// user would meet them. The parent times from starting the child to the
// child's report that its main window is exposed; the child also reports the
// part spent inside main(). Prints the median, least and greatest of each.
//
//   navora-startup-bench [RUNS]

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/bridge/DataDirectory.h"
#include "app/shell/MainWindow.h"

namespace navora {
namespace {

constexpr int kDefaultRuns = 7;
constexpr int kChildTimeoutMs = 30000;
constexpr char kChildFlag[] = "--child";

class DecliningNotice : public Notice {
 public:
  NoticeAnswer Show(std::string_view, NoticeStyle style) override {
    return NoticeAsksQuestion(style) ? NoticeAnswer::kNo : NoticeAnswer::kOk;
  }
};

// One start-up in this process, in a scratch settings store and voyage
// directory; prints the milliseconds from `sinceMain` to the window exposed.
int RunChild(int argc, char** argv, const QElapsedTimer& sinceMain) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir scratch;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.filePath("settings"));
  QDir(scratch.path()).mkpath("voyage");
  ApplicationState state(FindDataDirectory(), scratch.filePath("voyage").toStdString() + "/");
  DecliningNotice notice;
  MainWindow window(state, notice);
  window.Start(false);
  QElapsedTimer waited;
  waited.start();
  while (!(window.windowHandle() && window.windowHandle()->isExposed())) {
    if (waited.elapsed() > kChildTimeoutMs) return 1;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  std::printf("%.3f\n", sinceMain.nsecsElapsed() / 1e6);
  std::fflush(stdout);
  return 0;
}

struct Spread {
  double median;
  double least;
  double greatest;
};

Spread Summarise(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
  return {median, values.front(), values.back()};
}

int RunParent(const char* program, int runs) {
  std::vector<double> wholeMs;
  std::vector<double> insideMs;
  for (int run = 0; run < runs; ++run) {
    QProcess child;
    QElapsedTimer sinceStart;
    sinceStart.start();
    child.start(QString::fromLocal8Bit(program), {QString::fromLatin1(kChildFlag)});
    if (!child.waitForReadyRead(kChildTimeoutMs)) {
      std::fprintf(stderr, "run %d: the child did not report\n", run + 1);
      return 1;
    }
    wholeMs.push_back(sinceStart.nsecsElapsed() / 1e6);
    insideMs.push_back(child.readLine().trimmed().toDouble());
    child.waitForFinished(kChildTimeoutMs);
  }
  const Spread whole = Summarise(wholeMs);
  const Spread inside = Summarise(insideMs);
  std::printf("start-up to main window shown, offscreen, no splash, %d fresh processes:\n", runs);
  std::printf("  process start to window exposed: median %7.1f ms  (%.1f to %.1f)\n", whole.median,
              whole.least, whole.greatest);
  std::printf("  of which inside main():          median %7.1f ms  (%.1f to %.1f)\n", inside.median,
              inside.least, inside.greatest);
  return 0;
}

}  // namespace
}  // namespace navora

int main(int argc, char** argv) {
  QElapsedTimer sinceMain;
  sinceMain.start();
  if (argc > 1 && std::string_view(argv[1]) == navora::kChildFlag) {
    return navora::RunChild(argc, argv, sinceMain);
  }
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : navora::kDefaultRuns;
  return navora::RunParent(argv[0], runs);
}
