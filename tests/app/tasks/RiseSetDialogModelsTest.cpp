#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/tasks/RiseSetDialogModels.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

using testing::Jd;

constexpr int kYear2004 = 2004 - kFirstAlmanacYear;
constexpr int kYear2024 = 2024 - kFirstAlmanacYear;
constexpr int kJune = 5;
constexpr int kDecember = 11;
constexpr char kHighLatitudeNote[] = "Accuracy of rise/set times decreases at high latitudes.";

class RiseSetDialogModels : public testing::AlmanacTaskFixture {
 protected:
  // 20 June 2004, zone 5 h 30 min east, 49 30.0 N 4 15.0 W, 10 feet, 3 days.
  static RiseSetFixedFields Fixed() {
    RiseSetFixedFields f;
    f.day = 20;
    f.monthIndex = kJune;
    f.yearIndex = kYear2004;
    f.zoneHours = "05";
    f.zoneMinutes = "30";
    f.latitudeDegrees = "49";
    f.latitudeMinutes = "30.0";
    f.longitudeDegrees = "4";
    f.longitudeMinutes = "15.0";
    f.west = true;
    f.heightOfEye = "010";
    f.repetitions = "03";
    return f;
  }

  // Underway from a DR of 21 June 2024 04:00 UTC at 49 30.0 N 4 15.0 W.
  static RiseSetUnderwayFields Underway(int day, int month = kJune) {
    RiseSetUnderwayFields f = InitialRiseSetUnderwayFields(MakePositionRecord(
        kMotionRhumbLine, kPositionDr, Jd(2024, 6, 21, 4), 49.5, -4.25, 245.0, 12.0, 0.0, 0.0));
    f.day = day;
    f.monthIndex = month;
    return f;
  }

  ReferenceState state;
};

TEST_F(RiseSetDialogModels, FixedSiteRefusesInOrderWithItsMessages) {
  struct Case {
    const char* text;
    RiseSetField field;
    std::function<void(RiseSetFixedFields&)> enter;
  };
  const Case cases[] = {
      // Two faults: the earlier field is named.
      {"Please select a month.\n", RiseSetField::kMonth,
       [](auto& f) { f.monthIndex = kNoSelection, f.zoneHours = "15"; }},
      {"Please select a year.\n", RiseSetField::kYear, [](auto& f) { f.yearIndex = kNoSelection; }},
      {"Please enter an integer between 1 and 30.", RiseSetField::kDay,
       [](auto& f) { f.day = 31, f.latitudeDegrees = "80"; }},
      {"Please enter an integer.", RiseSetField::kZoneHours, [](auto& f) { f.zoneHours = ""; }},
      {"Please enter an integer between 0 and 14.", RiseSetField::kZoneHours,
       [](auto& f) { f.zoneHours = "15"; }},
      {"Please enter an integer between 0 and 59.", RiseSetField::kZoneMinutes,
       [](auto& f) { f.zoneMinutes = "60", f.latitudeDegrees = "80"; }},
      {kZoneTooLargeText, RiseSetField::kZoneHours,
       [](auto& f) { f.zoneHours = "14", f.zoneMinutes = "01"; }},
      {"Please enter an integer between 0 and 79.", RiseSetField::kLatitudeDegrees,
       [](auto& f) { f.latitudeDegrees = "80", f.heightOfEye = "1000"; }},
      {"Please enter a number between 0 and 59.9.", RiseSetField::kLatitudeMinutes,
       [](auto& f) { f.latitudeMinutes = "60"; }},
      {"Please enter an integer between 0 and 180.", RiseSetField::kLongitudeDegrees,
       [](auto& f) { f.longitudeDegrees = "181"; }},
      {"Please enter a number.", RiseSetField::kLongitudeMinutes,
       [](auto& f) { f.longitudeMinutes = "x"; }},
      {"The longitude must be less than\nor equal to 180 degrees.", RiseSetField::kLongitudeDegrees,
       [](auto& f) { f.longitudeDegrees = "180", f.longitudeMinutes = "0.1"; }},
      {"Please enter an integer between 0 and 999.", RiseSetField::kHeightOfEye,
       [](auto& f) { f.heightOfEye = "1000", f.repetitions = "0"; }},
      {"Please enter an integer between 0 and 304.", RiseSetField::kHeightOfEye,
       [](auto& f) { f.heightOfEye = "305", f.heightInMetres = true; }},
      {"Please enter an integer between 1 and 99.", RiseSetField::kRepetitions,
       [](auto& f) { f.repetitions = "0"; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    notice.shown.clear();
    RiseSetFixedFields fields = Fixed();
    c.enter(fields);
    RiseSetFixedRequest request;
    RiseSetField returnTo = RiseSetField::kRepetitions;
    ASSERT_FALSE(
        AcceptRiseSetFixedDialog(notice, places.ephemeris, state, fields, request, returnTo));
    EXPECT_EQ(returnTo, c.field);
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].text, c.text);
  }
}

