#include "engine/places/PlaceVectors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace navora {
namespace {

constexpr double kMetresPerAu = 149597870660.0;
constexpr double kEarthRadiusMetres = 6378137.0;

double Length(const Vector3& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

TEST(VectorToRaDec, ReportsZeroAndPoleVectors) {
  double ra = -1.0, dec = -1.0;
  EXPECT_EQ(VectorToRaDec({0.0, 0.0, 0.0}, ra, dec), kRaDecZeroVector);
  EXPECT_EQ(ra, 0.0);
  EXPECT_EQ(dec, 0.0);

  EXPECT_EQ(VectorToRaDec({0.0, 0.0, 1.0}, ra, dec), kRaDecPoleVector);
  EXPECT_EQ(ra, 0.0);
  EXPECT_EQ(dec, 90.0);
  EXPECT_EQ(VectorToRaDec({0.0, 0.0, -3.0}, ra, dec), kRaDecPoleVector);
  EXPECT_EQ(dec, -90.0);
}

TEST(VectorToRaDec, KeepsRightAscensionInTheDay) {
  double ra = 0.0, dec = 0.0;
  ASSERT_EQ(VectorToRaDec({1.0, -1.0, 0.0}, ra, dec), kStatusOk);
  EXPECT_NEAR(ra, 21.0, 1e-12);
  // An angle just below zero must not come back as 24.
  ASSERT_EQ(VectorToRaDec({1.0, -1e-300, 0.0}, ra, dec), kStatusOk);
  EXPECT_LT(ra, 24.0);
}

TEST(ObserverVectors, PlaceTheObserverOnTheEllipsoid) {
  Vector3 position{}, velocity{};
  // Eastward at 465.1 m/s on the equator, at rest on the pole.
  ObserverVectors(0.0, 0.0, 0.0, 0.0, position, velocity);
  EXPECT_NEAR(velocity[0], 0.0, 1e-20);
  EXPECT_NEAR(velocity[1] * kMetresPerAu / 86400.0, 465.1011, 1e-3);
  ObserverVectors(0.0, 90.0, 0.0, 7.0, position, velocity);
  EXPECT_NEAR(position[2] * kMetresPerAu, kEarthRadiusMetres * (1.0 - 0.00335281), 1e-4);
  EXPECT_NEAR(Length(velocity), 0.0, 1e-18);  // 1e-18 AU/day is 1.7 nm/s

  // Independent geodetic-to-Cartesian conversion; the local sidereal angle is
  // sidereal time plus east longitude.
  ObserverVectors(30.0, 45.0, 1000.0, 2.0, position, velocity);
  const Vector3 expected = {1.5101478263676641e-05, 2.6156527622084967e-05, 3.0000798141986165e-05};
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(position[i], expected[i], 1e-17) << i;
  ObserverVectors(-130.0, -33.0, 0.0, 2.0, position, velocity);
  const Vector3 south = {-6.2152942740495555e-06, -3.52486854199913e-05, -2.3088287486091627e-05};
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(position[i], south[i], 1e-17) << i;
  // Velocity is the rotation about the axis: perpendicular to the position.
  EXPECT_NEAR(position[0] * velocity[0] + position[1] * velocity[1], 0.0, 1e-22);
  EXPECT_EQ(velocity[2], 0.0);
}

// A light time of exactly zero means "not known": |position| / c is used,
// which gives the 20.5 arcsec of annual aberration at the Earth's speed.
TEST(ApplyAberration, TakesLightTimeFromDistanceWhenZero) {
  Vector3 out{};
  ApplyAberration({0.0, 2.0, 0.0}, {0.0172, 0.0, 0.0}, 0.0, out);
  EXPECT_NEAR(out[0], 0.0172 * 2.0 / 173.14463272148387, 1e-18);
  EXPECT_NEAR(std::atan2(out[0], out[1]) * 206264.806, 20.49, 0.05);
  ApplyAberration({0.0, 2.0, 0.0}, {0.0172, 0.0, 0.0}, 0.5, out);
  EXPECT_EQ(out, (Vector3{0.0086, 2.0, 0.0}));
}

}  // namespace
}  // namespace navora
