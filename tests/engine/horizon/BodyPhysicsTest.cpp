#include "engine/horizon/BodyPhysics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/ephemeris/EphemerisReader.h"
#include "engine/horizon/VectorArithmetic.h"
#include "engine/places/ApparentPlace.h"

namespace navora {
namespace {

constexpr double kKmPerAu = 149597870.66;
constexpr double kFlattening = 0.00335281;

TEST(AngularRadius, SemiDiametersOfSunAndMoon) {
  EXPECT_NEAR(AngularRadius(1.0, kBodyRadiusMetres[kSun]), 959.64, 0.01);
  EXPECT_NEAR(AngularRadius(384400.0 / kKmPerAu, kBodyRadiusMetres[kMoon]) / 60.0, 15.54, 0.01);
  EXPECT_EQ(kBodyRadiusMetres[0], kBodyRadiusMetres[kMoon]);
}

TEST(ParallaxInAltitude, HorizontalParallaxOfSunAndMoon) {
  EXPECT_NEAR(ParallaxInAltitude(1.0, 0.0, 90.0), 8.794, 0.001);
  // The Moon's HP runs from about 54' at apogee to 61' at perigee.
  EXPECT_NEAR(ParallaxInAltitude(384400.0 / kKmPerAu, 0.0, 90.0) / 60.0, 57.04, 0.01);
  EXPECT_NEAR(ParallaxInAltitude(405500.0 / kKmPerAu, 0.0, 90.0) / 60.0, 54.07, 0.01);
  EXPECT_NEAR(ParallaxInAltitude(362600.0 / kKmPerAu, 0.0, 90.0) / 60.0, 60.47, 0.01);
}

TEST(ParallaxInAltitude, MoonOverTwoMonthsOfTheEphemeris) {
  double first = 0.0, last = 0.0;
  ASSERT_EQ(OpenEphemerisFile("1970-2025.eph", first, last), kStatusOk);
  double smallest = 1e9, largest = 0.0;
  for (double jd = 2460310.5; jd < 2460370.5; jd += 0.25) {
    double ra = 0.0, dec = 0.0, distance = 0.0, obliquity = 0.0, lightTime = 0.0;
    Vector3 ofDate{}, astrometric{};
    ASSERT_EQ(GeocentricApparentPlace(jd, kMoon, kEarth, ra, dec, distance, ofDate, astrometric,
                                      obliquity, lightTime),
              kStatusOk);
    const double hpMinutes = ParallaxInAltitude(distance, 0.0, 90.0) / 60.0;
    smallest = std::min(smallest, hpMinutes);
    largest = std::max(largest, hpMinutes);
  }
  // Apogee and perigee of early 2024: HP between 54' and 61.5'.
  EXPECT_GT(smallest, 53.8);
  EXPECT_LT(smallest, 54.3);
  EXPECT_GT(largest, 60.5);
  EXPECT_LT(largest, 61.5);
}

TEST(ParallaxInAltitude, FollowsZenithDistanceAndEarthFigure) {
  const double moon = 384400.0 / kKmPerAu;
  EXPECT_EQ(ParallaxInAltitude(moon, 30.0, 0.0), 0.0);
  const double hp = ParallaxInAltitude(moon, 30.0, 90.0);
  EXPECT_NEAR(ParallaxInAltitude(moon, 30.0, 60.0), hp * std::sin(60.0 * M_PI / 180.0), 0.05);
  // Smaller Earth radius toward the poles; symmetric about the equator.
  EXPECT_LT(hp, ParallaxInAltitude(moon, 0.0, 90.0));
  EXPECT_EQ(ParallaxInAltitude(moon, -30.0, 90.0), hp);
}

TEST(ParallaxInAltitude, PolesUsePolarRadius) {
  const double moon = 384400.0 / kKmPerAu;
  const double polar = std::asin((1.0 - kFlattening) * 6378137.0 / 384400000.0) * 206264.80624709636;
  EXPECT_NEAR(ParallaxInAltitude(moon, 90.0, 90.0), polar, 1e-9);
  EXPECT_NEAR(ParallaxInAltitude(moon, -90.0, 90.0), polar, 1e-9);
  EXPECT_NEAR(ParallaxInAltitude(moon, 89.9999999, 90.0), polar, 1e-6);
}

TEST(PhaseAngle, FullNewAndQuarterMoon) {
  const Vector3 sun{1.0, 0.0, 0.0};
  const double moonDistance = 0.00257;
  double phase = -1.0, sunDistance = 0.0;
  Vector3 towardSun{}, towardEarth{};

  PhaseAngle({-moonDistance, 0.0, 0.0}, moonDistance, sun, phase, sunDistance, towardSun,
             towardEarth);
  EXPECT_FALSE(std::isnan(phase));
  EXPECT_NEAR(phase, 0.0, 1e-6);
  EXPECT_NEAR(sunDistance, 1.0 + moonDistance, 1e-15);
  EXPECT_NEAR(IlluminatedFraction(phase), 1.0, 1e-12);

  PhaseAngle({moonDistance, 0.0, 0.0}, moonDistance, sun, phase, sunDistance, towardSun,
             towardEarth);
  EXPECT_NEAR(phase, 180.0, 1e-6);
  EXPECT_NEAR(IlluminatedFraction(phase), 0.0, 1e-12);
  EXPECT_NEAR(towardSun[0], 1.0, 1e-15);
  EXPECT_NEAR(towardEarth[0], -1.0, 1e-15);

  // At quadrature (Moon 90 degrees from the Sun) the phase angle is a little
  // under 90 degrees: the Sun is seen from the Moon slightly off the normal.
  PhaseAngle({0.0, moonDistance, 0.0}, moonDistance, sun, phase, sunDistance, towardSun,
             towardEarth);
  EXPECT_NEAR(phase, 90.0 - std::atan(moonDistance) * 180.0 / M_PI, 1e-9);
  EXPECT_NEAR(IlluminatedFraction(phase), 0.5, 0.002);
  EXPECT_NEAR(VectorLength(towardSun), 1.0, 1e-15);
  EXPECT_NEAR(VectorLength(towardEarth), 1.0, 1e-15);
}

TEST(PhaseAngle, CollinearRoundingGivesNoNan) {
  // Components chosen so that the unit vectors' dot product rounds above 1.
  const Vector3 body{-0.1, -0.2, -0.3};
  const Vector3 sun{0.7, 1.4, 2.1};
  double phase = -1.0, sunDistance = 0.0;
  Vector3 towardSun{}, towardEarth{};
  PhaseAngle(body, VectorLength(body), sun, phase, sunDistance, towardSun, towardEarth);
  EXPECT_FALSE(std::isnan(phase));
  EXPECT_NEAR(phase, 0.0, 1e-6);
}

TEST(PlanetMagnitude, BodiesWithoutAMagnitudeLaw) {
  for (BodyId body : {BodyId{0}, kEarth, kSun, kMoon, BodyId{-1}}) {
    double magnitude = 0.0;
    EXPECT_EQ(PlanetMagnitude(body, 1.0, 1.0, 0.0, 30.0, magnitude), kMagnitudeUnknownBody)
        << "body " << body;
    EXPECT_EQ(magnitude, kNoMagnitude);
  }
}

TEST(PlanetMagnitude, KnownApparitions) {
  double m = 0.0;
  // Venus at greatest brilliancy, about -4.9.
  ASSERT_EQ(PlanetMagnitude(kVenus, 0.723, 0.40, 0.0, 118.0, m), kStatusOk);
  EXPECT_NEAR(m, -4.9, 0.1);
  // Mars at the 2003 perihelic opposition, about -2.9.
  PlanetMagnitude(kMars, 1.381, 0.3727, 0.0, 0.0, m);
  EXPECT_NEAR(m, -2.9, 0.1);
  // Jupiter at a mean opposition, about -2.7.
  PlanetMagnitude(kJupiter, 5.2, 4.2, 0.0, 0.0, m);
  EXPECT_NEAR(m, -2.7, 0.05);
  // Saturn at the 2017 opposition with the rings wide open, about 0.0; the
  // same planet edge-on is fainter by about 0.9 magnitudes.
  double open = 0.0, edgeOn = 0.0, southOpen = 0.0;
  PlanetMagnitude(kSaturn, 10.07, 9.05, 26.96, 0.0, open);
  PlanetMagnitude(kSaturn, 10.07, 9.05, 0.0, 0.0, edgeOn);
  PlanetMagnitude(kSaturn, 10.07, 9.05, -26.96, 0.0, southOpen);
  EXPECT_NEAR(open, 0.0, 0.05);
  EXPECT_NEAR(edgeOn - open, 0.92, 0.01);
  EXPECT_EQ(southOpen, open);
}

TEST(PlanetMagnitude, FainterFartherAndAtLargerPhase) {
  double near = 0.0, far = 0.0, gibbous = 0.0;
  PlanetMagnitude(kMercury, 0.39, 1.0, 0.0, 40.0, near);
  PlanetMagnitude(kMercury, 0.39, 1.2, 0.0, 40.0, far);
  PlanetMagnitude(kMercury, 0.39, 1.0, 0.0, 80.0, gibbous);
  EXPECT_NEAR(far - near, 5.0 * std::log10(1.2), 1e-12);
  EXPECT_GT(gibbous, near);
}

// Unit vectors from Saturn toward the Earth in the true equator of date and
// the ring tilts computed for them by an independent reduction.
struct RingTiltCase {
  double jdTdb;
  double lightTimeDays;
  Vector3 towardEarth;
  double tiltDeg;
};
constexpr RingTiltCase kRingsOpen2017{2458042.5, 0.06074631152062775,
                                      {0.11746641292919247, 0.9181589472460068,
                                       0.37839898179785425},
                                      26.96124160454313};
constexpr RingTiltCase kRingsEdgeOn2025{2460757.5, 0.06114946126509876,
                                        {-0.9928060191281687, 0.09206868371347049,
                                         0.07654780115814583},
                                        0.04729599217309335};
constexpr RingTiltCase kRingsSouth2008{2454545.25, 0.04841906716563485,
                                       {0.892923488324335, -0.3991065993814407,
                                        -0.20833042583569764},
                                       -9.254493970633163};

TEST(SaturnRingTilt, AgreesWithIndependentReduction) {
  for (const RingTiltCase& c : {kRingsOpen2017, kRingsEdgeOn2025, kRingsSouth2008}) {
    EXPECT_NEAR(SaturnRingTilt(c.jdTdb, c.lightTimeDays, c.towardEarth), c.tiltDeg, 0.01)
        << "jd " << c.jdTdb;
  }
}

TEST(SaturnRingTilt, ReusesTheValueWithinADay) {
  const RingTiltCase& c = kRingsOpen2017;
  const double first = SaturnRingTilt(c.jdTdb, c.lightTimeDays, c.towardEarth);
  // A different direction within the day is not looked at.
  const Vector3 other = kRingsSouth2008.towardEarth;
  EXPECT_EQ(SaturnRingTilt(c.jdTdb + 0.9, c.lightTimeDays, other), first);
  EXPECT_NE(SaturnRingTilt(c.jdTdb + 1.5, c.lightTimeDays, other), first);
}

}  // namespace
}  // namespace navora
