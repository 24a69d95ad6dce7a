#include "engine/common/PositionRecord.h"

#include <gtest/gtest.h>

namespace navora {
namespace {

TEST(PositionRecord, MakeDerivesKilometresPerDayFromKnots) {
  PositionRecord record = MakePositionRecord(kMotionGreatCircle, kPositionDr, 2460400.25, -33.5,
                                             151.25, 270.0, 12.5, 45.0, 1.5);
  EXPECT_EQ(record.sailingMethod, 0);
  EXPECT_EQ(record.latitude, -33.5);
  EXPECT_EQ(record.longitude, 151.25);
  EXPECT_DOUBLE_EQ(record.speedKmPerDay, 555.6);  // 12.5 kn x 1.852 km x 24 h
  EXPECT_DOUBLE_EQ(record.driftKmPerDay, 66.672);
}

TEST(PositionRecord, DefaultAndTypeNames) {
  PositionRecord record = DefaultPositionRecord();
  EXPECT_EQ(record.time, 2451544.5);
  EXPECT_EQ(record.latitude, 0.0);
  EXPECT_STREQ(PositionTypeName(0), "Celestial Fix");
  EXPECT_STREQ(PositionTypeName(1), "External Fix");
  EXPECT_STREQ(PositionTypeName(2), "DR Position");
  EXPECT_STREQ(PositionTypeName(3), "User-defined");
  EXPECT_STREQ(PositionTypeName(65535), "User-defined");
}

}  // namespace
}  // namespace navora
