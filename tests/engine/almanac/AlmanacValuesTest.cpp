#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/almanac/AlmanacValues.h"
#include "engine/ephemeris/EphemerisReader.h"
#include "engine/horizon/BodyPhysics.h"
#include "engine/places/SiderealArguments.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

// Before the first date of the Delta T table, inside the range of JD numbers
// the engine otherwise handles.
constexpr double kBeforeDeltaTTable = 2440400.5;

class AlmanacValues : public ::testing::Test {
 protected:
  void SetUp() override {
    double first = 0.0, last = 0.0;
    ASSERT_EQ(OpenEphemerisFile("1970-2025.eph", first, last), kStatusOk);
  }
};

TEST(HourAngles, GhaIsBroughtIntoTheHalfOpenCircle) {
  // A right ascension just past the sidereal time is just below 360, not negative.
  EXPECT_NEAR(GhaFromSiderealTime(5.0, 5.0 + 1e-6), 360.0 - 15e-6, 1e-9);
  EXPECT_EQ(GhaFromSiderealTime(7.25, 7.25), 0.0);
  EXPECT_NEAR(GhaFromSiderealTime(23.9, 0.1), 357.0, 1e-9);
  EXPECT_NEAR(GhaFromSiderealTime(0.1, 23.9), 3.0, 1e-9);
  for (double sidereal = 0.0; sidereal < 24.0; sidereal += 0.37) {
    for (double ra = 0.0; ra < 24.0; ra += 0.41) {
      const double gha = GhaFromSiderealTime(sidereal, ra);
      EXPECT_GE(gha, 0.0);
      EXPECT_LT(gha, 360.0);
    }
  }
}

TEST(HourAngles, ShaIsTheComplementOfRightAscension) {
  EXPECT_EQ(ShaFromRightAscension(0.0), 0.0);  // 360 itself is never printed
  EXPECT_NEAR(ShaFromRightAscension(12.0), 180.0, 1e-12);
  EXPECT_NEAR(ShaFromRightAscension(2.0), 330.0, 1e-12);
  EXPECT_NEAR(ShaFromRightAscension(24.0 - 1e-6), 15e-6, 1e-9);
}

TEST_F(AlmanacValues, AriesIsFifteenTimesApparentSiderealTime) {
  const double jd = CalendarToJulian(2021, 1, 2, 0, 0, 0.0);
  double gmst = 0.0, gast = 0.0, jdTt = 0.0, equationOfEquinoxes = 0.0;
  ASSERT_EQ(PrepareTimeArguments(jd, gmst, gast, jdTt, equationOfEquinoxes), kStatusOk);
  double aries = 0.0;
  ASSERT_EQ(ComputeAriesAlmanac(jd, aries), kStatusOk);
  EXPECT_NEAR(aries, 15.0 * gast, 1e-9);
  // The equation of the equinoxes (about -1 s of time then) must be in it.
  EXPECT_GT(std::fabs(aries - 15.0 * gmst) * 3600.0, 10.0);
}

TEST_F(AlmanacValues, StarRecordCarriesTheCatalogueNameAndNumber) {
  StarAlmanacEntry star{};
  ASSERT_EQ(ComputeStarAlmanac(2451545.0, 58, star), kStatusOk);
  EXPECT_STREQ(star.name, "POLARIS");
  EXPECT_EQ(star.starNumber, 58);
  EXPECT_NEAR(star.dec, 89.27, 0.02);
  ASSERT_EQ(ComputeStarAlmanac(2451545.0, 173, star), kStatusOk);
  EXPECT_EQ(star.starNumber, 173);
  EXPECT_EQ(ComputeStarAlmanac(2451545.0, 0, star), kAlmanacUnknownStar);
  EXPECT_EQ(ComputeStarAlmanac(2451545.0, 174, star), kAlmanacUnknownStar);
}

TEST_F(AlmanacValues, EveryComputationFailsWithoutDeltaT) {
  SunAlmanacValues sun{};
  MoonAlmanacValues moon{};
  PlanetsAlmanacValues planets{};
  StarAlmanacEntry star{};
  double aries = 0.0;
  EXPECT_EQ(ComputeSunAlmanac(kBeforeDeltaTTable, sun), kAlmanacNoDeltaT);
  EXPECT_EQ(ComputeMoonAlmanac(kBeforeDeltaTTable, moon), kAlmanacNoDeltaT);
  EXPECT_EQ(ComputePlanetsAlmanac(kBeforeDeltaTTable, planets), kAlmanacNoDeltaT);
  EXPECT_EQ(ComputeAriesAlmanac(kBeforeDeltaTTable, aries), kAlmanacNoDeltaT);
  EXPECT_EQ(ComputeStarAlmanac(kBeforeDeltaTTable, 1, star), kAlmanacNoDeltaT);
}

TEST_F(AlmanacValues, PlanetMagnitudes) {
  double magnitude = 0.0;
  for (BodyId body : {kEarth, kSun, kMoon, BodyId{0}}) {
    magnitude = 0.0;
    EXPECT_EQ(ComputePlanetMagnitude(body, 2451545.0, magnitude), kMagnitudeUnknownBody);
    EXPECT_EQ(magnitude, kNoMagnitude);
  }

  // Saturn at its oppositions of 2003 (rings wide open, B = -26 degrees) and
  // 2009 (rings nearly edge-on): the rings made it about a magnitude brighter.
  double open = 0.0, edgeOn = 0.0;
  ASSERT_EQ(ComputePlanetMagnitude(kSaturn, CalendarToJulian(2002, 12, 17, 0, 0, 0.0), open),
            kStatusOk);
  ASSERT_EQ(ComputePlanetMagnitude(kSaturn, CalendarToJulian(2009, 3, 8, 0, 0, 0.0), edgeOn),
            kStatusOk);
  EXPECT_NEAR(open, -0.45, 0.15);
  EXPECT_NEAR(edgeOn, 0.5, 0.2);
}

}  // namespace
}  // namespace navora
