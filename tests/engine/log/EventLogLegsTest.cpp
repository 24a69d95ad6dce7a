#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "engine/log/EventLog.h"
#include "tests/engine/log/EventLogTestSupport.h"

namespace navora {
namespace {

using testing::EventLogTest;

constexpr double kStart = 2460400.5;

TEST(FindLegOfTime, BoundariesOfLegsAndTheTenDayLimit) {
  std::array<PositionRecord, 3> legs;
  legs[0].time = 10.0;
  legs[1].time = 11.0;
  legs[2].time = 12.0;
  EXPECT_EQ(FindLegOfTime(legs, 9.999), -1);
  EXPECT_EQ(FindLegOfTime(legs, 10.0), 0);
  EXPECT_EQ(FindLegOfTime(legs, 10.999), 0);
  EXPECT_EQ(FindLegOfTime(legs, 11.0), 1);
  EXPECT_EQ(FindLegOfTime(legs, 12.0), 2);
  EXPECT_EQ(FindLegOfTime(legs, 22.0), 2);   // exactly ten days after
  EXPECT_EQ(FindLegOfTime(legs, 22.5), -2);  // ten and a half
  EXPECT_EQ(FindLegOfTime(std::span(legs).first(1), 15.0), 0);
  EXPECT_EQ(FindLegOfTime({}, 15.0), -1);
}

TEST_F(EventLogTest, SightsAreAssignedToLegsByTimeAndSummarised) {
  StartVoyage(kStart);
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 0.1)), 0);
  ASSERT_EQ(AppendPositionEntry(log_, DrUpdate(kStart + 0.5)), 0);
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 0.6)), 0);
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 0.8)), 0);
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 11.0)), 0);  // 10.5 days after the last leg
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 10.5)), 0);  // exactly 10 days after
  LegsAndSights loaded;
  ASSERT_EQ(LoadLegsAndSights(log_, loaded), 0);
  EXPECT_EQ(loaded.rawPositionCount, 2);
  EXPECT_EQ(loaded.rawSightCount, 5);
  ASSERT_EQ(loaded.legCount, 2);
  EXPECT_EQ(loaded.legs[0].positionType, kPositionUserDefined);  // the voyage's initial fix
  EXPECT_EQ(loaded.legOffsets[0], 0);
  EXPECT_EQ(loaded.legOffsets[1], 160);  // after the fix and a sight
  ASSERT_EQ(loaded.sightCount, 5);
  const std::array<double, 5> times = {0.1, 0.6, 0.8, 10.5, 11.0};
  const std::array<uint16_t, 5> legIndex = {0, 1, 1, 1, 1};
  const std::array<uint16_t, 5> included = {1, 1, 1, 1, 0};
  const std::array<EventLogOffset, 5> offsets = {72, 232, 320, 496, 408};
  for (int k = 0; k < 5; ++k) {
    EXPECT_DOUBLE_EQ(loaded.sights[k].time, kStart + times[k]) << k;
    EXPECT_EQ(loaded.sights[k].legIndex, legIndex[k]) << k;
    EXPECT_EQ(loaded.sights[k].included, included[k]) << k;
    EXPECT_EQ(loaded.sightOffsets[k], offsets[k]) << k;
  }
  const SightTimeSummary& summary = loaded.summary;
  EXPECT_EQ(summary.lastLegTime, kStart + 0.5);
  EXPECT_EQ(summary.lastLegSightCount, 4);
  EXPECT_EQ(summary.lastLegIncludedCount, 3);
  EXPECT_DOUBLE_EQ(summary.earliestIncludedTime, kStart + 0.6);
  EXPECT_DOUBLE_EQ(summary.latestIncludedTime, kStart + 10.5);
  EXPECT_DOUBLE_EQ(summary.meanIncludedTime, kStart + (0.6 + 0.8 + 10.5) / 3.0);

  // The plot does not mark the initial fix.
  ASSERT_EQ(ReadPlotData(log_, loaded), 0);
  EXPECT_EQ(loaded.legs[0].positionType, kPositionExternalFix);
}

TEST_F(EventLogTest, OnlyTheLatestTwentyFiveSightsAreLoadedInAscendingTime) {
  StartVoyage(kStart);
  // Recorded newest first, so that file order and time order differ.
  for (int i = 29; i >= 0; --i) {
    ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 0.01 * (i + 1), i)), 0);
  }
  LegsAndSights loaded;
  ASSERT_EQ(LoadLegsAndSights(log_, loaded), 0);
  EXPECT_EQ(loaded.rawSightCount, 30);
  ASSERT_EQ(loaded.sightCount, 25);
  for (int k = 0; k < 25; ++k) {
    EXPECT_EQ(loaded.sights[k].hs, k + 5.0) << k;
    EXPECT_EQ(loaded.sightOffsets[k], 72 + 88 * (24 - k)) << k;
  }
  EXPECT_EQ(loaded.summary.lastLegSightCount, 25);
}

