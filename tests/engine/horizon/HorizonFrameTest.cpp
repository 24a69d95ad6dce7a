#include "engine/horizon/HorizonFrame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace navora {
namespace {

constexpr double kTightDeg = 1e-9;

void ExpectVectorNear(const Vector3& a, const Vector3& b, double tolerance) {
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(a[k], b[k], tolerance) << "component " << k;
}

TEST(HorizonFrame, RotationsAreTheirOwnInverse) {
  const Vector3 v{0.3, -0.7, 0.648};
  for (double lst : {0.0, 5.3, 13.75, 23.99}) {
    Vector3 once{}, twice{};
    EquatorialToHourAngleFrame(v, lst, once);
    EquatorialToHourAngleFrame(once, lst, twice);
    ExpectVectorNear(twice, v, 1e-15);
    EXPECT_NEAR(VectorLength(once), VectorLength(v), 1e-15);
  }
  for (double lat : {-90.0, -33.9, 0.0, 51.5, 90.0}) {
    Vector3 once{}, twice{};
    HourAngleToHorizonFrame(v, lat, once);
    HourAngleToHorizonFrame(once, lat, twice);
    ExpectVectorNear(twice, v, 1e-15);
  }
}

TEST(HorizonFrame, RotationsMayWriteInPlace) {
  Vector3 v{0.3, -0.7, 0.648};
  Vector3 expected{};
  EquatorialToHourAngleFrame(v, 7.0, expected);
  EquatorialToHourAngleFrame(v, 7.0, v);
  ExpectVectorNear(v, expected, 0.0);
  HourAngleToHorizonFrame(expected, 40.0, expected);
  HourAngleToHorizonFrame(v, 40.0, v);
  ExpectVectorNear(v, expected, 0.0);
}

TEST(VectorToAzimuthAltitude, DegenerateVectors) {
  double az = -1.0, alt = -1.0;
  EXPECT_EQ(VectorToAzimuthAltitude({0.0, 0.0, 0.0}, az, alt), kAzAltZeroVector);
  EXPECT_EQ(az, 0.0);
  EXPECT_EQ(alt, 0.0);
  EXPECT_EQ(VectorToAzimuthAltitude({0.0, 0.0, 2.0}, az, alt), kAzAltVerticalVector);
  EXPECT_EQ(az, 0.0);
  EXPECT_EQ(alt, 90.0);
  EXPECT_EQ(VectorToAzimuthAltitude({0.0, 0.0, -1e-30}, az, alt), kAzAltVerticalVector);
  EXPECT_EQ(alt, -90.0);
}

TEST(VectorToAzimuthAltitude, CardinalPoints) {
  double az = 0.0, alt = 0.0;
  EXPECT_EQ(VectorToAzimuthAltitude({1.0, 0.0, 0.0}, az, alt), kStatusOk);
  EXPECT_NEAR(az, 0.0, kTightDeg);
  EXPECT_NEAR(alt, 0.0, kTightDeg);
  VectorToAzimuthAltitude({0.0, 3.0, 0.0}, az, alt);
  EXPECT_NEAR(az, 90.0, kTightDeg);
  VectorToAzimuthAltitude({-1.0, 0.0, 1.0}, az, alt);
  EXPECT_NEAR(az, 180.0, kTightDeg);
  EXPECT_NEAR(alt, 45.0, kTightDeg);
}

TEST(RaDecToAzimuthAltitude, EquatorialStarSettingDueWest) {
  // Hour angle 6h from the equator: on the horizon, due west.
  double az = 0.0, alt = 1.0;
  EXPECT_EQ(RaDecToAzimuthAltitude(4.0, 0.0, 10.0, 0.0, az, alt), kStatusOk);
  EXPECT_NEAR(az, -90.0, kTightDeg);
  EXPECT_NEAR(alt, 0.0, kTightDeg);
}

TEST(RaDecToAzimuthAltitude, StarsOnTheMeridian) {
  double az = 0.0, alt = 0.0;
  // South of the zenith: altitude 90 - (latitude - declination), bearing 180.
  RaDecToAzimuthAltitude(6.5, 20.0, 6.5, 40.0, az, alt);
  EXPECT_NEAR(alt, 70.0, kTightDeg);
  EXPECT_NEAR(std::fabs(az), 180.0, kTightDeg);
  // North of the zenith, upper transit: bearing 000.
  RaDecToAzimuthAltitude(6.5, 60.0, 6.5, 40.0, az, alt);
  EXPECT_NEAR(alt, 70.0, kTightDeg);
  EXPECT_NEAR(az, 0.0, kTightDeg);
  // Lower transit of a circumpolar star: altitude latitude - polar distance.
  RaDecToAzimuthAltitude(6.5, 80.0, 18.5, 40.0, az, alt);
  EXPECT_NEAR(alt, 30.0, kTightDeg);
  EXPECT_NEAR(az, 0.0, kTightDeg);
  // Polaris-like star from the southern hemisphere is below the horizon.
  RaDecToAzimuthAltitude(2.5, 89.0, 2.5, -20.0, az, alt);
  EXPECT_NEAR(alt, -19.0, kTightDeg);
}

TEST(RaDecToAzimuthAltitude, AgreesWithIndependentReduction) {
  // Reference azimuths and altitudes from an independent hour-angle to
  // horizon conversion; the star's right ascension is 3h.
  struct Case {
    double hourAngleHours, decDeg, latDeg, azDeg, altDeg;
  };
  const Case cases[] = {
      {2.5, -23.4, 51.5, 214.36406454961298, 8.189296523128743},
      {-7.3, 61.2, -33.9, 35.457555113290745, -38.4793301993834},
      {11.0, 5.0, 0.0, 288.67680814212315, -74.20677584864056},
      {-1.2, -70.0, -60.0, 150.6750157541563, 77.53762397942555},
      {4.0, 45.0, 89.0, 240.87738172245616, 45.49337853610944},
  };
  for (const Case& c : cases) {
    double az = 0.0, alt = 0.0;
    ASSERT_EQ(RaDecToAzimuthAltitude(3.0, c.decDeg, 3.0 + c.hourAngleHours, c.latDeg, az, alt),
              kStatusOk);
    if (az < 0.0) az += 360.0;
    EXPECT_NEAR(az, c.azDeg, 1e-9) << "hour angle " << c.hourAngleHours;
    EXPECT_NEAR(alt, c.altDeg, 1e-9) << "hour angle " << c.hourAngleHours;
  }
}

TEST(AzimuthAltitudeToVector, InvertsTheForwardChain) {
  const double lst = 17.25, lat = -41.3;
  for (double az : {-150.0, -10.0, 45.0, 179.0}) {
    for (double alt : {-30.0, 0.0, 12.5, 80.0}) {
      Vector3 equatorial{};
      AzimuthAltitudeToVector(az, alt, lst, lat, equatorial);
      EXPECT_NEAR(VectorLength(equatorial), 1.0, 1e-15);
      Vector3 horizon{};
      EquatorialToHourAngleFrame(equatorial, lst, horizon);
      HourAngleToHorizonFrame(horizon, lat, horizon);
      double azOut = 0.0, altOut = 0.0;
      ASSERT_EQ(VectorToAzimuthAltitude(horizon, azOut, altOut), kStatusOk);
      EXPECT_NEAR(azOut, az, 1e-9);
      EXPECT_NEAR(altOut, alt, 1e-9);
    }
  }
}

TEST(LonLatToVector, ScalesByDistance) {
  Vector3 v{};
  LonLatToVector(90.0, 0.0, 2.5, v);
  ExpectVectorNear(v, {0.0, 2.5, 0.0}, 1e-15);
  LonLatToVector(-135.0, -30.0, 4.0, v);
  EXPECT_NEAR(VectorLength(v), 4.0, 1e-14);
  EXPECT_NEAR(v[2], -2.0, 1e-14);
  EXPECT_NEAR(v[0], v[1], 1e-14);
  EXPECT_LT(v[0], 0.0);
}

TEST(VectorArithmetic, BasicOperations) {
  const Vector3 a = MakeVector(1.0, 2.0, 2.0);
  const Vector3 b = MakeVector(-3.0, 0.5, 4.0);
  EXPECT_EQ(AddVectors(a, b), (Vector3{-2.0, 2.5, 6.0}));
  EXPECT_EQ(SubtractVectors(a, b), (Vector3{4.0, 1.5, -2.0}));
  EXPECT_EQ(ScaleVector(a, -2.0), (Vector3{-2.0, -4.0, -4.0}));
  EXPECT_EQ(DotProduct(a, b), 6.0);
  EXPECT_EQ(VectorLength(a), 3.0);
}

}  // namespace
}  // namespace navora
