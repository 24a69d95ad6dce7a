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

// Refraction, or NaN when refused, so that a refusal cannot pass for a value.
double Refraction(double altitudeDeg, double temperatureC, double pressureMb) {
  double minutes = -1.0;
  if (RefractionMinutes(altitudeDeg, temperatureC, pressureMb, minutes) != kStatusOk) {
    EXPECT_EQ(minutes, 0.0);
    return NAN;
  }
  return minutes;
}

TEST(RefractionMinutes, StandardAtmosphereMatchesTables) {
  // 10 C and 1010 mb: about 34.5' at the horizon, 5.3' to 5.4' at 10 degrees,
  // 1' near 45 degrees and nothing at the zenith.
  EXPECT_NEAR(Refraction(0.0, 10.0, 1010.0), 34.5, 0.1);
  EXPECT_NEAR(Refraction(10.0, 10.0, 1010.0), 5.35, 0.06);
  EXPECT_NEAR(Refraction(45.0, 10.0, 1010.0), 1.0, 0.02);
  EXPECT_NEAR(Refraction(90.0, 10.0, 1010.0), 0.0, 0.005);
}

TEST(RefractionMinutes, DenseColdAirRefractsMore) {
  const double standard = Refraction(5.0, 10.0, 1010.0);
  EXPECT_GT(Refraction(5.0, -20.0, 1010.0), standard);
  EXPECT_LT(Refraction(5.0, 35.0, 1010.0), standard);
  // Pressure scales the refraction linearly about 80 mb.
  EXPECT_NEAR(Refraction(5.0, 10.0, 545.0), standard / 2.0, 1e-12);
}

// The formula's pole lies at -4.4 degrees; nothing below the lowest altitude,
// above the zenith or non-finite is refracted.
TEST(RefractionMinutes, RefusesAltitudesOutsideTheDomain) {
  EXPECT_TRUE(std::isfinite(Refraction(kLowestRefractedAltitudeDeg, 10.0, 1010.0)));
  for (double altitude : {-4.4, -1.0001, 90.0001, 95.0, double{NAN}, double{INFINITY}}) {
    EXPECT_TRUE(std::isnan(Refraction(altitude, 10.0, 1010.0))) << altitude;
  }
  EXPECT_TRUE(std::isnan(Refraction(5.0, NAN, 1010.0)));
  EXPECT_TRUE(std::isnan(Refraction(5.0, 10.0, INFINITY)));
}

}  // namespace
}  // namespace navora
