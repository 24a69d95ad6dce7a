#include <gtest/gtest.h>

#include <QAction>
#include <QStringList>
#include <memory>

#include "app/shell/MainWindow.h"
#include "app/shell/TrackPane.h"
#include "support/ScratchVoyage.h"

namespace navora {
namespace {

constexpr double kStart = 2460400.5;

// A voyage of three legs: the initial fix with a Sun sight, a course change
// with two star sights, and a second course change with a Moon sight.
class TrackPaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(testing::StartScratchVoyage(session_, kStart, 49.5, -4.25, 250.0, 6.0));
    Sight(kStart + 0.10, 14);
    CourseChange(kStart + 0.20, 230.0);
    Sight(kStart + 0.25, 20, 1);
    Sight(kStart + 0.26, 20, 18);
    CourseChange(kStart + 0.40, 200.0);
    Sight(kStart + 0.45, 11);
  }

  void Sight(double time, uint16_t bodyCode, uint16_t starNumber = 0) {
    ObservationRecord sight = DefaultObservationRecord();
    sight.time = time;
    sight.bodyCode = bodyCode;
    sight.starNumber = starNumber;
    ASSERT_EQ(AppendSightEntry(state_.events, sight), 0);
  }

  void CourseChange(double time, double course) {
    ASSERT_EQ(
        AppendPositionEntry(state_.events, MakePositionRecord(kMotionRhumbLine, kPositionDr, time,
                                                              49.4, -4.5, course, 6.0, 0.0, 0.0)),
        0);
  }

  testing::ScratchSession session_;
  ApplicationState& state_ = session_.state;
};

QStringList Children(const QTreeWidgetItem& item) {
  QStringList labels;
  for (int i = 0; i < item.childCount(); ++i) labels << item.child(i)->text(0);
  return labels;
}

TEST_F(TrackPaneTest, ThreeLegsWithTheirSightsInTheDockedPane) {
  MainWindow window(state_, session_.notice);
  window.CreateLogWindows();
  TrackPane* pane = window.Track();
  ASSERT_NE(pane, nullptr);
  auto* dock = window.findChild<QDockWidget*>("CurrentTrack");
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(dock->widget(), pane);
  auto* tabs = pane->findChild<QTabWidget*>("CurrentTrackTabs");
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->count(), 1);
  EXPECT_EQ(tabs->tabText(0), "CurrentTrack");

  const QTreeWidget& tree = pane->Tree();
  ASSERT_EQ(tree.topLevelItemCount(), 3);
  const struct {
    const char* leg;
    QStringList sights;
  } expected[] = {
      {"Initial Fix", {"Sun, Lower Limb"}},
      {"Course/Speed Change", {"Alpheratz", "Sirius"}},
      {"Course/Speed Change", {"Moon, Center"}},
  };
  for (int leg = 0; leg < 3; ++leg) {
    const QTreeWidgetItem& item = *tree.topLevelItem(leg);
    EXPECT_EQ(item.text(0), expected[leg].leg);
    EXPECT_TRUE(item.isExpanded());
    EXPECT_FALSE(item.icon(0).isNull());
    EXPECT_EQ(Children(item), expected[leg].sights);
  }

  // A deleted sight leaves the tree at the refresh that follows.
  LegsAndSights loaded;
  ASSERT_EQ(LoadLegsAndSights(state_.events, loaded), 0);
  ASSERT_EQ(DeleteSightEntry(state_.events, loaded.sightOffsets[1]), 0);
  window.RefreshTrack();
  EXPECT_EQ(Children(*tree.topLevelItem(1)), QStringList{"Sirius"});
}

TEST_F(TrackPaneTest, HitTestSelectsTheItemAndOffersItsCommands) {
  TrackPane pane(state_);
  pane.resize(240, 300);
  pane.show();
  pane.Refresh();
  QTreeWidget& tree = pane.Tree();
  auto centre = [&tree](QTreeWidgetItem* item) { return tree.visualItemRect(item).center(); };

  QTreeWidgetItem* secondLeg = tree.topLevelItem(1);
  QTreeWidgetItem* sirius = secondLeg->child(1);
  const struct {
    QPoint point;
    TrackHit hit;
    QTreeWidgetItem* selected;
    QStringList menu;
  } cases[] = {
      {centre(secondLeg), {1, kNoTrackIndex}, secondLeg, {"View...", "Edit...", "Delete..."}},
      {centre(sirius), {kNoTrackIndex, 2}, sirius, {"View...", "Edit...", "Delete...", "Add..."}},
      {QPoint(5, tree.viewport()->height() - 2), {}, sirius, {}},  // below the items
  };
  for (const auto& c : cases) {
    const TrackHit hit = pane.HitTest(c.point);
    EXPECT_EQ(hit, c.hit) << hit.legIndex << " " << hit.sightIndex;
    EXPECT_EQ(tree.currentItem(), c.selected);
    std::unique_ptr<QMenu> menu(pane.NewContextMenu(hit, nullptr));
    QStringList texts;
    if (menu) {
      for (const QAction* action : menu->actions()) {
        texts << action->text();
        EXPECT_TRUE(action->isEnabled());
        EXPECT_EQ(action->statusTip(), "view the selected tree item");
      }
    }
    EXPECT_EQ(texts, c.menu);
  }
}

}  // namespace
}  // namespace navora
