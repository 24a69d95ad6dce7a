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
      {20, 5, "ACHERNAR"},
      {20, 38, "RIGIL KENT."},
      {20, 58, "POLARIS"},
      {20, 164, "Wezen"},  // stored padded
      {20, 173, "Zeta TAU"},
      {3, 57, "Markab"},  // any other code is a star
      {20, 0, "Star 0"},
      {20, 174, "Star 174"},
  };
  for (const auto& sight : sights) {
    EXPECT_EQ(TrackSightLabel(sight.bodyCode, sight.starNumber), sight.label)
        << sight.bodyCode << " " << sight.starNumber;
  }
}

// The tree of a log built entry by entry, as the fix computation loads it.
class TrackTreeLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SetEventLogDirectory(log_, (scratch_.path() + "/").c_str()), 0);
    ASSERT_EQ(OpenEventLog(log_), 2);
    ASSERT_EQ(AppendPositionEntry(log_, MakeInitialFixRecord(kStart, 50.0, -4.0, 270.0, 6.0)), 0);
  }

  void Sight(double time, uint16_t bodyCode, uint16_t starNumber = 0) {
    ObservationRecord sight = DefaultObservationRecord();
    sight.time = time;
    sight.bodyCode = bodyCode;
    sight.starNumber = starNumber;
    ASSERT_EQ(AppendSightEntry(log_, sight), 0);
  }

  std::vector<TrackLeg> Tree() {
    LegsAndSights loaded;
    EXPECT_EQ(LoadLegsAndSights(log_, loaded), 0);
    return BuildTrackTree(loaded);
  }

  static constexpr double kStart = 2460400.5;
  testing::TemporaryDirectory scratch_;
  EventLog log_;
};

TEST_F(TrackTreeLogTest, OnlyTheInitialFixIsOneLegWithoutSights) {
  const std::vector<TrackLeg> tree = Tree();
  ASSERT_EQ(tree.size(), 1u);
  EXPECT_EQ(tree[0].item.label, "Initial Fix");
  EXPECT_EQ(tree[0].item.image, 3);
  EXPECT_EQ(tree[0].item.legIndex, 0);
  EXPECT_EQ(tree[0].item.sightIndex, kNoTrackIndex);
  EXPECT_TRUE(tree[0].sights.empty());
}

TEST_F(TrackTreeLogTest, SightsHangUnderTheLegTheyWereTakenOn) {
  Sight(kStart + 0.1, 10);
  ASSERT_EQ(
      AppendPositionEntry(log_, MakePositionRecord(kMotionRhumbLine, kPositionDr, kStart + 0.2,
                                                   50.1, -4.2, 200.0, 7.0, 0.0, 0.0)),
      0);
  Sight(kStart + 0.3, 20, 1);
  Sight(kStart + 0.4, 13);

  const std::vector<TrackLeg> tree = Tree();
  ASSERT_EQ(tree.size(), 2u);
  EXPECT_EQ(tree[0].item.label, "Initial Fix");
  EXPECT_EQ(tree[1].item.label, "Course/Speed Change");
  EXPECT_EQ(tree[1].item.image, 2);
  EXPECT_EQ(tree[1].item.legIndex, 1);
  ASSERT_EQ(tree[0].sights.size(), 1u);
  EXPECT_EQ(tree[0].sights[0].label, "Sun, Center");
  EXPECT_EQ(tree[0].sights[0].sightIndex, 0);
  ASSERT_EQ(tree[1].sights.size(), 2u);
  EXPECT_EQ(tree[1].sights[0].label, "Alpheratz");
  EXPECT_EQ(tree[1].sights[1].label, "Moon, Upper Limb");
  for (const TrackItem& sight : tree[1].sights) {
    EXPECT_EQ(sight.image, kSightImage);
    EXPECT_EQ(sight.legIndex, kNoTrackIndex);
  }
  EXPECT_EQ(tree[1].sights[1].sightIndex, 2);
}

}  // namespace
}  // namespace navora