TEST_F(RiseSetDialogModels, FixedSiteRequestAndTheTimeZonesTotal) {
  struct Case {
    const char* hours;
    const char* minutes;
    bool west;
    float zone;
  };
  const Case cases[] = {
      {"0", "0", true, 0.0f}, {"13", "59", true, -(13 + 59 / 60.0f)}, {"14", "00", false, 14.0f}};
  RiseSetFixedFields fields = Fixed();
  fields.body = kMoon;
  RiseSetFixedRequest request;
  RiseSetField returnTo = RiseSetField::kDay;
  for (const Case& c : cases) {
    fields.zoneHours = c.hours;
    fields.zoneMinutes = c.minutes;
    fields.zoneWest = c.west;
    ASSERT_TRUE(
        AcceptRiseSetFixedDialog(notice, places.ephemeris, state, fields, request, returnTo));
    EXPECT_FLOAT_EQ(request.timeZoneHours, c.zone);
  }
  EXPECT_DOUBLE_EQ(request.dateJd, Jd(2004, 6, 20));
  EXPECT_DOUBLE_EQ(request.latitudeDeg, 49.5);
  EXPECT_DOUBLE_EQ(request.longitudeDeg, -4.25);
  EXPECT_DOUBLE_EQ(request.heightOfEyeM, 3.048);
  EXPECT_EQ(request.body, kMoon);
  EXPECT_EQ(request.days, 3) << "the course adds the Moon's extra day";
  EXPECT_TRUE(notice.shown.empty());
}

TEST_F(RiseSetDialogModels, RepetitionsPastTheRangeAskToTruncate) {
  // From 29 Dec 2024 three whole days are left; a zone east of Greenwich
  // starts the tabular day earlier and leaves two.
  EXPECT_EQ(RiseSetDayLimit(Jd(2024, 12, 29), 0.0), 3);
  EXPECT_EQ(RiseSetDayLimit(Jd(2024, 12, 29), 5.5), 2);
  EXPECT_EQ(RiseSetDayLimit(Jd(2024, 12, 29), -5.0), 3);

  struct Case {
    NoticeAnswer answer;
    bool accepted;
    int days;
  };
  for (const Case c : {Case{NoticeAnswer::kOk, true, 2}, Case{NoticeAnswer::kCancel, false, 0}}) {
    notice.shown.clear();
    notice.answers = {c.answer};
    RiseSetFixedFields fields = Fixed();
    fields.day = 29;
    fields.monthIndex = kDecember;
    fields.yearIndex = kYear2024;
    fields.repetitions = "5";
    RiseSetFixedRequest request;
    RiseSetField returnTo = RiseSetField::kDay;
    EXPECT_EQ(AcceptRiseSetFixedDialog(notice, places.ephemeris, state, fields, request, returnTo),
              c.accepted);
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].style, kNoticeOkCancelStop);
    EXPECT_EQ(notice.shown[0].text,
              "The number of repetitions you requested \nextends beyond the valid date range of  "
              "\nNAVORA 2.1. \n\nClick 'OK' to continue with truncated   \noutput or 'Cancel' to "
              "modify your request.\n");
    if (c.accepted) {
      EXPECT_EQ(request.days, c.days);
    } else {
      EXPECT_EQ(returnTo, RiseSetField::kRepetitions);
    }
  }
}

TEST_F(RiseSetDialogModels, HighLatitudeNoteOncePerOkAndTheTableGoesOn) {
  RiseSetFixedFields fields = Fixed();
  fields.latitudeDegrees = "75";
  RiseSetFixedRequest request;
  RiseSetField returnTo = RiseSetField::kDay;
  for (int ok = 0; ok < 2; ++ok) {
    notice.shown.clear();
    ASSERT_TRUE(
        AcceptRiseSetFixedDialog(notice, places.ephemeris, state, fields, request, returnTo));
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].text, kHighLatitudeNote);
    // The course that follows must not show it again.
    EXPECT_FALSE(state.highLatitudeNoteDue);
  }
  // The Moon's limit is 60 degrees.
  fields.latitudeDegrees = "65";
  notice.shown.clear();
  ASSERT_TRUE(AcceptRiseSetFixedDialog(notice, places.ephemeris, state, fields, request, returnTo));
  EXPECT_TRUE(notice.shown.empty());
  fields.body = kMoon;
  ASSERT_TRUE(AcceptRiseSetFixedDialog(notice, places.ephemeris, state, fields, request, returnTo));
  EXPECT_EQ(notice.shown.size(), 1u);
}

