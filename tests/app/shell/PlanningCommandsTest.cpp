// Sight planning, gyro/compass error and the fixed-site rise/set table from
// the Task menu on a voyage of one fix: each command's dialog (driven as the
// modal widget), then its report in the worksheet.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiSubWindow>
#include <memory>
#include <string>
#include <vector>

#include "app/bridge/DataFileChecks.h"
#include "app/dialogs/CompassDeterminationDialog.h"
#include "app/dialogs/CompassPlanningDialog.h"
#include "app/dialogs/RiseSetFixedDialog.h"
#include "app/dialogs/SightPlanningDialog.h"
#include "app/plots/SkyChartWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/TaskCommandsEnabled.h"
#include "app/shell/WorksheetWindow.h"
#include "engine/time/Calendar.h"
#include "support/ModalScript.h"
#include "support/ScratchVoyage.h"

namespace navora {
namespace {

using testing::ModalScript;

class PlanningCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A fix of 21 June 2024 18:00 UTC at 48 30 N 5 12 W, 245 deg. at 12 kn.
    ASSERT_NO_FATAL_FAILURE(testing::StartScratchVoyage(
        session_, CalendarToJulian(2024, 6, 21, 18, 0, 0.0), 48.5, -5.2, 245.0, 12.0));
    ASSERT_TRUE(CheckDataFilesAtStartup(session_.notice, session_.state.places));
    window_ = std::make_unique<MainWindow>(session_.state, session_.notice);
    EnableBuiltTaskCommands(*window_);
    worksheet_ = window_->NewWorksheet();
  }

  // Runs the command from its menu with `script` on its dialogs; the
  // worksheet's text after it.
  std::string Run(CommandId id, ModalScript& script) {
    QAction* action = window_->Action(id);
    EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    action->trigger();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is removed";
    return worksheet_->Editor().toPlainText().toLatin1().toStdString();
  }

  testing::ScratchSession session_;
  std::unique_ptr<MainWindow> window_;
  WorksheetWindow* worksheet_ = nullptr;
};

TEST_F(PlanningCommandsTest, EachReportGoesIntoTheWorksheet) {
  struct Case {
    CommandId id;
    ModalScript::Step step;
    std::vector<const char*> expected;
    const char* absent = nullptr;
  };
  const Case cases[] = {
      {kCommandSelectedStars,
       ModalScript::On<SightPlanningDialog>([](SightPlanningDialog& dialog) {
         SightPlanningFields fields = dialog.Fields();
         fields.twilight = true;
         fields.morning = false;
         dialog.SetFields(fields);
         dialog.accept();
       }),
       {"                            SIGHT PLANNING - STARS\n",
        "                              SUN, MOON, PLANETS\n"}},
      {kCommandCompassPlanning,
       ModalScript::On<CompassPlanningDialog>([](CompassPlanningDialog& dialog) {
         CompassPlanningFields fields = dialog.Fields();
         fields.hour = "22";
         dialog.SetFields(fields);
         dialog.accept();
       }),
       {"                       GYRO/COMPASS ERROR - PLANNING\n",
        "                                Course: 245.0\n"}},
      {kCommandCompassDetermination,
       ModalScript::On<CompassDeterminationDialog>([](CompassDeterminationDialog& dialog) {
         CompassErrorFields fields = dialog.Fields();
         fields.azimuth = "300.0";
         dialog.SetFields(fields);
         dialog.accept();
       }),
       {"                    GYRO/COMPASS ERROR - DETERMINATION\n",
        "                         Observed Azimuth:   300.0\n"}},
      {kCommandRiseSetFixed,
       ModalScript::On<RiseSetFixedDialog>([](RiseSetFixedDialog& dialog) {
         RiseSetFixedFields fields = dialog.Fields();
         fields.day = 20;
         fields.yearIndex = 2004 - kFirstAlmanacYear;
         fields.repetitions = "2";
         dialog.SetFields(fields);
         dialog.accept();
       }),
       {"                                  FIXED SITE\n",
        "                                     Sun\n", "      20 Jun 2004    ",
        "      21 Jun 2004    "},
       "22 Jun 2004"},  // two days asked for
  };
  for (const Case& c : cases) {
    ModalScript script({c.step});
    const std::string text = Run(c.id, script);
    for (const char* expected : c.expected) {
      EXPECT_NE(text.find(expected), std::string::npos) << c.id << ": " << expected << text;
    }
    if (c.absent != nullptr) {
      EXPECT_EQ(text.find(c.absent), std::string::npos) << c.absent;
    }
  }
  EXPECT_TRUE(session_.notice.shown.empty()) << session_.notice.shown.front().text;
  EXPECT_TRUE(window_->Action(kCommandRiseSetUnderway)->isEnabled());
}

TEST_F(PlanningCommandsTest, SkyChartOpensAChartOfTheShipAtThePlanningTime) {
  ModalScript script({ModalScript::On<SightPlanningDialog>([](SightPlanningDialog& dialog) {
    SightPlanningFields fields = dialog.Fields();
    fields.hour = "22";
    fields.minute = "30";
    dialog.SetFields(fields);
    dialog.accept();
  })});
  const std::string text = Run(kCommandSkyChart, script);
  EXPECT_TRUE(text.empty()) << text;
  EXPECT_TRUE(session_.notice.shown.empty());

  std::vector<const SkyChartWindow*> charts;
  for (const QMdiSubWindow* frame : window_->MdiArea().subWindowList()) {
    if (const auto* chart = qobject_cast<const SkyChartWindow*>(frame->widget())) {
      charts.push_back(chart);
    }
  }
  ASSERT_EQ(charts.size(), 1u);
  const SkyChartState& chart = charts.front()->Document().chart;
  EXPECT_DOUBLE_EQ(chart.planningTime, CalendarToJulian(2024, 6, 21, 22, 30, 0.0));
  // Four and a half hours from the fix on 245 deg.: south and west of it.
  EXPECT_LT(chart.observer.latitude, 48.5);
  EXPECT_LT(chart.observer.longitude, -5.2);
  EXPECT_GT(chart.starCount, 0);
}

}  // namespace
}  // namespace navora
