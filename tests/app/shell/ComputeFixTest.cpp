// Compute Fix from the Task menu at the end of a three-leg running fix (the
// last two sights entered through the Observation Recorder): solved, a sight
// left out with Alt + its letter and solved again, its Strip Form opened with
// the letter alone, saved as ".srp"; the sight put back, Close solves again
// and saves the fix to both logs, the worksheet and the tree; the file
// reopens as an archived plot drawn as the live one.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiSubWindow>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cmath>
#include <memory>

#include "app/bridge/DataFileChecks.h"
#include "app/bridge/LogEntryBridge.h"
#include "app/dialogs/ObservationRecorderDialog.h"
#include "app/dialogs/ReportPreviewDialog.h"
#include "app/dialogs/StripFormDialog.h"
#include "app/dialogs/TimeOfFixDialog.h"
#include "app/plots/SightPlotPainter.h"
#include "app/plots/SightPlotWindow.h"
#include "app/shell/LogWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/TrackPane.h"
#include "app/shell/WorksheetWindow.h"
#include "app/tasks/ObservationRecorderModel.h"
#include "engine/log/EventLogListing.h"
#include "support/ModalScript.h"
#include "support/ScratchVoyage.h"
#include "support/SyntheticVoyage.h"

namespace navora {
namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;
constexpr int kRecordedSights = 2;  // the voyage's last sights, through the recorder
constexpr int kSightReductionPlotFilter = 4;

using testing::ModalScript;

class ComputeFixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CheckDataFilesAtStartup(session_.notice, state_.places));
    const PositionRecord& first = voyage_.legStarts[0];
    ASSERT_NO_FATAL_FAILURE(testing::StartScratchVoyage(
        session_, first.time, first.latitude, first.longitude, first.course, first.speed));
    // The voyage up to the last two sights, as the position and sight tasks log it.
    const size_t logged = voyage_.sights.size() - kRecordedSights;
    size_t sight = 0;
    for (size_t leg = 0; leg < voyage_.legStarts.size(); ++leg) {
      if (leg > 0) {
        std::vector<std::string> written;
        ASSERT_EQ(TaskAppendPositionEntry(session_.notice, state_.events, voyage_.legStarts[leg]),
                  0);
        ASSERT_EQ(TaskLogNewPosition(session_.notice, state_.text, voyage_.legStarts[leg], false,
                                     written),
                  0);
      }
      for (; sight < logged && voyage_.sights[sight].legIndex == leg; ++sight) {
        ASSERT_EQ(TaskAppendSightEntry(session_.notice, state_.events, voyage_.sights[sight]), 0);
      }
    }
    window_ = std::make_unique<MainWindow>(state_, session_.notice);
    window_->resize(1200, 900);
    window_->show();
    window_->CreateLogWindows();
    worksheet_ = window_->NewWorksheet();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  void Run(CommandId id, ModalScript& script) {
    QAction* action = window_->Action(id);
    ASSERT_TRUE(action != nullptr && action->isEnabled());
    action->trigger();
    EXPECT_TRUE(script.Finished());
  }

  SightPlotWindow* ActivePlot() {
    QMdiSubWindow* frame = window_->MdiArea().activeSubWindow();
    return frame != nullptr ? qobject_cast<SightPlotWindow*>(frame->widget()) : nullptr;
  }

  void Key(SightPlotWindow& plot, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QApplication::setActiveWindow(window_.get());
    plot.setFocus();
    QTest::keyClick(&plot, key, modifiers);
  }

  double OffTruth(const FixSolution& fix) const {
    const double north = fix.latitude - voyage_.trueLatitude;
    const double east =
        (fix.longitude - voyage_.trueLongitude) * std::cos(voyage_.trueLatitude * kRad);
    return std::hypot(north, east) * 60.0;  // arc-minutes
  }

  const testing::SyntheticVoyage voyage_ =
      testing::LoadSyntheticVoyage("synthetic-running-3-legs-2008");
  testing::ScratchSession session_;
  ApplicationState& state_ = session_.state;
  std::unique_ptr<MainWindow> window_;
  WorksheetWindow* worksheet_ = nullptr;
};

