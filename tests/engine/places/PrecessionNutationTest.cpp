#include "engine/places/PrecessionNutation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace navora {
namespace {

constexpr double kJ2000 = 2451545.0;

double CenturiesFromJ2000(double jd) { return (jd - kJ2000) / 36525.0; }

// Full 1980 nutation series (independent implementation) at three dates; the
// four-term series leaves out terms of at most a few tenths of an arcsecond.
// The mean obliquity follows the 1976 expression.
TEST(NutationAngles, FollowFullSeriesWithinOmittedTermsAndTheMeanObliquity) {
  struct Case {
    double jd, longitudeArcsec, obliquityArcsec, meanObliquityDeg;
  };
  const Case cases[] = {{2451545.0, -13.923385169502604, -5.773808263765917, 23.439291111111114},
                        {2444239.5, -7.845821514480682, -8.79197746278347, 23.441892111875614},
                        {2460000.5, -9.274907464660703, 7.736184490904783, 23.436280657344003}};
  for (const Case& c : cases) {
    double longitude = 0.0, obliquity = 0.0;
    NutationAngles(CenturiesFromJ2000(c.jd), longitude, obliquity);
    EXPECT_NEAR(longitude, c.longitudeArcsec, 0.4) << c.jd;
    EXPECT_NEAR(obliquity, c.obliquityArcsec, 0.15) << c.jd;
    double mean = 0.0, trueObliquity = 0.0;
    MeanAndTrueObliquity(c.jd, -7.2, mean, trueObliquity);
    EXPECT_NEAR(mean, c.meanObliquityDeg, 1e-10) << c.jd;
  }
}

TEST(PrecessionAngles, MatchThe1976Expressions) {
  struct Case {
    double from, to, zeta, z, theta;
  };
  const Case cases[] = {
      {2451545.0, 2460467.5, 563.3921578964415, 563.4394712506185, 489.5964898527097},
      {2440587.5, 2451545.0, 691.767400281, 691.838746746, 601.330539009},
      {2445000.5, 2455000.5, 631.3625949413234, 631.4220205576707, 548.7594389275642}};
  for (const Case& c : cases) {
    double zeta = 0.0, z = 0.0, theta = 0.0;
    PrecessionAngles(c.from, c.to, zeta, z, theta);
    EXPECT_NEAR(zeta, c.zeta, 1e-7);
    EXPECT_NEAR(z, c.z, 1e-7);
    EXPECT_NEAR(theta, c.theta, 1e-7);
  }
}

TEST(ApplyPrecession, RotatesLikeTheComposedMatrixAndReturnsOnTheWayBack) {
  const Vector3 v = {0.3, -0.5, 0.8};
  double zeta = 0.0, z = 0.0, theta = 0.0;
  PrecessionAngles(kJ2000, 2460467.5, zeta, z, theta);
  Vector3 ofDate{};
  ApplyPrecession(zeta, z, theta, v, ofDate);
  const Vector3 expected = {0.30082728196063896, -0.49835882623113126, 0.8007130739195555};
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(ofDate[i], expected[i], 1e-14);

  // Back from dates 30 years either side of J2000: only the truncation of
  // the polynomials remains, far below a milliarcsecond.
  for (const double jd : {2440587.5, 2460676.5}) {
    Vector3 there{}, back{};
    PrecessionAngles(kJ2000, jd, zeta, z, theta);
    ApplyPrecession(zeta, z, theta, v, there);
    PrecessionAngles(jd, kJ2000, zeta, z, theta);
    ApplyPrecession(zeta, z, theta, there, back);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(back[i], v[i], 1e-9) << jd;
    // In place gives the same.
    Vector3 inPlace = there;
    ApplyPrecession(zeta, z, theta, inPlace, inPlace);
    EXPECT_EQ(inPlace, back);
  }
}

TEST(ApplyNutation, RotatesMeanToTrueAndBack) {
  const Vector3 v = {0.3, -0.5, 0.8};
  const double meanDeg = 23.44, trueDeg = 23.442222222222224;
  Vector3 trueVector{};
  ApplyNutation(-15.0, meanDeg, trueDeg, NutationDirection::kMeanToTrue, v, trueVector);
  const Vector3 expected = {0.29998978119376607, -0.5000510432681582, 0.79997192782356};
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(trueVector[i], expected[i], 1e-15);

  Vector3 back = trueVector;
  ApplyNutation(-15.0, meanDeg, trueDeg, NutationDirection::kTrueToMean, back, back);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(back[i], v[i], 1e-15);
}

}  // namespace
}  // namespace navora
