// The day's events where the reference tables do not reach: polar day and
// night, a ship crossing the date line, the Moon's phase; the undeterminate
// marks and the carry each table owns; the places behind them.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "engine/common/Angles.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/horizon/HeightOfEye.h"
#include "engine/places/ApparentPlace.h"
#include "engine/riseset/RiseSetEvents.h"
#include "engine/riseset/RiseSetPlaces.h"

namespace navora {
namespace {

constexpr double kMarch20of2020 = 2458928.5;  // 0h UTC
constexpr double kJune21of2020 = 2459021.5;
constexpr double kDecember21of2020 = 2459204.5;
constexpr double kMinutesPerDay = 1440.0;

// In the expected statuses: a twilight that is not computed (status 0, no time).
constexpr EventStatus kNot = 100;
constexpr EventStatus kUnd = kEventUndeterminate;

PositionRecord Site(double latitude, double longitude, double time) {
  return MakePositionRecord(kMotionNone, kPositionExternalFix, time, latitude, longitude, 0.0, 0.0,
                            0.0, 0.0);
}

PositionRecord Ship(double latitude, double longitude, double time, double course, double knots) {
  return MakePositionRecord(kMotionRhumbLine, kPositionDr, time, latitude, longitude, course, knots,
                            0.0, 0.0);
}

class RiseSetEventsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(OpenDefaultEphemeris(places_.ephemeris), kStatusOk); }

  // One table of `days` days from startUtc, each next day from the previous
  // transit plus a day.
  std::vector<RiseSetDay> Table(RiseSetTableState& table, double startUtc, BodyId body,
                                const PositionRecord& reference, int days) {
    std::vector<RiseSetDay> result;
    for (int index = 0; index < days; ++index)
      result.push_back(Day(table, startUtc, body, reference));
    return result;
  }

  RiseSetDay Day(RiseSetTableState& table, double& startUtc, BodyId body,
                 const PositionRecord& reference) {
    RiseSetDay day;
    double transitUtc = 0.0;
    double rate = 0.0;
    EXPECT_EQ(ComputeRiseSetEvents(places_, table, startUtc, 0.3, body, 0.0, reference, day,
                                   transitUtc, rate),
              kStatusOk);
    startUtc = transitUtc + 1.0;
    return day;
  }

  PlaceContext places_;
};

