// The course of the almanac commands: headings at each new date, date checks,
// interrupts and what stays appended after a stop.

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "app/tasks/AlmanacCourse.h"
#include "app/tasks/AlmanacTasks.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

using testing::AlmanacTaskFixture;

constexpr double kHour = 1.0 / 24.0;
constexpr char kTitle[] = "                                    ALMANAC";

// Lines that begin with `prefix`.
std::vector<std::string> Starting(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& line : lines) {
    if (line.starts_with(prefix)) found.push_back(line);
  }
  return found;
}

size_t CountMatching(const std::vector<std::string>& lines, const char* pattern) {
  const std::regex expression(pattern);
  return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return std::regex_search(line, expression);
  }));
}

using AlmanacTabulation = AlmanacTaskFixture;

TEST_F(AlmanacTabulation, RepeatsDateAndColumnHeadingsAfterMidnight) {
  const AlmanacTableRequest request{Jd(1999, 12, 31, 22), 5, kHour};
  ASSERT_EQ(RunSunMoonAriesAlmanac(context, request), TaskOutcome::kCompleted);

  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 10u + 2 + 7 + 3 + 1);
  // Full heading: title, blank, date, blank, section title, blank, 4 column lines.
  EXPECT_EQ(lines[0], kTitle);
  EXPECT_EQ(lines[2], "                              1999 Dec 31 (Fri)");
  EXPECT_EQ(lines[4], "                                SUN/MOON/ARIES");
  EXPECT_TRUE(lines[10].starts_with(" 22 00 |"));
  EXPECT_TRUE(lines[11].starts_with(" 23 00 |"));
  // Repeated heading: blank, date, blank, then the column lines as before.
  EXPECT_EQ(lines[12], lines[1]);
  EXPECT_EQ(lines[13], "                              2000 Jan  1 (Sat)");
  EXPECT_EQ(lines[14], lines[3]);
  for (int j = 0; j < 4; ++j) EXPECT_EQ(lines[15 + j], lines[6 + j]) << j;
  EXPECT_TRUE(lines[19].starts_with(" 00 00 |"));
  EXPECT_TRUE(lines[20].starts_with(" 01 00 |"));
  EXPECT_TRUE(lines[21].starts_with(" 02 00 |"));
  EXPECT_EQ(lines[22], "");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), kTitle), 1);
}

// A date gets one heading however its first row is reached, also when the
// first instant rounds up to the next date's 00h.
TEST_F(AlmanacTabulation, OneHeadingPerPrintedDate) {
  struct Case {
    int hour, minute, second, intervalMinutes, count;
  };
  for (const Case c : {Case{22, 0, 0, 60, 5}, Case{23, 0, 0, 20, 7}, Case{21, 0, 0, 45, 5},
                       Case{23, 50, 0, 1, 20}, Case{23, 58, 50, 1, 3}}) {
    for (int day = 1; day <= 28; day += 9) {
      sink.text.clear();
      const AlmanacTableRequest request{Jd(2012, 5, day, c.hour, c.minute, c.second), c.count,
                                        c.intervalMinutes / 1440.0};
      ASSERT_EQ(RunPlanetsAlmanac(context, request), TaskOutcome::kCompleted);
      const std::vector<std::string> lines = Lines();
      const std::vector<std::string> dates = Starting(lines, "                               2012");
      ASSERT_EQ(dates.size(), 2u) << "day " << day << " from " << c.hour << ":" << c.minute;
      // The second date heads the first row printed at 00h.
      const auto secondDate = std::find(lines.begin(), lines.end(), dates[1]);
      EXPECT_TRUE((secondDate + 5)->starts_with("00 00|")) << *(secondDate + 5);
    }
  }
}

TEST_F(AlmanacTabulation, IntervalBelowOneMinutePrintsSeconds) {
  ASSERT_EQ(RunSunMoonAriesAlmanac(context, {Jd(2003, 6, 15, 12), 3, 30.0 / 86400.0}),
            TaskOutcome::kCompleted);
  std::vector<std::string> lines = Lines();
  EXPECT_TRUE(lines[9].starts_with("  h m s |")) << lines[9];
  EXPECT_TRUE(lines[10].starts_with(" 120000 |"));
  EXPECT_TRUE(lines[11].starts_with(" 120030 |"));
  EXPECT_TRUE(lines[12].starts_with(" 120100 |"));

  // 60 s as a count of seconds is one minute, not below it.
  sink.text.clear();
  ASSERT_EQ(RunPlanetsAlmanac(context, {Jd(2003, 6, 15, 12), 2, 60.0 / 86400.0}),
            TaskOutcome::kCompleted);
  lines = Lines();
  EXPECT_TRUE(lines[8].starts_with(" h  m|")) << lines[8];
  EXPECT_TRUE(lines[9].starts_with("12 00|"));
  EXPECT_TRUE(lines[10].starts_with("12 01|"));
}