TEST_F(ComputeFixTest, RecordedSightsSolvedEditedSavedToTheLogAndReopenedFromTheFile) {
  const std::vector<ObservationRecord>& sights = voyage_.sights;
  ModalScript record({
      ModalScript::On<ObservationRecorderDialog>([&sights](ObservationRecorderDialog& recorder) {
        recorder.SetFields(ShowObservation(sights[sights.size() - 2]));
        recorder.ActionButton().click();
        EXPECT_EQ(recorder.StatusLabel().text(), kObservationAddedText);
        recorder.MoveButton(RecorderMove::kNext).click();
        recorder.SetFields(ShowObservation(sights.back()));
        recorder.accept();
      }),
      ModalScript::On<ReportPreviewDialog>(
          [](ReportPreviewDialog& preview) { preview.SaveButton().click(); }),
  });
  Run(kCommandRecordObservations, record);

  ModalScript timeOfFix({ModalScript::On<TimeOfFixDialog>(
      [](TimeOfFixDialog& choose) { choose.ChoiceButton(FixTimeChoice::kLast).click(); })});
  Run(kCommandComputeFix, timeOfFix);
  SightPlotWindow* plot = ActivePlot();
  ASSERT_NE(plot, nullptr) << (session_.notice.shown.empty() ? "" : session_.notice.shown[0].text);
  EXPECT_EQ(plot->Title(), "Sight Reduction Plot1.srp");
  const SightPlotState& state = plot->Document().state;
  ASSERT_EQ(state.nSights, static_cast<int>(sights.size()));
  EXPECT_EQ(state.nLegs, 3);
  EXPECT_DOUBLE_EQ(state.timeOfFix, sights.back().time);
  EXPECT_EQ(plot->StatusText(), kPlotAwaitingFixText);

  Key(*plot, Qt::Key_Return);
  ASSERT_EQ(state.fixCalculated, 1);
  const FixSolution allSights = state.solution;
  EXPECT_LT(OffTruth(allSights), 0.2);
  Key(*plot, Qt::Key_K, Qt::AltModifier);  // the Sun's upper limb of the third leg
  EXPECT_EQ(plot->StatusText(), kPlotEditedText);
  EXPECT_EQ(state.excluded[10], 0) << "the flags follow the next solution";
  Key(*plot, Qt::Key_Plus);
  Key(*plot, Qt::Key_Enter);
  EXPECT_EQ(plot->StatusText(), kPlotSolvedText);
  EXPECT_EQ(state.excluded[10], 1);
  EXPECT_DOUBLE_EQ(plot->View().scale, 1.0) << "the view returns to the fix";
  EXPECT_DOUBLE_EQ(plot->View().centreLatitude, state.solution.latitude);
  EXPECT_NE(state.solution.latitude, allSights.latitude);
  EXPECT_LT(OffTruth(state.solution), 0.2);

  // The letter alone opens that sight's Strip Form.
  ModalScript strip({ModalScript::On<StripFormDialog>([](StripFormDialog&) {})});
  Key(*plot, Qt::Key_K);
  EXPECT_TRUE(strip.Finished());

  const QString file = QString::fromStdString(session_.File("fix.srp"));
  ASSERT_TRUE(plot->SaveAs(file));
  EXPECT_EQ(plot->Title(), "fix.srp");
  // What the file keeps, drawn as the live plot draws it.
  SightPlotDocument asArchived = plot->Document();
  asArchived.kind = SightPlotKind::kArchived;
  QImage expected = plot->Image().copy();
  {
    QPainter painter(&expected);
    PaintSightPlot(painter, plot->rect(), asArchived, plot->View(), ScreenPlotPalette(),
                   plot->PlotFont());
  }
  const QSize plotSize = plot->size();
  // The sight back in but not solved: Close solves again before the report.
  Key(*plot, Qt::Key_K, Qt::AltModifier);
  EXPECT_EQ(plot->StatusText(), kPlotEditedText);

  // Close: Save and Exit, "Save to Log".
  QStringList preview;
  ModalScript save({ModalScript::On<ReportPreviewDialog>([&preview](ReportPreviewDialog& shown) {
    preview = shown.Report().toPlainText().split('\n');
    shown.SaveButton().click();
  })});
  window_->MdiArea().activeSubWindow()->close();
  EXPECT_TRUE(save.Finished());
  for (int pass = 0; pass < 5; ++pass) QApplication::processEvents();
  EXPECT_EQ(ActivePlot(), nullptr);
  ASSERT_FALSE(preview.isEmpty());
  EXPECT_TRUE(preview.front().contains("CELESTIAL FIX"));

  std::vector<EventLogListingEntry> entries;
  int64_t wholeEnd = 0;
  ASSERT_EQ(ListEventLogEntries(state_.events, entries, wholeEnd), kStatusOk);
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries.back().kind, kEntryFix);
  EXPECT_EQ(entries.back().positionType, kPositionCelestialFix);
  EXPECT_NEAR(entries.back().latitude, allSights.latitude, 1e-6);
  EXPECT_NEAR(entries.back().longitude, allSights.longitude, 1e-6);
  const QString text = testing::TextLogOf(session_);
  EXPECT_TRUE(text.contains("CELESTIAL FIX")) << text.toStdString();
  EXPECT_TRUE(window_->CurrentLog()->View().toPlainText().contains("CELESTIAL FIX"));
  const QString sheet = worksheet_->Editor().toPlainText();
  EXPECT_TRUE(sheet.contains(preview.front().trimmed())) << sheet.toStdString();
  EXPECT_TRUE(sheet.contains("Ho,Hc of Sun & Moon"));
  // A new leg starts from the fix, with no sights on it.
  QTreeWidget& tree = window_->Track()->Tree();
  ASSERT_EQ(tree.topLevelItemCount(), 1);
  EXPECT_EQ(tree.topLevelItem(0)->childCount(), 0);
  EXPECT_TRUE(session_.notice.shown.empty()) << session_.notice.shown[0].text;

  // The file, reopened: an archived plot, drawn as the live plot was.
  ASSERT_TRUE(window_->OpenPath(file, kSightReductionPlotFilter));
  SightPlotWindow* archived = ActivePlot();
  ASSERT_NE(archived, nullptr);
  EXPECT_FALSE(archived->IsLive());
  EXPECT_EQ(archived->Title(), "fix.srp");
  ASSERT_EQ(archived->size(), plotSize);
  EXPECT_TRUE(archived->Image() == expected);
}

}  // namespace
}  // namespace navora
