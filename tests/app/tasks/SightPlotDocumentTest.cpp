// The plot document: which sights the fix leaves out, what the navigator's
// Add/Remove changes, the status line through the plot's life, and the
// plot saved and opened again as an archived plot.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "app/bridge/RecordingNotice.h"
#include "app/tasks/SightPlotDocument.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

using testing::TemporaryDirectory;

// Sights with the given intercepts (degrees), all included, on one leg.
SightPlotDocument PlotWithIntercepts(std::initializer_list<double> intercepts) {
  SightPlotDocument document;
  SightPlotState& state = document.state;
  state.nLegs = 1;
  for (const double a : intercepts) {
    ReducedObservation& reduced = state.reduced[state.nSights++];
    reduced.hc = 40.0;
    reduced.ho = 40.0 + a;
  }
  return document;
}

TEST(SightPlotDocument, SightsFartherThanTenDegreesAreLeftOutAndFlagged) {
  SightPlotDocument document = PlotWithIntercepts({0.5, -10.0, 10.0001, -25.0, 9.9});
  SightPlotState& state = document.state;
  state.sights[4].included = 0;  // left out by the navigator
  state.reduced[4].included = 0;
  PruneFarSights(state);
  RecomputeSightFlags(state);
  struct Expected {
    uint16_t included;
    uint8_t rejected;
    uint8_t excluded;
  };
  const Expected expected[] = {{1, 0, 0}, {1, 0, 0}, {0, 1, 1}, {0, 1, 1}, {0, 1, 1}};
  for (int i = 0; i < state.nSights; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(state.sights[i].included, expected[i].included);
    EXPECT_EQ(state.reduced[i].included, expected[i].included);
    EXPECT_EQ(state.rejected[i], expected[i].rejected);
    EXPECT_EQ(state.excluded[i], expected[i].excluded);
  }
  // A far sight put back by the navigator is still rejected, not excluded.
  ASSERT_TRUE(ToggleSight(document, 3));
  RecomputeSightFlags(state);
  EXPECT_EQ(state.rejected[3], 1);
  EXPECT_EQ(state.excluded[3], 0);
}

TEST(SightPlotDocument, StatusLineFollowsEditsAndSolutions) {
  SightPlotDocument document = PlotWithIntercepts({0.1, 0.2});
  struct Step {
    const char* what;
    bool toggle;  // Add/Remove of the first sight, else a solution
    const char* status;
  };
  EXPECT_STREQ(PlotStatusText(document), "Press <Enter> for Solution");
  const Step steps[] = {
      {"removed before any fix", true, "EDITED: Press <Enter> for Solution"},
      {"solved", false, "Solution"},
      {"put back", true, "EDITED: Press <Enter> for Solution"},
      {"solved again", false, "Solution"},
  };
  for (const Step& step : steps) {
    if (step.toggle) {
      ASSERT_TRUE(ToggleSight(document, 0));
    } else {
      document.state.fixCalculated = 1;  // what a successful Calculate Fix leaves
      document.edited = false;
    }
    EXPECT_STREQ(PlotStatusText(document), step.status) << step.what;
  }
  EXPECT_EQ(document.state.sights[0].included, 1);
  EXPECT_TRUE(document.modified);
}

TEST(SightPlotDocument, AddRemoveRefusesMissingSightsAndArchivedPlots) {
  SightPlotDocument document = PlotWithIntercepts({0.1, 0.2});
  for (const int index : {-1, 2, kMaxSights}) EXPECT_FALSE(ToggleSight(document, index)) << index;
  document.kind = SightPlotKind::kArchived;
  EXPECT_FALSE(ToggleSight(document, 0));
  EXPECT_FALSE(document.edited);
  EXPECT_EQ(document.state.sights[0].included, 1);
}

TEST(SightPlotDocument, SavedPlotOpensArchivedAndDamagedFilesAreTold) {
  TemporaryDirectory folder;
  SightPlotDocument live = PlotWithIntercepts({0.1, -0.3});
  std::strcpy(live.state.reduced[1].bodyName, "Vega");
  live.state.solution.latitude = 49.75;
  live.modified = true;
  const std::string path = folder.File("Sight Reduction Plot1.srp");
  ASSERT_EQ(SaveSightPlot(live, path), 0);
  EXPECT_FALSE(live.modified);

  RecordingNotice notice;
  SightPlotDocument archived;
  ASSERT_EQ(OpenSightPlot(notice, path, archived), 0);
  EXPECT_EQ(archived.kind, SightPlotKind::kArchived);
  EXPECT_EQ(archived.state.nSights, 2);
  EXPECT_STREQ(archived.state.reduced[1].bodyName, "Vega");
  EXPECT_EQ(archived.state.solution.latitude, 49.75);
  EXPECT_TRUE(notice.shown.empty());

  const std::string worksheet = folder.File("notes.sdf");
  std::ofstream(worksheet, std::ios::binary) << "\3sdf\5hello";
  for (const std::string& bad : {worksheet, folder.File("missing.srp")}) {
    SightPlotDocument untouched = live;
    EXPECT_NE(OpenSightPlot(notice, bad, untouched), 0) << bad;
    EXPECT_EQ(untouched.kind, SightPlotKind::kLive);
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].text,
              "This is not a sight reduction plot file\nor the file is corrupt.");
    notice.shown.clear();
  }
}

}  // namespace
}  // namespace navora
