// The rise/set dialogs over their models: a refused entry keeps the dialog
// open on its field, "Edit..." replaces the reference shown, and OK hands
// over the request the course runs.

#include <gtest/gtest.h>

#include "app/dialogs/RiseSetFixedDialog.h"
#include "app/dialogs/RiseSetUnderwayDialog.h"
#include "engine/time/Calendar.h"
#include "tests/app/dialogs/DialogFixture.h"

namespace navora {
namespace {

class RiseSetDialogsTest : public testing::DialogFixture {
 protected:
  // A DR of 21 June 2024 04:00 UTC at 49 30.0 N 4 15.0 W, 245 deg. at 12 kn.
  const PositionRecord kReference =
      MakePositionRecord(kMotionRhumbLine, kPositionDr, CalendarToJulian(2024, 6, 21, 4, 0, 0.0),
                         49.5, -4.25, 245.0, 12.0, 0.0, 0.0);
};

TEST_F(RiseSetDialogsTest, FixedSiteReturnsToTheRefusedFieldThenGivesTheRequest) {
  RiseSetFixedDialog dialog(session_.notice, ephemeris_, state_, kReference);
  EXPECT_EQ(dialog.windowTitle(), "Rise/Set/Transit - Fixed Site");
  const RiseSetFixedFields opened = dialog.Fields();
  EXPECT_EQ(opened.latitudeDegrees, "49");
  EXPECT_TRUE(opened.west);

  // One refusal: the focus goes to the field the model names.
  RiseSetFixedFields fields = opened;
  fields.zoneMinutes = "60";
  dialog.SetFields(fields);
  const Outcome refused = PressOk(dialog);
  EXPECT_TRUE(refused.open);
  EXPECT_EQ(refused.focus, dialog.FieldWidget(RiseSetField::kZoneMinutes));
  EXPECT_EQ(session_.notice.shown.size(), 1u);

  fields = opened;
  fields.body = kMoon;
  fields.zoneHours = "02";
  fields.repetitions = "3";
  dialog.SetFields(fields);
  EXPECT_FALSE(PressOk(dialog).open);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const RiseSetFixedRequest& request = dialog.Request();
  EXPECT_DOUBLE_EQ(request.dateJd, CalendarToJulian(2024, 6, 21, 0, 0, 0.0));
  EXPECT_FLOAT_EQ(request.timeZoneHours, 2.0f);
  EXPECT_DOUBLE_EQ(request.longitudeDeg, -4.25);
  EXPECT_EQ(request.body, kMoon);
  EXPECT_EQ(request.days, 3);
}

TEST_F(RiseSetDialogsTest, UnderwayRefusesAnEarlyDateUntilTheReferenceIsEdited) {
  const PositionRecord earlier = MakePositionRecord(kMotionNone, kPositionExternalFix,
                                                    CalendarToJulian(2024, 6, 19, 12, 0, 0.0), 50.0,
                                                    -5.0, 200.0, 6.0, 0.0, 0.0);
  int fixDialogs = 0;
  RiseSetUnderwayDialog dialog(session_.notice, ephemeris_, state_, kReference,
                               [&](std::string_view, const PositionRecord&, PositionRecord& fix) {
                                 ++fixDialogs;
                                 fix = earlier;
                                 return true;
                               });
  EXPECT_EQ(dialog.windowTitle(), "Rise/Set/Transit - Underway");
  EXPECT_EQ(dialog.ReferenceText().toLatin1().toStdString(),
            "DR Position\n21 Jun 2024\n04:00:00 UTC\nN  49\xB0"
            "30.0\nW 004\xB0"
            "15.0\n"
            "245.0 deg.\n12.0 kn.");
  RiseSetUnderwayFields fields = dialog.Fields();
  fields.day = 20;
  fields.zoneHours = "01";
  dialog.SetFields(fields);
  Outcome outcome = PressOk(dialog);
  EXPECT_TRUE(outcome.open);
  EXPECT_EQ(outcome.focus, &dialog.Date().DayField());
  EXPECT_EQ(session_.notice.shown.size(), 1u);

  session_.notice.answers = {NoticeAnswer::kYes};
  dialog.EditButton().click();
  EXPECT_EQ(fixDialogs, 1);
  EXPECT_TRUE(dialog.ReferenceText().startsWith("User-defined\n19 Jun 2024\n12:00:00 UTC"))
      << dialog.ReferenceText().toStdString();

  outcome = PressOk(dialog);
  EXPECT_FALSE(outcome.open);
  const RiseSetUnderwayRequest& request = dialog.Request();
  EXPECT_DOUBLE_EQ(request.dateJd, CalendarToJulian(2024, 6, 20, 0, 0, 0.0));
  EXPECT_FLOAT_EQ(request.timeZoneHours, 1.0f);
  EXPECT_EQ(request.reference.time, earlier.time);
  EXPECT_EQ(request.reference.course, 200.0);
  EXPECT_EQ(request.reference.motionMode, kMotionRhumbLine);
}

}  // namespace
}  // namespace navora
