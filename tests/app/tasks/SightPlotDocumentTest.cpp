// The plot document: which sights the fix leaves out, Add/Remove, and a
// saved plot opened archived. The status line is walked by SightPlotTasksTest.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "app/bridge/RecordingNotice.h"
#include "app/tasks/SightPlotDocument.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

// Included sights on one leg with the given intercepts Ho - Hc (degrees).
SightPlotDocument PlotWithIntercepts(std::initializer_list<double> intercepts) {
  SightPlotDocument document;
  document.state.nLegs = 1;
  for (const double a : intercepts) {
    ReducedObservation& reduced = document.state.reduced[document.state.nSights++];
    reduced.hc = 40.0;
    reduced.ho = 40.0 + a;
  }
  return document;
}

TEST(SightPlotDocument, SightsFartherThanTenDegreesAreLeftOutAndFlagged) {
  SightPlotDocument document = PlotWithIntercepts({0.5, -10.0, 10.0001, -25.0, 9.9});
  SightPlotState& state = document.state;
  state.sights[4].included = state.reduced[4].included = 0;  // left out by the navigator
  PruneFarSights(state);
  RecomputeSightFlags(state);
  const int included[] = {1, 1, 0, 0, 0};
  for (int i = 0; i < state.nSights; ++i) {
    EXPECT_EQ(state.sights[i].included, included[i]) << i;
    EXPECT_EQ(state.reduced[i].included, included[i]) << i;
    EXPECT_EQ(state.rejected[i], 1 - included[i]) << i;
    EXPECT_EQ(state.excluded[i], 1 - included[i]) << i;
  }
  // A far sight put back by the navigator is still rejected, not excluded.
  ASSERT_TRUE(ToggleSight(document, 3));
  RecomputeSightFlags(state);
  EXPECT_EQ(state.rejected[3], 1);
  EXPECT_EQ(state.excluded[3], 0);
  for (const int index : {-1, 5}) EXPECT_FALSE(ToggleSight(document, index));
}

TEST(SightPlotDocument, SavedPlotOpensArchivedAndDamagedFilesAreTold) {
  testing::TemporaryDirectory folder;
  SightPlotDocument live = PlotWithIntercepts({0.1, -0.3});
  std::strcpy(live.state.reduced[1].bodyName, "Vega");
  live.modified = true;
  const std::string path = folder.File("Sight Reduction Plot1.srp");
  ASSERT_EQ(SaveSightPlot(live, path), 0);
  EXPECT_FALSE(live.modified);

  RecordingNotice notice;
  SightPlotDocument archived;
  ASSERT_EQ(OpenSightPlot(notice, path, archived), 0);
  EXPECT_EQ(archived.kind, SightPlotKind::kArchived);
  EXPECT_STREQ(archived.state.reduced[1].bodyName, "Vega");
  EXPECT_FALSE(ToggleSight(archived, 0));
  EXPECT_TRUE(notice.shown.empty());

  const std::string worksheet = folder.File("notes.sdf");
  std::ofstream(worksheet, std::ios::binary) << "\3sdf\5hello";
  for (const std::string& bad : {worksheet, folder.File("missing.srp")}) {
    SightPlotDocument untouched = live;
    EXPECT_NE(OpenSightPlot(notice, bad, untouched), 0) << bad;
    EXPECT_EQ(untouched.kind, SightPlotKind::kLive);
  }
  ASSERT_EQ(notice.shown.size(), 2u);
  EXPECT_EQ(notice.shown[1].text,
            "This is not a sight reduction plot file\nor the file is corrupt.");
}

}  // namespace
}  // namespace navora
