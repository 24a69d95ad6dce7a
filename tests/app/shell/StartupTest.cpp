#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QSettings>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/shell/HelpWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/SettingsStore.h"
#include "app/shell/SplashWindow.h"
#include "app/shell/WorksheetWindow.h"
#include "support/ScratchSession.h"

namespace navora {
namespace {

constexpr char kInitialFixQuestion[] =
    "              WARNING!!              \n\nAn initial fix has not been recorded.  \n"
    "Would you like to record one now?    \n\n";

int TimesAsked(const RecordingNotice& notice, const char* text) {
  int count = 0;
  for (const RecordingNotice::Shown& shown : notice.shown) count += shown.text == text;
  return count;
}

void SettleEvents() {
  for (int pass = 0; pass < 3; ++pass) QApplication::processEvents();
}

TEST(Startup, AnEmptyVoyageDirectoryAsksForAnInitialFixOnceAfterTheSplash) {
  struct Case {
    const char* name;
    bool splash;
    bool minimized;
    bool splashShown;
  };
  const Case cases[] = {
      {"splash", true, false, true},
      {"no splash", false, false, false},
      {"minimized start", true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::ScratchSession session;
    session.notice.answers = {NoticeAnswer::kNo};
    MainWindow window(session.state, session.notice);
    if (c.minimized) window.setWindowState(Qt::WindowMinimized);
    window.Start(c.splash);
    SettleEvents();

    EXPECT_TRUE(session.state.initialFixMissing);
    EXPECT_FALSE(session.state.logAvailable);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.windowState().testFlag(Qt::WindowMinimized));
    ASSERT_NE(window.CurrentWorksheet(), nullptr);
    auto* splash = window.findChild<SplashWindow*>();
    ASSERT_EQ(splash != nullptr, c.splashShown);
    if (splash) {
      EXPECT_TRUE(splash->isVisible());
      EXPECT_EQ(TimesAsked(session.notice, kInitialFixQuestion), 0) << "asked over the splash";
      splash->close();
      SettleEvents();
      EXPECT_EQ(window.findChild<SplashWindow*>(), nullptr);
    }
    EXPECT_EQ(TimesAsked(session.notice, kInitialFixQuestion), 1);
    EXPECT_EQ(session.notice.shown.back().style, kNoticeYesNoQuestion);
    // With the data files of the build present, that question is all the user saw.
    EXPECT_EQ(session.notice.shown.size(), 1u);

    // No: the log stays without a fix.
    const std::string eventLog = session.VoyageDirectory() + "navora.evt";
    EXPECT_TRUE(!std::filesystem::exists(eventLog) || std::filesystem::file_size(eventLog) == 0);
  }
}

TEST(Startup, TheMainWindowAndTheFirstWorksheetOpenWhereTheyWereLeft) {
  testing::ScratchSession session;
  QWidget mainFrame;
  mainFrame.setGeometry(30, 20, 720, 540);
  StorePlacement(kMainFrameSection, mainFrame);
  {
    QSettings settings(kSettingsOrganisation, kSettingsApplication);
    settings.beginGroup(QStringLiteral("WorkSheetSettings/WindowPlacement"));
    const std::pair<const char*, int> keys[] = {
        {"wp.left", 400}, {"wp.top", 300}, {"wp.right", 800}, {"wp.bottom", 600}};
    for (const auto& [key, value] : keys) settings.setValue(key, value);
  }
  session.notice.answers = {NoticeAnswer::kNo};  // no initial fix now
  MainWindow window(session.state, session.notice);
  window.Start(false);
  SettleEvents();
  EXPECT_EQ(window.geometry(), QRect(30, 20, 720, 540));
  ASSERT_NE(window.CurrentWorksheet(), nullptr);
  auto* frame = qobject_cast<QMdiSubWindow*>(window.CurrentWorksheet()->parentWidget());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->geometry(), QRect(400, 300, 400, 300));
}

// A document that will not close, as a worksheet with unsaved changes whose
// user chose Cancel.
class StubbornDocument : public QWidget {
 protected:
  void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

TEST(Startup, ClosingStoresThePlacementAndADocumentMayRefuse) {
  testing::ScratchSession session;
  session.notice.answers = {NoticeAnswer::kNo};  // no initial fix now
  MainWindow window(session.state, session.notice);
  window.Start(false);
  SettleEvents();
  window.setGeometry(60, 40, 700, 500);
  session.state.logAvailable = true;  // as if the log held a fix: the dock layout is kept too

  QMdiSubWindow* stubborn = window.MdiArea().addSubWindow(new StubbornDocument);
  stubborn->show();
  EXPECT_FALSE(window.close());
  EXPECT_FALSE(session.state.closing);
  EXPECT_TRUE(window.isVisible());

  QWidget restored;
  ASSERT_TRUE(LoadPlacement(kMainFrameSection, restored));
  EXPECT_EQ(restored.geometry(), QRect(60, 40, 700, 500));
  EXPECT_FALSE(LoadBytes(kTrackBarStateSection, "State").isEmpty());

  delete stubborn;
  EXPECT_TRUE(window.close());
  EXPECT_TRUE(session.state.closing);
}

// The manual lies beside the program, as installed, and none of its pages
// links to a page that is not there.
TEST(Startup, TheManualIsFoundAndItsPagesLinkOnlyToEachOther) {
  testing::ScratchSession session;
  const QString index = FindManualIndex();
  ASSERT_FALSE(index.isEmpty());
  const QDir manual = QFileInfo(index).dir();
  const QRegularExpression link(QStringLiteral("href=\"([^\":#]+)"));
  int pages = 0;
  for (const QString& page : manual.entryList({QStringLiteral("*.html")})) {
    QFile file(manual.filePath(page));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (auto found = link.globalMatch(text); found.hasNext();) {
      const QString target = found.next().captured(1);
      EXPECT_TRUE(manual.exists(target)) << page.toStdString() << " links to " << target.toStdString();
    }
    ++pages;
  }
  EXPECT_GE(pages, 2);

  HelpWindow help(index);
  EXPECT_EQ(help.Browser().documentTitle(), QStringLiteral("NAVORA: the navigator's manual"));
}

}  // namespace
}  // namespace navora
