#include "engine/horizon/HorizonFrame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace navora {
namespace {

TEST(VectorToAzimuthAltitude, DegenerateVectors) {
  double az = -1.0, alt = -1.0;
  EXPECT_EQ(VectorToAzimuthAltitude({0.0, 0.0, 0.0}, az, alt), kAzAltZeroVector);
  EXPECT_EQ(alt, 0.0);
  EXPECT_EQ(VectorToAzimuthAltitude({0.0, 0.0, 2.0}, az, alt), kAzAltVerticalVector);
  EXPECT_EQ(alt, 90.0);
  EXPECT_EQ(VectorToAzimuthAltitude({0.0, 0.0, -1e-30}, az, alt), kAzAltVerticalVector);
  EXPECT_EQ(az, 0.0);
  EXPECT_EQ(alt, -90.0);
}

TEST(RaDecToAzimuthAltitude, WestHorizonAndMeridian) {
  double az = 0.0, alt = 1.0;
  // Hour angle 6h from the equator: on the horizon, due west.
  EXPECT_EQ(RaDecToAzimuthAltitude(4.0, 0.0, 10.0, 0.0, az, alt), kStatusOk);
  EXPECT_NEAR(az, -90.0, 1e-9);
  EXPECT_NEAR(alt, 0.0, 1e-9);
  // On the meridian from 40 N: south of the zenith bearing 180, north 000;
  // a circumpolar star at lower transit stands at latitude - polar distance.
  ASSERT_EQ(RaDecToAzimuthAltitude(6.5, 20.0, 6.5, 40.0, az, alt), kStatusOk);
  EXPECT_NEAR(alt, 70.0, 1e-9);
  EXPECT_NEAR(std::fabs(az), 180.0, 1e-9);
  ASSERT_EQ(RaDecToAzimuthAltitude(6.5, 60.0, 6.5, 40.0, az, alt), kStatusOk);
  EXPECT_NEAR(alt, 70.0, 1e-9);
  EXPECT_NEAR(az, 0.0, 1e-9);
  ASSERT_EQ(RaDecToAzimuthAltitude(6.5, 80.0, 18.5, 40.0, az, alt), kStatusOk);
  EXPECT_NEAR(alt, 30.0, 1e-9);
}

TEST(RaDecToAzimuthAltitude, AgreesWithIndependentReduction) {
  // Reference values from an independent hour-angle to horizon conversion;
  // the star's right ascension is 3h.
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
    EXPECT_NEAR(az < 0.0 ? az + 360.0 : az, c.azDeg, 1e-9) << "hour angle " << c.hourAngleHours;
    EXPECT_NEAR(alt, c.altDeg, 1e-9) << "hour angle " << c.hourAngleHours;
  }
}

// Both rotations are their own inverse and work in place: the reverse chain
// applies them in the other order.
TEST(AzimuthAltitudeToVector, InvertsTheForwardChain) {
  const double lst = 17.25, lat = -41.3;
  for (double az : {-150.0, -10.0, 45.0, 179.0}) {
    for (double alt : {-30.0, 0.0, 80.0}) {
      Vector3 equatorial{};
      ASSERT_EQ(AzimuthAltitudeToVector(az, alt, lst, lat, equatorial), kStatusOk);
      Vector3 horizon{};
      ASSERT_EQ(EquatorialToHourAngleFrame(equatorial, lst, horizon), kStatusOk);
      ASSERT_EQ(HourAngleToHorizonFrame(horizon, lat, horizon), kStatusOk);
      double azOut = 0.0, altOut = 0.0;
      ASSERT_EQ(VectorToAzimuthAltitude(horizon, azOut, altOut), kStatusOk);
      EXPECT_NEAR(azOut, az, 1e-9);
      EXPECT_NEAR(altOut, alt, 1e-9);
    }
  }
}

// Latitudes, declinations and altitudes beyond a pole and non-finite angles
// or vectors are refused with zero outputs; the poles themselves are taken.
TEST(HorizonFrame, RefusesArgumentsOutsideTheDomain) {
  for (const double bad : {95.0, -90.0001, double{NAN}, double{INFINITY}, double{-INFINITY}}) {
    const bool nonFinite = !std::isfinite(bad);
    const struct {
      double ra, dec, lst, lat;
    } places[] = {{1.0, bad, 2.0, 10.0}, {1.0, 10.0, 2.0, bad}};
    for (const auto& p : places) {
      double az = -1.0, alt = -1.0;
      EXPECT_EQ(RaDecToAzimuthAltitude(p.ra, p.dec, p.lst, p.lat, az, alt), kStatusOutOfDomain);
      EXPECT_EQ(az + alt, 0.0);
      Vector3 v{1.0, 1.0, 1.0};
      EXPECT_EQ(AzimuthAltitudeToVector(p.ra, p.dec, p.lst, p.lat, v), kStatusOutOfDomain);
      EXPECT_EQ(v, (Vector3{0.0, 0.0, 0.0}));
    }
    Vector3 out{1.0, 1.0, 1.0};
    EXPECT_EQ(HourAngleToHorizonFrame({1.0, 0.0, 0.0}, bad, out), kStatusOutOfDomain);
    EXPECT_EQ(out, (Vector3{0.0, 0.0, 0.0}));
    if (!nonFinite) continue;  // any finite hour angle, azimuth or sidereal time wraps
    double az = -1.0, alt = -1.0;
    EXPECT_EQ(RaDecToAzimuthAltitude(bad, 10.0, 2.0, 10.0, az, alt), kStatusOutOfDomain);
    EXPECT_EQ(RaDecToAzimuthAltitude(1.0, 10.0, bad, 10.0, az, alt), kStatusOutOfDomain);
    EXPECT_EQ(EquatorialToHourAngleFrame({1.0, 0.0, 0.0}, bad, out), kStatusOutOfDomain);
    EXPECT_EQ(EquatorialToHourAngleFrame({1.0, bad, 0.0}, 2.0, out), kStatusOutOfDomain);
    EXPECT_EQ(VectorToAzimuthAltitude({bad, 0.0, 1.0}, az, alt), kStatusOutOfDomain);
    EXPECT_EQ(az + alt, 0.0);
  }
  double az = 0.0, alt = 0.0;
  EXPECT_EQ(RaDecToAzimuthAltitude(1.0, -90.0, 2.0, 90.0, az, alt), kStatusOk);
  EXPECT_NEAR(alt, -90.0, 1e-12);
  EXPECT_EQ(RaDecToAzimuthAltitude(1e6, 45.0, -1e6, 45.0, az, alt), kStatusOk);
}

}  // namespace
}  // namespace navora
