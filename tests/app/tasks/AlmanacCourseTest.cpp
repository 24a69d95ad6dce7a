// Complete layouts are in the golden tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/tasks/AlmanacTasks.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

constexpr double kHour = 1.0 / 24.0;

using testing::Jd;
using AlmanacCourse = testing::AlmanacTaskFixture;

// A date gets one heading however its first row is reached, also when the
// first instant rounds up to the next date's 00h.
TEST_F(AlmanacCourse, OneHeadingPerPrintedDate) {
  struct Case {
    int hour, minute, second, intervalMinutes, count;
  };
  for (const Case c : {Case{22, 0, 0, 60, 5}, Case{21, 0, 0, 45, 5}, Case{23, 50, 0, 1, 20},
                       Case{23, 58, 50, 1, 3}}) {
    sink.text.clear();
    const AlmanacTableRequest request{Jd(2012, 5, 7, c.hour, c.minute, c.second), c.count,
                                      c.intervalMinutes / 1440.0};
    ASSERT_EQ(RunPlanetsAlmanac(context, request), TaskOutcome::kCompleted);
    const std::vector<std::string> lines = Lines();
    const auto secondDate = std::find(lines.begin(), lines.end(),
                                      "                               2012 May  8 (Tue)");
    ASSERT_NE(secondDate, lines.end()) << c.hour << ":" << c.minute << ":" << c.second;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), *secondDate), 1);
    EXPECT_TRUE((secondDate + 5)->starts_with("00 00|")) << *(secondDate + 5);
  }
}

TEST_F(AlmanacCourse, DateCheckStopsAtTheEndOfTheRangeKeepingWhatWasAppended) {
  EXPECT_EQ(RunSunMoonAriesAlmanac(context, {Jd(2024, 12, 31, 22), 5, kHour}),
            TaskOutcome::kStopped);
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_EQ(notice.shown[0].text, "Date selected is out of range");
  // 22h, 23h, the heading of 2025 Jan 1 and its 00h row (the range's last
  // instant); 01h is refused and no closing blank line follows.
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 10u + 2 + 7 + 1);
  EXPECT_EQ(lines[13], "                              2025 Jan  1 (Wed)");
  EXPECT_TRUE(lines.back().starts_with(" 00 00 |"));
}

TEST_F(AlmanacCourse, LastReportTextIsEmptiedThenHoldsEveryHeadingLineAndRow) {
  std::string lastReport = "left from an earlier command";
  context.lastReportText = &lastReport;
  ASSERT_EQ(RunStarsAlmanac(context, {Jd(2015, 9, 1, 3, 25)}), TaskOutcome::kCompleted);
  std::string expected;
  for (const std::string& line : Lines()) {
    if (!line.empty()) expected += line + "\r\n";
  }
  EXPECT_EQ(lastReport, expected);
}

// Every heading line (also those a repeated heading leaves out) and every row
// is preceded by an interrupt check; an abort at any check keeps exactly the
// lines appended before it.
TEST_F(AlmanacCourse, InterruptBeforeEveryHeadingLineAndRow) {
  const AlmanacTableRequest request{Jd(2000, 1, 1, 22), 4, kHour};
  std::vector<size_t> appendedAtCheck;
  context.interruptRequested = [&] {
    appendedAtCheck.push_back(Lines().size());
    return false;
  };
  ASSERT_EQ(RunSunMoonAriesAlmanac(context, request), TaskOutcome::kCompleted);
  const std::vector<std::string> complete = Lines();
  ASSERT_EQ(appendedAtCheck.size(), 4u + 2 * 10);
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

TEST_F(AlmanacCourse, InterruptInTheStarListEndsTheAllPage) {
  int checks = 0;
  // Rows and heading lines of the two tables, then the stars' heading lines.
  const int beforeStars = (24 + 10) + (24 + 9) + 9;
  context.interruptRequested = [&] { return ++checks == beforeStars + 3; };
  EXPECT_EQ(RunAllAlmanac(context, {Jd(2000, 1, 1)}), TaskOutcome::kInterrupted);
  EXPECT_TRUE(Lines().back().starts_with("         Ankaa ")) << Lines().back();
}

}  // namespace
}  // namespace navora
