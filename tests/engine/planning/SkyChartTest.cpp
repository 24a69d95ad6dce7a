// What the sky chart holds at the edges of its limits, checked against the
// planning bodies' own altitudes: the Sun in twilight, Polaris in the north,
// the selected-star marks, and the lit side of the Moon.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>

#include "engine/common/Angles.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/places/SelectedStars.h"
#include "engine/places/StarCatalogue.h"
#include "engine/planning/PlanningInstant.h"
#include "engine/planning/SkyChart.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr double kSunDepressionDeg = -5.0;
constexpr double kBisectionDays = 1e-6;

struct Chart {
  SkyChartLuminary luminaries[kSkyChartMaxLuminaries];
  SkyChartPlanet planets[kSkyChartMaxPlanets];
  SkyChartStar stars[kSkyChartMaxStars];
  int16_t luminaryCount = 0, planetCount = 0, starCount = 0;
};

std::array<double, 3> Direction(double zenithDistanceDeg, double azimuthDeg) {
  const double z = DegreesToRadians(zenithDistanceDeg), a = DegreesToRadians(azimuthDeg);
  return {std::sin(z) * std::cos(a), std::sin(z) * std::sin(a), std::cos(z)};
}

double AngleDeg(const std::array<double, 3>& u, const std::array<double, 3>& v) {
  return RadiansToDegrees(std::acos(u[0] * v[0] + u[1] * v[1] + u[2] * v[2]));
}

class SkyChartTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(OpenDefaultEphemeris(places_.ephemeris), kStatusOk); }

  Chart ChartAt(double timeUtc, double latitude, double longitude) {
    Chart c;
    EXPECT_EQ(ComputeSkyChart(places_, timeUtc, 0.0, latitude, longitude, 0.0, c.luminaries,
                              c.luminaryCount, c.planets, c.planetCount, c.stars, c.starCount),
              kStatusOk);
    return c;
  }

  PlanningBodiesResult BodiesAt(double timeUtc, double latitude, double longitude) {
    PlanningBodiesResult result;
    EXPECT_EQ(PlanningBodiesAt(places_, timeUtc, 0.0, latitude, longitude, 0.0, result),
              kStatusOk);
    return result;
  }

  PlaceContext places_;
};

TEST_F(SkyChartTest, SunFiveDegreesDownIsChartedButNoBodyBelowTheHorizon) {
  constexpr double kLatitude = 45.0, kLongitude = -10.0;
  // The evening instant when the Sun's centre is 5 degrees down.
  double above = CalendarToJulian(2015, 3, 20, 17, 0, 0.0);
  double below = CalendarToJulian(2015, 3, 20, 21, 0, 0.0);
  while (below - above > kBisectionDays) {
    const double mid = 0.5 * (above + below);
    const double sun = BodiesAt(mid, kLatitude, kLongitude).bodies[0].altitude;
    (sun > kSunDepressionDeg ? above : below) = mid;
  }
  const Chart chart = ChartAt(above, kLatitude, kLongitude);
  const PlanningBodiesResult bodies = BodiesAt(above, kLatitude, kLongitude);

  ASSERT_GE(chart.luminaryCount, 1);
  EXPECT_STREQ(chart.luminaries[0].name, "Sun");
  EXPECT_NEAR(chart.luminaries[0].zenithDistance, 90.0 - kSunDepressionDeg, 1e-3);

  int belowHorizon = 0;
  int shown = chart.planetCount + chart.luminaryCount - 1;
  for (int k = 1; k < kPlanningBodyCount; ++k) {
    if (bodies.bodies[k].altitude <= 0.0) ++belowHorizon;
  }
  ASSERT_GT(belowHorizon, 0) << "the instant must put a body below the horizon";
  EXPECT_EQ(shown, kPlanningBodyCount - 1 - belowHorizon);
  for (int k = 0; k < chart.planetCount; ++k) {
    EXPECT_LT(chart.planets[k].zenithDistance, 90.0) << chart.planets[k].name;
  }
}

TEST_F(SkyChartTest, PolarisInTheNorthAndMarksFromTheSelectedStars) {
  const double time = CalendarToJulian(2010, 11, 5, 4, 0, 0.0);
  for (double latitude : {50.0, 5.0, -30.0}) {
    const Chart chart = ChartAt(time, latitude, 20.0);
    const PlanningBodiesResult bodies = BodiesAt(time, latitude, 20.0);
    int16_t selected[kSelectedStarCount] = {};
    ASSERT_EQ(LookupSelectedStars(latitude, bodies.lhaAries, selected), kStatusOk);

    const SkyChartStar* polaris = nullptr;
    for (int k = 0; k < chart.starCount; ++k) {
      const SkyChartStar& star = chart.stars[k];
      EXPECT_STREQ(star.name, kStarCatalogue[star.starNumber - 1].name);
      if (star.starNumber == kPolarisNumber) polaris = &star;
      char expected = kStarNotSelected;
      for (int16_t n : selected) {
        if (std::abs(n) == star.starNumber) expected = n < 0 ? kStarBestThree : kStarSelected;
      }
      EXPECT_EQ(star.selectedMark, expected) << latitude << " " << star.name;
    }
    if (latitude > 1.0) {
      ASSERT_NE(polaris, nullptr) << latitude;
      EXPECT_LT(std::fabs(std::remainder(polaris->azimuth, 360.0)), 2.0);
      EXPECT_NEAR(90.0 - polaris->zenithDistance, latitude, 1.0);
    } else {
      EXPECT_EQ(polaris, nullptr);
    }
  }
}

TEST_F(SkyChartTest, MoonsCentreOfLightLiesTowardTheSun) {
  // The Moon up at 14, 49 and 102 degrees from the Sun (instants of the
  // reference sky).
  struct Case {
    double time, latitude, longitude;
  };
  const Case cases[] = {{2447416.97569444, 57.2, -2.1},
                        {2455629.86805556, -38.0, 144.9},
                        {2440631.73611111, 48.5, -125.3}};
  for (const Case& c : cases) {
    const Chart chart = ChartAt(c.time, c.latitude, c.longitude);
    ASSERT_GE(chart.luminaryCount, 1);
    const SkyChartLuminary& moon = chart.luminaries[chart.luminaryCount - 1];
    ASSERT_STREQ(moon.name, "Moon");
    const auto centre = Direction(moon.zenithDistance, moon.azimuth);
    const auto light = Direction(moon.lightZenithDistance, moon.lightAzimuth);
    const auto sun = Direction(moon.sunZenithDistance, moon.sunAzimuth);
    const double shift = AngleDeg(centre, light);
    EXPECT_GT(shift, 0.0);
    EXPECT_LT(shift, 0.25);  // within the disk
    EXPECT_NEAR(AngleDeg(light, sun), AngleDeg(centre, sun) - shift, 1e-3);
    EXPECT_GT(moon.illuminatedFraction, 0.0);
    EXPECT_LT(moon.illuminatedFraction, 1.0);
  }
}

}  // namespace
}  // namespace navora
