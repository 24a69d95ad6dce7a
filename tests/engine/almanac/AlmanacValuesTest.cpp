// The values themselves are checked against independent references and the
// published almanac pages; these cases cover the boundaries and statuses.

#include <gtest/gtest.h>

#include "engine/almanac/AlmanacValues.h"
#include "tests/engine/almanac/PrintedTable.h"
#include "engine/horizon/BodyPhysics.h"

namespace navora {
namespace {

// Before the first date of the Delta T table, inside the range of JD numbers
// the engine otherwise handles.
constexpr double kBeforeDeltaTTable = 2440400.5;
constexpr double kJ2000 = 2451545.0;

using AlmanacValues = testing::PrintedTableTest;

TEST(HourAngles, StayInTheHalfOpenCircle) {
  // A right ascension just past the sidereal time is just below 360, not negative.
  EXPECT_NEAR(GhaFromSiderealTime(5.0, 5.0 + 1e-6), 360.0 - 15e-6, 1e-9);
  EXPECT_EQ(GhaFromSiderealTime(7.25, 7.25), 0.0);
  EXPECT_NEAR(GhaFromSiderealTime(23.9, 0.1), 357.0, 1e-9);
  EXPECT_NEAR(GhaFromSiderealTime(0.1, 23.9), 3.0, 1e-9);
  EXPECT_EQ(ShaFromRightAscension(0.0), 0.0);  // 360 itself is never printed
  EXPECT_NEAR(ShaFromRightAscension(24.0 - 1e-6), 15e-6, 1e-9);
}

TEST_F(AlmanacValues, StatusesOfUnknownStarsPlanetsAndMissingDeltaT) {
  // Any catalogue star, beyond the 58 the tables print.
  StarAlmanacEntry star{};
  EXPECT_EQ(ComputeStarAlmanac(places_, kJ2000, 173, star), kStatusOk);
  EXPECT_EQ(star.starNumber, 173);
  EXPECT_EQ(ComputeStarAlmanac(places_, kJ2000, 0, star), kAlmanacUnknownStar);
  EXPECT_EQ(ComputeStarAlmanac(places_, kJ2000, 174, star), kAlmanacUnknownStar);

  for (BodyId body : {kEarth, kSun, kMoon, BodyId{0}}) {
    double magnitude = 0.0;
    EXPECT_EQ(ComputePlanetMagnitude(places_, body, kJ2000, magnitude), kMagnitudeUnknownBody);
    EXPECT_EQ(magnitude, kNoMagnitude);
  }

  // The rows stop at the Sun before reaching the Moon and Aries.
  MoonAlmanacValues moon{};
  double aries = 0.0;
  EXPECT_EQ(ComputeMoonAlmanac(places_, kBeforeDeltaTTable, moon), kAlmanacNoDeltaT);
  EXPECT_EQ(ComputeAriesAlmanac(places_, kBeforeDeltaTTable, aries), kAlmanacNoDeltaT);
}

}  // namespace
}  // namespace navora
