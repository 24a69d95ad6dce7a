#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tasks/TrackTree.h"
#include "engine/log/NewInitialFix.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

TEST(TrackTreeTest, LabelsOfLegsAndSights) {
  const struct {
    uint16_t positionType;
    const char* label;
  } legs[] = {{0, "Celestal Fix"},
              {1, "External Fix"},
              {2, "Course/Speed Change"},
              {3, "Initial Fix"},
              {9, "Initial Fix"}};
  for (const auto& leg : legs) EXPECT_EQ(TrackLegLabel(leg.positionType), leg.label);

  const struct {
    uint16_t bodyCode;
    uint16_t starNumber;
    const char* label;
  } sights[] = {
      {2, 0, "Venus"},
      {4, 0, "Mars"},
      {5, 0, "Jupiter"},
      {6, 0, "Saturn"},
      {10, 7, "Sun, Center"},  // a star number beside a body code is ignored
      {11, 0, "Moon, Center"},
      {12, 0, "Sun, Upper Limb"},
      {13, 0, "Moon, Upper Limb"},
      {14, 0, "Sun, Lower Limb"},
      {15, 0, "Moon, Lower Limb"},
      {20, 1, "Alpheratz"},
      {20, 5, "Achernar"},
      {20, 38, "Rigil Kent."},
      {20, 58, "Polaris"},
      {20, 164, "Wezen"},  // stored padded
      {20, 173, "Zeta Tau"},
      {3, 57, "Markab"},  // any other code is a star
      {20, 0, "Star 0"},
      {20, 174, "Star 174"},
  };
  for (const auto& sight : sights) {
    EXPECT_EQ(TrackSightLabel(sight.bodyCode, sight.starNumber), sight.label)
        << sight.bodyCode << " " << sight.starNumber;
  }
}

// The voyage's first fix is loaded marked as the initial fix; nothing hangs under it yet.
TEST(TrackTreeTest, OnlyTheInitialFixIsOneLegWithoutSights) {
  testing::TemporaryDirectory scratch;
  EventLog log;
  ASSERT_EQ(SetEventLogDirectory(log, (scratch.path() + "/").c_str()), 0);
  ASSERT_EQ(OpenEventLog(log), 2);
  ASSERT_EQ(AppendPositionEntry(log, MakeInitialFixRecord(2460400.5, 50.0, -4.0, 270.0, 6.0)), 0);
  LegsAndSights loaded;
  ASSERT_EQ(LoadLegsAndSights(log, loaded), 0);

  const std::vector<TrackLeg> tree = BuildTrackTree(loaded);
  ASSERT_EQ(tree.size(), 1u);
  EXPECT_EQ(tree[0].item.label, "Initial Fix");
  EXPECT_EQ(tree[0].item.image, 3);
  EXPECT_EQ(tree[0].item.legIndex, 0);
  EXPECT_EQ(tree[0].item.sightIndex, kNoTrackIndex);
  EXPECT_TRUE(tree[0].sights.empty());
}

}  // namespace
}  // namespace navora
