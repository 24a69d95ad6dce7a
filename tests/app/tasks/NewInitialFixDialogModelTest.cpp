#include <gtest/gtest.h>

#include <functional>

#include "app/bridge/RecordingNotice.h"
#include "app/tasks/AlmanacDialogModel.h"
#include "app/tasks/NewInitialFixDialogModel.h"
#include "engine/log/NewInitialFix.h"
#include "support/TemporaryDirectory.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

using testing::Jd;

constexpr double kJdTolerance = 1e-8;  // under a millisecond

TEST(NewInitialFixDialogModel, OpensWithTheStartRecordToATenthOfAMinute) {
  struct Case {
    PositionRecord start;
    NewInitialFixFields expected;
  };
  const Case cases[] = {
      {DefaultPositionRecord(),
       {1, 0, 2000 - kFirstAlmanacYear, "00", "00", "00", "0", "0.0", false, "0", "0.0", false,
        "0.0", "0.0"}},
      {MakeInitialFixRecord(Jd(2024, 4, 1, 12, 0, 30), -33.5, -151.25, 90, 6.5),
       {1, 3, 2024 - kFirstAlmanacYear, "12", "00", "30", "33", "30.0", true, "151", "15.0", true,
        "90.0", "6.5"}},
      // A minute that prints as 60.0 carries into the degrees.
      {MakeInitialFixRecord(Jd(2010, 12, 31, 23, 59, 59.4), 10.999999, 179.999999, 359.94, 0.04),
       {31, 11, 2010 - kFirstAlmanacYear, "23", "59", "59", "11", "0.0", false, "180", "0.0",
        false, "359.9", "0.0"}},
      // A year the list does not hold is left unselected.
      {MakeInitialFixRecord(Jd(1969, 12, 20), 1, 1, 0, 0),
       {20, 11, kNoSelection, "00", "00", "00", "1", "0.0", false, "1", "0.0", false, "0.0",
        "0.0"}},
  };
  for (const Case& c : cases) {
    const NewInitialFixFields f = InitialNewInitialFixFields(c.start);
    const NewInitialFixFields& e = c.expected;
    SCOPED_TRACE(c.start.time);
    EXPECT_EQ(std::tie(f.day, f.monthIndex, f.yearIndex), std::tie(e.day, e.monthIndex, e.yearIndex));
    EXPECT_EQ(std::tie(f.hour, f.minute, f.second), std::tie(e.hour, e.minute, e.second));
    EXPECT_EQ(std::tie(f.latitudeDegrees, f.latitudeMinutes, f.south),
              std::tie(e.latitudeDegrees, e.latitudeMinutes, e.south));
    EXPECT_EQ(std::tie(f.longitudeDegrees, f.longitudeMinutes, f.west),
              std::tie(e.longitudeDegrees, e.longitudeMinutes, e.west));
    EXPECT_EQ(std::tie(f.course, f.speed), std::tie(e.course, e.speed));
  }
}

TEST(NewInitialFixDialogModel, AcceptsWhatItOpensWithAsAnExternalFix) {
  const PositionRecord start = MakeInitialFixRecord(Jd(2024, 4, 1, 12, 0, 30), -33.5, -151.25, 90, 6.5);
  RecordingNotice notice;
  PositionRecord fix;
  FixField field = FixField::kDay;
  ASSERT_TRUE(AcceptNewInitialFixDialog(notice, InitialNewInitialFixFields(start), fix, field));
  EXPECT_TRUE(notice.shown.empty());
  EXPECT_NEAR(fix.time, start.time, kJdTolerance);
  EXPECT_DOUBLE_EQ(fix.latitude, -33.5);
  EXPECT_DOUBLE_EQ(fix.longitude, -151.25);
  EXPECT_DOUBLE_EQ(fix.course, 90.0);
  EXPECT_DOUBLE_EQ(fix.speed, 6.5);
  EXPECT_EQ(fix.positionType, kPositionExternalFix);
  EXPECT_EQ(fix.motionMode, kMotionNone);

  // "Current Date" empties the time; an empty hour is 0h whatever the minutes say.
  NewInitialFixFields today = InitialNewInitialFixFields(start);
  SetCurrentFixDate(today, Jd(2001, 2, 3, 18));
  EXPECT_EQ(std::tie(today.day, today.monthIndex, today.yearIndex),
            std::make_tuple(3, 1, 2001 - kFirstAlmanacYear));
  EXPECT_TRUE(today.hour.empty() && today.minute.empty() && today.second.empty());
  today.minute = "30";
  ASSERT_TRUE(AcceptNewInitialFixDialog(notice, today, fix, field));
  EXPECT_NEAR(fix.time, Jd(2001, 2, 3), kJdTolerance);
}

