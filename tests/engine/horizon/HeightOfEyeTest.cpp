#include "engine/horizon/HeightOfEye.h"

#include <gtest/gtest.h>

#include <cmath>

namespace navora {
namespace {

TEST(DipMinutes, GrowsWithTheRootOfHeight) {
  EXPECT_EQ(DipMinutes(-2.0), 0.0);
  EXPECT_NEAR(DipMinutes(10.0), 5.6, 0.05);  // tabulated dip at 10 m
  EXPECT_NEAR(DipMinutes(40.0), 2.0 * DipMinutes(10.0), 1e-12);
}

TEST(RiseSetAltitude, StandardAndRaisedEye) {
  EXPECT_NEAR(RiseSetAltitude(0.0), -34.0 / 60.0, 1e-15);
  // From a 16 m bridge: 34' + 7.04' dip + 1.48' = 42.52'.
  EXPECT_NEAR(RiseSetAltitude(16.0) * 60.0, -42.52, 1e-9);
  EXPECT_EQ(RiseSetAltitude(-1.0), 0.0);
}

TEST(RefractionMinutes, StandardAtmosphereMatchesTables) {
  // 10 C and 1010 mb: about 34.5' at the horizon, 5.3' to 5.4' at 10 degrees,
  // 1' near 45 degrees and nothing at the zenith.
  EXPECT_NEAR(RefractionMinutes(0.0, 10.0, 1010.0), 34.5, 0.1);
  EXPECT_NEAR(RefractionMinutes(10.0, 10.0, 1010.0), 5.35, 0.06);
  EXPECT_NEAR(RefractionMinutes(45.0, 10.0, 1010.0), 1.0, 0.02);
  EXPECT_NEAR(RefractionMinutes(90.0, 10.0, 1010.0), 0.0, 0.005);
}

TEST(RefractionMinutes, DenseColdAirRefractsMore) {
  const double standard = RefractionMinutes(5.0, 10.0, 1010.0);
  EXPECT_GT(RefractionMinutes(5.0, -20.0, 1010.0), standard);
  EXPECT_LT(RefractionMinutes(5.0, 35.0, 1010.0), standard);
  // Pressure scales the refraction linearly about 80 mb.
  EXPECT_NEAR(RefractionMinutes(5.0, 10.0, 545.0), standard / 2.0, 1e-12);
}

}  // namespace
}  // namespace navora
