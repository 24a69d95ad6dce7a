// navora: the desktop program.

#include <QApplication>
#include <QCommandLineParser>
#include <clocale>

#include "app/bridge/DataDirectory.h"
#include "app/bridge/VoyageDirectory.h"
#include "app/shell/MainWindow.h"
#include "app/shell/QtNotice.h"
#include "app/shell/SettingsStore.h"
#include "app/shell/SingleInstance.h"
#include "app/tasks/ApplicationState.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Qt adopts the user's locale; the reports are fixed formats with a decimal point.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setOrganizationName(QString::fromLatin1(navora::kSettingsOrganisation));
  QApplication::setApplicationName(QString::fromLatin1(navora::kSettingsApplication));

  QCommandLineParser parser;
  parser.setApplicationDescription("NAVORA: marine celestial navigation");
  parser.addHelpOption();
  const QCommandLineOption voyageDir("voyage-dir", "Keep the voyage log in DIR.", "DIR");
  const QCommandLineOption noSplash("no-splash", "Start without the splash window.");
  parser.addOption(voyageDir);
  parser.addOption(noSplash);
  parser.process(application);

  // A second copy would share the voyage log with the first: it hands over
  // to the running copy and leaves.
  navora::SingleInstance instance(navora::SingleInstance::DefaultName());
  if (!instance.Claim()) return 0;

  std::string voyageDirectory;
  const QByteArray chosen = parser.value(voyageDir).toLocal8Bit();
  if (!navora::ResolveVoyageDirectory(parser.isSet(voyageDir) ? chosen.constData() : nullptr,
                                      voyageDirectory)) {
    return 1;
  }
  navora::ApplicationState state(navora::FindDataDirectory(), voyageDirectory);
  navora::QtNotice notice(nullptr);
  navora::MainWindow window(state, notice);
  notice.SetParent(&window);
  QObject::connect(&instance, &navora::SingleInstance::RaiseRequested, &window, [&window] {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
  });
  window.Start(!parser.isSet(noSplash));
  return QApplication::exec();
}
