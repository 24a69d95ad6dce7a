// The Task commands of the main window, run as the navigator runs them: the
// dialog (driven as the modal widget), the worksheet that receives the
// report, and the voyage logs that New Initial Fix and the comment change.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/bridge/DataFileChecks.h"
#include "app/bridge/LogBridge.h"
#include "app/dialogs/AlmanacDialog.h"
#include "app/dialogs/CommentDialog.h"
#include "app/dialogs/NewInitialFixDialog.h"
#include "app/shell/MainWindow.h"
#include "app/shell/TaskCommandsEnabled.h"
#include "app/shell/WorksheetWindow.h"
#include "app/tasks/AlmanacTasks.h"
#include "engine/time/Calendar.h"
#include "support/ModalScript.h"
#include "support/ScratchSession.h"

namespace navora {
namespace {

using testing::ModalScript;

class TaskCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { OpenVoyageLogsAtStartup(session_.notice, session_.state); }

  std::string WorksheetText() {
    WorksheetWindow* worksheet = window_.CurrentWorksheet();
    return worksheet == nullptr ? std::string()
                                : worksheet->Editor().toPlainText().toLatin1().toStdString();
  }

  std::string Voyage(const std::string& name) { return session_.VoyageDirectory() + name; }

  // New Initial Fix at 49 30.0 N, 4 15.0 W; `start` receives the latitude the
  // dialog opened with.
  void RunNewInitialFix(std::string* startLatitude = nullptr) {
    ModalScript script(
        {ModalScript::On<NewInitialFixDialog>([startLatitude](NewInitialFixDialog& dialog) {
          EXPECT_EQ(dialog.windowTitle(), "New Initial Fix");
          NewInitialFixFields fields = dialog.Fields();
          if (startLatitude != nullptr) *startLatitude = fields.latitudeDegrees;
          fields.latitudeDegrees = "49";
          fields.latitudeMinutes = "30.0";
          fields.longitudeDegrees = "4";
          fields.longitudeMinutes = "15";
          fields.west = true;
          dialog.SetFields(fields);
          dialog.accept();
        })});
    window_.RunTaskCommand(kCommandNewInitialFix);
  }

  testing::ScratchSession session_;
  MainWindow window_{session_.state, session_.notice};
};

TEST_F(TaskCommandsTest, AlmanacCommandsOpenTheirDialogAndCancelWritesNothing) {
  EnableBuiltTaskCommands(window_);
  struct Case {
    CommandId id;
    const char* caption;
  };
  const Case cases[] = {{kCommandSunMoonAries, "Almanac - Sun, Moon, and Aries"},
                        {kCommandPlanets, "Almanac - Planets"},
                        {kCommandStars, "Almanac - Stars"},
                        {kCommandAllBodies, "Almanac - All"}};
  for (const Case& c : cases) {
    EXPECT_TRUE(window_.Action(c.id)->isEnabled()) << c.caption;
    ModalScript script({ModalScript::On<AlmanacDialog>([&c](AlmanacDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle(), c.caption);
      dialog.reject();
    })});
    window_.RunTaskCommand(c.id);
  }
  EXPECT_EQ(WorksheetText(), "");
}

TEST_F(TaskCommandsTest, SunMoonAriesAppendsWhatTheCoursePrints) {
  ASSERT_TRUE(CheckDataFilesAtStartup(session_.notice, session_.state.places));
  ModalScript script({ModalScript::On<AlmanacDialog>([](AlmanacDialog& dialog) {
    dialog.DateTime().HourField()->setText("22");
    dialog.RepetitionsField()->setText("5");
    dialog.accept();
  })});
  window_.RunTaskCommand(kCommandSunMoonAries);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is removed";

  // The dialog opened on the default record's date, the log holding no position.
  constexpr int16_t kYear2000 = 2000 - kFirstAlmanacYear;
  const AlmanacTableRequest request{DialogFieldsToJulian(kYear2000, 0, 1, 22, 0, 0.0), 5,
                                    1.0 / 24.0};
  PlaceContext places(FindDataDirectory());
  TextReportSink expected("\n");
  RecordingNotice notice;
  ASSERT_TRUE(CheckDataFilesAtStartup(notice, places));
  TaskContext context{notice, expected, places};
  ASSERT_EQ(RunSunMoonAriesAlmanac(context, request), TaskOutcome::kCompleted)
      << (notice.shown.empty() ? "" : notice.shown[0].text);
  EXPECT_EQ(WorksheetText(), expected.text);
  EXPECT_NE(expected.text.find("\n 22 00 |"), std::string::npos) << "the table starts at 22h";
  EXPECT_TRUE(session_.notice.shown.empty());
  EXPECT_FALSE(session_.state.lastReportText.empty());
}