TEST_F(RiseSetEventsTest, SunStatusesFromEquatorToPolarNight) {
  struct Case {
    const char* name;
    double startUtc, latitude, longitude;
    bool underway;
    std::array<EventStatus, kRiseSetEventCount> statuses;  // the event order
  };
  const Case cases[] = {
      {"equator, equinox", kMarch20of2020, 0.0, 0.0, false, {kNot, 0, 0, 0, 0, 0, kNot}},
      {"70 N, midsummer", kJune21of2020, 70.0, 20.0, false, {1, 1, 1, 1, 1, 1, 1}},
      {"70 N, midwinter", kDecember21of2020, 70.0, 20.0, false, {kNot, 0, -1, -1, -1, 0, kNot}},
      {"75 N, midwinter", kDecember21of2020, 75.0, 20.0, false, {kNot, -1, -1, -2, -1, -1, kNot}},
      {"75 N, underway", kDecember21of2020, 75.0, 20.0, true, {0, -1, -1, -2, -1, -1, 0}},
      {"79.5 N, midwinter", kDecember21of2020, 79.5, 20.0, false, {-1, -1, -1, -3, -1, -1, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RiseSetTableState table;
    double start = c.startUtc;
    const RiseSetDay day = Day(table, start, kSun,
                               c.underway ? Ship(c.latitude, c.longitude, c.startUtc, 90.0, 5.0)
                                          : Site(c.latitude, c.longitude, c.startUtc));
    const RiseSetEvent& transit = day.events[kTransitEvent];
    for (int index = 0; index < kRiseSetEventCount; ++index) {
      const RiseSetEvent& event = day.events[index];
      const bool computed = c.statuses[index] != kNot;
      EXPECT_EQ(event.status, computed ? c.statuses[index] : kEventOccurs) << "event " << index;
      if (index == kTransitEvent) continue;
      // Only events found carry a time of their own, before the transit in
      // the morning and after it in the evening; the others carry the
      // transit's, negated.
      if (computed && event.status == kEventOccurs) {
        EXPECT_EQ(event.time < transit.time, index < kTransitEvent) << "event " << index;
        EXPECT_LT(std::fabs(event.time - transit.time), 0.5) << "event " << index;
      } else {
        EXPECT_EQ(event.time, -transit.time) << "event " << index;
      }
    }
  }
}

// A ship on 10 N crossing the date line eastward at 20 knots: the events'
// positions follow her across it, and each rise or set is the one a fixed
// observer at that position sees at that instant.
TEST_F(RiseSetEventsTest, UnderwayAcrossTheDateLine) {
  const double start = kMarch20of2020;
  const PositionRecord ship = Ship(10.0, 178.0, start, 90.0, 20.0);
  RiseSetTableState table;
  double next = start;
  const RiseSetDay day = Day(table, next, kSun, ship);
  double previousTime = 0.0;
  for (const RiseSetEvent& event : day.events) {
    ASSERT_EQ(event.status, kEventOccurs);
    EXPECT_GT(event.time, previousTime);
    previousTime = event.time;
    EXPECT_LE(std::fabs(event.longitude), 180.0);
  }
  EXPECT_GT(day.events[kNauticalTwilightBegin].longitude, 170.0);
  EXPECT_LT(day.events[kNauticalTwilightEnd].longitude, -170.0);

  for (int index : {kRiseEvent, kSetEvent}) {
    const RiseSetEvent& event = day.events[index];
    RiseSetTableState fixed;
    // West of the date line the same solar day is dated a day earlier; its
    // noon falls at the end of the UTC day, so the search starts half a day
    // before it.
    double fixedStart = event.longitude > 0.0 ? start : start - 0.5;
    const RiseSetDay still =
        Day(fixed, fixedStart, kSun, Site(event.latitude, event.longitude, start));
    EXPECT_NEAR((still.events[index].time - event.time) * kMinutesPerDay, 0.0, 0.5)
        << "event " << index;
    EXPECT_NEAR(still.events[index].value, event.value, 0.05) << "event " << index;
  }
}

// The times are checked against the reference tables; the phase is not.
TEST_F(RiseSetEventsTest, MoonIlluminationFollowsItsPhase) {
  RiseSetTableState table;
  const std::vector<RiseSetDay> days =
      Table(table, kMarch20of2020, kMoon, Site(40.0, -70.0, kMarch20of2020), 8);
  // Waning to new moon on 24 March 09h28m UT, then waxing.
  EXPECT_NEAR(days[0].moonIlluminationPercent[1], 20.0, 3.0);
  EXPECT_GT(days[0].moonIlluminationPercent[0], days[0].moonIlluminationPercent[2]);
  EXPECT_LT(days[4].moonIlluminationPercent[1], 1.0);
  EXPECT_GT(days[7].moonIlluminationPercent[2], days[7].moonIlluminationPercent[0]);
}

// Two tables computed day by day in turn give what each gives alone.
TEST_F(RiseSetEventsTest, TablesKeepTheirOwnCarry) {
  const double start = 2459048.5;
  const PositionRecord north = Site(69.0, 20.0, start);  // polar day ending
  const PositionRecord south = Site(-40.0, 150.0, start);
  RiseSetTableState aloneNorth, aloneSouth, tableNorth, tableSouth;
  const std::vector<RiseSetDay> expectedNorth = Table(aloneNorth, start, kSun, north, 6);
  const std::vector<RiseSetDay> expectedSouth = Table(aloneSouth, start, kMoon, south, 6);
  double startNorth = start, startSouth = start;
  for (int index = 0; index < 6; ++index) {
    const RiseSetDay dayNorth = Day(tableNorth, startNorth, kSun, north);
    const RiseSetDay daySouth = Day(tableSouth, startSouth, kMoon, south);
    for (int event = 0; event < kRiseSetEventCount; ++event) {
      EXPECT_EQ(dayNorth.events[event].status, expectedNorth[index].events[event].status);
      EXPECT_EQ(dayNorth.events[event].time, expectedNorth[index].events[event].time);
      EXPECT_EQ(daySouth.events[event].status, expectedSouth[index].events[event].status);
      EXPECT_EQ(daySouth.events[event].time, expectedSouth[index].events[event].time);
    }
  }
}

TEST_F(RiseSetEventsTest, InputChecks) {
  struct Case {
    double ut1MinusUtc;
    BodyId body;
    uint16_t motionMode;
    double startUtc;
    EngineStatus status;
  };
  const Case cases[] = {
      {0.9, kSun, kMotionNone, kMarch20of2020, kStatusOk},
      {-0.9, kMoon, kMotionRhumbLine, kMarch20of2020, kStatusOk},
      {0.91, kSun, kMotionNone, kMarch20of2020, kRiseSetBadUt1MinusUtc},
      {-0.91, kSun, kMotionNone, kMarch20of2020, kRiseSetBadUt1MinusUtc},
      {0.0, kJupiter, kMotionNone, kMarch20of2020, kRiseSetBadBody},
      {0.0, kSun, kMotionGreatCircle, kMarch20of2020, kRiseSetBadMotionMode},
      {0.0, kSun, kMotionNone, 2400000.5, kRiseSetNoDeltaT},
      {0.0, kSun, kMotionNone, std::nan(""), kStatusOutOfDomain},
  };
  for (const Case& c : cases) {
    RiseSetTableState table;
    PositionRecord reference = Site(50.0, -4.0, kMarch20of2020);
    reference.motionMode = c.motionMode;
    RiseSetDay day;
    double transitUtc = 0.0;
    double rate = 0.0;
    EXPECT_EQ(ComputeRiseSetEvents(places_, table, c.startUtc, c.ut1MinusUtc, c.body, 3.0,
                                   reference, day, transitUtc, rate),
              c.status)
        << "UT1-UTC " << c.ut1MinusUtc << " body " << c.body << " mode " << c.motionMode;
  }
}

TEST(RiseSetMarksTest, UndeterminateAgainstThePairAndTheDayBefore) {
  struct Case {
    const char* name;
    BodyId body;
    bool newTable;
    double daysAfterPrevious;  // start - previous start
    BodyId previousBody;
    EventStatus previousSet, previousCivilEnd;
    EventStatus rise, set, civilBegin, civilEnd;
    EventStatus markedRise, markedSet, markedCivilBegin, markedCivilEnd;
  };
  const Case cases[] = {
      {"no rise but a set", kSun, true, 1.0, kSun, kUnd, kUnd, -1, 0, 0, 0, kUnd, 0, 0, 0},
      {"a rise but no set", kSun, true, 1.0, kSun, kUnd, kUnd, 0, -1, 0, 0, 0, kUnd, 0, 0},
      {"rise, then always above", kSun, true, 1.0, kSun, kUnd, kUnd, 0, 1, 0, 1, 0, 1, 0, 1},
      {"no twilight before, some after", kSun, true, 1.0, kSun, kUnd, kUnd, 1, 1, -1, 0, 1, 1, kUnd,
       0},
      {"always above, then a real rise", kSun, false, 1.0, kSun, 1, 1, 0, 0, 0, 0, kUnd, 0, kUnd,
       0},
      {"a set, then always above", kSun, false, 1.0, kSun, 0, 0, 1, 1, 1, 1, kUnd, 1, 1, 1},
      {"no twilight, then all night", kSun, false, 1.0, kSun, -1, -1, 1, 1, 1, 1, kUnd, 1, kUnd, 1},
      {"marked the day before", kSun, false, 1.0, kSun, kUnd, kUnd, 0, 0, 0, 0, 0, 0, 0, 0},
      {"a new table", kSun, true, 1.0, kSun, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0},
      {"a day skipped", kSun, false, 2.0, kSun, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0},
      {"another body", kSun, false, 1.0, kMoon, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0},
      {"the Moon has no twilight marks", kMoon, false, 1.0, kMoon, 1, 1, -1, 0, -1, 0, kUnd, 0, -1,
       0},
  };
  const double previousStart = 2459000.6;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BodyId body = c.body;
    RiseSetCarryState carry;
    carry.newTable = c.newTable;
    carry.previousStart = previousStart;
    carry.previousBody = c.previousBody;
    carry.previousSetStatus = c.previousSet;
    carry.previousCivilEndStatus = c.previousCivilEnd;
    RiseSetDay day;
    day.events[kRiseEvent].status = c.rise;
    day.events[kSetEvent].status = c.set;
    day.events[kCivilTwilightBegin].status = c.civilBegin;
    day.events[kCivilTwilightEnd].status = c.civilEnd;
    MarkUndeterminateEvents(carry, previousStart + c.daysAfterPrevious, body, day);
    EXPECT_EQ(day.events[kRiseEvent].status, c.markedRise);
    EXPECT_EQ(day.events[kSetEvent].status, c.markedSet);
    EXPECT_EQ(day.events[kCivilTwilightBegin].status, c.markedCivilBegin);
    EXPECT_EQ(day.events[kCivilTwilightEnd].status, c.markedCivilEnd);
    // What the next day compares with.
    EXPECT_FALSE(carry.newTable);
    EXPECT_EQ(carry.previousSetStatus, c.markedSet);
    EXPECT_EQ(carry.previousCivilEndStatus, c.markedCivilEnd);
    EXPECT_EQ(carry.previousBody, body);
  }
}

// A refinement cut short keeps its last estimate. The first estimate allows
// for the drift of the place and the ship, so one pass is mostly enough; the
// Moon's setting at 65 N from a ship steaming north at 25 knots takes two.
TEST_F(RiseSetEventsTest, RefinementBoundKeepsTheLastEstimate) {
  const double start = kMarch20of2020;
  const double deltaT = places_.deltaT.LookupDeltaT(start) / 86400.0;
  RiseSetEarthCache earth;
  EventSearch search{places_, earth, kMoon, Ship(65.0, 10.0, start, 0.0, 25.0), deltaT, 0.0};
  TransitSolution transit;
  ASSERT_EQ(FindTransit(search, start, transit), kStatusOk);
  const double altitude = RiseSetAltitude(0.0) +
                          (transit.horizontalParallaxArcsec - transit.semiDiameterArcsec) / 3600.0;
  std::array<RiseSetEvent, 3> full;
  ASSERT_EQ(FindEveningEvents(search, transit, kEventOccurs, altitude, full[0], full[1], full[2]),
            kStatusOk);
  search.refinementPassLimit = 1;
  std::array<RiseSetEvent, 3> cut;
  ASSERT_EQ(FindEveningEvents(search, transit, kEventOccurs, altitude, cut[0], cut[1], cut[2]),
            kStatusOk);
  EXPECT_EQ(cut[0].status, kEventOccurs);
  const double shortBy = std::fabs(cut[0].time - full[0].time) * kMinutesPerDay;
  EXPECT_GT(shortBy, 0.01);
  EXPECT_LT(shortBy, 1.0);
}

// The events' places with their fixed light time against the full chain,
// including a reused Earth state.
TEST_F(RiseSetEventsTest, PlacesFollowTheApparentPlaces) {
  RiseSetEarthCache earth;
  for (double jdTt = 2451545.0; jdTt < 2460600.0; jdTt += 365.3) {
    for (const auto& [body, toleranceArcsec] : {std::pair{kSun, 0.5}, std::pair{kMoon, 0.2}}) {
      for (double offset : {0.0, 0.9 * kEarthStateReuseDays}) {
        double ra = 0.0, dec = 0.0, distance = 0.0;
        ASSERT_EQ(SunMoonPlaceForEvents(places_, earth, jdTt + offset, body, ra, dec, distance),
                  kStatusOk);
        double raFull = 0.0, decFull = 0.0, distanceFull = 0.0, obliquity = 0.0, lightTime = 0.0;
        Vector3 ofDate{}, astrometric{};
        ASSERT_EQ(GeocentricApparentPlace(places_, jdTt + offset, body, kEarth, raFull, decFull,
                                          distanceFull, ofDate, astrometric, obliquity, lightTime),
                  kStatusOk);
        const double raArcsec =
            std::remainder(ra - raFull, 24.0) * 54000.0 * std::cos(decFull * kDegToRad);
        EXPECT_LT(std::hypot(raArcsec, (dec - decFull) * 3600.0), toleranceArcsec)
            << "body " << body << " at " << jdTt + offset;
        EXPECT_NEAR(distance / distanceFull, 1.0, 1e-5);
      }
    }
  }
}

TEST(RiseSetRefractionTest, RefractionIsThatOfTheApparentAltitude) {
  for (double trueAltitude : {-0.6, -0.3, 0.0, 2.0, 10.0, 45.0, 89.0}) {
    const double refraction = RefractionForTrueAltitude(trueAltitude, 10.0, 1010.0);
    double minutes = 0.0;
    ASSERT_EQ(RefractionMinutes(trueAltitude + refraction, 10.0, 1010.0, minutes), kStatusOk);
    EXPECT_NEAR(refraction, minutes / 60.0, 0.0003) << trueAltitude;
  }
  double lowest = 0.0;
  ASSERT_EQ(RefractionMinutes(kLowestRefractedAltitudeDeg, 10.0, 1010.0, lowest), kStatusOk);
  EXPECT_DOUBLE_EQ(RefractionForTrueAltitude(-20.0, 10.0, 1010.0), lowest / 60.0);
}

}  // namespace
}  // namespace navora
