// Task > Rise/Set/Transit > Fixed Site... as the navigator runs it: the
// dialog (driven as the modal widget), then the table in the worksheet.

#include <gtest/gtest.h>

#include <QApplication>
#include <string>

#include "app/bridge/DataFileChecks.h"
#include "app/dialogs/RiseSetFixedDialog.h"
#include "app/shell/MainWindow.h"
#include "app/shell/TaskCommandsEnabled.h"
#include "app/shell/WorksheetWindow.h"
#include "support/ModalScript.h"
#include "support/ScratchSession.h"

namespace navora {
namespace {

TEST(RiseSetCommandsTest, FixedSiteTableGoesIntoTheWorksheet) {
  testing::ScratchSession session;
  OpenVoyageLogsAtStartup(session.notice, session.state);
  ASSERT_TRUE(CheckDataFilesAtStartup(session.notice, session.state.places));
  MainWindow window(session.state, session.notice);
  EnableBuiltTaskCommands(window);
  ASSERT_TRUE(window.Action(kCommandRiseSetFixed)->isEnabled());
  EXPECT_TRUE(window.Action(kCommandRiseSetUnderway)->isEnabled());

  testing::ModalScript script(
      {testing::ModalScript::On<RiseSetFixedDialog>([](RiseSetFixedDialog& dialog) {
        RiseSetFixedFields fields = dialog.Fields();
        fields.day = 20;
        fields.monthIndex = 5;
        fields.yearIndex = 2004 - kFirstAlmanacYear;
        fields.latitudeDegrees = "49";
        fields.latitudeMinutes = "30";
        fields.longitudeDegrees = "4";
        fields.longitudeMinutes = "15";
        fields.west = true;
        fields.repetitions = "2";
        dialog.SetFields(fields);
        dialog.accept();
      })});
  window.RunTaskCommand(kCommandRiseSetFixed);
  EXPECT_TRUE(script.Finished());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is removed";

  WorksheetWindow* worksheet = window.CurrentWorksheet();
  ASSERT_NE(worksheet, nullptr);
  const std::string text = worksheet->Editor().toPlainText().toLatin1().toStdString();
  EXPECT_NE(text.find("                                  FIXED SITE\n"), std::string::npos);
  EXPECT_NE(text.find("                                     Sun\n"), std::string::npos);
  EXPECT_NE(text.find("      20 Jun 2004    "), std::string::npos) << text;
  EXPECT_NE(text.find("      21 Jun 2004    "), std::string::npos);
  EXPECT_EQ(text.find("22 Jun 2004"), std::string::npos) << "two days asked for";
  EXPECT_TRUE(session.notice.shown.empty());
}

}  // namespace
}  // namespace navora
