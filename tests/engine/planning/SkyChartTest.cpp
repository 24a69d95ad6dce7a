// The three planning computations beyond what the reference sky checks: the
// chart at the edges of its limits, the selected-star marks, the lit side of
// the Moon, and each failing step with its own status.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>

#include "engine/common/Angles.h"
#include "engine/common/EngineStatus.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/places/SelectedStars.h"
#include "engine/planning/PlanningInstant.h"
#include "engine/planning/SkyChart.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr double kSunDepressionDeg = -5.0;
constexpr double kBisectionDays = 1e-6;
constexpr EngineStatus kLookupOutsideBands = 1;  // LookupSelectedStars beyond 89 degrees

struct Chart {
  SkyChartLuminary luminaries[kSkyChartMaxLuminaries];
  SkyChartPlanet planets[kSkyChartMaxPlanets];
  SkyChartStar stars[kSkyChartMaxStars];
  int16_t luminaryCount = -1, planetCount = -1, starCount = -1;
  EngineStatus status = kStatusOk;
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
    c.status = ComputeSkyChart(places_, timeUtc, 0.0, latitude, longitude, 0.0, c.luminaries,
                               c.luminaryCount, c.planets, c.planetCount, c.stars, c.starCount);
    return c;
  }

  PlanningBodiesResult BodiesAt(double timeUtc, double latitude, double longitude) {
    PlanningBodiesResult result;
    EXPECT_EQ(PlanningBodiesAt(places_, timeUtc, 0.0, latitude, longitude, 0.0, result), kStatusOk);
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
  ASSERT_EQ(chart.status, kStatusOk);
  ASSERT_GE(chart.luminaryCount, 1);
  EXPECT_STREQ(chart.luminaries[0].name, "Sun");
  EXPECT_NEAR(chart.luminaries[0].zenithDistance, 90.0 - kSunDepressionDeg, 1e-3);

  int belowHorizon = 0;
  for (int k = 1; k < kPlanningBodyCount; ++k) belowHorizon += bodies.bodies[k].altitude <= 0.0;
  ASSERT_GT(belowHorizon, 0) << "the instant must put a body below the horizon";
  EXPECT_EQ(chart.planetCount + chart.luminaryCount - 1, kPlanningBodyCount - 1 - belowHorizon);
}

TEST_F(SkyChartTest, StarsCarryTheMarksOfTheSelectedStars) {
  const double time = CalendarToJulian(2010, 11, 5, 4, 0, 0.0);
  for (double latitude : {50.0, -30.0}) {
    const Chart chart = ChartAt(time, latitude, 20.0);
    int16_t selected[kSelectedStarCount] = {};
    ASSERT_EQ(LookupSelectedStars(latitude, BodiesAt(time, latitude, 20.0).lhaAries, selected),
              kStatusOk);
    int marked = 0;
    for (int k = 0; k < chart.starCount; ++k) {
      const SkyChartStar& star = chart.stars[k];
      char expected = kStarNotSelected;
      for (int16_t n : selected) {
        if (std::abs(n) == star.starNumber) expected = n < 0 ? kStarBestThree : kStarSelected;
      }
      EXPECT_EQ(star.selectedMark, expected) << latitude << " " << star.name;
      marked += expected != kStarNotSelected;
    }
    EXPECT_EQ(marked, kSelectedStarCount) << latitude;
  }
}

TEST_F(SkyChartTest, MoonsCentreOfLightLiesTowardTheSun) {
  // The Moon up at 14, 49 and 102 degrees from the Sun (reference instants).
  const double cases[][3] = {{2447416.97569444, 57.2, -2.1},
                             {2455629.86805556, -38.0, 144.9},
                             {2440631.73611111, 48.5, -125.3}};
  for (const auto& [time, latitude, longitude] : cases) {
    const Chart chart = ChartAt(time, latitude, longitude);
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

TEST_F(SkyChartTest, EachFailingStepHasItsOwnStatusAndAFailedChartHoldsNothing) {
  const double ok = CalendarToJulian(2012, 7, 1, 22, 0, 0.0);
  constexpr EngineStatus kAnyDeltaTFailure = -1000;  // any status at or below
  const struct {
    const char* what;
    double timeUtc, latitude;
    EngineStatus skyChart, selectedStars, planningBodies;
  } cases[] = {
      {"a good instant", ok, 40.0, kStatusOk, kStatusOk, kStatusOk},
      {"before the Delta T table", 2400000.5, 40.0, kAnyDeltaTFailure, kAnyDeltaTFailure,
       kAnyDeltaTFailure},
      {"no selected stars near the pole", ok, 89.6,
       kSkyChartSelectedStarsFailure + kLookupOutsideBands,
       kSelectedStarsLookupFailure + kLookupOutsideBands, kStatusOk},
      {"latitude beyond the pole", ok, 95.0, kStatusOutOfDomain, kStatusOutOfDomain,
       kStatusOutOfDomain},
  };
  const auto expectStatus = [](EngineStatus actual, EngineStatus expected, const char* what) {
    if (expected == kAnyDeltaTFailure) {
      EXPECT_LE(actual, expected) << what;
    } else {
      EXPECT_EQ(actual, expected) << what;
    }
  };
  for (const auto& c : cases) {
    const Chart chart = ChartAt(c.timeUtc, c.latitude, 30.0);
    SelectedStarsResult selected;
    PlanningBodiesResult bodies;
    expectStatus(chart.status, c.skyChart, c.what);
    expectStatus(SelectedStarsAt(places_, c.timeUtc, 0.0, c.latitude, 30.0, 5.0, selected),
                 c.selectedStars, c.what);
    expectStatus(PlanningBodiesAt(places_, c.timeUtc, 0.0, c.latitude, 30.0, 5.0, bodies),
                 c.planningBodies, c.what);
    if (chart.status != kStatusOk) {
      EXPECT_EQ(chart.luminaryCount + chart.planetCount + chart.starCount, 0) << c.what;
    } else {
      EXPECT_GT(chart.starCount, 0) << c.what;
    }
  }
}

}  // namespace
}  // namespace navora
