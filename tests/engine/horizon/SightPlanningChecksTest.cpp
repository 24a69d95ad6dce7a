#include <gtest/gtest.h>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/horizon/HorizonFrame.h"
#include "engine/horizon/SightPlanningChecks.h"

namespace navora {
namespace {

constexpr double kKmPerAu = 149597870.66;
constexpr double kMoonMeanDistanceAu = 384400.0 / kKmPerAu;

struct Direction {
  double separationDeg;
  char letter;
};

Direction DirectionOf(double ra1, double dec1, double ra2, double dec2) {
  Vector3 v1{}, v2{};
  LonLatToVector(ra1 * 15.0, dec1, 2.0, v1);
  LonLatToVector(ra2 * 15.0, dec2, 3.0, v2);
  Direction d{-1.0, '?'};
  EXPECT_EQ(RelativeDirection(ra1, dec1, 2.0, v1, ra2, dec2, 3.0, v2, d.separationDeg, d.letter),
            kStatusOk);
  return d;
}

TEST(RelativeDirection, EastAndWestAcrossZeroHours) {
  EXPECT_NEAR(DirectionOf(2.0, 0.0, 3.0, 0.0).separationDeg, 15.0, 1e-9);
  EXPECT_EQ(DirectionOf(23.5, 10.0, 0.5, 10.0).letter, 'E');
  EXPECT_EQ(DirectionOf(0.5, 10.0, 23.5, 10.0).letter, 'W');
  EXPECT_EQ(DirectionOf(2.0, -40.0, 16.0, -40.0).letter,
            'W');  // 14h east is 10h west
}

TEST(RelativeDirection, CloseBodiesByTheLargerOffset) {
  EXPECT_EQ(DirectionOf(5.0, 20.0, 5.0, 22.0).letter, 'N');
  EXPECT_EQ(DirectionOf(5.0, 20.0, 5.0, 18.0).letter, 'S');
  EXPECT_EQ(DirectionOf(5.0, 20.0, 5.0, 20.0).letter, ' ');
  // 3 degrees of hour angle is 3 degrees on the equator but 1.5 at 60 N.
  EXPECT_EQ(DirectionOf(5.0, 0.0, 5.2, 2.0).letter, 'E');
  EXPECT_EQ(DirectionOf(5.0, 60.0, 5.2, 62.0).letter, 'N');
  // Farther apart than 5 degrees the hour angle decides.
  Direction d = DirectionOf(0.0, 0.0, 0.1, 10.0);
  EXPECT_GT(d.separationDeg, 5.0);
  EXPECT_EQ(d.letter, 'E');
}

TEST(DiskOverlap, ContactsAndContainment) {
  // 0.5 degrees = 1800 arcsec exactly.
  EXPECT_EQ(DiskOverlap(0.5, 900.0, 900.0), kDisksApart);  // external contact
  EXPECT_EQ(DiskOverlap(0.5, 1000.0, 801.0), kDisksPartialOverlap);
  // 0.0625 degrees = 225 arcsec exactly: internal contact counts as inside.
  EXPECT_EQ(DiskOverlap(0.0625, 1000.0, 1225.0), kFirstDiskCovered);
  EXPECT_EQ(DiskOverlap(0.0625, 1225.0, 1000.0), kSecondDiskInside);
  EXPECT_EQ(DiskOverlap(0.0625, 1000.0, 1224.0), kDisksPartialOverlap);
  // Concentric equal disks: the first is covered (a total eclipse).
  EXPECT_EQ(DiskOverlap(0.0, 950.0, 950.0), kFirstDiskCovered);
}

TEST(ShadowRadii, EarthShadowAtTheMoon) {
  double penumbra = 0.0, umbra = 0.0;
  ASSERT_EQ(ShadowRadii(8.794, 959.64, kMoonMeanDistanceAu, penumbra, umbra), kStatusOk);
  // About 42' and 75' at the mean distance of the Moon.
  EXPECT_NEAR(umbra / 60.0, 42.0, 0.5);
  EXPECT_NEAR(penumbra / 60.0, 74.7, 0.5);
}

// The Moon placed at an angle (arc-minutes) from the anti-Sun point.
EngineStatus LunarCheckAt(double offsetMinutes) {
  const Vector3 sun{1.0, 0.0, 0.0};
  Vector3 moon{};
  LonLatToVector(180.0, offsetMinutes / 60.0, kMoonMeanDistanceAu, moon);
  return LunarEclipseCheck(sun, 1.0, moon, kMoonMeanDistanceAu);
}

TEST(LunarEclipseCheck, DepthOfTheMoonInTheShadow) {
  // Umbra about 42', penumbra 75', Moon's semi-diameter 15.5'.
  EXPECT_EQ(LunarCheckAt(25.0), kTotalLunarEclipse);
  EXPECT_EQ(LunarCheckAt(-30.0), kPartialLunarEclipse);
  EXPECT_EQ(LunarCheckAt(55.0), kPartialLunarEclipse);
  EXPECT_EQ(LunarCheckAt(60.0), kPenumbralLunarEclipse);
  EXPECT_EQ(LunarCheckAt(88.0), kPenumbralLunarEclipse);
  EXPECT_EQ(LunarCheckAt(92.0), kNoEclipse);
}

TEST(SunMoonEclipseCheck, SolarEclipseOnlyWhileTheSunIsUp) {
  PlaceContext places;          // no ephemeris opened: the solar check needs none
  const double jd = 2459891.5;  // not consulted for the solar check
  // Moon 15.5' over a 16' Sun, concentric: annular.
  EXPECT_EQ(SunMoonEclipseCheck(places, jd, 0.0, 60.0, 60.0, 960.0, 930.0, 0.0),
            kAnnularSolarEclipse);
  EXPECT_EQ(SunMoonEclipseCheck(places, jd, 0.0, 60.0, 60.0, 960.0, 990.0, 0.0),
            kTotalSolarEclipse);
  EXPECT_EQ(SunMoonEclipseCheck(places, jd, 0.0, 60.0, 60.0, 960.0, 990.0, 0.4),
            kPartialSolarEclipse);
  // Upper limb just above and just below the horizon (zenith 90.5667 + SD).
  const double sd = 960.0;
  EXPECT_EQ(SunMoonEclipseCheck(places, jd, 0.0, 90.8, 90.8, sd, 990.0, 0.0), kTotalSolarEclipse);
  EXPECT_EQ(SunMoonEclipseCheck(places, jd, 0.0, 90.9, 90.9, sd, 990.0, 0.0), kNoEclipse);
  // A high eye sees below the sea-level horizon.
  EXPECT_EQ(SunMoonEclipseCheck(places, jd, 25.0, 90.9, 90.9, sd, 990.0, 0.0), kTotalSolarEclipse);
}

TEST(SunMoonEclipseCheck, LunarCheckNeedsOppositionAndAVisibleMoon) {
  // These return before any place is computed: no ephemeris is open.
  PlaceContext places;
  const double jd = 2459891.9584;
  EXPECT_EQ(SunMoonEclipseCheck(places, jd, 0.0, 120.0, 60.0, 960.0, 900.0, 175.9), kNoEclipse);
  EXPECT_EQ(SunMoonEclipseCheck(places, jd, 0.0, 60.0, 120.0, 960.0, 900.0, 179.9), kNoEclipse);
}

// Each check refuses a declination beyond a pole, a separation or zenith
// distance beyond 0..180, a negative radius, a non-positive distance and any
// non-finite input, and leaves no NaN behind.
TEST(SightPlanningChecks, RefuseArgumentsOutsideTheDomain) {
  PlaceContext places;
  const Vector3 v{0.1, 0.2, 0.3};
  const Vector3 bad{0.1, NAN, 0.3};
  for (const double dec : {95.0, -90.0001, double{NAN}, double{INFINITY}}) {
    double separation = -1.0;
    char letter = '?';
    EXPECT_EQ(RelativeDirection(1.0, dec, 1.0, v, 2.0, 0.0, 1.0, v, separation, letter),
              kStatusOutOfDomain);
    EXPECT_EQ(separation, 0.0);
    EXPECT_EQ(letter, ' ');
    EXPECT_EQ(SunMoonEclipseCheck(places, 2451545.0, 0.0, 90.0 + dec, 60.0, 960.0, 900.0, 0.1),
              kStatusOutOfDomain);
    EXPECT_EQ(DiskOverlap(90.0 + dec, 900.0, 900.0), kStatusOutOfDomain);
  }
  double separation = -1.0;
  char letter = '?';
  EXPECT_EQ(RelativeDirection(NAN, 0.0, 1.0, v, 2.0, 0.0, 1.0, v, separation, letter),
            kStatusOutOfDomain);
  EXPECT_EQ(RelativeDirection(1.0, 0.0, 1.0, v, 2.0, 0.0, 0.0, v, separation, letter),
            kStatusOutOfDomain);
  EXPECT_EQ(RelativeDirection(1.0, 0.0, 1.0, v, 2.0, 0.0, 1.0, bad, separation, letter),
            kStatusOutOfDomain);
  EXPECT_EQ(DiskOverlap(0.1, -1.0, 900.0), kStatusOutOfDomain);
  EXPECT_EQ(DiskOverlap(0.1, 900.0, INFINITY), kStatusOutOfDomain);
  double penumbra = -1.0, umbra = -1.0;
  EXPECT_EQ(ShadowRadii(8.794, 959.64, 0.0, penumbra, umbra), kStatusOutOfDomain);
  EXPECT_EQ(ShadowRadii(NAN, 959.64, kMoonMeanDistanceAu, penumbra, umbra), kStatusOutOfDomain);
  EXPECT_EQ(penumbra + umbra, 0.0);
  EXPECT_EQ(LunarEclipseCheck(bad, 1.0, v, kMoonMeanDistanceAu), kStatusOutOfDomain);
  EXPECT_EQ(LunarEclipseCheck(v, 1.0, v, -kMoonMeanDistanceAu), kStatusOutOfDomain);
  EXPECT_EQ(SunMoonEclipseCheck(places, INFINITY, 0.0, 60.0, 60.0, 960.0, 900.0, 0.1),
            kStatusOutOfDomain);
  EXPECT_EQ(SunMoonEclipseCheck(places, 2451545.0, NAN, 60.0, 60.0, 960.0, 900.0, 0.1),
            kStatusOutOfDomain);
  EXPECT_EQ(SunMoonEclipseCheck(places, 2451545.0, 0.0, 60.0, 60.0, 960.0, 900.0, 180.5),
            kStatusOutOfDomain);
}

// Moon well up, Sun well down: only the shadow decides.
EngineStatus LunarCheckOfRecord(PlaceContext& places, double jdTt) {
  return SunMoonEclipseCheck(places, jdTt, 0.0, 130.0, 50.0, 970.0, 900.0, 179.5);
}

TEST(SunMoonEclipseCheck, KnownEclipsesAnOrdinaryFullMoonAndADateOutsideTheFile) {
  PlaceContext places;
  ASSERT_EQ(OpenDefaultEphemeris(places.ephemeris), kStatusOk);
  // Mid-eclipse instants (UT plus about 69 s for TT).
  EXPECT_EQ(LunarCheckOfRecord(places, 2459891.9584),
            kTotalLunarEclipse);  // 2022 Nov 8, 10:59 UT
  EXPECT_EQ(LunarCheckOfRecord(places, 2459537.8779),
            kPartialLunarEclipse);  // 2021 Nov 19, 09:03 UT
  EXPECT_EQ(LunarCheckOfRecord(places, 2458859.2994),
            kPenumbralLunarEclipse);  // 2020 Jan 10, 19:10 UT
  EXPECT_EQ(LunarCheckOfRecord(places, 2459921.6730),
            kNoEclipse);  // 2022 Dec 8, full Moon
  EXPECT_EQ(LunarCheckOfRecord(places, 2470000.5), 3 + kEclipsePlaceFailureOffset);
}

}  // namespace
}  // namespace navora
