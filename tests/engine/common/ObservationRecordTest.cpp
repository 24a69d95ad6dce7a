#include "engine/common/ObservationRecord.h"

#include <gtest/gtest.h>

#include <limits>

namespace navora {
namespace {

TEST(ObservationRecord, QualityCodesMapBothWays) {
  EXPECT_EQ(SigmaFromQualityCode(1), 0.005);
  EXPECT_EQ(SigmaFromQualityCode(3), 0.02);
  EXPECT_EQ(SigmaFromQualityCode(0), 0.01);
  EXPECT_EQ(SigmaFromQualityCode(9), 0.01);
  for (uint16_t code = 1; code <= 3; ++code) {
    EXPECT_EQ(QualityCodeFromSigma(SigmaFromQualityCode(code)), code);
  }
  EXPECT_EQ(QualityCodeFromSigma(0.0059), 1);  // 5.9 thousandths truncate to 5
  EXPECT_EQ(QualityCodeFromSigma(0.0199), 2);  // 19 is none of 5, 10, 20
  EXPECT_EQ(QualityCodeFromSigma(0.0205), 3);
  EXPECT_EQ(QualityCodeFromSigma(-0.005), 2);
  EXPECT_EQ(QualityCodeFromSigma(std::numeric_limits<double>::quiet_NaN()), 2);
  EXPECT_EQ(QualityCodeFromSigma(1.0e300), 2);
}

TEST(ObservationRecord, MadeAndDefaultRecords) {
  ObservationRecord sight = MakeObservationRecord(3, 20, 57, 2460400.75, -0.3, 18.0, 1002.0,
                                                  30.0, 41.5, -0.05, 4.572, 3);
  EXPECT_EQ(sight.included, 1);
  EXPECT_EQ(sight.weight, 1.0);
  EXPECT_EQ(sight.heightOfEye, 4.572);  // metres as stored, no feet round trip
  EXPECT_EQ(sight.sigma, 0.02);

  ObservationRecord defaults = DefaultObservationRecord();
  EXPECT_EQ(defaults.bodyCode, 10);
  EXPECT_EQ(defaults.included, 1);
  EXPECT_EQ(defaults.time, 2451544.5);
  EXPECT_EQ(defaults.weight, 1.0);
  EXPECT_EQ(defaults.temperature, 10.0);
  EXPECT_EQ(defaults.pressure, 1010.0);
  EXPECT_EQ(defaults.spare, 30.0);
  EXPECT_EQ(defaults.sigma, 0.0);
}

}  // namespace
}  // namespace navora
