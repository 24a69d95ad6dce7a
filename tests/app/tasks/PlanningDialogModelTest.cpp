#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/tasks/PlanningDialogModel.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

using testing::Jd;

constexpr int kYear2024 = 2024 - kFirstAlmanacYear;
constexpr int kMarch = 2;

class PlanningDialogModel : public testing::AlmanacTaskFixture {
 protected:
  // A DR of 20 March 2024 17:59:45 UTC at 35 N 20 W, 245 degrees, 12 knots.
  static PositionRecord Reference() {
    return MakePositionRecord(kMotionRhumbLine, kPositionDr, Jd(2024, 3, 20, 17, 59, 45), 35.0,
                              -20.0, 245.0, 12.0, 0.0, 0.0);
  }

  ReferenceState state;
};

TEST_F(PlanningDialogModel, OpensOnTheReferenceToTheMinute) {
  const SightPlanningFields fields = InitialSightPlanningFields(Reference());
  EXPECT_FALSE(fields.twilight);
  EXPECT_EQ(fields.day, 20);
  EXPECT_EQ(fields.monthIndex, kMarch);
  EXPECT_EQ(fields.yearIndex, kYear2024);
  EXPECT_EQ(fields.hour + ":" + fields.minute, "18:00");
  EXPECT_FALSE(fields.showPrecision);
  EXPECT_EQ(fields.grade, kQualityAverage);

  // A reference a few seconds before midnight opens on the next day.
  PositionRecord late = Reference();
  late.time = Jd(2024, 3, 31, 23, 59, 50);
  const SightPlanningFields next = InitialSightPlanningFields(late);
  EXPECT_EQ(next.day, 1);
  EXPECT_EQ(next.monthIndex, kMarch + 1);
  EXPECT_EQ(next.hour + ":" + next.minute, "00:00");
}

TEST_F(PlanningDialogModel, RefusesInOrderWithItsMessages) {
  struct Case {
    const char* text;
    PlanningField field;
    std::function<void(SightPlanningFields&)> enter;
  };
  const Case cases[] = {
      // Two faults: the earlier field is named.
      {"Please select a month.\n", PlanningField::kMonth,
       [](auto& f) { f.monthIndex = kNoSelection, f.hour = "24"; }},
      {"Please enter an integer between 1 and 31.", PlanningField::kDay,
       [](auto& f) { f.day = 32, f.minute = "x"; }},
      {"Please enter an integer between 0 and 23.", PlanningField::kHour,
       [](auto& f) { f.hour = "24", f.minute = "60"; }},
      {"Please enter an integer.", PlanningField::kMinute, [](auto& f) { f.minute = "5.5"; }},
      // A time a day before the reference goes back to the day.
      {"The time must be later than that for the\n reference position( 20 Mar 2024 at "
       "17:59:45 )",
       PlanningField::kDay, [](auto& f) { f.day = 19, f.hour = "17"; }},
      {"Input date is more than 10 days  \nafter the latest fix date. If this\nis a new voyage, "
       "select \n\n  New Initial Fix \n\nfrom the Task menu.",
       PlanningField::kDay, [](auto& f) { f.day = 31; }},
      // With "Twilight" the time fields are not read; the day still is.
      {"Please enter an integer between 1 and 31.", PlanningField::kDay,
       [](auto& f) { f.twilight = true, f.hour = "99", f.day = 0; }},
  };
  for (const Case& c : cases) {
    SightPlanningFields fields = InitialSightPlanningFields(Reference());
    c.enter(fields);
    notice.shown.clear();
    SightPlanningRequest request;
    request.timeUtc = -1.0;
    PlanningField returnTo = PlanningField::kYear;
    EXPECT_FALSE(AcceptSightPlanningDialog(notice, places.ephemeris, state, fields, request,
                                           returnTo))
        << c.text;
    ASSERT_EQ(notice.shown.size(), 1u) << c.text;
    EXPECT_EQ(notice.shown[0].text, c.text);
    EXPECT_EQ(returnTo, c.field) << c.text;
    EXPECT_EQ(request.timeUtc, -1.0) << "request untouched: " << c.text;
  }
}

TEST_F(PlanningDialogModel, RequestsOfBothTimeOptions) {
  SightPlanningFields fields = InitialSightPlanningFields(Reference());
  fields.day = 21;
  fields.hour = "05";
  fields.minute = "40";
  fields.showPrecision = true;
  fields.grade = kQualityPoor;
  fields.reference.motionMode = kMotionNone;  // logged as a fix; the ship still moves
  SightPlanningRequest request;
  PlanningField returnTo = PlanningField::kDay;
  ASSERT_TRUE(
      AcceptSightPlanningDialog(notice, places.ephemeris, state, fields, request, returnTo));
  EXPECT_TRUE(notice.shown.empty());
  EXPECT_FALSE(request.twilight);
  EXPECT_NEAR(request.timeUtc, Jd(2024, 3, 21, 5, 40), 1e-9);
  EXPECT_EQ(request.reference.motionMode, kMotionRhumbLine);
  EXPECT_TRUE(request.showPrecision);
  EXPECT_EQ(request.grade, kQualityPoor);

  fields.twilight = true;
  fields.morning = false;
  fields.hour = "";
  ASSERT_TRUE(
      AcceptSightPlanningDialog(notice, places.ephemeris, state, fields, request, returnTo));
  EXPECT_TRUE(request.twilight);
  EXPECT_FALSE(request.morning);
  EXPECT_NEAR(request.dateUtc, Jd(2024, 3, 21), 1e-9);
}

// "Edit..." asks first; what is entered becomes a user-defined reference
// underway, the shown course and speed kept as entered.
TEST_F(PlanningDialogModel, EditingTheReference) {
  PositionRecord reference = Reference();
  std::string caption;
  const FixDialog enter = [&](std::string_view shownCaption, const PositionRecord& start,
                              PositionRecord& fix) {
    caption = shownCaption;
    fix = start;
    fix.latitude = 36.5;
    fix.speed = 8.0;
    return true;
  };
  notice.answers = {NoticeAnswer::kNo};
  EXPECT_FALSE(EditPlanningReference(notice, enter, reference));
  EXPECT_EQ(reference.latitude, 35.0);
  EXPECT_TRUE(EditPlanningReference(notice, enter, reference));
  EXPECT_EQ(caption, kPlanningReferenceCaption);
  EXPECT_EQ(reference.positionType, kPositionUserDefined);
  EXPECT_EQ(reference.motionMode, kMotionRhumbLine);
  EXPECT_EQ(reference.latitude, 36.5);
  EXPECT_EQ(reference.speed, 8.0);
  EXPECT_EQ(notice.shown[0].text, kEditReferenceQuestion);
}

}  // namespace
}  // namespace navora
