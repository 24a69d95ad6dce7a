// The sight planning and gyro/compass error dialogs over their models: the
// entries reach the model as shown, a refused entry keeps the dialog open on
// its field, and OK hands over the request the command runs.

#include <gtest/gtest.h>

#include "app/dialogs/CompassDeterminationDialog.h"
#include "app/dialogs/CompassPlanningDialog.h"
#include "app/dialogs/SightPlanningDialog.h"
#include "engine/compass/CompassError.h"
#include "engine/time/Calendar.h"
#include "tests/app/dialogs/DialogFixture.h"

namespace navora {
namespace {

class PlanningDialogsTest : public testing::DialogFixture {
 protected:
  // A DR of 21 June 2024 18:00 UTC at 48 30.0 N 5 12.0 W, 245 deg. at 12 kn.
  const PositionRecord kReference =
      MakePositionRecord(kMotionRhumbLine, kPositionDr, CalendarToJulian(2024, 6, 21, 18, 0, 0.0),
                         48.5, -5.2, 245.0, 12.0, 0.0, 0.0);
};

TEST_F(PlanningDialogsTest, SightPlanningTakesOtherOrTwilightAndThePrecisionOption) {
  SightPlanningDialog chart(SightPlanningDialog::Kind::kSkyChart, session_.notice, ephemeris_,
                            state_, kReference);
  EXPECT_EQ(chart.windowTitle(), "Sight Planning - Sky Chart");
  EXPECT_EQ(chart.PrecisionBox(), nullptr);

  SightPlanningDialog dialog(SightPlanningDialog::Kind::kSelectedStars, session_.notice, ephemeris_,
                             state_, kReference);
  EXPECT_EQ(dialog.windowTitle(), "Sight Planning - Selected Stars");
  const SightPlanningFields opened = dialog.Fields();
  EXPECT_FALSE(opened.twilight);
  EXPECT_EQ(opened.hour, "18");
  EXPECT_EQ(opened.minute, "00");
  ASSERT_NE(dialog.PrecisionBox(), nullptr);
  EXPECT_FALSE(dialog.PrecisionBox()->isChecked()) << "the tables stay as they are by default";
  EXPECT_TRUE(dialog.Reference().Text().startsWith("DR Position\n21 Jun 2024\n18:00:00 UTC"));

  // "Current Date" changes the date only.
  dialog.Date().CurrentDateButton().click();
  EXPECT_NE(dialog.Fields().yearIndex, opened.yearIndex);
  EXPECT_EQ(dialog.Fields().hour, "18");
  EXPECT_EQ(dialog.Fields().minute, "00");

  // "Other:" refuses a bad hour and returns to it.
  SightPlanningFields fields = opened;
  fields.hour = "24";
  dialog.SetFields(fields);
  Outcome outcome = PressOk(dialog);
  EXPECT_TRUE(outcome.open);
  EXPECT_EQ(outcome.focus, dialog.FieldWidget(PlanningField::kHour));
  EXPECT_EQ(session_.notice.shown.size(), 1u);

  // "Twilight" leaves the time aside: the same bad hour is not looked at.
  dialog.TwilightButton().click();
  EXPECT_FALSE(dialog.Date().HourField()->isEnabled());
  fields = dialog.Fields();
  EXPECT_TRUE(fields.twilight);
  fields.morning = false;
  fields.day = 22;
  fields.showPrecision = true;
  fields.grade = kQualityPoor;
  dialog.SetFields(fields);
  outcome = PressOk(dialog);
  EXPECT_FALSE(outcome.open);
  EXPECT_EQ(session_.notice.shown.size(), 1u);
  const SightPlanningRequest& request = dialog.Request();
  EXPECT_TRUE(request.twilight);
  EXPECT_FALSE(request.morning);
  EXPECT_DOUBLE_EQ(request.dateUtc, CalendarToJulian(2024, 6, 22, 0, 0, 0.0));
  EXPECT_TRUE(request.showPrecision);
  EXPECT_EQ(request.grade, kQualityPoor);
  EXPECT_EQ(request.reference.time, kReference.time);
}

TEST_F(PlanningDialogsTest, CompassPlanningRefusesAnEarlyInstantUntilTheReferenceIsEdited) {
  const PositionRecord earlier =
      MakePositionRecord(kMotionNone, kPositionDr, CalendarToJulian(2024, 6, 19, 12, 0, 0.0), 50.0,
                         -5.0, 200.0, 6.0, 0.0, 0.0);
  int fixDialogs = 0;
  CompassPlanningDialog dialog(
      session_.notice, ephemeris_, state_, kReference,
      [&](std::string_view caption, const PositionRecord&, PositionRecord& fix) {
        EXPECT_EQ(caption, kCompassReferenceCaption);
        ++fixDialogs;
        fix = earlier;
        return true;
      });
  EXPECT_EQ(dialog.windowTitle(), "Gyro/Compass Error - Planning");
  // Two days before the reference: the voyage does not go back that far.
  CompassPlanningFields fields = dialog.Fields();
  fields.day = 19;
  fields.hour = "21";
  dialog.SetFields(fields);
  Outcome outcome = PressOk(dialog);
  EXPECT_TRUE(outcome.open);
  EXPECT_EQ(outcome.focus, &dialog.Date().DayField());
  ASSERT_EQ(session_.notice.shown.size(), 1u);

  session_.notice.answers = {NoticeAnswer::kYes};
  dialog.Reference().EditButton().click();
  EXPECT_EQ(fixDialogs, 1);
  EXPECT_TRUE(dialog.Reference().Text().startsWith("External Fix\n19 Jun 2024\n12:00:00 UTC"))
      << dialog.Reference().Text().toStdString();

  outcome = PressOk(dialog);
  EXPECT_FALSE(outcome.open);
  const CompassPlanningRequest& request = dialog.Request();
  EXPECT_DOUBLE_EQ(request.timeUtc, CalendarToJulian(2024, 6, 19, 21, 0, 0.0));
  EXPECT_EQ(request.reference.course, 200.0);
  EXPECT_EQ(request.reference.motionMode, kMotionRhumbLine);
}

TEST_F(PlanningDialogsTest, CompassDeterminationReturnsToEachRefusedEntry) {
  const CompassErrorFields opened = InitialCompassErrorFields(kReference.time, 0.3);
  CompassDeterminationDialog dialog(session_.notice, kReference, opened);
  EXPECT_EQ(dialog.windowTitle(), "Gyro/Compass Error - Determination");
  EXPECT_EQ(dialog.BodyField().count(), kCompassBodyCount);
  EXPECT_EQ(dialog.Fields().ut1MinusUtc, "+0.3");

  struct Case {
    const char* what;
    void (*edit)(CompassErrorFields&);
    CompassField returnTo;
  };
  const Case cases[] = {
      {"second 60", [](CompassErrorFields& f) { f.second = "60"; }, CompassField::kSecond},
      {"no azimuth", [](CompassErrorFields& f) { f.azimuth = ""; }, CompassField::kAzimuth},
      {"heading 360",
       [](CompassErrorFields& f) {
         f.relative = true;
         f.heading = "360.0";
       },
       CompassField::kHeading},
      {"UT1 - UTC 1.5", [](CompassErrorFields& f) { f.ut1MinusUtc = "1.5"; },
       CompassField::kUt1MinusUtc},
  };
  for (const Case& c : cases) {
    CompassErrorFields fields = opened;
    fields.azimuth = "123.4";
    fields.bearing = "350.0";
    fields.heading = "020.0";
    c.edit(fields);
    dialog.SetFields(fields);
    const size_t before = session_.notice.shown.size();
    const Outcome outcome = PressOk(dialog);
    EXPECT_TRUE(outcome.open) << c.what;
    EXPECT_EQ(outcome.focus, dialog.FieldWidget(c.returnTo)) << c.what;
    EXPECT_EQ(session_.notice.shown.size(), before + 1) << c.what;
  }

  // A relative bearing of a star: the azimuth edit is not looked at.
  CompassErrorFields fields = opened;
  fields.relative = true;
  fields.azimuth = "999";
  fields.bearing = "350.0";
  fields.heading = "020.0";
  fields.bodyIndex = 6;  // the first star after the Sun, Moon and planets
  dialog.SetFields(fields);
  EXPECT_FALSE(PressOk(dialog).open);
  const CompassErrorRequest& request = dialog.Request();
  EXPECT_TRUE(request.relative);
  EXPECT_DOUBLE_EQ(request.observed, 350.0);
  EXPECT_DOUBLE_EQ(request.heading, 20.0);
  EXPECT_EQ(request.body, kCompassStarBody);
  EXPECT_EQ(request.starNumber, 1);
  EXPECT_DOUBLE_EQ(request.ut1MinusUtc, 0.3);
  EXPECT_EQ(request.reference.latitude, kReference.latitude);
}

}  // namespace
}  // namespace navora
