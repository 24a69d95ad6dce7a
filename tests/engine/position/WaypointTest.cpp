#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/position/Waypoint.h"
#include "tests/engine/position/PositionTestSupport.h"

namespace navora {
namespace {

using namespace navora::testing;

constexpr double kDay = 1.0;
constexpr double kHour = 1.0 / 24.0;
constexpr double kMinute = kHour / 60.0;
const double kT0 = 2455000.5;  // 2009 June 18, 0 h UTC

bool AllFinite(const WaypointResult& r) {
  const double values[] = {r.waypoint.latitude,     r.waypoint.longitude, r.departure.latitude,
                           r.departure.longitude,   r.rhumbLine.course,   r.rhumbLine.speed,
                           r.rhumbLine.distanceNm,  r.greatCircle.course, r.greatCircle.speed,
                           r.greatCircle.distanceNm};
  return std::all_of(std::begin(values), std::end(values),
                     [](double v) { return std::isfinite(v); });
}

// A ship lying at (lat, lon) at kT0, so that the departure is that position.
PositionRecord Stopped(double lat, double lon) {
  return MovingRecord(kMotionNone, kT0, lat, lon, 0.0, 0.0);
}

// Every refusal, and the positions that have no great circle: no NaN leaks.
TEST(Waypoint, RefusesWhatHasNoAnswer) {
  const PositionRecord at = MovingRecord(kMotionRhumbLine, kT0, 30.0, -40.0, 90.0, 12.0);
  const double near = 0.4 * kWaypointMinimumArcDeg;
  struct Case {
    const char* what;
    double departure, lat, lon, arrival;
    EngineStatus status;
  } cases[] = {
      {"departure before the reference", kT0 - kMinute, 31.0, -40.0, kT0 + kDay,
       kWaypointDepartureBeforeReference},
      {"arrival at the departure", kT0 + kHour, 31.0, -40.0, kT0 + kHour,
       kWaypointArrivalNotAfterDeparture},
      {"arrival before the departure", kT0 + kHour, 31.0, -40.0, kT0,
       kWaypointArrivalNotAfterDeparture},
      {"at the departure", kT0, 30.0, -40.0, kT0 + kDay, kWaypointNoGreatCircle},
      {"beside the departure", kT0, 30.0 + near, -40.0, kT0 + kDay, kWaypointNoGreatCircle},
      {"at the antipode", kT0, -30.0, 140.0, kT0 + kDay, kWaypointNoGreatCircle},
      {"beside the antipode", kT0, -30.0, 140.0 - near, kT0 + kDay, kWaypointNoGreatCircle},
      {"latitude beyond the pole", kT0, 91.0, 0.0, kT0 + kDay, kStatusOutOfDomain},
      {"no arrival time", kT0, 31.0, -40.0, NAN, kStatusOutOfDomain},
  };
  for (const Case& c : cases) {
    WaypointResult result;
    EXPECT_EQ(ComputeWaypoint(at, c.departure, c.lat, c.lon, c.arrival, result), c.status)
        << c.what;
    EXPECT_TRUE(AllFinite(result)) << c.what;
  }
  // Just outside the guard the answer is defined and finite.
  WaypointResult result;
  ASSERT_EQ(ComputeWaypoint(at, kT0, 30.0 + 3.0 * near, -40.0, kT0 + kDay, result), kStatusOk);
  EXPECT_TRUE(AllFinite(result));
  EXPECT_NEAR(result.greatCircle.course, 0.0, 1e-6);
}

// The ship leaves its track at the DR position but on its logged course and
// speed, not those made good through the current.
TEST(Waypoint, DepartsFromTheDeadReckoning) {
  PositionRecord reference = MovingRecord(kMotionRhumbLine, kT0, 20.0, 150.0, 45.0, 10.0);
  reference.set = 135.0;
  reference.drift = 2.0;
  reference.driftKmPerDay = 2.0 * kKmPerDayPerKnot;
  const PositionRecord dr = Advance(reference, 6.0 * kHour);
  WaypointResult result;
  ASSERT_EQ(ComputeWaypoint(reference, kT0 + 6.0 * kHour, 21.0, 151.0, kT0 + kDay, result),
            kStatusOk);
  const PositionRecord& d = result.departure;
  EXPECT_EQ(d.latitude, dr.latitude);
  EXPECT_EQ(d.longitude, dr.longitude);
  EXPECT_EQ(d.time, kT0 + 6.0 * kHour);
  EXPECT_EQ(d.course, 45.0);
  EXPECT_EQ(d.speed, 10.0);
  EXPECT_EQ(d.positionType, kPositionDr);
  EXPECT_EQ(d.motionMode, kMotionGreatCircle);
  EXPECT_EQ(result.waypoint.positionType, kPositionUserDefined);
  EXPECT_EQ(result.waypoint.motionMode, kMotionNone);
  EXPECT_EQ(result.waypoint.time, kT0 + kDay);
}

// Routes of every kind against the rhumb-line and geodesic solutions; the
// speed must cover the distance in the elapsed time.
TEST(Waypoint, RoutesAgreeWithIndependentSolutions) {
  struct Route {
    const char* what;
    double lat1, lon1, lat2, lon2, hours;
  } routes[] = {
      {"short", 49.5, -4.25, 49.7, -4.0, 3.0},
      {"coastal", 36.0, -5.6, 35.2, -2.9, 12.0},
      {"ocean", 40.0, -70.0, 50.0, -10.0, 240.0},
      {"long southern", -33.9, 18.4, -31.9, 115.8, 480.0},
      {"across 180", 10.0, 179.0, 12.0, -178.5, 30.0},
      {"across 180 westward", -20.0, -175.0, -15.0, 170.0, 90.0},
      {"high latitude", 70.0, 20.0, 72.5, 35.0, 48.0},
      {"meridian north", -10.0, 30.0, 25.0, 30.0, 200.0},
      {"meridian south", 60.0, -20.0, 50.0, -20.0, 50.0},
      {"equator east", 0.0, -30.0, 0.0, -20.0, 60.0},
      {"equator west", 0.0, 100.0, 0.0, 95.0, 30.0},
      {"due east at 45 N", 45.0, -40.0, 45.0, -30.0, 40.0},
  };
  for (const Route& r : routes) {
    WaypointResult result;
    ASSERT_EQ(ComputeWaypoint(Stopped(r.lat1, r.lon1), kT0, r.lat2, r.lon2, kT0 + r.hours * kHour,
                              result),
              kStatusOk)
        << r.what;
    double metres = 0.0, azimuth = 0.0, azimuth2 = 0.0;
    kRhumb.Inverse(r.lat1, r.lon1, r.lat2, r.lon2, metres, azimuth);
    const WaypointRoute& rl = result.rhumbLine;
    // Within 0.02 NM over the 5-degree legs the report recommends; on long
    // tracks near east-west the Mercator sailing's division by the cosine of
    // the course magnifies the meridian arc's truncation, up to 1.3e-5 of the run.
    const double rhumbToleranceNm = std::max(0.02, 1.5e-5 * rl.distanceNm);
    EXPECT_NEAR(rl.distanceNm, metres / kMetresPerMile, rhumbToleranceNm) << r.what;
    EXPECT_LT(AngleGap(rl.course, azimuth), 0.01) << r.what;
    EXPECT_NEAR(rl.speed * r.hours, rl.distanceNm, 1e-9 * rl.distanceNm) << r.what;

    kGeodesic.Inverse(r.lat1, r.lon1, r.lat2, r.lon2, metres, azimuth, azimuth2);
    const WaypointRoute& gc = result.greatCircle;
    const double fraction = std::fabs(gc.distanceNm * kMetresPerMile / metres - 1.0);
    EXPECT_LT(fraction, 0.002) << r.what;
    EXPECT_LT(AngleGap(gc.course, azimuth), 0.2) << r.what;
    EXPECT_NEAR(gc.speed * r.hours, gc.distanceNm, 1e-9 * gc.distanceNm) << r.what;
  }
}

}  // namespace
}  // namespace navora
