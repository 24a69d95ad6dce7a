#include "engine/common/ObservationRecord.h"

#include <gtest/gtest.h>

#include <limits>

namespace navora {
namespace {

TEST(ObservationRecord, QualityCodesMapBothWays) {
  EXPECT_EQ(SigmaFromQualityCode(0), 0.01);
  for (uint16_t code = 1; code <= 3; ++code) {
    EXPECT_EQ(QualityCodeFromSigma(SigmaFromQualityCode(code)), code);
  }
  EXPECT_EQ(QualityCodeFromSigma(0.0059), 1);  // 5.9 thousandths truncate to 5
  EXPECT_EQ(QualityCodeFromSigma(0.0199), 2);  // 19 is none of 5, 10, 20
  EXPECT_EQ(QualityCodeFromSigma(0.0205), 3);
  // Damaged values must not overflow the integer comparison.
  for (double damaged : {-0.005, std::numeric_limits<double>::quiet_NaN(), 1.0e300}) {
    EXPECT_EQ(QualityCodeFromSigma(damaged), 2) << damaged;
  }
}

}  // namespace
}  // namespace navora
