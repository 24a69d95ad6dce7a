// The Update DR, External Fix and Waypoint dialogs over a voyage of one
// fix: refused entries keep the dialog open on the field the model names,
// accepted ones hand over the model's preview or request.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/bridge/DataFileChecks.h"
#include "app/dialogs/ExternalFixDialog.h"
#include "app/dialogs/UpdateDrDialog.h"
#include "app/dialogs/WaypointDialog.h"
#include "engine/log/NewInitialFix.h"
#include "engine/time/Calendar.h"
#include "support/ScratchSession.h"

namespace navora {
namespace {

class PositionDialogsTest : public ::testing::Test {
 protected:
  // One fix: 2024-06-21 04:00:00 UTC, 49 30.0 N, 4 15.0 W, 245 deg. at 12 kn.
  void SetUp() override {
    ApplicationState& state = session_.state;
    ASSERT_TRUE(CheckDataFilesAtStartup(session_.notice, state.places));
    const char* directory = state.voyageDirectory.c_str();
    NewVoyage voyage;
    ASSERT_EQ(SetTextLogDirectory(state.text, directory), kStatusOk);
    ASSERT_EQ(SetEventLogDirectory(state.events, directory), kStatusOk);
    ASSERT_EQ(StartNewVoyage(state.events, state.text,
                             MakeInitialFixRecord(kFixJd, 49.5, -4.25, 245.0, 12.0), voyage),
              kStatusOk);
    state.reference.referenceKnown = true;
    reference_ = LatestPositionOrDefault(state.events);
  }

  // Shows the dialog, OK, and where it stands: open or not, and the focus.
  struct Outcome {
    bool open;
    QWidget* focus;
  };
  static Outcome PressOk(QDialog& dialog) {
    dialog.show();
    dialog.accept();
    return {dialog.isVisible(), dialog.focusWidget()};
  }

  const double kFixJd = CalendarToJulian(2024, 6, 21, 4, 0, 0.0);
  testing::ScratchSession session_;
  PositionTaskLogs logs_{session_.notice, session_.state.events, session_.state.text,
                         session_.state.places.ephemeris, session_.state.reference};
  PositionRecord reference_;
};

TEST_F(PositionDialogsTest, UpdateDrRefusesOnTheNamedFieldAndAcceptsWithThePreview) {
  struct Case {
    const char* name;
    std::function<void(UpdateDrFields&)> enter;
    std::function<QWidget*(UpdateDrDialog&)> refused;  // null: accepted
    bool changed;
  };
  const Case cases[] = {
      {"at the reference time", [](UpdateDrFields&) {},
       [](UpdateDrDialog& d) -> QWidget* { return &d.DateTime().DayField(); }, false},
      {"course out of range",
       [](UpdateDrFields& f) {
         f.hour = "06";
         f.change = true;
         f.course = "360";
       },
       [](UpdateDrDialog& d) -> QWidget* { return &d.CourseField(); }, false},
      {"new course, box clear",
       [](UpdateDrFields& f) {
         f.hour = "06";
         f.course = "200";
       },
       nullptr, false},
      {"new course",
       [](UpdateDrFields& f) {
         f.hour = "06";
         f.change = true;
         f.course = "200";
       },
       nullptr, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    session_.notice.shown.clear();
    UpdateDrDialog dialog(logs_, reference_);
    UpdateDrFields fields = dialog.Fields();
    test.enter(fields);
    dialog.SetFields(fields);
    const Outcome outcome = PressOk(dialog);
    if (test.refused) {
      EXPECT_TRUE(outcome.open);
      EXPECT_EQ(outcome.focus, test.refused(dialog));
      EXPECT_EQ(session_.notice.shown.size(), 1u);
      continue;
    }
    EXPECT_FALSE(outcome.open);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(session_.notice.shown.empty());
    EXPECT_EQ(dialog.Preview().changed, test.changed);
    ASSERT_EQ(dialog.Preview().report.size(), 14u);
    EXPECT_NE(dialog.Preview().report[0].find("UPDATE DR"), std::string::npos);
  }
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
  struct Case {
    const char* name;
    std::function<void(WaypointFields&)> enter;
    const char* message;  // null: accepted
    std::function<QWidget*(WaypointDialog&)> refused;
  };
  auto position = [](WaypointFields& f) {
    f.latitudeDegrees = "48";
    f.latitudeMinutes = "0";
    f.longitudeDegrees = "8";
    f.longitudeMinutes = "0";
    f.west = true;
  };
  const Case cases[] = {
      {"longitude over 180",
       [&](WaypointFields& f) {
         position(f);
         f.longitudeDegrees = "180";
         f.longitudeMinutes = "1";
       },
       "The longitude must be less than\nor equal to 180 degrees.",
       [](WaypointDialog& d) -> QWidget* { return &d.LongitudeDegreesField(); }},
      {"arrival at the departure",
       [&](WaypointFields& f) {
         position(f);
         f.departure.hour = "06";
         f.arrival.hour = "06";
       },
       "Arrival time at waypoint is earlier \nthan or equal to the departure time.\n",
       [](WaypointDialog& d) -> QWidget* { return &d.Arrival().DayField(); }},
      {"arrival a day on",
       [&](WaypointFields& f) {
         position(f);
         f.departure.hour = "06";
         f.arrival.day = 22;
       },
       nullptr, nullptr},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    session_.notice.shown.clear();
    WaypointDialog dialog(session_.notice, session_.state.places.ephemeris,
                          session_.state.reference, reference_);
    WaypointFields fields = dialog.Fields();
    test.enter(fields);
    dialog.SetFields(fields);
    const Outcome outcome = PressOk(dialog);
    if (test.message != nullptr) {
      EXPECT_TRUE(outcome.open);
      ASSERT_EQ(session_.notice.shown.size(), 1u);
      EXPECT_EQ(session_.notice.shown[0].text, test.message);
      EXPECT_EQ(outcome.focus, test.refused(dialog));
      continue;
    }
    EXPECT_FALSE(outcome.open);
    EXPECT_TRUE(session_.notice.shown.empty()) << session_.notice.shown[0].text;
    EXPECT_NEAR(dialog.Request().departureJd, kFixJd + 2.0 / 24.0, 1e-8);
    EXPECT_NEAR(dialog.Request().arrivalJd, kFixJd + 1.0, 1e-8);
    EXPECT_NEAR(dialog.Request().longitudeDeg, -8.0, 1e-12);
  }
}

}  // namespace
}  // namespace navora
