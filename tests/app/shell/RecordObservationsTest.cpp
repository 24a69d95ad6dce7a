// Record Observations from the Task menu on a voyage of one fix: two sights
// entered, previewed and saved reach both logs, the Current Log, the
// worksheet and the tree; then one is deleted from the tree.

#include <gtest/gtest.h>

#include <memory>

#include "app/dialogs/ObservationRecorderDialog.h"
#include "app/dialogs/ReportPreviewDialog.h"
#include "app/shell/LogWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/TrackPane.h"
#include "app/shell/WorksheetWindow.h"
#include "engine/time/Calendar.h"
#include "support/ModalScript.h"
#include "support/ScratchVoyage.h"

namespace navora {
namespace {

using testing::ModalScript;

// The recorder's entries for a sight at 05:MM UTC on the day of the fix.
void EnterSight(ObservationRecorderDialog& recorder, const char* minute, const char* body, int limb,
                const char* hsDegrees, const char* hsMinutes) {
  ObservationFields fields = recorder.Fields();
  fields.hour = "05";
  fields.minute = minute;
  fields.bodyIndex = FindObservedBody(body);
  fields.limbIndex = limb;
  fields.hsDegrees = hsDegrees;
  fields.hsMinutes = hsMinutes;
  fields.heightOfEye = "010";
  recorder.SetFields(fields);
}

class RecordObservationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(testing::StartScratchVoyage(session_, kFix, 49.5, -4.25, 250.0, 6.0));
    window_ = std::make_unique<MainWindow>(state_, session_.notice);
    window_->CreateLogWindows();
    worksheet_ = window_->NewWorksheet();
    ASSERT_NE(window_->Track(), nullptr);
  }

  void Run(QAction& action, ModalScript& script) {
    ASSERT_TRUE(action.isEnabled()) << action.text().toStdString();
    action.trigger();
    EXPECT_TRUE(script.Finished());
  }

  LegsAndSights Loaded() {
    LegsAndSights loaded;
    EXPECT_EQ(LoadLegsAndSights(state_.events, loaded), 0);
    return loaded;
  }

  QString TextLog() { return testing::TextLogOf(session_); }

  QStringList TreeSights() {
    QStringList labels;
    QTreeWidgetItem* leg = window_->Track()->Tree().topLevelItem(0);
    for (int i = 0; leg != nullptr && i < leg->childCount(); ++i) labels << leg->child(i)->text(0);
    return labels;
  }

  const double kFix = CalendarToJulian(2024, 6, 21, 4, 0, 0.0);
  testing::ScratchSession session_;
  ApplicationState& state_ = session_.state;
  std::unique_ptr<MainWindow> window_;
  WorksheetWindow* worksheet_ = nullptr;
};

TEST_F(RecordObservationsTest, TwoSightsSavedReachEveryViewAndOneIsDeletedFromTheTree) {
  ModalScript record({
      ModalScript::On<ObservationRecorderDialog>([](ObservationRecorderDialog& recorder) {
        EXPECT_EQ(recorder.windowTitle(), "Adding: Observation No. 1 of a possible 25");
        EnterSight(recorder, "10", "Sun", kLimbLower, "52", "14.3");
        recorder.ActionButton().click();
        recorder.MoveButton(RecorderMove::kNext).click();
        EnterSight(recorder, "40", "Arcturus", kLimbNone, "31", "02.5");
        recorder.accept();  // Done adds the second
      }),
      ModalScript::On<ReportPreviewDialog>([](ReportPreviewDialog& preview) {
        EXPECT_TRUE(preview.Report().toPlainText().contains("ARCTURUS"));
        preview.SaveButton().click();
      }),
  });
  Run(*window_->Action(kCommandRecordObservations), record);

  LegsAndSights loaded = Loaded();
  // The entries' conversion is the recorder model's; here that both arrive.
  ASSERT_EQ(loaded.sightCount, 2);
  EXPECT_NEAR(loaded.sights[0].time, kFix + (70.0 / 1440.0), 1e-8);
  for (const QString& text : {TextLog(), window_->CurrentLog()->View().toPlainText(),
                              worksheet_->Editor().toPlainText()}) {
    EXPECT_EQ(text.count("SIGHT RECORDER"), 1) << text.toStdString();
    EXPECT_TRUE(text.contains("ARCTURUS"));
  }
  ASSERT_EQ(TreeSights(), QStringList({"Sun, Lower Limb", "Arcturus"}));

  // The tree's Delete on the Sun sight: the recorder opens on it.
  ModalScript remove(
      {ModalScript::On<ObservationRecorderDialog>([](ObservationRecorderDialog& recorder) {
        EXPECT_EQ(recorder.windowTitle(), "Deleting: Observation No. 1 on Leg No. 1");
        EXPECT_EQ(recorder.BodyField().currentText(), "Sun");
        recorder.DeleteButton().click();
        recorder.accept();
      })});
  std::unique_ptr<QMenu> menu(window_->Track()->NewContextMenu({kNoTrackIndex, 0}, nullptr));
  ASSERT_NE(menu, nullptr);
  QAction* deleteCommand = menu->actions().at(2);
  ASSERT_EQ(deleteCommand->text(), "Delete...");
  Run(*deleteCommand, remove);

  loaded = Loaded();
  ASSERT_EQ(loaded.sightCount, 1);
  EXPECT_EQ(loaded.sights[0].bodyCode, 20);
  EXPECT_TRUE(TextLog().contains("DELETE SIGHT"));
  EXPECT_TRUE(window_->CurrentLog()->View().toPlainText().contains("DELETE SIGHT"));
  EXPECT_FALSE(worksheet_->Editor().toPlainText().contains("DELETE SIGHT"))
      << "the tree's commands are no worksheet's";
  EXPECT_EQ(TreeSights(), QStringList({"Arcturus"}));
  EXPECT_TRUE(session_.notice.shown.empty());
}

TEST_F(RecordObservationsTest, DontSaveAndCancelWriteNothing) {
  const QString before = TextLog();
  ModalScript dontSave({
      ModalScript::On<ObservationRecorderDialog>([](ObservationRecorderDialog& recorder) {
        EnterSight(recorder, "10", "Vega", kLimbNone, "40", "00.0");
        recorder.accept();
      }),
      ModalScript::On<ReportPreviewDialog>(
          [](ReportPreviewDialog& preview) { preview.DontSaveButton().click(); }),
  });
  Run(*window_->Action(kCommandRecordObservations), dontSave);

  // The log menus' view on no sights opens nothing.
  ModalScript none({});
  Run(*window_->Action(kCommandViewObservations), none);

  EXPECT_EQ(Loaded().sightCount, 0);
  EXPECT_EQ(TextLog(), before);
  EXPECT_FALSE(worksheet_->Editor().toPlainText().contains("SIGHT RECORDER"));
  EXPECT_TRUE(TreeSights().isEmpty());
  EXPECT_TRUE(session_.notice.shown.empty());
}

}  // namespace
}  // namespace navora
