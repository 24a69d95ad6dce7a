// A navigator's first start: an empty voyage directory, the offer of an
// initial fix answered Yes, the fix entered, and the voyage shown in both
// logs, the "Current Log" window and the "Current Track" tree.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "app/dialogs/NewInitialFixDialog.h"
#include "app/shell/LogWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/TrackPane.h"
#include "app/shell/WorksheetWindow.h"
#include "engine/log/EventLogListing.h"
#include "support/ModalScript.h"
#include "support/ScratchSession.h"

namespace navora {
namespace {

TEST(FirstVoyage, TheOfferedInitialFixIsInBothLogsTheCurrentLogAndTheTree) {
  testing::ScratchSession session;
  session.notice.answers = {NoticeAnswer::kYes};
  // The offer comes once the window is up; the dialog is answered when it opens.
  testing::ModalScript script(
      {testing::ModalScript::On<NewInitialFixDialog>([](NewInitialFixDialog& dialog) {
        NewInitialFixFields fields = dialog.Fields();
        fields.latitudeDegrees = "49";
        fields.latitudeMinutes = "30.5";
        fields.longitudeDegrees = "4";
        fields.longitudeMinutes = "15.2";
        fields.west = true;
        fields.course = "245";
        fields.speed = "12";
        dialog.SetFields(fields);
        dialog.accept();
      })});
  MainWindow window(session.state, session.notice);
  window.Start(false);
  for (int pass = 0; pass < 100 && !script.Finished(); ++pass) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  ASSERT_TRUE(script.Finished());
  ASSERT_TRUE(session.state.logAvailable);

  // The event log holds the fix alone: a position entry of type external fix.
  std::vector<EventLogListingEntry> entries;
  int64_t wholeEnd = 0;
  ASSERT_EQ(ListEventLogEntries(session.state.events, entries, wholeEnd), kStatusOk);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].kind, 0);
  EXPECT_EQ(entries[0].positionType, 1);
  EXPECT_NEAR(entries[0].latitude, 49.0 + 30.5 / 60.0, 1e-9);
  EXPECT_NEAR(entries[0].longitude, -(4.0 + 15.2 / 60.0), 1e-9);

  // The text log's entry is what the Current Log window and the worksheet show.
  ASSERT_NE(window.CurrentLog(), nullptr);
  const QString logText = window.CurrentLog()->View().toPlainText();
  EXPECT_TRUE(logText.contains(QStringLiteral("INITIAL FIX"))) << logText.toStdString();
  EXPECT_EQ(logText.count(QStringLiteral("INITIAL FIX")), 1) << "shown once";
  ASSERT_NE(window.CurrentWorksheet(), nullptr);
  EXPECT_TRUE(window.CurrentWorksheet()->Editor().toPlainText().contains("INITIAL FIX"));

  ASSERT_NE(window.Track(), nullptr);
  QTreeWidget& tree = window.Track()->Tree();
  ASSERT_EQ(tree.topLevelItemCount(), 1);
  EXPECT_EQ(tree.topLevelItem(0)->text(0), QStringLiteral("Initial Fix"));
  EXPECT_EQ(tree.topLevelItem(0)->childCount(), 0);
}

}  // namespace
}  // namespace navora
