// The statuses of the three planning computations: each failing step
// reported with its own offset, and a failed chart holding nothing.

#include <gtest/gtest.h>

#include "engine/common/EngineStatus.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/planning/PlanningInstant.h"
#include "engine/planning/SkyChart.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr EngineStatus kLookupOutsideBands = 1;  // LookupSelectedStars beyond 89 degrees

struct StatusCase {
  const char* what;
  double timeUtc;
  double latitude;
  EngineStatus skyChart, selectedStars, planningBodies;  // kStatusOk, or the expected status
  bool deltaTFailure;                                    // any status <= -1000 instead
};

class PlanningStatusTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(OpenDefaultEphemeris(places_.ephemeris), kStatusOk); }
  PlaceContext places_;
};

TEST_F(PlanningStatusTest, EachFailingStepHasItsOwnStatus) {
  const double ok = CalendarToJulian(2012, 7, 1, 22, 0, 0.0);
  const StatusCase cases[] = {
      {"a good instant", ok, 40.0, kStatusOk, kStatusOk, kStatusOk, false},
      {"before the Delta T table", 2400000.5, 40.0, 0, 0, 0, true},
      {"no selected stars near the pole", ok, 89.6,
       kSkyChartSelectedStarsFailure + kLookupOutsideBands,
       kSelectedStarsLookupFailure + kLookupOutsideBands, kStatusOk, false},
      {"latitude beyond the pole", ok, 95.0, kStatusOutOfDomain, kStatusOutOfDomain,
       kStatusOutOfDomain, false},
  };
  for (const StatusCase& c : cases) {
    SkyChartLuminary luminaries[kSkyChartMaxLuminaries];
    SkyChartPlanet planets[kSkyChartMaxPlanets];
    SkyChartStar stars[kSkyChartMaxStars];
    int16_t luminaryCount = -1, planetCount = -1, starCount = -1;
    const EngineStatus chart =
        ComputeSkyChart(places_, c.timeUtc, 0.0, c.latitude, 30.0, 5.0, luminaries,
                        luminaryCount, planets, planetCount, stars, starCount);
    SelectedStarsResult selected;
    const EngineStatus stars7 =
        SelectedStarsAt(places_, c.timeUtc, 0.0, c.latitude, 30.0, 5.0, selected);
    PlanningBodiesResult bodies;
    const EngineStatus planets6 =
        PlanningBodiesAt(places_, c.timeUtc, 0.0, c.latitude, 30.0, 5.0, bodies);

    if (c.deltaTFailure) {
      EXPECT_LE(chart, -1000) << c.what;
      EXPECT_LE(stars7, -1000) << c.what;
      EXPECT_LE(planets6, -1000) << c.what;
    } else {
      EXPECT_EQ(chart, c.skyChart) << c.what;
      EXPECT_EQ(stars7, c.selectedStars) << c.what;
      EXPECT_EQ(planets6, c.planningBodies) << c.what;
    }
    if (chart != kStatusOk) {
      EXPECT_EQ(luminaryCount + planetCount + starCount, 0) << c.what;
    } else {
      EXPECT_GT(starCount, 0) << c.what;
    }
  }
}

}  // namespace
}  // namespace navora
