// The almanac dialogs' rules: field checks in order with their messages, the
// seconds rule, the repetition limit and its truncation question.

#include <gtest/gtest.h>

#include <cmath>

#include "app/bridge/RecordingNotice.h"
#include "app/tasks/AlmanacDialogModel.h"
#include "engine/common/PositionRecord.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr char kTruncationQuestion[] =
    "The number of repetitions you requested \nextends beyond the valid date range of  \n"
    "NAVORA 2.1. \n\nClick 'OK' to continue with truncated   \noutput or 'Cancel' to modify your "
    "request.\n";
constexpr double kSecondDays = 1.0 / 86400.0;

// Dialog fields of a calendar date and time.
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

double Jd(int year, int month, int day, int hour = 0, int minute = 0, double second = 0) {
  return CalendarToJulian(static_cast<int16_t>(year), static_cast<int16_t>(month),
                          static_cast<int16_t>(day), static_cast<int16_t>(hour),
                          static_cast<int16_t>(minute), second);
}

struct Refusal {
  const char* message;
  AlmanacField field;
};

// Runs the table dialog's OK expecting a refusal, with exactly one message.
void ExpectTableRefused(const AlmanacDialogFields& fields, const Refusal& expected) {
  RecordingNotice notice;
  AlmanacTableRequest request;
  AlmanacField field = AlmanacField::kDay;
  EXPECT_FALSE(AcceptAlmanacTableDialog(notice, fields, request, field));
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_EQ(notice.shown[0].text, expected.message);
  EXPECT_EQ(notice.shown[0].style, kNoticeOk);
  EXPECT_EQ(field, expected.field);
}

TEST(AlmanacDialogChecks, RefuseTheFirstBadFieldInDialogOrder) {
  AlmanacDialogFields fields = Fields(2000, 2, 30, 24, 60, 60);
  fields.repetitions = 0;
  fields.intervalValue = 1000;
  fields.monthIndex = kNoSelection;
  fields.yearIndex = kNoSelection;
  ExpectTableRefused(fields, {"Please select a month.\n", AlmanacField::kMonth});
  fields.monthIndex = 1;
  ExpectTableRefused(fields, {"Please select a year.\n", AlmanacField::kYear});
  fields.yearIndex = 2000 - kFirstAlmanacYear;
  ExpectTableRefused(fields, {"Please enter an integer between 1 and 29.", AlmanacField::kDay});
  fields.day = 29;
  ExpectTableRefused(fields, {"Please enter an integer between 0 and 23.", AlmanacField::kHour});
  fields.hour = 23;
  ExpectTableRefused(fields, {"Please enter an integer between 0 and 59.", AlmanacField::kMinute});
  fields.minute = 59;
  ExpectTableRefused(fields, {"Please enter an integer between 0 and 59.", AlmanacField::kSecond});
  fields.second = 59;
  ExpectTableRefused(fields,
                     {"Please enter an integer between 1 and 999.", AlmanacField::kRepetitions});
  fields.repetitions = 999;
  ExpectTableRefused(fields, {"Please enter an integer between 1 and 999.", AlmanacField::kInterval});
  fields.intervalValue = 1;
  fields.repetitions = 1;
  RecordingNotice notice;
  AlmanacTableRequest request;
  AlmanacField field = AlmanacField::kDay;
  EXPECT_TRUE(AcceptAlmanacTableDialog(notice, fields, request, field));
  EXPECT_TRUE(notice.shown.empty());
}

TEST(AlmanacDialogChecks, DayLimitFollowsMonthAndLeapYear) {
  EXPECT_EQ(AlmanacDayLimit(1, 2000 - kFirstAlmanacYear), 29);  // divisible by 400
  EXPECT_EQ(AlmanacDayLimit(1, 2001 - kFirstAlmanacYear), 28);
  EXPECT_EQ(AlmanacDayLimit(1, 2024 - kFirstAlmanacYear), 29);
  EXPECT_EQ(AlmanacDayLimit(3, 0), 30);
  EXPECT_EQ(AlmanacDayLimit(11, kAlmanacYearCount - 1), 31);
  EXPECT_EQ(AlmanacDayLimit(kNoSelection, 0), 31);
  EXPECT_EQ(AlmanacDayLimit(1, kNoSelection), 31);
}

