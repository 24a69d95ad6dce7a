#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/tasks/CompassDialogModels.h"
#include "app/tasks/NumericFieldRules.h"
#include "engine/compass/CompassError.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

using testing::Jd;

constexpr int kYear2024 = 2024 - kFirstAlmanacYear;
constexpr int kMarch = 2;

class CompassDialogModels : public testing::AlmanacTaskFixture {
 protected:
  static CompassErrorFields Determination() {
    CompassErrorFields f = InitialCompassErrorFields(Jd(2024, 3, 15, 20, 0, 30), 0.0);
    f.azimuth = "123.4";
    f.bearing = "350.0";
    f.heading = "020.0";
    return f;
  }

  PositionRecord reference = MakePositionRecord(kMotionRhumbLine, kPositionDr,
                                                Jd(2024, 3, 15, 12), 49.5, -4.25, 245.0, 12.0,
                                                0.0, 0.0);
  ReferenceState state;
};

TEST_F(CompassDialogModels, DeterminationRefusesInOrder) {
  const struct {
    const char* name;
    std::function<void(CompassErrorFields&)> change;
    std::string message;
    CompassField field;
  } kCases[] = {
      {"no month", [](auto& f) { f.monthIndex = kNoSelection; }, "Please select a month.\n",
       CompassField::kMonth},
      {"no year", [](auto& f) { f.yearIndex = kNoSelection; }, "Please select a year.\n",
       CompassField::kYear},
      {"hour", [](auto& f) { f.hour = "24"; }, IntegerRangeText(0, 23), CompassField::kHour},
      {"second", [](auto& f) { f.second = "60"; }, IntegerRangeText(0, 59),
       CompassField::kSecond},
      {"azimuth", [](auto& f) { f.azimuth = "360"; }, NumberRangeText(0.0, 359.9),
       CompassField::kAzimuth},
      {"heading", [](auto& f) { f.relative = true; f.heading = "x"; }, kNumberExpectedText,
       CompassField::kHeading},
      {"body", [](auto& f) { f.bodyIndex = kCompassBodyCount; },
       "Please select the observed body.\n", CompassField::kBody},
      {"UT1-UTC", [](auto& f) { f.ut1MinusUtc = "-1.0"; }, NumberRangeText(-0.9, 0.9),
       CompassField::kUt1MinusUtc},
      // The azimuth is not read when the relative bearing is chosen.
      {"relative", [](auto& f) { f.relative = true; f.azimuth = "x"; f.ut1MinusUtc = "1"; },
       NumberRangeText(-0.9, 0.9), CompassField::kUt1MinusUtc},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    CompassErrorFields fields = Determination();
    c.change(fields);
    notice.shown.clear();
    CompassErrorRequest request;
    CompassField returnTo = CompassField::kUt1MinusUtc;
    EXPECT_FALSE(AcceptCompassErrorDialog(notice, fields, reference, request, returnTo));
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].text, c.message);
    EXPECT_EQ(returnTo, c.field);
  }
}

TEST_F(CompassDialogModels, DeterminationNamesTheBodyAndTheBearing) {
  ASSERT_EQ(CompassBodyName(kCompassBodyCount), nullptr);
  const struct {
    int index;
    BodyId body;
    int16_t star;
  } kBodies[] = {{1, kMoon, 0}, {5, kSaturn, 0}, {6, kCompassStarBody, 1},
                 {kCompassBodyCount - 1, kCompassStarBody, 58}};
  for (const auto& b : kBodies) {
    CompassErrorFields fields = Determination();
    fields.bodyIndex = b.index;
    fields.relative = true;
    CompassErrorRequest request;
    CompassField returnTo = CompassField::kDay;
    ASSERT_TRUE(AcceptCompassErrorDialog(notice, fields, reference, request, returnTo));
    EXPECT_EQ(request.body, b.body);
    EXPECT_EQ(request.starNumber, b.star);
    EXPECT_DOUBLE_EQ(request.timeUtc, Jd(2024, 3, 15, 20, 0, 30));
    EXPECT_DOUBLE_EQ(request.observed, 350.0);
    EXPECT_DOUBLE_EQ(request.heading, 20.0);
    EXPECT_TRUE(request.relative);
  }
  EXPECT_STREQ(kStarCatalogue[57].name, CompassBodyName(kCompassBodyCount - 1));
}

TEST_F(CompassDialogModels, PlanningEditsTheReferenceAndKeepsARefusedInstantOpen) {
  CompassPlanningFields fields = InitialCompassPlanningFields(reference);
  EXPECT_EQ(fields.day, 15);
  EXPECT_EQ(fields.monthIndex, kMarch);
  EXPECT_EQ(fields.yearIndex, kYear2024);
  EXPECT_EQ(fields.hour, "12");

  // "Edit...": the new reference moves by rhumb line as an external fix.
  const PositionRecord entered = MakePositionRecord(kMotionNone, kPositionDr, Jd(2024, 3, 16, 6),
                                                    50.0, -5.0, 90.0, 10.0, 0.0, 0.0);
  const FixDialog enterFix = [&](std::string_view caption, const PositionRecord&,
                                 PositionRecord& fix) {
    EXPECT_EQ(caption, kCompassReferenceCaption);
    fix = entered;
    return true;
  };
  ASSERT_TRUE(EditCompassReference(notice, enterFix, fields.reference));
  EXPECT_EQ(notice.shown.back().text, "Edit Reference Position?");
  EXPECT_EQ(fields.reference.motionMode, kMotionRhumbLine);
  EXPECT_EQ(fields.reference.positionType, kPositionExternalFix);
  EXPECT_DOUBLE_EQ(fields.reference.longitude, -5.0);

  // Eleven days after the new reference: refused, back to the day.
  fields.day = 27;
  fields.hour = "07";
  notice.shown.clear();
  CompassPlanningRequest request;
  CompassField returnTo = CompassField::kMinute;
  EXPECT_FALSE(AcceptCompassPlanningDialog(notice, places.ephemeris, state, fields, request,
                                           returnTo));
  EXPECT_EQ(returnTo, CompassField::kDay);
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_NE(notice.shown[0].text.find("more than 10 days"), std::string::npos);

  fields.day = 16;
  fields.minute = "30";
  ASSERT_TRUE(AcceptCompassPlanningDialog(notice, places.ephemeris, state, fields, request,
                                          returnTo));
  EXPECT_DOUBLE_EQ(request.timeUtc, Jd(2024, 3, 16, 7, 30));
  EXPECT_EQ(request.reference.positionType, kPositionExternalFix);
}

}  // namespace
}  // namespace navora