TEST_F(EventLogTest, OnlyTheLastFourLegsInTimeOrderAreLoaded) {
  StartVoyage(kStart);
  for (int i = 1; i <= 5; ++i) {
    ASSERT_EQ(AppendPositionEntry(log_, DrUpdate(kStart + 0.1 * i, 10.0 * i)), 0);
  }
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 0.15)), 0);  // before the first loaded leg
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 0.25)), 0);
  LegsAndSights loaded;
  ASSERT_EQ(LoadLegsAndSights(log_, loaded), 0);
  EXPECT_EQ(loaded.rawPositionCount, 6);
  ASSERT_EQ(loaded.legCount, 4);
  for (int leg = 0; leg < 4; ++leg) {
    EXPECT_EQ(loaded.legs[leg].course, 10.0 * (leg + 2));
    EXPECT_EQ(loaded.legOffsets[leg], 72 * (leg + 2));
  }
  ASSERT_EQ(loaded.sightCount, 2);
  EXPECT_EQ(loaded.sights[0].included, 0);
  EXPECT_EQ(loaded.sights[0].legIndex, 0);
  EXPECT_EQ(loaded.sights[1].included, 1);
  EXPECT_EQ(loaded.sights[1].legIndex, 0);
}

TEST_F(EventLogTest, PositionTimesOutOfOrderOrEqual) {
  StartVoyage(kStart);
  ASSERT_EQ(AppendPositionEntry(log_, DrUpdate(kStart + 0.3, 30.0)), 0);
  ASSERT_EQ(AppendPositionEntry(log_, DrUpdate(kStart + 0.2, 20.0)), 0);
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 0.25)), 0);
  LegsAndSights loaded;
  ASSERT_EQ(LoadLegsAndSights(log_, loaded), 5);  // reported, outputs filled all the same
  ASSERT_EQ(loaded.legCount, 3);
  EXPECT_EQ(loaded.legs[1].course, 20.0);
  EXPECT_EQ(loaded.legs[2].course, 30.0);
  EXPECT_EQ(loaded.legOffsets[1], 144);
  ASSERT_EQ(loaded.sightCount, 1);
  EXPECT_EQ(loaded.sights[0].legIndex, 1);

  ASSERT_EQ(AppendPositionEntry(log_, DrUpdate(kStart + 0.2, 25.0)), 0);
  EXPECT_EQ(LoadLegsAndSights(log_, loaded), 4);
  EXPECT_EQ(loaded.rawPositionCount, 4);
  EXPECT_EQ(loaded.legCount, 0);
  EXPECT_EQ(loaded.sightCount, 0);
}

TEST_F(EventLogTest, NothingToLoadOrPlotAndASingleLeg) {
  LegsAndSights loaded;
  ASSERT_EQ(OpenEventLog(log_), 2);
  EXPECT_EQ(LoadLegsAndSights(log_, loaded), 2);
  ASSERT_EQ(AppendPositionEntry(log_, Fix(kStart, 50, -4)), 0);
  EXPECT_EQ(ReadPlotData(log_, loaded), 2);  // no sight yet
  EXPECT_EQ(loaded.legCount, 0);
  ASSERT_EQ(LoadLegsAndSights(log_, loaded), 0);
  EXPECT_EQ(loaded.legCount, 1);
  EXPECT_EQ(loaded.sightCount, 0);

  // A sight before the only leg is filed under it but not summarised with it.
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart - 0.1)), 0);
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 0.1)), 0);
  ASSERT_EQ(LoadLegsAndSights(log_, loaded), 0);
  ASSERT_EQ(loaded.sightCount, 2);
  EXPECT_EQ(loaded.sights[0].included, 0);
  EXPECT_EQ(loaded.sights[0].legIndex, 0);
  EXPECT_EQ(loaded.summary.lastLegSightCount, 1);
  EXPECT_EQ(loaded.summary.earliestIncludedTime, kStart + 0.1);
}

TEST_F(EventLogTest, DamagedTimesDoNotBreakTheSorting) {
  StartVoyage(kStart);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int i = 0; i < 40; ++i) {
    ASSERT_EQ(AppendSightEntry(log_, Sight(i % 3 == 0 ? nan : kStart + 0.01 * i)), 0);
  }
  ASSERT_EQ(AppendPositionEntry(log_, DrUpdate(nan)), 0);
  LegsAndSights loaded;
  EXPECT_EQ(LoadLegsAndSights(log_, loaded), 0);
  EXPECT_EQ(loaded.sightCount, 25);
  EXPECT_EQ(loaded.legCount, 2);
}

}  // namespace
}  // namespace navora