// Dialogs check only the fields they show; empty time fields count as 0.
TEST(AlmanacDialogChecks, StarsAndDayDialogsCheckTheirOwnFields) {
  RecordingNotice notice;
  AlmanacField field = AlmanacField::kDay;
  AlmanacDialogFields fields = Fields(2015, 9, 1, 3, 25, 99);
  fields.repetitions = 0;
  AlmanacStarsRequest stars;
  ASSERT_TRUE(AcceptAlmanacStarsDialog(notice, fields, stars, field));
  EXPECT_DOUBLE_EQ(stars.jd, Jd(2015, 9, 1, 3, 25));

  fields.hour = 25;
  AlmanacDayRequest day;
  ASSERT_TRUE(AcceptAlmanacDayDialog(notice, fields, day, field));
  EXPECT_DOUBLE_EQ(day.dateJd, Jd(2015, 9, 1));
  EXPECT_FALSE(AcceptAlmanacStarsDialog(notice, fields, stars, field));
  EXPECT_EQ(field, AlmanacField::kHour);

  fields.hour.reset();
  fields.minute.reset();
  ASSERT_TRUE(AcceptAlmanacStarsDialog(notice, fields, stars, field));
  EXPECT_DOUBLE_EQ(stars.jd, Jd(2015, 9, 1));
  EXPECT_EQ(notice.shown.size(), 1u);
}

TEST(AlmanacDialogChecks, SecondsCountOnlyForIntervalsUnderAMinute) {
  struct Case {
    int value;
    IntervalUnit unit;
    double expectedSecond;
    double expectedIntervalDays;
  };
  for (const Case c : {Case{30, IntervalUnit::kSeconds, 45.0, 30 * kSecondDays},
                       Case{59, IntervalUnit::kSeconds, 45.0, 59 * kSecondDays},
                       Case{60, IntervalUnit::kSeconds, 0.0, 60 * kSecondDays},
                       Case{1, IntervalUnit::kMinutes, 0.0, 1.0 / 1440.0},
                       Case{2, IntervalUnit::kHours, 0.0, 2.0 / 24.0},
                       Case{3, IntervalUnit::kDays, 0.0, 3.0}}) {
    RecordingNotice notice;
    AlmanacDialogFields fields = Fields(2003, 6, 15, 12, 10, 45);
    fields.intervalValue = c.value;
    fields.unit = c.unit;
    fields.repetitions = 2;
    AlmanacTableRequest request;
    AlmanacField field = AlmanacField::kDay;
    ASSERT_TRUE(AcceptAlmanacTableDialog(notice, fields, request, field));
    EXPECT_DOUBLE_EQ(request.startJd, Jd(2003, 6, 15, 12, 10, c.expectedSecond)) << c.value;
    EXPECT_DOUBLE_EQ(request.intervalDays, c.expectedIntervalDays);
    EXPECT_EQ(request.count, 2);
  }
}

TEST(AlmanacDialogFieldsSetup, OpenOnTheReferenceDateAtMidnight) {
  const AlmanacDialogFields fields = InitialAlmanacDialogFields(DefaultPositionRecord().time);
  EXPECT_EQ(fields.day, 1);
  EXPECT_EQ(fields.monthIndex, 0);
  EXPECT_EQ(fields.yearIndex, 2000 - kFirstAlmanacYear);
  EXPECT_EQ(fields.hour, 0);
  EXPECT_EQ(fields.minute, 0);
  EXPECT_EQ(fields.second, 0);
  EXPECT_EQ(fields.repetitions, 24);
  EXPECT_EQ(fields.intervalValue, 1);
  EXPECT_EQ(fields.unit, IntervalUnit::kHours);

  // A reference position late in a day still opens on its own date.
  const AlmanacDialogFields late = InitialAlmanacDialogFields(Jd(2010, 7, 4, 23, 59));
  EXPECT_EQ(late.day, 4);
  EXPECT_EQ(late.monthIndex, 6);
  // A date the year list does not hold leaves the year unselected.
  EXPECT_EQ(InitialAlmanacDialogFields(Jd(2025, 1, 1)).yearIndex, kNoSelection);
}

