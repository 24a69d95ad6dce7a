// The Leg Editor from the track tree and the log menus, on a voyage of three
// legs: what each command shows, and what its Done leaves in both logs, the
// Current Log and the tree.

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "app/dialogs/LegEditorDialog.h"
#include "app/shell/LogWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/TrackPane.h"
#include "support/ModalScript.h"
#include "support/ScratchVoyage.h"

namespace navora {
namespace {

using testing::ModalScript;

constexpr double kStart = 2460400.5;

class LegEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(testing::StartScratchVoyage(session_, kStart, 49.5, -4.25, 250.0, 6.0));
    for (const auto& [time, course] : {std::pair{kStart + 0.2, 230.0}, {kStart + 0.4, 200.0}}) {
      ASSERT_EQ(
          AppendPositionEntry(state_.events, MakePositionRecord(kMotionRhumbLine, kPositionDr, time,
                                                                49.4, -4.5, course, 6.0, 0.0, 0.0)),
          0);
    }
    window_ = std::make_unique<MainWindow>(state_, session_.notice);
    window_->CreateLogWindows();
    ASSERT_NE(window_->Track(), nullptr);
  }

  // The tree's command `text` on leg `leg`, as the context menu gives it.
  void RunTreeCommand(int leg, const QString& text) {
    std::unique_ptr<QMenu> menu(window_->Track()->NewContextMenu({leg, kNoTrackIndex}, nullptr));
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions()) {
      if (action->text() == text) return action->trigger();
    }
    FAIL() << "no " << text.toStdString();
  }

  LegsAndSights Legs() {
    LegsAndSights loaded;
    EXPECT_EQ(LoadLegsAndSights(state_.events, loaded), 0);
    return loaded;
  }

  QString TextLog() { return testing::TextLogOf(session_); }

  int TreeLegs() { return window_->Track()->Tree().topLevelItemCount(); }

  testing::ScratchSession session_;
  ApplicationState& state_ = session_.state;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(LegEditorTest, EditThenDeleteTheLastLegFromTheTree) {
  const EventLogOffset lastOffset = Legs().legOffsets[2];
  ModalScript edit({ModalScript::On<LegEditorDialog>([](LegEditorDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Editing: Update DR (Leg No. 3)");
    EXPECT_FALSE(dialog.ResetButton().isEnabled());
    dialog.CourseField().setText("215.5");
    EXPECT_EQ(dialog.StatusLabel().text(), "( EDITED )");
    EXPECT_TRUE(dialog.ResetButton().isEnabled());
    // The initial fix is corrected in the same Done.
    dialog.MoveButton(LegMove::kBegin).click();
    dialog.CourseField().setText("255.0");
    dialog.accept();
  })});
  RunTreeCommand(2, "Edit...");
  ASSERT_TRUE(edit.Finished());

  LegsAndSights loaded = Legs();
  ASSERT_EQ(loaded.legCount, 3);
  EXPECT_EQ(loaded.legOffsets[2], lastOffset) << "rewritten in place";
  EXPECT_NEAR(loaded.legs[2].course, 215.5, 1e-9);
  EXPECT_NEAR(loaded.legs[1].course, 230.0, 1e-9);
  EXPECT_NEAR(loaded.legs[0].course, 255.0, 1e-9);
  EXPECT_TRUE(IsInitialFixReference(state_.events)) << "still the voyage's fix";
  const QString afterEdit = TextLog();
  EXPECT_TRUE(afterEdit.contains("CORRECT DR UPDATE")) << afterEdit.toStdString();
  EXPECT_TRUE(afterEdit.contains("CORRECT POSITION"));
  EXPECT_TRUE(window_->CurrentLog()->View().toPlainText().contains("CORRECT DR UPDATE"));
  EXPECT_EQ(TreeLegs(), 3);

  ModalScript remove({ModalScript::On<LegEditorDialog>([](LegEditorDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Deleting: Update DR (Leg No. 3)");
    dialog.DeleteButton().click();
    EXPECT_EQ(dialog.StatusLabel().text(), "( DELETED )");
    EXPECT_EQ(dialog.DeleteButton().text(), "UnDele&te");
    dialog.accept();
  })});
  RunTreeCommand(2, "Delete...");
  ASSERT_TRUE(remove.Finished());
  EXPECT_EQ(Legs().legCount, 2);
  EXPECT_TRUE(TextLog().contains("DELETE DR UPDATE"));
  EXPECT_TRUE(window_->CurrentLog()->View().toPlainText().contains("DELETE DR UPDATE"));
  EXPECT_EQ(TreeLegs(), 2);
  EXPECT_TRUE(session_.notice.shown.empty());
}

TEST_F(LegEditorTest, ViewingAndCancelLeaveTheLogsAlone) {
  const QString before = TextLog();

  // A double-click on a leg views it: nothing can change.
  ModalScript view({ModalScript::On<LegEditorDialog>([](LegEditorDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Viewing: Initial Fix");
    EXPECT_FALSE(dialog.CourseField().isEnabled());
    EXPECT_FALSE(dialog.DeleteButton().isEnabled());
    EXPECT_FALSE(dialog.MoveButton(LegMove::kPrevious).isEnabled());
    dialog.MoveButton(LegMove::kEnd).click();
    EXPECT_EQ(dialog.windowTitle(), "Viewing: Update DR (Leg No. 3)");
    dialog.accept();
  })});
  QTreeWidget& tree = window_->Track()->Tree();
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  const QPoint firstLeg = tree.visualItemRect(tree.topLevelItem(0)).center();
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, firstLeg);  // as a hand does
  QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, firstLeg);
  ASSERT_TRUE(view.Finished());

  // The log menu's correction opens on the latest leg; Cancel drops the change.
  QAction* modify = window_->Action(kCommandModifyFix);
  ASSERT_TRUE(modify->isEnabled());
  ModalScript cancel({ModalScript::On<LegEditorDialog>([](LegEditorDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Editing: Update DR (Leg No. 3)");
    dialog.CourseField().setText("100");
    dialog.reject();
  })});
  modify->trigger();
  ASSERT_TRUE(cancel.Finished());

  EXPECT_EQ(TextLog(), before);
  EXPECT_NEAR(Legs().legs[2].course, 200.0, 1e-9);
  EXPECT_EQ(TreeLegs(), 3);
  EXPECT_TRUE(session_.notice.shown.empty());
}

}  // namespace
}  // namespace navora
