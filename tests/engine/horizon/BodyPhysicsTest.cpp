#include "engine/horizon/BodyPhysics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace navora {
namespace {

constexpr double kMoonMeanDistanceAu = 384400.0 / 149597870.66;

TEST(AngularRadius, SemiDiametersOfSunAndMoon) {
  EXPECT_NEAR(AngularRadius(1.0, kBodyRadiusMetres[kSun]), 959.64, 0.01);
  EXPECT_NEAR(AngularRadius(kMoonMeanDistanceAu, kBodyRadiusMetres[kMoon]) / 60.0, 15.54, 0.01);
}

TEST(ParallaxInAltitude, HorizontalParallaxAndLatitude) {
  EXPECT_NEAR(ParallaxInAltitude(1.0, 0.0, 90.0), 8.794, 0.001);
  const double hp = ParallaxInAltitude(kMoonMeanDistanceAu, 0.0, 90.0);
  EXPECT_NEAR(hp / 60.0, 57.04, 0.01);
  EXPECT_EQ(ParallaxInAltitude(kMoonMeanDistanceAu, 30.0, 0.0), 0.0);
  // The poles take the polar radius without a tangent of 90 degrees.
  const double polar = ParallaxInAltitude(kMoonMeanDistanceAu, 90.0, 90.0);
  EXPECT_NEAR(polar / hp, 1.0 - 0.00335281, 1e-6);
  EXPECT_EQ(ParallaxInAltitude(kMoonMeanDistanceAu, -90.0, 90.0), polar);
  EXPECT_NEAR(ParallaxInAltitude(kMoonMeanDistanceAu, 89.9999999, 90.0), polar, 1e-6);
}

TEST(PhaseAngle, FullNewAndQuarterMoon) {
  const Vector3 sun{1.0, 0.0, 0.0};
  const double d = 0.00257;
  double phase = -1.0, sunDistance = 0.0;
  Vector3 towardSun{}, towardEarth{};
  PhaseAngle({-d, 0.0, 0.0}, d, sun, phase, sunDistance, towardSun, towardEarth);
  EXPECT_NEAR(phase, 0.0, 1e-6);
  EXPECT_NEAR(sunDistance, 1.0 + d, 1e-15);
  EXPECT_NEAR(IlluminatedFraction(phase), 1.0, 1e-12);
  PhaseAngle({d, 0.0, 0.0}, d, sun, phase, sunDistance, towardSun, towardEarth);
  EXPECT_NEAR(phase, 180.0, 1e-6);
  EXPECT_NEAR(towardSun[0], 1.0, 1e-15);
  EXPECT_NEAR(towardEarth[0], -1.0, 1e-15);
  // At quadrature the Sun is seen from the Moon slightly off the normal.
  PhaseAngle({0.0, d, 0.0}, d, sun, phase, sunDistance, towardSun, towardEarth);
  EXPECT_NEAR(phase, 90.0 - std::atan(d) * 180.0 / M_PI, 1e-9);
}

TEST(PhaseAngle, CollinearRoundingGivesNoNan) {
  // The unit vectors' dot product rounds above 1 here.
  double phase = -1.0, sunDistance = 0.0;
  Vector3 towardSun{}, towardEarth{};
  PhaseAngle({-0.1, -0.2, -0.3}, std::sqrt(0.14), {0.7, 1.4, 2.1}, phase, sunDistance, towardSun,
             towardEarth);
  EXPECT_NEAR(phase, 0.0, 1e-6);
}

TEST(PlanetMagnitude, BodiesWithoutAMagnitudeLaw) {
  for (BodyId body : {BodyId{0}, kEarth, kSun, BodyId{-1}}) {
    double magnitude = 0.0;
    EXPECT_EQ(PlanetMagnitude(body, 1.0, 1.0, 0.0, 30.0, magnitude), kMagnitudeUnknownBody);
    EXPECT_EQ(magnitude, kNoMagnitude);
  }
  // Distances, phase angle and ring tilt outside their domain.
  const double kBad[][4] = {{0.0, 1.0, 0.0, 30.0},   {1.0, -1.0, 0.0, 30.0},
                            {1.0, 1.0, 0.0, -1.0},   {1.0, 1.0, 0.0, 180.5},
                            {1.0, 1.0, 91.0, 30.0},  {NAN, 1.0, 0.0, 30.0},
                            {1.0, 1.0, 0.0, INFINITY}};
  for (const auto& bad : kBad) {
    double magnitude = 0.0;
    EXPECT_EQ(PlanetMagnitude(kSaturn, bad[0], bad[1], bad[2], bad[3], magnitude),
              kStatusOutOfDomain);
    EXPECT_EQ(magnitude, kNoMagnitude);
  }
}

TEST(PlanetMagnitude, KnownApparitions) {
  double m = 0.0;
  ASSERT_EQ(PlanetMagnitude(kVenus, 0.723, 0.40, 0.0, 118.0, m), kStatusOk);
  EXPECT_NEAR(m, -4.9, 0.1);  // greatest brilliancy
  ASSERT_EQ(PlanetMagnitude(kMars, 1.381, 0.3727, 0.0, 0.0, m), kStatusOk);
  EXPECT_NEAR(m, -2.9, 0.1);  // 2003 opposition
  ASSERT_EQ(PlanetMagnitude(kJupiter, 5.2, 4.2, 0.0, 0.0, m), kStatusOk);
  EXPECT_NEAR(m, -2.7, 0.05);
  // Saturn at the 2017 opposition, rings open either way, and edge-on.
  double north = 0.0, south = 0.0, edgeOn = 0.0;
  ASSERT_EQ(PlanetMagnitude(kSaturn, 10.07, 9.05, 26.96, 0.0, north), kStatusOk);
  ASSERT_EQ(PlanetMagnitude(kSaturn, 10.07, 9.05, -26.96, 0.0, south), kStatusOk);
  ASSERT_EQ(PlanetMagnitude(kSaturn, 10.07, 9.05, 0.0, 0.0, edgeOn), kStatusOk);
  EXPECT_NEAR(north, 0.0, 0.05);
  EXPECT_EQ(south, north);
  EXPECT_NEAR(edgeOn - north, 0.92, 0.01);
}

// Unit vectors from Saturn toward the Earth (true equator of date) and the
// ring tilts of an independent reduction: open, edge-on, southern face.
struct RingTiltCase {
  double jdTdb, lightTimeDays;
  Vector3 towardEarth;
  double tiltDeg;
};
constexpr RingTiltCase kRingTilts[] = {
    {2458042.5, 0.06074631152062775,
     {0.11746641292919247, 0.9181589472460068, 0.37839898179785425}, 26.96124160454313},
    {2460757.5, 0.06114946126509876,
     {-0.9928060191281687, 0.09206868371347049, 0.07654780115814583}, 0.04729599217309335},
    {2454545.25, 0.04841906716563485,
     {0.892923488324335, -0.3991065993814407, -0.20833042583569764}, -9.254493970633163},
};

TEST(SaturnRingTilt, AgreesWithIndependentReductionForEveryLineOfSight) {
  for (const RingTiltCase& c : kRingTilts) {
    EXPECT_NEAR(SaturnRingTilt(c.jdTdb, c.lightTimeDays, c.towardEarth), c.tiltDeg, 0.01);
  }
  // Hours later along another line of sight: nothing of the first call may stay.
  const RingTiltCase& c = kRingTilts[0];
  const double other = SaturnRingTilt(c.jdTdb + 0.5, c.lightTimeDays, kRingTilts[2].towardEarth);
  EXPECT_GT(std::fabs(other - c.tiltDeg), 1.0);
}

}  // namespace
}  // namespace navora
