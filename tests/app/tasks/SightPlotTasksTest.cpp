#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/bridge/LogEntryBridge.h"
#include "app/tasks/ComputeFixCourse.h"
#include "app/tasks/SightPlotTasks.h"
#include "engine/sightreduction/BodyNames.h"
#include "engine/time/Calendar.h"
#include "tests/app/tasks/TaskVoyage.h"

namespace navora {
namespace {

const double kStart = CalendarToJulian(2024, 4, 1, 20, 0, 0.0);
constexpr double kMinute = 1.0 / 1440.0;
constexpr double kLatitude = 40.0;
constexpr double kLongitude = -30.0;
constexpr double kCourse = 90.0;
constexpr double kSpeed = 10.0;
// The sights' true position lies this far north of the DR (degrees).
constexpr double kNorthOfDr = 0.1;

class Voyage : public testing::TaskVoyage {
 public:
  Voyage() : TaskVoyage(kStart, kLatitude, kLongitude, kCourse, kSpeed) {}

  void AddStar(uint16_t star, double minutesAfterStart) {
    const ObservationRecord sight =
        MakeObservationRecord(0, kBodyCodeStar, star, kStart + minutesAfterStart * kMinute, 0.1,
                              12.0, 1012.0, 30.0, 45.0, 0.0, 3.0, kQualityGood);
    EXPECT_EQ(AppendSightEntry(events, sight), kStatusOk);
  }

  LegsAndSights Loaded() {
    LegsAndSights loaded;
    EXPECT_EQ(TaskReadPlotData(notice, events, loaded), 0);
    return loaded;
  }
};

// Star sights whose lines of position pass kNorthOfDr north of the DR
// (`intercepts` adds to that, degrees): hs is corrected until Ho - Hc is
// the intercept of the shifted position.
SightPlotDocument PlotOfCrossingSights(Voyage& voyage, const std::vector<double>& extra) {
  LegsAndSights loaded = voyage.Loaded();
  EXPECT_TRUE(NeedsFixTimeChoice(loaded));
  const double timeOfFix = TimeOfFix(loaded, FixTimeChoice::kLast);
  SightPlotDocument document;
  for (int pass = 0; pass < 3; ++pass) {
    EXPECT_EQ(OpenLivePlot(voyage.notice, voyage.places, loaded, timeOfFix, document), 0);
    for (int i = 0; i < loaded.sightCount; ++i) {
      const ReducedObservation& reduced = document.state.reduced[i];
      const double intercept = kNorthOfDr * std::cos(reduced.zn * M_PI / 180.0) + extra[i];
      loaded.sights[i].hs += reduced.hc + intercept - reduced.ho;
    }
  }
  return document;
}

TEST(SightPlotTasks, StarsFixTheShipNorthOfItsDrAndTheFixIsLogged) {
  Voyage voyage;
  // Sirius, Capella, Regulus, Dubhe, Aldebaran in the evening twilight, the
  // first four exact (their unit-weight error stays at rounding level, which
  // must not read as divergence), the last put 12 degrees off its line.
  const uint16_t stars[] = {18, 12, 26, 27, 10};
  for (int i = 0; i < 5; ++i) voyage.AddStar(stars[i], 55 + 2 * i);
  SightPlotDocument document = PlotOfCrossingSights(voyage, {0.0, 0.0, 0.0, 0.0, 12.0});
  SightPlotState& state = document.state;
  ASSERT_EQ(state.nSights, 5);
  const PositionRecord dr = state.legs[0].end;
  EXPECT_EQ(state.timeOfFix, kStart + 63 * kMinute);  // the last sight's, as chosen
  EXPECT_EQ(state.fixCalculated, 0);
  EXPECT_EQ(state.solution.latitude, dr.latitude);
  EXPECT_EQ(state.rejected[4], 1);
  EXPECT_EQ(state.sights[4].included, 0);
  EXPECT_STREQ(PlotStatusText(document), "Press <Enter> for Solution");

  ASSERT_EQ(CalculateFix(voyage.notice, voyage.places, document), 0);
  EXPECT_STREQ(PlotStatusText(document), "Solution");
  EXPECT_NEAR(state.solution.latitude - dr.latitude, kNorthOfDr, 0.5 / 60);
  EXPECT_NEAR((state.solution.longitude - dr.longitude) * std::cos(kLatitude * M_PI / 180), 0.0,
              0.5 / 60);
  EXPECT_GT(state.solution.sigmaLatitude, 0.0);
  EXPECT_EQ(state.excluded[4], 1);

  // Everything left out: told with the stop icon, the solution kept.
  const FixSolution solved = state.solution;
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(ToggleSight(document, i));
  EXPECT_EQ(CalculateFix(voyage.notice, voyage.places, document), kSightReductionNoneIncluded);
  ASSERT_EQ(voyage.notice.shown.size(), 1u);
  EXPECT_EQ(voyage.notice.shown[0].style, kNoticeOkStop);
  EXPECT_EQ(state.solution.latitude, solved.latitude);
  EXPECT_STREQ(PlotStatusText(document), "EDITED: Press <Enter> for Solution");
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(ToggleSight(document, i));
  ASSERT_EQ(CalculateFix(voyage.notice, voyage.places, document), 0);
  voyage.notice.shown.clear();

  FixReportPreview preview;
  ASSERT_EQ(BuildFixReport(voyage.notice, voyage.events, state, preview), 0);
  EXPECT_EQ(preview.fix.positionType, kPositionCelestialFix);
  EXPECT_EQ(preview.fix.motionMode, kMotionRhumbLine);
  EXPECT_DOUBLE_EQ(preview.fix.speed, kSpeed);
  ASSERT_FALSE(preview.longForm.empty());
  EXPECT_EQ(preview.longForm[0], "                                CELESTIAL FIX");

  TextReportSink worksheet;
  std::vector<std::string> written;
  ASSERT_EQ(SaveFixToLog(voyage.notice, voyage.events, voyage.text, worksheet, preview, written),
            0);
  EXPECT_TRUE(voyage.notice.shown.empty());
  EXPECT_EQ(written, preview.shortForm);
  EXPECT_EQ(worksheet.text.rfind(preview.longForm[0] + "\r\n", 0), 0u);
  PositionRecord lastFix;
  ASSERT_EQ(ReadReferencePosition(voyage.events, kLastFix, lastFix), kStatusOk);
  EXPECT_EQ(lastFix.latitude, state.solution.latitude);
  const std::vector<std::string> lines = voyage.TextLines();
  ASSERT_GT(lines.size(), written.size());
  // The short form is the last entry, before the log's separator line.
  EXPECT_TRUE(std::equal(written.rbegin(), written.rend(), lines.rbegin() + 1));

  // The fix closes the track: nothing is left to plot.
  SightPlotDocument next;
  EXPECT_EQ(ComputeFix(voyage.notice, voyage.events, voyage.places, FixTimeChoice::kLast, next),
            kPlotDataNoObservations);
  ASSERT_EQ(voyage.notice.shown.size(), 1u);
  EXPECT_EQ(voyage.notice.shown[0].text, "There are no observations to be plotted.");
}

}  // namespace
}  // namespace navora