TEST_F(AlmanacTabulation, DateCheckStopsAtTheEndOfTheRangeKeepingWhatWasAppended) {
  const AlmanacTableRequest request{Jd(2024, 12, 31, 22), 5, kHour};
  EXPECT_EQ(RunSunMoonAriesAlmanac(context, request), TaskOutcome::kStopped);

  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_EQ(notice.shown[0].text, "Date selected is out of range");
  const std::vector<std::string> lines = Lines();
  // 22h, 23h, the heading of 2025 Jan 1 and its 00h row (the range's last
  // instant); 01h is refused, and no closing blank line follows.
  ASSERT_EQ(lines.size(), 10u + 2 + 7 + 1);
  EXPECT_EQ(lines[13], "                              2025 Jan  1 (Wed)");
  EXPECT_TRUE(lines.back().starts_with(" 00 00 |"));
}

TEST_F(AlmanacTabulation, StartOutsideTheRangeAppendsNothing) {
  EXPECT_EQ(RunPlanetsAlmanac(context, {Jd(1969, 12, 6, 23), 3, kHour}), TaskOutcome::kStopped);
  EXPECT_EQ(sink.text, "");
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_EQ(notice.shown[0].text, "Date selected is out of range");
}

TEST_F(AlmanacTabulation, AllPageHasOneHeadingPerTableAndEveryStar) {
  std::string lastReport = "left from an earlier command";
  context.lastReportText = &lastReport;
  ASSERT_EQ(RunAllAlmanac(context, {Jd(2016, 2, 29)}), TaskOutcome::kCompleted);
  EXPECT_TRUE(notice.shown.empty());

  const std::vector<std::string> lines = Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), kTitle), 3);
  EXPECT_EQ(CountMatching(lines, "^ [0-2][0-9] 00 \\|"), 24u);  // Sun/Moon/Aries rows
  EXPECT_EQ(CountMatching(lines, "^[0-2][0-9] 00\\|"), 24u);    // planet rows
  EXPECT_EQ(CountMatching(lines, "^         [A-Z].* ([ 0-9][0-9]|--) .* [NS][0-9][0-9] "), 58u);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), 3);
  EXPECT_EQ(lines.back(), "");

  // The shared report text holds every heading line and row, as the
  // worksheet received them, and not the closing blank lines.
  std::string expected;
  for (const std::string& line : lines) {
    if (!line.empty()) expected += line + "\r\n";
  }
  EXPECT_EQ(lastReport, expected);
}

TEST_F(AlmanacTabulation, StarsTableAtAnInstant) {
  std::string lastReport = "stale";
  context.lastReportText = &lastReport;
  ASSERT_EQ(RunStarsAlmanac(context, {Jd(2015, 9, 1, 3, 25)}), TaskOutcome::kCompleted);
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 12u + 58 + 1);
  EXPECT_EQ(lines[3], "                          2015 Sep  1 (Tue) 03 25 UT");
  EXPECT_TRUE(lines[12].starts_with("        Alpheratz          1 "));
  EXPECT_TRUE(lines[69].starts_with("        Polaris           -- "));
  EXPECT_TRUE(lastReport.starts_with(std::string(kTitle) + "\r\n"));
}

// Every heading line and row is preceded by an interrupt check; an abort
// at any check keeps exactly the lines appended before it.
TEST_F(AlmanacTabulation, InterruptBeforeEveryHeadingLineAndRow) {
  const AlmanacTableRequest request{Jd(2000, 1, 1, 22), 4, kHour};
  std::vector<size_t> appendedAtCheck;
  context.interruptRequested = [&] {
    appendedAtCheck.push_back(Lines().size());
    return false;
  };
  ASSERT_EQ(RunSunMoonAriesAlmanac(context, request), TaskOutcome::kCompleted);
  const std::vector<std::string> complete = Lines();
  // 4 rows and two headings of 10 lines (3 of them left out of the second).
  ASSERT_EQ(appendedAtCheck.size(), 4u + 20);
  EXPECT_EQ(appendedAtCheck.back() + 2, complete.size());  // the last row, the blank line

  for (size_t abortAt = 0; abortAt < appendedAtCheck.size(); ++abortAt) {
    sink.text.clear();
    size_t checks = 0;
    context.interruptRequested = [&] { return checks++ == abortAt; };
    ASSERT_EQ(RunSunMoonAriesAlmanac(context, request), TaskOutcome::kInterrupted);
    const std::vector<std::string> kept = Lines();
    ASSERT_EQ(kept.size(), appendedAtCheck[abortAt]) << "abort at check " << abortAt;
    EXPECT_TRUE(std::equal(kept.begin(), kept.end(), complete.begin()));
  }
  EXPECT_TRUE(notice.shown.empty());
}

TEST_F(AlmanacTabulation, InterruptDuringTheStarListEndsTheAllPage) {
  int checks = 0;
  // Rows and heading lines of the two tables, then the stars' heading lines.
  const int beforeStars = (24 + 10) + (24 + 9) + 9;
  context.interruptRequested = [&] { return ++checks == beforeStars + 3; };
  EXPECT_EQ(RunAllAlmanac(context, {Jd(2000, 1, 1)}), TaskOutcome::kInterrupted);
  const std::vector<std::string> lines = Lines();
  EXPECT_TRUE(lines.back().starts_with("         Ankaa ")) << lines.back();
}

}  // namespace
}  // namespace navora
