#include "engine/common/PositionRecord.h"

#include <gtest/gtest.h>

namespace navora {
namespace {

TEST(PositionRecord, TypeNamesBeyondTheKnownTypesAreUserDefined) {
  EXPECT_STREQ(PositionTypeName(kPositionDr), "DR Position");
  EXPECT_STREQ(PositionTypeName(65535), "User-defined");
}

}  // namespace
}  // namespace navora