TEST_F(TaskCommandsTest, NewInitialFixArchivesUnderTheFirstFreeNumber) {
  struct Case {
    std::vector<const char*> present;
    const char* archive;
  };
  const Case cases[] = {{{"log00000.saf", "log00001.saf"}, "log00002.saf"},
                        {{"log00001.saf"}, "log00000.saf"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.archive);
    testing::ScratchSession session;
    OpenVoyageLogsAtStartup(session.notice, session.state);
    MainWindow window(session.state, session.notice);
    std::string startLatitude;
    ModalScript first({ModalScript::On<NewInitialFixDialog>([](NewInitialFixDialog& dialog) {
      NewInitialFixFields fields = dialog.Fields();
      fields.latitudeDegrees = "49";
      dialog.SetFields(fields);
      dialog.accept();
    })});
    window.RunNewInitialFix(nullptr);
    ASSERT_TRUE(session.state.reference.referenceKnown);
    EXPECT_TRUE(session.state.logAvailable);
    EXPECT_TRUE(session.notice.shown.empty()) << "an empty log is neither asked about nor archived";
    for (const char* name : c.present) std::ofstream(session.VoyageDirectory() + name) << name;

    ModalScript second(
        {ModalScript::On<NewInitialFixDialog>([&startLatitude](NewInitialFixDialog& dialog) {
          startLatitude = dialog.Fields().latitudeDegrees;
          dialog.accept();
        })});
    window.RunNewInitialFix(nullptr);
    EXPECT_EQ(startLatitude, "49") << "the dialog starts from the known reference position";
    ASSERT_EQ(session.notice.shown.size(), 2u);
    EXPECT_EQ(session.notice.shown[0].style, kNoticeYesNoQuestion);
    const std::string archive = session.VoyageDirectory() + c.archive;
    EXPECT_EQ(session.notice.shown[1].text, " Archiving current log in file " + archive + ".");
    EXPECT_TRUE(std::filesystem::exists(archive));
  }
}

TEST_F(TaskCommandsTest, NewInitialFixRefusesAReadOnlyEventLog) {
  RunNewInitialFix();
  const std::string events = Voyage(kEventLogFileName);
  ASSERT_TRUE(std::filesystem::exists(events));
  std::filesystem::permissions(events,
                               std::filesystem::perms::owner_write |
                                   std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  if (::access(events.c_str(), W_OK) == 0) {
    GTEST_SKIP() << "running with privileges that write through a read-only mode";
  }
  RunNewInitialFix();
  ASSERT_EQ(session_.notice.shown.size(), 2u);
  EXPECT_EQ(session_.notice.shown[1].text,
            "The file 'NAVORA.EVT' has been made\nread-only. It must be changed to read-write\n"
            "before NAVORA can do a New Initial Fix.");
  EXPECT_FALSE(std::filesystem::exists(Voyage("log00000.saf")));
}

TEST_F(TaskCommandsTest, CommentGoesToTheTextLog) {
  std::string startLatitude;
  RunNewInitialFix(&startLatitude);
  EXPECT_EQ(startLatitude, "0") << "no reference position yet: the default record";
  ModalScript script({ModalScript::On<CommentDialog>([](CommentDialog& dialog) {
    dialog.Editor().setPlainText(QStringLiteral("Sighted land\nat dawn"));
    dialog.accept();
  })});
  window_.RunTaskCommand(kCommandEnterComment);
  std::vector<std::string> lines;
  ASSERT_EQ(TaskReadTextLog(session_.notice, session_.state.text, lines), 0);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end() - 1),
            (std::vector<std::string>{"COMMENT:", "Sighted land", "at dawn"}));
}

}  // namespace
}  // namespace navora
