// Record Observations from the Task menu on a voyage of one fix: two sights
// entered, previewed and saved reach both logs, the Current Log, the
// worksheet and the tree; then one is deleted from the tree.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>

#include "app/bridge/LogBridge.h"
#include "app/dialogs/ObservationRecorderDialog.h"
#include "app/dialogs/ReportPreviewDialog.h"
#include "app/shell/LogWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/TrackPane.h"
#include "app/shell/WorksheetWindow.h"
#include "engine/log/NewInitialFix.h"
#include "engine/time/Calendar.h"
#include "support/ScratchSession.h"

namespace navora {
namespace {

// Acts on each modal dialog in turn as it opens, closing any the step left
// open; with no steps, any dialog is closed and counted.
class ModalScript {
 public:
  using Step = std::function<void(QDialog&)>;

  explicit ModalScript(std::initializer_list<Step> steps) : steps_(steps) {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      if (steps_.empty()) {
        ++unexpected_;
      } else {
        const Step step = steps_.front();
        steps_.pop_front();
        step(*dialog);
        if (steps_.empty()) poll_.stop();  // the dialogs of later scripts are theirs
      }
      if (dialog->isVisible()) dialog->reject();
    });
    poll_.start(10);
  }

  bool Finished() const { return steps_.empty() && unexpected_ == 0; }

 private:
  std::deque<Step> steps_;
  int unexpected_ = 0;
  QTimer poll_;
};

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
    const char* directory = state_.voyageDirectory.c_str();
    ASSERT_EQ(SetTextLogDirectory(state_.text, directory), 0);
    ASSERT_EQ(SetEventLogDirectory(state_.events, directory), 0);
    NewVoyage voyage;
    ASSERT_EQ(StartNewVoyage(state_.events, state_.text,
                             MakeInitialFixRecord(kFix, 49.5, -4.25, 250.0, 6.0), voyage),
              0);
    state_.logAvailable = true;
    state_.reference.referenceKnown = true;
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

  QString TextLog() {
    std::vector<std::string> lines;
    EXPECT_EQ(TaskReadTextLog(session_.notice, state_.text, lines), 0);
    QString text;
    for (const std::string& line : lines) text += QString::fromLatin1(line) + "\n";
    return text;
  }

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
      [](QDialog& dialog) {
        auto* typed = dynamic_cast<ObservationRecorderDialog*>(&dialog);
        ASSERT_NE(typed, nullptr);
        ObservationRecorderDialog& recorder = *typed;
        EXPECT_EQ(recorder.windowTitle(), "Adding: Observation No. 1 of a possible 25");
        EnterSight(recorder, "10", "Sun", kLimbLower, "52", "14.3");
        recorder.ActionButton().click();
        recorder.MoveButton(RecorderMove::kNext).click();
        EnterSight(recorder, "40", "Arcturus", kLimbNone, "31", "02.5");
        recorder.accept();  // Done adds the second
      },
      [](QDialog& dialog) {
        auto* preview = dynamic_cast<ReportPreviewDialog*>(&dialog);
        ASSERT_NE(preview, nullptr);
        EXPECT_TRUE(preview->Report().toPlainText().contains("ARCTURUS"));
        preview->SaveButton().click();
      },
  });
  Run(*window_->Action(kCommandRecordObservations), record);

  LegsAndSights loaded = Loaded();
  ASSERT_EQ(loaded.sightCount, 2);
  EXPECT_EQ(loaded.sights[0].bodyCode, 14) << "Sun, lower limb";
  EXPECT_NEAR(loaded.sights[0].hs, 52.0 + 14.3 / 60.0, 1e-9);
  EXPECT_NEAR(loaded.sights[0].time, kFix + (70.0 / 1440.0), 1e-8);
  EXPECT_EQ(loaded.sights[1].bodyCode, 20);
  EXPECT_NEAR(loaded.sights[1].heightOfEye, 3.048, 1e-9);
  for (const QString& text : {TextLog(), window_->CurrentLog()->View().toPlainText(),
                              worksheet_->Editor().toPlainText()}) {
    EXPECT_EQ(text.count("SIGHT RECORDER"), 1) << text.toStdString();
    EXPECT_TRUE(text.contains("ARCTURUS"));
  }
  ASSERT_EQ(TreeSights(), QStringList({"Sun, Lower Limb", "Arcturus"}));

  // The tree's Delete on the Sun sight: the recorder opens on it.
  ModalScript remove({[](QDialog& dialog) {
    auto* typed = dynamic_cast<ObservationRecorderDialog*>(&dialog);
    ASSERT_NE(typed, nullptr);
    ObservationRecorderDialog& recorder = *typed;
    EXPECT_EQ(recorder.windowTitle(), "Deleting: Observation No. 1 on Leg No. 1");
    EXPECT_EQ(recorder.BodyField().currentText(), "Sun");
    recorder.DeleteButton().click();
    recorder.accept();
  }});
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
      [](QDialog& dialog) {
        auto* recorder = dynamic_cast<ObservationRecorderDialog*>(&dialog);
        ASSERT_NE(recorder, nullptr);
        EnterSight(*recorder, "10", "Vega", kLimbNone, "40", "00.0");
        recorder->accept();
      },
      [](QDialog& dialog) {
        auto* preview = dynamic_cast<ReportPreviewDialog*>(&dialog);
        ASSERT_NE(preview, nullptr);
        preview->DontSaveButton().click();
      },
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