TEST_F(RiseSetDialogModels, UnderwayDateIsCheckedAgainstTheReference) {
  struct Case {
    const char* name;
    RiseSetUnderwayFields fields;
    const char* text;  // null: accepted
    RiseSetField field;
  };
  RiseSetUnderwayFields badZone = Underway(21);
  badZone.zoneMinutes = "75";
  RiseSetUnderwayFields tall = Underway(21);
  tall.heightOfEye = "1000";
  const Case cases[] = {
      {"a day before", Underway(20),
       "The time must be later than that for the\n reference position( 21 Jun 2024 at 04:00:00 )",
       RiseSetField::kDay},
      {"the reference's own date", Underway(21), nullptr, RiseSetField::kDay},
      {"ten days after", Underway(1, kJune + 1), nullptr, RiseSetField::kDay},
      {"zone before the date check", badZone, "Please enter an integer between 0 and 59.",
       RiseSetField::kZoneMinutes},
      {"no metric heights underway", tall, "Please enter an integer between 0 and 999.",
       RiseSetField::kHeightOfEye},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    notice.shown.clear();
    RiseSetUnderwayRequest request;
    RiseSetField returnTo = RiseSetField::kRepetitions;
    const bool accepted =
        AcceptRiseSetUnderwayDialog(notice, places.ephemeris, state, c.fields, request, returnTo);
    if (c.text == nullptr) {
      EXPECT_TRUE(accepted);
      EXPECT_TRUE(notice.shown.empty());
      EXPECT_DOUBLE_EQ(request.dateJd, Jd(2024, 6 + c.fields.monthIndex - kJune, c.fields.day));
      EXPECT_EQ(request.reference.time, c.fields.reference.time);
      continue;
    }
    EXPECT_FALSE(accepted);
    EXPECT_EQ(returnTo, c.field);
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].text, c.text);
  }
  // A reference logged without motion is still advanced: the early date is refused.
  RiseSetUnderwayFields still = Underway(19);
  still.reference.motionMode = kMotionNone;
  RiseSetUnderwayRequest request;
  RiseSetField returnTo = RiseSetField::kRepetitions;
  EXPECT_FALSE(
      AcceptRiseSetUnderwayDialog(notice, places.ephemeris, state, still, request, returnTo));
  EXPECT_EQ(returnTo, RiseSetField::kDay);
}

TEST_F(RiseSetDialogModels, ReferenceShownAndEdited) {
  // 23:59:59.6 shows as midnight of the next day.
  const PositionRecord logged =
      MakePositionRecord(kMotionRhumbLine, kPositionDr, Jd(2024, 12, 31, 23, 59, 59.6), -33.5,
                         151.25, 5.0, 6.45, 0, 0);
  const RiseSetReferenceTexts shown = DescribeRiseSetReference(logged);
  EXPECT_EQ(shown.type, "DR Position");
  EXPECT_EQ(shown.date, "01 Jan 2025");
  EXPECT_EQ(shown.time, "00:00:00 UTC");
  EXPECT_EQ(shown.latitude,
            "S  33\xB0"
            "30.0");
  EXPECT_EQ(shown.longitude,
            "E 151\xB0"
            "15.0");
  EXPECT_EQ(shown.course, "5.0");
  EXPECT_EQ(shown.speed, "6.5");

  const PositionRecord entered = MakePositionRecord(kMotionNone, kPositionExternalFix,
                                                    Jd(2024, 6, 1), 10.0, -20.0, 90.0, 8.0, 0, 0);
  struct Case {
    NoticeAnswer answer;
    bool entersFix;
    bool changed;
  };
  for (const Case c : {Case{NoticeAnswer::kNo, true, false}, Case{NoticeAnswer::kYes, false, false},
                       Case{NoticeAnswer::kYes, true, true}}) {
    notice.shown.clear();
    notice.answers = {c.answer};
    int dialogs = 0;
    const FixDialog enterFix = [&](std::string_view caption, const PositionRecord& start,
                                   PositionRecord& fix) {
      ++dialogs;
      EXPECT_EQ(caption, kRiseSetReferenceCaption);
      EXPECT_EQ(start.time, logged.time) << "opens on the shown reference";
      fix = entered;
      return c.entersFix;
    };
    PositionRecord reference = logged;
    EXPECT_EQ(EditRiseSetReference(notice, enterFix, reference), c.changed);
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].text, "Edit Reference Position?");
    EXPECT_EQ(notice.shown[0].style, kNoticeYesNoQuestion);
    EXPECT_EQ(dialogs, c.answer == NoticeAnswer::kYes ? 1 : 0);
    if (!c.changed) {
      EXPECT_EQ(reference.time, logged.time);
      continue;
    }
    EXPECT_EQ(reference.time, entered.time);
    EXPECT_EQ(reference.latitude, 10.0);
    EXPECT_EQ(reference.motionMode, kMotionRhumbLine);
    EXPECT_STREQ(PositionTypeName(reference.positionType), "User-defined");
  }
}

}  // namespace
}  // namespace navora
