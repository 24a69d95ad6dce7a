#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <string>
#include <vector>

#include "app/bridge/LogBridge.h"
#include "app/shell/LogWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/TrackPane.h"
#include "app/shell/WorksheetWindow.h"
#include "engine/log/NewInitialFix.h"
#include "support/ScratchSession.h"

namespace navora {
namespace {

using Lines = std::vector<std::string>;
const std::string kSeparator(78, '-');

QString Shown(const Lines& lines) {
  QString text;
  for (const std::string& line : lines) text += QString::fromLatin1(line.c_str()) + '\n';
  return text;
}

Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class LogWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* directory = state_.voyageDirectory.c_str();
    ASSERT_EQ(SetTextLogDirectory(state_.text, directory), 0);
    ASSERT_EQ(SetEventLogDirectory(state_.events, directory), 0);
  }

  // Starts a voyage in the logs as New Initial Fix does; its entry's lines.
  Lines NewInitialFix(double latitude) {
    NewVoyage voyage;
    EXPECT_EQ(StartNewVoyage(state_.events, state_.text,
                             MakeInitialFixRecord(2460400.5, latitude, -4.25, 90.0, 6.0), voyage),
              0);
    archive_ = voyage.archivePath;
    state_.logAvailable = true;
    return {voyage.entry.begin(), voyage.entry.end()};
  }

  Lines Comment(std::string_view text) {
    Lines written;
    EXPECT_EQ(TaskWriteComment(session_.notice, state_.text, text, written), 0);
    return written;
  }

  QList<QMdiSubWindow*> LogFrames(MainWindow& window) {
    QList<QMdiSubWindow*> frames;
    for (QMdiSubWindow* frame : window.MdiArea().subWindowList()) {
      if (qobject_cast<LogWindow*>(frame->widget()) != nullptr) frames.append(frame);
    }
    return frames;
  }

  testing::ScratchSession session_;
  ApplicationState& state_ = session_.state;
  std::string archive_;
};

TEST_F(LogWindowTest, CurrentLogShowsTheTextLogAndFollowsItsEntries) {
  const Lines entry = NewInitialFix(49.5);
  const Lines voyage = entry + Lines{kSeparator} + Comment("Departed") + Lines{kSeparator};
  CloseTextLog(state_.text);
  CloseEventLog(state_.events);
  ASSERT_TRUE(OpenVoyageLogsAtStartup(session_.notice, state_));

  MainWindow window(state_, session_.notice);
  window.CreateLogWindows();
  window.CreateLogWindows();
  ASSERT_EQ(LogFrames(window).size(), 1);
  LogWindow* log = window.CurrentLog();
  ASSERT_NE(log, nullptr);
  EXPECT_EQ(log->Title(), "Current Log");
  EXPECT_TRUE(log->View().isReadOnly());
  EXPECT_EQ(log->View().toPlainText(), Shown(voyage));
  QAction* logShown = window.Action(kCommandCurrentLog);
  EXPECT_TRUE(logShown->isChecked());

  // An entry goes to the log window, with its separator, and to the worksheet it came from.
  WorksheetWindow worksheet;
  const Lines comment = Comment("Abeam the Lizard");
  window.NoteLogEntry(comment, &worksheet);
  EXPECT_EQ(log->View().toPlainText(), Shown(voyage + comment + Lines{kSeparator}));
  EXPECT_EQ(worksheet.Editor().toPlainText(), Shown(comment));

  // Closing only hides it, and the View command brings it back.
  QMdiSubWindow* frame = LogFrames(window).front();
  frame->show();
  EXPECT_FALSE(frame->close());
  EXPECT_TRUE(frame->isHidden());
  EXPECT_FALSE(logShown->isChecked());
  EXPECT_EQ(window.CurrentLog(), log);
  logShown->trigger();
  EXPECT_FALSE(frame->isHidden());
  EXPECT_TRUE(logShown->isChecked());

  // The closing main window closes it for good.
  state_.closing = true;
  EXPECT_TRUE(frame->close());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window.CurrentLog(), nullptr);
  EXPECT_TRUE(LogFrames(window).isEmpty());
}

// Without a voyage there is nothing to show; the first fix brings the
// windows, and its entry must not appear twice although the new window
// reads the file the entry was just written to.
TEST_F(LogWindowTest, FirstFixCreatesTheLogWindowsWithItsEntryOnce) {
  ASSERT_FALSE(OpenVoyageLogsAtStartup(session_.notice, state_));
  MainWindow window(state_, session_.notice);
  window.CreateLogWindows();
  EXPECT_EQ(window.CurrentLog(), nullptr);
  EXPECT_EQ(window.Track(), nullptr);
  EXPECT_FALSE(window.Action(kCommandCurrentLog)->isChecked());
  EXPECT_FALSE(window.Action(kCommandCurrentTrack)->isChecked());

  WorksheetWindow worksheet;
  const Lines entry = NewInitialFix(49.5);
  window.ClearCurrentLog();
  window.CreateLogWindows();
  window.NoteLogEntry(entry, &worksheet);
  ASSERT_NE(window.CurrentLog(), nullptr);
  EXPECT_EQ(window.CurrentLog()->View().toPlainText(), Shown(entry + Lines{kSeparator}));
  EXPECT_EQ(worksheet.Editor().toPlainText(), Shown(entry));
  ASSERT_NE(window.Track(), nullptr);
  EXPECT_EQ(window.Track()->Tree().topLevelItemCount(), 1);
  EXPECT_TRUE(window.Action(kCommandCurrentLog)->isChecked());
  EXPECT_TRUE(window.Action(kCommandCurrentTrack)->isChecked());
}

TEST_F(LogWindowTest, ArchivedLogOpensReadOnlyOnceAndUnreadableFilesAreRefused) {
  const Lines entry = NewInitialFix(49.5);
  const Lines first = entry + Lines{kSeparator} + Comment("First voyage") + Lines{kSeparator};
  NewInitialFix(50.0);
  ASSERT_FALSE(archive_.empty());
  const QString archive = QString::fromStdString(archive_);
  MainWindow window(state_, session_.notice);

  ASSERT_TRUE(window.OpenArchivedLog(archive));
  const QString respelt =
      QString::fromStdString(session_.VoyageDirectory() + "./") + QFileInfo(archive).fileName();
  ASSERT_TRUE(window.OpenArchivedLog(respelt));
  ASSERT_EQ(LogFrames(window).size(), 1);
  auto* log = qobject_cast<LogWindow*>(LogFrames(window).front()->widget());
  EXPECT_EQ(log->Title(), QFileInfo(archive).fileName() + "( READ ONLY )");
  EXPECT_TRUE(log->View().isReadOnly());
  EXPECT_EQ(log->View().toPlainText(), Shown(first));

  const QString missing = QString::fromStdString(session_.File("log99999.saf"));
  EXPECT_FALSE(window.OpenArchivedLog(missing));
  EXPECT_EQ(LogFrames(window).size(), 1);
  ASSERT_EQ(session_.notice.shown.size(), 1u);
  EXPECT_NE(session_.notice.shown[0].text.find("log99999.saf"), std::string::npos);
  EXPECT_EQ(session_.notice.shown[0].style, kNoticeOkStop);
}

}  // namespace
}  // namespace navora