// Every field starts wrong; each row mends the field the previous row was
// refused for, so the rows walk the checks in the dialog's order.
TEST(NewInitialFixDialogModel, RefusesTheFirstBadFieldInDialogOrder) {
  NewInitialFixFields fields{31,    kNoSelection, kNoSelection, "24",   "1.5", "60",  "80",
                             "60",  false,        "181",        "",     false, "360", "100"};
  struct Row {
    const char* message;
    FixField field;
    std::function<void(NewInitialFixFields&)> mend;
  };
  const Row rows[] = {
      {"Please select a month.\n", FixField::kMonth, [](auto& f) { f.monthIndex = 3; }},
      {"Please select a year.\n", FixField::kYear, [](auto& f) { f.yearIndex = 54; }},
      {"Please enter an integer between 1 and 30.", FixField::kDay, [](auto& f) { f.day = 30; }},
      {"Please enter an integer between 0 and 23.", FixField::kHour, [](auto& f) { f.hour = "23"; }},
      {"Please enter an integer.", FixField::kMinute, [](auto& f) { f.minute = "59"; }},
      {"Please enter an integer between 0 and 59.", FixField::kSecond,
       [](auto& f) { f.second = "59"; }},
      {"Please enter an integer between 0 and 79.", FixField::kLatitudeDegrees,
       [](auto& f) { f.latitudeDegrees = ""; }},
      {"Please enter an integer.", FixField::kLatitudeDegrees,
       [](auto& f) { f.latitudeDegrees = "79"; }},
      {"Please enter a number between 0 and 59.9.", FixField::kLatitudeMinutes,
       [](auto& f) { f.latitudeMinutes = "59.9"; }},
      {"Please enter an integer between 0 and 180.", FixField::kLongitudeDegrees,
       [](auto& f) { f.longitudeDegrees = "180"; }},
      {"Please enter a number.", FixField::kLongitudeMinutes,
       [](auto& f) { f.longitudeMinutes = "0.1"; }},
      {"The longitude must be less than\nor equal to 180 degrees.", FixField::kLongitudeDegrees,
       [](auto& f) { f.longitudeMinutes = "0"; }},
      {"Please enter a number between 0 and 359.9.", FixField::kCourse,
       [](auto& f) { f.course = "359.9"; }},
      {"Please enter a number between 0 and 99.9.", FixField::kSpeed,
       [](auto& f) { f.speed = "-0.1"; }},
      {"Please enter a number between 0 and 99.9.", FixField::kSpeed,
       [](auto& f) { f.speed = "99.9"; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    RecordingNotice notice;
    PositionRecord fix;
    FixField field = FixField::kDay;
    EXPECT_FALSE(AcceptNewInitialFixDialog(notice, fields, fix, field));
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].text, row.message);
    EXPECT_EQ(field, row.field);
    row.mend(fields);
  }
  RecordingNotice notice;
  PositionRecord fix;
  FixField field = FixField::kDay;
  ASSERT_TRUE(AcceptNewInitialFixDialog(notice, fields, fix, field));
  EXPECT_NEAR(fix.latitude, 79.0 + 59.9 / 60.0, 1e-12);
  EXPECT_DOUBLE_EQ(fix.longitude, 180.0);
  EXPECT_NEAR(fix.time, Jd(2024, 4, 30, 23, 59, 59), kJdTolerance);
}

TEST(NewInitialFixDialogModel, StartsFromTheLatestLoggedPositionOrTheDefault) {
  testing::TemporaryDirectory scratch;
  EventLog events;
  ASSERT_EQ(SetEventLogDirectory(events, (scratch.path() + "/").c_str()), 0);
  EXPECT_EQ(LatestPositionOrDefault(events).time, DefaultPositionRecord().time) << "not open";
  constexpr EngineStatus kOpenedEmpty = 2;
  ASSERT_EQ(OpenEventLog(events), kOpenedEmpty);
  EXPECT_EQ(LatestPositionOrDefault(events).time, DefaultPositionRecord().time) << "empty";
  const PositionRecord fix = MakeInitialFixRecord(Jd(2024, 4, 1, 6), 49.5, -4.25, 270, 5);
  ASSERT_EQ(AppendPositionEntry(events, fix), 0);
  const PositionRecord latest = LatestPositionOrDefault(events);
  EXPECT_EQ(latest.time, fix.time);
  EXPECT_EQ(latest.latitude, fix.latitude);
  EXPECT_EQ(latest.longitude, fix.longitude);
}

}  // namespace
}  // namespace navora
