#include "engine/common/PositionRecord.h"

#include <gtest/gtest.h>

namespace navora {
namespace {

TEST(PositionRecord, MakeDerivesKilometresPerDayFromKnots) {
  PositionRecord record = MakePositionRecord(kMotionGreatCircle, kPositionDr, 2460400.25, -33.5,
                                             151.25, 270.0, 12.5, 45.0, 1.5);
  EXPECT_DOUBLE_EQ(record.speedKmPerDay, 555.6);  // 12.5 kn x 1.852 km x 24 h
  EXPECT_DOUBLE_EQ(record.driftKmPerDay, 66.672);
}

TEST(PositionRecord, TypeNamesBeyondTheKnownTypesAreUserDefined) {
  EXPECT_STREQ(PositionTypeName(kPositionDr), "DR Position");
  EXPECT_STREQ(PositionTypeName(65535), "User-defined");
}

}  // namespace
}  // namespace navora
