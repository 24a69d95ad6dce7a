// The position commands of the main window as the navigator runs them: the
// dialog, the report preview, and what "Save to Log" and "Don't Save" leave in
// the event log, the text log, the track tree and the worksheet.

#include <gtest/gtest.h>

#include <QTreeWidget>
#include <string>
#include <vector>

#include "app/bridge/DataFileChecks.h"
#include "app/dialogs/ExternalFixDialog.h"
#include "app/dialogs/ReportPreviewDialog.h"
#include "app/dialogs/UpdateDrDialog.h"
#include "app/dialogs/WaypointDialog.h"
#include "app/shell/LogWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/TrackPane.h"
#include "app/shell/WorksheetWindow.h"
#include "engine/log/EventLogListing.h"
#include "engine/time/Calendar.h"
#include "support/ModalScript.h"
#include "support/ScratchVoyage.h"

namespace navora {
namespace {

using testing::ModalScript;

class PositionCommandsTest : public ::testing::Test {
 protected:
  // An initial fix at 2024-06-21 04:00:00 UTC, 49 30.0 N, 4 15.0 W, 245 deg. at 12 kn.
  void SetUp() override {
    ASSERT_TRUE(CheckDataFilesAtStartup(session_.notice, session_.state.places));
    ASSERT_NO_FATAL_FAILURE(testing::StartScratchVoyage(
        session_, CalendarToJulian(2024, 6, 21, 4, 0, 0.0), 49.5, -4.25, 245.0, 12.0));
    window_.CreateLogWindows();
    window_.NewWorksheet();
    ASSERT_EQ(Entries().size(), 1u);
  }

  std::vector<EventLogListingEntry> Entries() {
    std::vector<EventLogListingEntry> entries;
    int64_t wholeEnd = 0;
    EXPECT_EQ(ListEventLogEntries(session_.state.events, entries, wholeEnd), kStatusOk);
    return entries;
  }

  QString WorksheetText() { return window_.CurrentWorksheet()->Editor().toPlainText(); }
  QString CurrentLogText() { return window_.CurrentLog()->View().toPlainText(); }

  testing::ScratchSession session_;
  MainWindow window_{session_.state, session_.notice};
};

struct PositionCase {
  const char* name;
  CommandId command;
  bool save;
  const char* reportTitle;
  const char* logTitle;  // the text-log entry's title
  int positionType;      // of the entry appended on saving
  int treeItems;         // afterwards
  const char* lastTreeLabel;
};

const PositionCase kPositionCases[] = {
    {"UpdateDrSaved", kCommandUpdateDr, true, "UPDATE DR", "DR UPDATE", 2, 2,
     "Course/Speed Change"},
    {"ExternalFixSaved", kCommandExternalFix, true, "EXTERNAL FIX", "EXTERNAL FIX", 1, 1,
     "External Fix"},
    {"UpdateDrNotSaved", kCommandUpdateDr, false, "UPDATE DR", "DR UPDATE", 0, 1, "Initial Fix"},
    {"ExternalFixNotSaved", kCommandExternalFix, false, "EXTERNAL FIX", "EXTERNAL FIX", 0, 1,
     "Initial Fix"},
};

// The dialog's entries: two hours after the fix; a new course and speed, or
// a fix some miles off the reckoning.
void EnterTwoHoursLater(QDialog& shown) {
  if (auto* dialog = dynamic_cast<UpdateDrDialog*>(&shown)) {
    UpdateDrFields fields = dialog->Fields();
    fields.hour = "06";
    fields.change = true;
    fields.course = "200";
    fields.speed = "10";
    dialog->SetFields(fields);
  } else if (auto* fix = dynamic_cast<ExternalFixDialog*>(&shown)) {
    NewInitialFixFields fields = fix->Fields();
    fields.hour = "06";
    fields.latitudeMinutes = "10.0";
    fields.longitudeMinutes = "50.0";
    fix->SetFields(fields);
  }
}

class PreviewTest : public PositionCommandsTest,
                    public ::testing::WithParamInterface<PositionCase> {};

TEST_P(PreviewTest, ThePreviewDecidesWhatIsLoggedAndTheReportAlwaysReachesTheWorksheet) {
  const PositionCase& test = GetParam();
  EXPECT_TRUE(window_.Action(test.command)->isEnabled());
  std::string report;
  ModalScript script({
      [](QDialog& dialog) {
        EnterTwoHoursLater(dialog);
        dialog.accept();
      },
      ModalScript::On<ReportPreviewDialog>(
          [&report, save = test.save](ReportPreviewDialog& preview) {
            EXPECT_TRUE(preview.Report().isReadOnly());
            report = preview.Report().toPlainText().toLatin1().toStdString();
            (save ? preview.SaveButton() : preview.DontSaveButton()).click();
          }),
  });
  window_.RunTaskCommand(test.command);
  ASSERT_TRUE(script.Finished());
  EXPECT_NE(report.find(test.reportTitle), std::string::npos) << report;

  // The worksheet shows the report as previewed, saved or not.
  const QString reportText = QString::fromLatin1(report);
  EXPECT_TRUE(WorksheetText().contains(reportText)) << WorksheetText().toStdString();
  const std::vector<EventLogListingEntry> entries = Entries();
  const QString logTitle = QString::fromLatin1(test.logTitle);
  if (test.save) {
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].positionType, test.positionType);
    EXPECT_TRUE(CurrentLogText().contains(logTitle)) << CurrentLogText().toStdString();
    // The text-log entry follows the report in the worksheet.
    EXPECT_GT(WorksheetText().lastIndexOf(logTitle), WorksheetText().indexOf(reportText));
  } else {
    EXPECT_EQ(entries.size(), 1u);
    EXPECT_FALSE(CurrentLogText().contains(logTitle));
  }
  QTreeWidget& tree = window_.Track()->Tree();
  ASSERT_EQ(tree.topLevelItemCount(), test.treeItems);
  EXPECT_EQ(tree.topLevelItem(test.treeItems - 1)->text(0), test.lastTreeLabel);
}

INSTANTIATE_TEST_SUITE_P(PositionCommands, PreviewTest, ::testing::ValuesIn(kPositionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PositionCommandsTest, TheWaypointReportGoesToTheWorksheetAndNothingIsLogged) {
  ModalScript script({ModalScript::On<WaypointDialog>([](WaypointDialog& dialog) {
    WaypointFields fields = dialog.Fields();
    fields.arrival.day = 22;
    fields.latitudeDegrees = "48";
    fields.latitudeMinutes = "0";
    fields.longitudeDegrees = "8";
    fields.longitudeMinutes = "0";
    fields.west = true;
    fields.departure.hour = "06";
    dialog.SetFields(fields);
    dialog.accept();
  })});
  EXPECT_TRUE(window_.Action(kCommandWaypoint)->isEnabled());
  const QString logBefore = CurrentLogText();
  window_.RunTaskCommand(kCommandWaypoint);
  ASSERT_TRUE(script.Finished());
  EXPECT_TRUE(session_.notice.shown.empty()) << session_.notice.shown[0].text;
  const QString text = WorksheetText();
  EXPECT_TRUE(text.contains(QStringLiteral("WAYPOINT CALCULATION"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Distance to waypoint:")));
  EXPECT_EQ(Entries().size(), 1u);
  EXPECT_EQ(CurrentLogText(), logBefore);
}

}  // namespace
}  // namespace navora
