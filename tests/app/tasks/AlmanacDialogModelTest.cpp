// The almanac dialogs' rules: field checks in order with their messages, the
// seconds rule, the repetition limit and its truncation question.

#include <gtest/gtest.h>

#include "app/bridge/RecordingNotice.h"
#include "app/tasks/AlmanacDialogModel.h"
#include "engine/almanac/AlmanacLine.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

constexpr double kSecondDays = 1.0 / 86400.0;

using testing::Jd;

AlmanacDialogFields Fields(int year, int month, int day, int hour = 0, int minute = 0,
                           int second = 0) {
  AlmanacDialogFields fields;
  fields.yearIndex = year - kFirstAlmanacYear;
  fields.monthIndex = month - 1;
  fields.day = day;
  fields.hour = hour;
  fields.minute = minute;
  fields.second = second;
  return fields;
}

TEST(AlmanacDialogChecks, RefuseTheFirstBadFieldInDialogOrder) {
  AlmanacDialogFields fields = Fields(2000, 2, 30, 24, 60, 60);
  fields.repetitions = 0;
  fields.intervalValue = 1000;
  fields.monthIndex = kNoSelection;
  fields.yearIndex = kNoSelection;
  const auto expectRefused = [&](const char* message, AlmanacField expectedField) {
    RecordingNotice notice;
    AlmanacTableRequest request;
    AlmanacField field = AlmanacField::kDay;
    EXPECT_FALSE(AcceptAlmanacTableDialog(notice, fields, request, field));
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].text, message);
    EXPECT_EQ(field, expectedField);
  };
  expectRefused("Please select a month.\n", AlmanacField::kMonth);
  fields.monthIndex = 1;
  expectRefused("Please select a year.\n", AlmanacField::kYear);
  fields.yearIndex = 2000 - kFirstAlmanacYear;
  expectRefused("Please enter an integer between 1 and 29.", AlmanacField::kDay);
  fields.day = 29;
  expectRefused("Please enter an integer between 0 and 23.", AlmanacField::kHour);
  fields.hour = 23;
  expectRefused("Please enter an integer between 0 and 59.", AlmanacField::kMinute);
  fields.minute = 59;
  expectRefused("Please enter an integer between 0 and 59.", AlmanacField::kSecond);
  fields.second = 59;
  expectRefused("Please enter an integer between 1 and 999.", AlmanacField::kRepetitions);
  fields.repetitions = 1;
  expectRefused("Please enter an integer between 1 and 999.", AlmanacField::kInterval);
  fields.yearIndex = 2001 - kFirstAlmanacYear;  // February has 28 days
  expectRefused("Please enter an integer between 1 and 28.", AlmanacField::kDay);
}

// Dialogs check only the fields they show; empty time fields count as 0.
TEST(AlmanacDialogChecks, StarsAndDayDialogsUseTheirOwnFields) {
  RecordingNotice notice;
  AlmanacField field = AlmanacField::kDay;
  AlmanacDialogFields fields = Fields(2015, 9, 1, 3, 25, 99);
  fields.repetitions = 0;
  AlmanacStarsRequest stars;
  ASSERT_TRUE(AcceptAlmanacStarsDialog(notice, fields, stars, field));
  EXPECT_DOUBLE_EQ(stars.jd, Jd(2015, 9, 1, 3, 25));
  AlmanacDayRequest day;
  ASSERT_TRUE(AcceptAlmanacDayDialog(notice, fields, day, field));
  EXPECT_DOUBLE_EQ(day.dateJd, Jd(2015, 9, 1));
  fields.hour.reset();
  ASSERT_TRUE(AcceptAlmanacStarsDialog(notice, fields, stars, field));
  EXPECT_DOUBLE_EQ(stars.jd, Jd(2015, 9, 1));
  EXPECT_TRUE(notice.shown.empty());
}

