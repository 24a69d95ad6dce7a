// The chart at the DR position is checked by the command-line run.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "app/tasks/PlanningCourse.h"
#include "engine/planning/PlanningInstant.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

using testing::Jd;

constexpr char kStarsTitle[] = "                            SIGHT PLANNING - STARS";
constexpr char kBodiesTitle[] = "                              SUN, MOON, PLANETS";
constexpr char kHighLatitudeNote[] = "Accuracy of rise/set times decreases at high latitudes.";

class PlanningCourse : public testing::AlmanacTaskFixture {
 protected:
  // Evening of 21 June 2024, a DR of 18:00 UTC at 48 30 N 5 12 W, 245 at 12 knots.
  static SightPlanningRequest Evening() {
    SightPlanningRequest request;
    request.twilight = true;
    request.morning = false;
    request.dateUtc = Jd(2024, 6, 21);
    request.reference = MakePositionRecord(kMotionRhumbLine, kPositionDr, Jd(2024, 6, 21, 18),
                                           48.5, -5.2, 245.0, 12.0, 0.0, 0.0);
    request.heightOfEyeM = 3.0;
    return request;
  }

  static int RowsOf(const std::vector<std::string>& lines, size_t from, size_t to) {
    static const std::regex kRow("^\\d{4}\\|.*");
    int rows = 0;
    for (size_t i = from; i < to && i < lines.size(); ++i) rows += std::regex_match(lines[i], kRow);
    return rows;
  }

  ReferenceState state;
};

TEST_F(PlanningCourse, SelectedStarsTablesInOrderWithThePrecisionBlock) {
  for (const bool precision : {false, true}) {
    sink.text.clear();
    SightPlanningRequest request = Evening();
    request.showPrecision = precision;
    request.grade = kQualityGood;
    ASSERT_EQ(RunSelectedStars(context, state, request), TaskOutcome::kCompleted);
    EXPECT_TRUE(notice.shown.empty());
    const std::vector<std::string> lines = Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], kStarsTitle);
    size_t bodies = 0;
    while (bodies < lines.size() && lines[bodies] != kBodiesTitle) ++bodies;
    ASSERT_LT(bodies, lines.size());
    EXPECT_EQ(lines[bodies - 1], "") << "one empty line between the tables";
    EXPECT_EQ(RowsOf(lines, 0, bodies), kPlanningInstantCount);
    EXPECT_EQ(RowsOf(lines, bodies, lines.size()), kPlanningInstantCount);
    // The evening's first row is at sunset (a minute later from 3 m up).
    EXPECT_EQ(lines[11].substr(0, 5), "2029|");

    const size_t lastRow = lines.size() - (precision ? 7 : 1);
    EXPECT_TRUE(std::regex_match(lines[lastRow], std::regex("^2129\\|.*"))) << lines[lastRow];
    if (!precision) continue;
    EXPECT_EQ(lines[lastRow + 2], "                 EXPECTED FIX PRECISION, GOOD SIGHTS");
    // More stars never give a worse fix; both are finite, two-sigma figures
    // of sights of 0.3'.
    std::smatch three, seven;
    const std::regex kFigures(".*\\+/-\\s+([0-9.]+)\\s+\\+/-\\s+([0-9.]+)$");
    ASSERT_TRUE(std::regex_match(lines[lastRow + 5], three, kFigures)) << lines[lastRow + 5];
    ASSERT_TRUE(std::regex_match(lines[lastRow + 6], seven, kFigures)) << lines[lastRow + 6];
    EXPECT_EQ(lines[lastRow + 5].substr(0, 26), "     Best three stars (<>)");
    for (int k = 1; k <= 2; ++k) {
      EXPECT_LE(std::stod(seven[k]), std::stod(three[k]));
      EXPECT_GT(std::stod(seven[k]), 0.0);
      EXPECT_LT(std::stod(three[k]), 3.0);
    }
  }
}

TEST_F(PlanningCourse, StopsWithTheMessageAndKeepsWhatWasAppended) {
  struct Case {
    const char* what;
    void (*change)(SightPlanningRequest&);
    const char* message;
  };
  const Case cases[] = {
      {"a time a day before the reference",
       [](SightPlanningRequest& r) { r.twilight = false, r.timeUtc = Jd(2024, 6, 20, 12); },
       "The time must be later than that for the\n reference position( 21 Jun 2024 at "
       "18:00:00 )"},
      {"the chosen day's morning twilight came before the reference",
       [](SightPlanningRequest& r) { r.morning = true; },
       "The time must be later than that for the\n reference position( 21 Jun 2024 at "
       "18:00:00 )"},
      {"no sunset at midsummer in 70 N",
       [](SightPlanningRequest& r) { r.reference.latitude = 70.5, r.reference.speed = 0.0; },
       "The Sun is continuously above the horizon.\nPlease use the 'Other' time option.\n"},
  };
  for (const Case& c : cases) {
    SightPlanningRequest request = Evening();
    c.change(request);
    notice.shown.clear();
    sink.text.clear();
    SkyChartState chart;
    EXPECT_EQ(RunSkyChart(context, state, request, chart), TaskOutcome::kStopped) << c.what;
    EXPECT_EQ(chart.totalCount, 0) << c.what;
    EXPECT_EQ(RunSelectedStars(context, state, request), TaskOutcome::kStopped) << c.what;
    EXPECT_TRUE(sink.text.empty()) << c.what;
    ASSERT_GE(notice.shown.size(), 2u) << c.what;
    EXPECT_EQ(notice.shown.back().text, c.message) << c.what;
  }

  // An interrupt between instants keeps the heading and the rows before it.
  int checks = 0;
  context.interruptRequested = [&checks] { return ++checks > 3; };
  sink.text.clear();
  EXPECT_EQ(RunSelectedStars(context, state, Evening()), TaskOutcome::kInterrupted);
  const std::vector<std::string> lines = Lines();
  EXPECT_EQ(lines[0], kStarsTitle);
  EXPECT_EQ(RowsOf(lines, 0, lines.size()), 3);
}

// Above 70 degrees the rise/set note is shown once per command and the tables
// still come; the next command may show it again.
TEST_F(PlanningCourse, HighLatitudeNoteOncePerCommand) {
  SightPlanningRequest request = Evening();
  request.twilight = false;
  request.timeUtc = Jd(2024, 1, 10, 18);
  request.reference.time = Jd(2024, 1, 10, 12);
  request.reference.latitude = 71.0;
  request.reference.speed = 0.0;
  for (int run = 0; run < 2; ++run) {
    notice.shown.clear();
    ASSERT_EQ(RunSelectedStars(context, state, request), TaskOutcome::kCompleted);
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].text, kHighLatitudeNote);
  }
}

}  // namespace
}  // namespace navora