TEST(AlmanacDialogFieldsSetup, CurrentDateEmptiesTheTime) {
  AlmanacDialogFields fields = Fields(2000, 1, 1, 5, 6, 7);
  SetCurrentAlmanacDate(fields, Jd(2021, 3, 14, 15, 9, 26));
  EXPECT_EQ(fields.day, 14);
  EXPECT_EQ(fields.monthIndex, 2);
  EXPECT_EQ(fields.yearIndex, 2021 - kFirstAlmanacYear);
  EXPECT_FALSE(fields.hour.has_value());
  EXPECT_FALSE(fields.minute.has_value());
  EXPECT_FALSE(fields.second.has_value());
}

TEST(AlmanacRepetitionLimits, CountRowsBeforeTheEndOfTheRange) {
  // Whole intervals to the end: the end itself is not tabulated.
  EXPECT_EQ(AlmanacRepetitionLimit(Jd(2024, 12, 31, 20), 1.0 / 24.0), 4);
  // A part interval left: one more row, still before the end.
  EXPECT_EQ(AlmanacRepetitionLimit(Jd(2024, 12, 31, 19, 30), 1.0 / 24.0), 5);
  EXPECT_EQ(AlmanacRepetitionLimit(Jd(2024, 12, 1), 1.0), 31);
  EXPECT_EQ(AlmanacRepetitionLimit(Jd(2024, 12, 31, 23, 59, 30), 7 * kSecondDays), 5);
  // Seconds from far away: rounding must not cost or add a row.
  EXPECT_EQ(AlmanacRepetitionLimit(Jd(2024, 12, 31), 1 * kSecondDays), 86400);
}

struct TruncationCase {
  AlmanacDialogFields fields;
  int32_t limit;
};

TEST(AlmanacRepetitionLimits, OkTruncatesSoTheLastRowIsTheLastInstantBeforeTheEnd) {
  AlmanacDialogFields byMinutes = Fields(2024, 12, 31, 23, 0);
  byMinutes.unit = IntervalUnit::kMinutes;
  byMinutes.intervalValue = 7;
  byMinutes.repetitions = 999;
  AlmanacDialogFields byHours = Fields(2024, 12, 31, 20);
  AlmanacDialogFields bySeconds = Fields(2024, 12, 31, 23, 59, 1);
  bySeconds.unit = IntervalUnit::kSeconds;
  bySeconds.intervalValue = 20;
  bySeconds.repetitions = 10;
  for (const TruncationCase& c : {TruncationCase{byMinutes, 9}, TruncationCase{byHours, 4},
                                  TruncationCase{bySeconds, 3}}) {
    RecordingNotice notice;
    AlmanacTableRequest request;
    AlmanacField field = AlmanacField::kDay;
    ASSERT_TRUE(AcceptAlmanacTableDialog(notice, c.fields, request, field));
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].text, kTruncationQuestion);
    EXPECT_EQ(notice.shown[0].style, kNoticeOkCancelStop);
    ASSERT_EQ(request.count, c.limit);
    const double lastRow = request.startJd + (request.count - 1) * request.intervalDays;
    EXPECT_LT(lastRow, kLastSupportedJd);
    EXPECT_GE(lastRow + request.intervalDays, kLastSupportedJd - 1e-9);
  }
}

TEST(AlmanacRepetitionLimits, CancelReturnsToTheRepetitions) {
  RecordingNotice notice;
  notice.answers.push_back(NoticeAnswer::kCancel);
  AlmanacTableRequest request{1.0, 7, 1.0};
  AlmanacField field = AlmanacField::kDay;
  EXPECT_FALSE(AcceptAlmanacTableDialog(notice, Fields(2024, 12, 31, 20), request, field));
  EXPECT_EQ(field, AlmanacField::kRepetitions);
  EXPECT_EQ(request.count, 7);  // untouched
}

TEST(AlmanacRepetitionLimits, CountAtTheLimitAsksNothing) {
  RecordingNotice notice;
  AlmanacDialogFields fields = Fields(2024, 12, 31, 20);
  fields.repetitions = 4;
  AlmanacTableRequest request;
  AlmanacField field = AlmanacField::kDay;
  ASSERT_TRUE(AcceptAlmanacTableDialog(notice, fields, request, field));
  EXPECT_TRUE(notice.shown.empty());
  EXPECT_EQ(request.count, 4);
}

}  // namespace
}  // namespace navora