TEST(AlmanacDialogChecks, SecondsCountOnlyForIntervalsUnderAMinute) {
  struct Case {
    int value;
    IntervalUnit unit;
    double expectedSecond;
  };
  for (const Case c :
       {Case{59, IntervalUnit::kSeconds, 45.0}, Case{60, IntervalUnit::kSeconds, 0.0},
        Case{1, IntervalUnit::kMinutes, 0.0}, Case{2, IntervalUnit::kHours, 0.0}}) {
    RecordingNotice notice;
    AlmanacDialogFields fields = Fields(2003, 6, 15, 12, 10, 45);
    fields.intervalValue = c.value;
    fields.unit = c.unit;
    AlmanacTableRequest request;
    AlmanacField field = AlmanacField::kDay;
    ASSERT_TRUE(AcceptAlmanacTableDialog(notice, fields, request, field));
    EXPECT_DOUBLE_EQ(request.startJd, Jd(2003, 6, 15, 12, 10, c.expectedSecond)) << c.value;
    // Sixty seconds print to the minute, like one minute.
    EXPECT_EQ(IntervalBelowOneMinute(request.intervalDays), c.expectedSecond != 0.0);
  }
}

TEST(AlmanacDialogFieldsSetup, OpenOnTheReferenceDateAndCurrentDateEmptiesTheTime) {
  AlmanacDialogFields fields = InitialAlmanacDialogFields(Jd(2010, 7, 4, 23, 59));
  EXPECT_EQ(fields.day, 4);
  EXPECT_EQ(fields.monthIndex, 6);
  EXPECT_EQ(fields.hour, 0);
  EXPECT_EQ(InitialAlmanacDialogFields(Jd(2025, 1, 1)).yearIndex, kNoSelection);
  SetCurrentAlmanacDate(fields, Jd(2021, 3, 14, 15, 9, 26));
  EXPECT_EQ(fields.yearIndex, 2021 - kFirstAlmanacYear);
  EXPECT_FALSE(fields.hour.has_value());
}

// Rounding over many small steps must not cost or add a row; the dialog's
// counts stop at 999, so the limit is asked directly.
TEST(AlmanacRepetitionLimits, SecondStepsToTheEndOfTheRange) {
  EXPECT_EQ(AlmanacRepetitionLimit(Jd(2024, 12, 31), 1 * kSecondDays), 86400);
  EXPECT_EQ(AlmanacRepetitionLimit(Jd(2024, 12, 31, 23, 59, 59.5), 1 * kSecondDays), 1);
}

// The question is asked only when the count must be lowered.
TEST(AlmanacRepetitionLimits, OkTruncatesSoTheLastRowIsTheLastInstantBeforeTheEnd) {
  struct Case {
    int hour, minute, second, repetitions, value;
    IntervalUnit unit;
    int32_t expectedCount;
  };
  for (const Case& c : {Case{23, 0, 0, 999, 7, IntervalUnit::kMinutes, 9},
                        Case{20, 0, 0, 24, 1, IntervalUnit::kHours, 4},
                        Case{20, 0, 0, 4, 1, IntervalUnit::kHours, 4},
                        Case{23, 59, 1, 10, 20, IntervalUnit::kSeconds, 3}}) {
    RecordingNotice notice;
    AlmanacDialogFields fields = Fields(2024, 12, 31, c.hour, c.minute, c.second);
    fields.repetitions = c.repetitions;
    fields.intervalValue = c.value;
    fields.unit = c.unit;
    AlmanacTableRequest request;
    AlmanacField field = AlmanacField::kDay;
    ASSERT_TRUE(AcceptAlmanacTableDialog(notice, fields, request, field));
    ASSERT_EQ(request.count, c.expectedCount);
    ASSERT_EQ(notice.shown.size(), c.expectedCount < c.repetitions ? 1u : 0u);
    for (const RecordingNotice::Shown& shown : notice.shown) {
      EXPECT_EQ(shown.text,
                "The number of repetitions you requested \nextends beyond the valid date range "
                "of  \nNAVORA 2.1. \n\nClick 'OK' to continue with truncated   \noutput or "
                "'Cancel' to modify your request.\n");
      EXPECT_EQ(shown.style, kNoticeOkCancelStop);
    }
    const double lastRow = request.startJd + (request.count - 1) * request.intervalDays;
    EXPECT_LT(lastRow, kLastSupportedJd);
    EXPECT_GE(lastRow + request.intervalDays, kLastSupportedJd - 1e-9);
  }
}

TEST(AlmanacRepetitionLimits, CancelReturnsToTheRepetitions) {
  RecordingNotice notice;
  notice.answers.push_back(NoticeAnswer::kCancel);
  AlmanacTableRequest request;
  AlmanacField field = AlmanacField::kDay;
  EXPECT_FALSE(AcceptAlmanacTableDialog(notice, Fields(2024, 12, 31, 20), request, field));
  EXPECT_EQ(field, AlmanacField::kRepetitions);
}

}  // namespace
}  // namespace navora
