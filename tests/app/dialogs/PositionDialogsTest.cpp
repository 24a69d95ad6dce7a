// The Update DR, External Fix and Waypoint dialogs over a voyage of one
// fix: refused entries keep the dialog open on the field the model names,
// accepted ones hand over the model's preview or request.

#include <gtest/gtest.h>

#include <string>

#include "app/dialogs/ExternalFixDialog.h"
#include "app/dialogs/UpdateDrDialog.h"
#include "app/dialogs/WaypointDialog.h"
#include "engine/time/Calendar.h"
#include "support/ScratchVoyage.h"
#include "tests/app/dialogs/DialogFixture.h"

namespace navora {
namespace {

class PositionDialogsTest : public testing::DialogFixture {
 protected:
  // One fix: 2024-06-21 04:00:00 UTC, 49 30.0 N, 4 15.0 W, 245 deg. at 12 kn.
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DialogFixture::SetUp());
    ASSERT_NO_FATAL_FAILURE(
        testing::StartScratchVoyage(session_, kFixJd, 49.5, -4.25, 245.0, 12.0));
    reference_ = LatestPositionOrDefault(session_.state.events);
  }

  const double kFixJd = CalendarToJulian(2024, 6, 21, 4, 0, 0.0);
  PositionTaskLogs logs_{session_.notice, session_.state.events, session_.state.text,
                         session_.state.places.ephemeris, session_.state.reference};
  PositionRecord reference_;
};

TEST_F(PositionDialogsTest, UpdateDrRefusesOnTheNamedFieldAndAcceptsWithThePreview) {
  UpdateDrDialog dialog(logs_, reference_);
  UpdateDrFields fields = dialog.Fields();
  fields.hour = "06";
  fields.change = true;
  fields.course = "360";
  dialog.SetFields(fields);
  Outcome outcome = PressOk(dialog);
  EXPECT_TRUE(outcome.open);
  EXPECT_EQ(outcome.focus, &dialog.CourseField());
  EXPECT_EQ(session_.notice.shown.size(), 1u);

  fields.course = "200";
  dialog.SetFields(fields);
  outcome = PressOk(dialog);
  EXPECT_FALSE(outcome.open);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.Preview().changed);
  ASSERT_EQ(dialog.Preview().report.size(), 14u);
  EXPECT_NE(dialog.Preview().report[0].find("UPDATE DR"), std::string::npos);
}

TEST_F(PositionDialogsTest, ExternalFixRefusesOnTheNamedFieldAndWorksOutTheCurrent) {
  ExternalFixDialog dialog(logs_, reference_);
  EXPECT_EQ(dialog.windowTitle(), "Position Update - External Fix");
  NewInitialFixFields fields = dialog.Fields();
  fields.hour = "06";
  fields.latitudeDegrees = "80";
  dialog.SetFields(fields);
  Outcome outcome = PressOk(dialog);
  EXPECT_TRUE(outcome.open);
  EXPECT_EQ(outcome.focus, &dialog.LatitudeDegreesField());

  fields.latitudeDegrees = "49";
  fields.latitudeMinutes = "10.0";
  dialog.SetFields(fields);
  outcome = PressOk(dialog);
  EXPECT_FALSE(outcome.open);
  const ExternalFixPreview& preview = dialog.Preview();
  EXPECT_NEAR(preview.fix.time, kFixJd + 2.0 / 24.0, 1e-8);
  ASSERT_GT(preview.report.size(), 14u);
  EXPECT_NE(preview.report[0].find("EXTERNAL FIX"), std::string::npos);
  EXPECT_GT(preview.result.driftKnots, 0.05) << "a fix 10 miles off the reckoning in two hours";
}

TEST_F(PositionDialogsTest, WaypointRefusesOnTheNamedFieldAndAcceptsTheRequest) {
  WaypointDialog dialog(session_.notice, ephemeris_, state_, reference_);
  WaypointFields fields = dialog.Fields();
  fields.latitudeDegrees = "48";
  fields.latitudeMinutes = "0";
  fields.longitudeDegrees = "8";
  fields.longitudeMinutes = "0";
  fields.west = true;
  fields.departure.hour = "06";
  fields.arrival.hour = "06";
  dialog.SetFields(fields);
  Outcome outcome = PressOk(dialog);
  EXPECT_TRUE(outcome.open);
  EXPECT_EQ(outcome.focus, &dialog.Arrival().DayField());
  EXPECT_EQ(session_.notice.shown.size(), 1u);

  fields.arrival.day = 22;
  dialog.SetFields(fields);
  outcome = PressOk(dialog);
  EXPECT_FALSE(outcome.open);
  EXPECT_NEAR(dialog.Request().departureJd, kFixJd + 2.0 / 24.0, 1e-8);
  EXPECT_NEAR(dialog.Request().arrivalJd, kFixJd + 1.0 + 2.0 / 24.0, 1e-8);
  EXPECT_NEAR(dialog.Request().longitudeDeg, -8.0, 1e-12);
}

}  // namespace
}  // namespace navora
