#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <vector>

#include "engine/common/Angles.h"
#include "engine/position/DeadReckoning.h"
#include "engine/position/DrPartials.h"
#include "engine/sightreduction/FixComputation.h"
#include "engine/sightreduction/FixSteps.h"

namespace navora {
namespace {

constexpr double kT0 = 2451545.0;

double Sin(double deg) { return std::sin(DegreesToRadians(deg)); }
double Cos(double deg) { return std::cos(DegreesToRadians(deg)); }

// Altitude on the sphere of a body at declination dec and Greenwich hour
// angle gha, seen from lat, lon (degrees).
double Altitude(double lat, double lon, double dec, double gha) {
  return RadiansToDegrees(std::asin(Sin(lat) * Sin(dec) + Cos(lat) * Cos(dec) * Cos(gha + lon)));
}

// The body seen at altitude h and azimuth z from lat, lon: dec and gha.
void BodyAt(double lat, double lon, double h, double z, double& dec, double& gha) {
  dec = RadiansToDegrees(std::asin(Sin(lat) * Sin(h) + Cos(lat) * Cos(h) * Cos(z)));
  const double lha =
      RadiansToDegrees(std::atan2(-Sin(z) * Cos(h), (Sin(h) - Sin(lat) * Sin(dec)) / Cos(lat)));
  gha = lha - lon;
}

PositionRecord Advanced(double time, const PositionRecord& from) {
  PositionRecord to;
  double latitudeRate = 0.0;
  double longitudeRate = 0.0;
  EXPECT_EQ(AdvanceDeadReckoning(time, from, to, latitudeRate, longitudeRate), kStatusOk);
  return to;
}

PositionRecord Track(double time, double lat, double lon, double course, double speed) {
  return MakePositionRecord(kMotionRhumbLine, kPositionCelestialFix, time, lat, lon, course, speed,
                            0.0, 0.0);
}

// A ship's legs as the fix sees them: each leg's reduction the track over the
// ground up to its end, the earlier legs' ends run back from the fix.
std::vector<LegRecord> MakeLegs(double fixLat, double fixLon, const std::vector<double>& ends,
                                const std::vector<double>& courses,
                                const std::vector<double>& speeds, double firstStart) {
  const size_t n = ends.size();
  std::vector<LegRecord> legs(n);
  legs[n - 1].reduction = Track(ends[n - 1], fixLat, fixLon, courses[n - 1], speeds[n - 1]);
  for (size_t i = n - 1; i-- > 0;) {
    const PositionRecord back = Advanced(ends[i], legs[i + 1].reduction);
    legs[i].reduction = Track(ends[i], back.latitude, back.longitude, courses[i], speeds[i]);
  }
  for (size_t i = 0; i < n; ++i) {
    legs[i].start = legs[i].reduction;
    legs[i].start.time = i == 0 ? firstStart : ends[i - 1];
  }
  return legs;
}

struct SyntheticSight {
  int leg;
  double time;
  double altitude, azimuth;  // of the body at the assumed position
  double sigma;
};

// A sight reduced on the assumed track `legs` whose observed altitude is the
// exact altitude of the same body from the true track at the sight's time.
ReducedObservation MakeReduced(const SyntheticSight& s, const std::vector<LegRecord>& legs,
                               const std::vector<LegRecord>& truth) {
  ReducedObservation r;
  r.legIndex = static_cast<uint16_t>(s.leg);
  r.time = s.time;
  r.sigma = s.sigma;
  const PositionRecord assumed = Advanced(s.time, legs[s.leg].reduction);
  const PositionRecord actual = Advanced(s.time, truth[s.leg].reduction);
  double gha = 0.0;
  BodyAt(assumed.latitude, assumed.longitude, s.altitude, s.azimuth, r.dec, gha);
  r.drLatitude = assumed.latitude;
  r.drLongitude = assumed.longitude;
  r.lha = WrapDegrees360(gha + assumed.longitude) / kDegreesPerHour;
  r.hc = Altitude(assumed.latitude, assumed.longitude, r.dec, gha);
  r.zn = s.azimuth;
  r.ho = Altitude(actual.latitude, actual.longitude, r.dec, gha);
  EXPECT_EQ(DrPartials(assumed, legs[s.leg].reduction, r.drPartialsLat, r.drPartialsLon),
            kStatusOk);
  return r;
}

// Sights every `step` days back from `last`, azimuths going round.
std::vector<SyntheticSight> SightsOnLeg(int leg, int count, double last, double step) {
  std::vector<SyntheticSight> sights;
  for (int i = 0; i < count; ++i) {
    sights.push_back({leg, last - step * i, 25.0 + 5.0 * (i % 5), WrapDegrees360(137.0 * i + 20.0),
                      i % 2 == 0 ? 0.01 : 0.02});
  }
  return sights;
}

// Stemming the current the ship makes no way, and the course is defined.
TEST(GroundTrack, StemmingTheCurrentMakesNoWay) {
  double course = -1.0;
  double speed = -1.0;
  GroundTrack(
      MakePositionRecord(kMotionRhumbLine, kPositionDr, kT0, 10.0, 20.0, 90.0, 3.0, 270.0, 3.0),
      course, speed);
  EXPECT_EQ(course, 0.0);
  EXPECT_NEAR(speed, 0.0, 1e-12);
}

// The reduction record is what the sights' assumed positions are run back
// from: it must retrace the DR track, current included, and not add it twice.
TEST(AdvanceLegsToEnd, ReductionTrackRetracesTheDeadReckoning) {
  std::vector<LegRecord> legs(2);
  legs[0].start = MakePositionRecord(kMotionRhumbLine, kPositionCelestialFix, kT0, 30.0, -40.0,
                                     45.0, 10.0, 135.0, 2.0);
  legs[1].start =
      MakePositionRecord(kMotionNone, kPositionDr, kT0 + 0.5, 31.0, -39.0, 0.0, 0.0, 90.0, 1.0);
  ASSERT_EQ(AdvanceLegsToEnd(kT0 + 0.8, legs), kStatusOk);

  EXPECT_EQ(legs[0].reduction.time, kT0 + 0.5);
  EXPECT_EQ(legs[1].reduction.time, kT0 + 0.8);
  EXPECT_NEAR(legs[0].reduction.course, 56.309932474020215, 1e-9);
  EXPECT_NEAR(legs[0].reduction.speedKmPerDay, std::sqrt(104.0) * kKmPerDayPerKnot, 1e-9);
  EXPECT_EQ(legs[0].reduction.positionType, kPositionCelestialFix);
  for (double time : {kT0 + 0.1, kT0 + 0.3}) {
    const PositionRecord dr = Advanced(time, legs[0].start);
    const PositionRecord back = Advanced(time, legs[0].reduction);
    EXPECT_NEAR(back.latitude, dr.latitude, 1e-7);  // a centimetre
    EXPECT_NEAR(back.longitude, dr.longitude, 1e-7);
  }
  // A leg without motion stays where it starts, whatever the current.
  EXPECT_EQ(legs[1].reduction.latitude, 31.0);
  EXPECT_EQ(legs[1].reduction.longitude, -39.0);
  EXPECT_EQ(legs[1].reduction.speed, 0.0);
}

TEST(AnalyseSightDistribution, CourseAndSpeedOnlyWhereTheSightsAllowThem) {
  struct Case {
    const char* name;
    bool solveCourseSpeed;
    std::vector<double> ends;            // leg end times after kT0
    std::vector<SyntheticSight> sights;  // time after kT0
    int excludedFrom;                    // sights from this index are excluded
    int expectedIncluded, expectedUnknowns;
    std::vector<int> solved;
  };
  auto spread = [](int leg, int count, double last, double span) {
    return SightsOnLeg(leg, count, last, span / (count - 1));
  };
  auto join = [](std::vector<SyntheticSight> a, const std::vector<SyntheticSight>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const Case cases[] = {
      {"eight over 0.3 day", true, {0.5}, spread(0, 8, 0.4, 0.3), 99, 8, 4, {1}},
      {"seven over 0.3 day", true, {0.5}, spread(0, 7, 0.4, 0.3), 99, 7, 2, {0}},
      {"eight over 0.15 day", true, {0.5}, spread(0, 8, 0.4, 0.15), 99, 8, 2, {0}},
      {"all excluded", true, {0.5}, spread(0, 8, 0.4, 0.3), 0, -1, 4, {0}},
      {"two legs both solved",
       true,
       {0.4, 0.9},
       join(spread(0, 4, 0.35, 0.25), spread(1, 8, 0.85, 0.4)),
       99,
       12,
       6,
       {1, 1}},
      {"earlier leg too short a part of its leg",
       true,
       {1.0, 1.5},
       join(spread(0, 4, 0.95, 0.25), spread(1, 8, 1.45, 0.4)),
       99,
       12,
       4,
       {0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<double> ends;
    for (double e : c.ends) ends.push_back(kT0 + e);
    std::vector<LegRecord> legs =
        MakeLegs(40.0, -20.0, ends, std::vector<double>(ends.size(), 90.0),
                 std::vector<double>(ends.size(), 12.0), kT0);
    std::vector<ReducedObservation> reduced;
    for (size_t i = 0; i < c.sights.size(); ++i) {
      ReducedObservation r;
      r.legIndex = static_cast<uint16_t>(c.sights[i].leg);
      r.time = kT0 + c.sights[i].time;
      r.sigma = c.sights[i].sigma;
      r.included = static_cast<int>(i) < c.excludedFrom ? 1 : 0;
      reduced.push_back(r);
    }
    int unknowns = 0;
    double sigma0 = -1.0;
    EXPECT_EQ(AnalyseSightDistribution(reduced, c.solveCourseSpeed, legs, unknowns, sigma0),
              c.expectedIncluded);
    if (c.expectedIncluded < 0) continue;
    EXPECT_EQ(unknowns, c.expectedUnknowns);
    double inverseVariance = 0.0;
    for (const ReducedObservation& r : reduced) {
      if (r.included) inverseVariance += 1.0 / (r.sigma * r.sigma);
    }
    EXPECT_NEAR(sigma0, std::sqrt(c.expectedIncluded / inverseVariance), 1e-15);
    for (size_t i = 0; i < legs.size(); ++i) EXPECT_EQ(legs[i].solveCourseSpeed, c.solved[i]);
  }
}

// Lines of position of a known true track: the least-squares steps, each on
// sights reduced afresh at the corrected track, recover the fix, the earlier
// legs' ends, and the courses and speeds. Exact partials converge
// quadratically, so two passes get within a few metres and a hundredth of a knot.
TEST(LeastSquaresStep, RecoversTheTrueTrackFromExactAltitudes) {
  struct Case {
    const char* name;
    std::vector<double> ends;
    std::vector<SyntheticSight> sights;
    double dLat, dLon;
    std::vector<double> dCourse, dSpeed;  // per leg
    int expectedUnknowns;
  };
  std::vector<SyntheticSight> twoLegs = SightsOnLeg(0, 5, 0.38, 0.07);
  for (const SyntheticSight& s : SightsOnLeg(1, 9, 0.88, 0.055)) twoLegs.push_back(s);
  std::vector<SyntheticSight> threeLegs = SightsOnLeg(0, 5, 0.38, 0.07);
  for (const SyntheticSight& s : SightsOnLeg(1, 5, 0.88, 0.07)) threeLegs.push_back(s);
  for (const SyntheticSight& s : SightsOnLeg(2, 9, 1.38, 0.055)) threeLegs.push_back(s);
  const Case cases[] = {
      {"position, course and speed",
       {0.4},
       SightsOnLeg(0, 8, 0.38, 0.045),
       -0.04,
       0.06,
       {2.0},
       {0.6},
       4},
      {"two legs, both tracks", {0.4, 0.9}, twoLegs, 0.03, 0.05, {-1.5, 2.5}, {0.5, -0.4}, 6},
      {"three legs, all tracks",
       {0.4, 0.9, 1.4},
       threeLegs,
       -0.02,
       0.04,
       {1.0, -2.0, 1.5},
       {-0.3, 0.4, 0.5},
       8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<double> ends;
    std::vector<double> courses;
    std::vector<double> speeds;
    std::vector<double> trueCourses;
    std::vector<double> trueSpeeds;
    for (size_t i = 0; i < c.ends.size(); ++i) {
      ends.push_back(kT0 + c.ends[i]);
      courses.push_back(70.0 + 20.0 * i);
      speeds.push_back(12.0);
      trueCourses.push_back(courses[i] + c.dCourse[i]);
      trueSpeeds.push_back(speeds[i] + c.dSpeed[i]);
    }
    std::vector<LegRecord> legs = MakeLegs(42.0, -30.0, ends, courses, speeds, kT0);
    const std::vector<LegRecord> truth =
        MakeLegs(42.0 + c.dLat, -30.0 + c.dLon, ends, trueCourses, trueSpeeds, kT0);
    auto reduce = [&] {
      std::vector<ReducedObservation> reduced;
      for (SyntheticSight s : c.sights) {
        s.time += kT0;
        reduced.push_back(MakeReduced(s, legs, truth));
      }
      return reduced;
    };
    const std::vector<ReducedObservation> atDr = reduce();
    int unknowns = 0;
    double sigma0 = 0.0;
    ASSERT_EQ(AnalyseSightDistribution(atDr, true, legs, unknowns, sigma0),
              static_cast<int>(atDr.size()));
    ASSERT_EQ(unknowns, c.expectedUnknowns);

    FixSolution out;
    FixCorrection first;
    ASSERT_EQ(LeastSquaresStep(atDr, unknowns, sigma0, legs, out, first), kStatusOk);
    EXPECT_NEAR(first.latitudeDeg, c.dLat, 0.005);
    EXPECT_NEAR(first.longitudeDeg, c.dLon, 0.005);
    FixCorrection second;
    ASSERT_EQ(LeastSquaresStep(reduce(), unknowns, sigma0, legs, out, second), kStatusOk);

    for (size_t i = 0; i < legs.size(); ++i) {
      EXPECT_NEAR(legs[i].reduction.latitude, truth[i].reduction.latitude, 2e-5) << i;
      EXPECT_NEAR(legs[i].reduction.longitude, truth[i].reduction.longitude, 2e-5) << i;
      EXPECT_NEAR(legs[i].reduction.course, truth[i].reduction.course, 5e-4) << i;
      EXPECT_NEAR(legs[i].reduction.speed, truth[i].reduction.speed, 1e-4) << i;
    }
    EXPECT_EQ(out.latitude, legs.back().reduction.latitude);
    EXPECT_EQ(out.longitude, legs.back().reduction.longitude);
    EXPECT_EQ(out.course, legs.back().reduction.course);
    EXPECT_LT(out.sigmaUnitWeight, 1e-5);  // the altitudes are exact
    EXPECT_EQ(out.sigmaCourse > 0.0, unknowns > 2);
  }
}

TEST(ApplyFixCorrection, WrapsTheLongitudeAndRunsEarlierLegsBack) {
  struct Case {
    const char* name;
    double fixLon;
    std::vector<double> x;
    EngineStatus status;
    double lat, lon, course, speed;
  };
  const Case cases[] = {
      {"east past 180", 179.9, {0.1, 0.3, 2.0, 0.5}, kStatusOk, 40.1, -179.8, 1.0, 10.5},
      {"west past -180", -179.9, {-0.2, -0.25, -0.5, -1.0}, kStatusOk, 39.8, 179.85, 358.5, 9.0},
      {"past the pole",
       10.0,
       {50.5, 0.0, 0.0, 0.0},
       kSightReductionNoSolution,
       40.0,
       10.0,
       359.0,
       10.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<LegRecord> legs =
        MakeLegs(40.0, c.fixLon, {kT0 + 0.3, kT0 + 0.8}, {100.0, 359.0}, {8.0, 10.0}, kT0);
    legs[1].solveCourseSpeed = 1;
    legs[0].corrected = 1;
    const PositionRecord before = legs[0].reduction;
    ASSERT_EQ(ApplyFixCorrection(c.x, legs), c.status);
    const PositionRecord& fix = legs[1].reduction;
    EXPECT_NEAR(fix.latitude, c.lat, 1e-12);
    EXPECT_NEAR(fix.longitude, c.lon, 1e-12);
    EXPECT_NEAR(fix.course, c.course, 1e-12);
    EXPECT_NEAR(fix.speed, c.speed, 1e-12);
    EXPECT_NEAR(fix.speedKmPerDay, c.speed * kKmPerDayPerKnot, 1e-9);
    if (c.status != kStatusOk) {
      EXPECT_EQ(legs[0].reduction.latitude, before.latitude);
      continue;
    }
    EXPECT_EQ(legs[0].corrected, 0);
    EXPECT_EQ(legs[1].corrected, 1);
    EXPECT_EQ(legs[0].reduction.course, 100.0);
    // Sailing the corrected fix-leg track from leg 0's new end reaches the fix.
    PositionRecord from = fix;
    from.time = legs[0].reduction.time;
    from.latitude = legs[0].reduction.latitude;
    from.longitude = legs[0].reduction.longitude;
    const PositionRecord forward = Advanced(fix.time, from);
    EXPECT_NEAR(forward.latitude, fix.latitude, 1e-7);
    EXPECT_NEAR(WrapDegrees180(forward.longitude - fix.longitude), 0.0, 1e-7);
  }
}

// Checked before any place is computed, so no ephemeris is needed.
TEST(ReduceSights, RefusesWhatCannotBeSolved) {
  PlaceContext context;
  std::vector<LegRecord> legs = MakeLegs(40.0, -20.0, {kT0 + 0.5}, {90.0}, {12.0}, kT0);
  std::vector<LegRecord> fiveLegs(5, legs[0]);
  std::vector<ObservationRecord> sights(2);
  std::vector<ReducedObservation> reduced(2);
  for (ReducedObservation& r : reduced) r.included = 0;
  struct Case {
    const char* name;
    std::span<LegRecord> legs;
    size_t sightCount;
    EngineStatus status;
  };
  const Case cases[] = {
      {"no legs", {}, 2, kSightReductionBadLegCount},
      {"five legs", fiveLegs, 2, kSightReductionBadLegCount},
      {"no sights", legs, 0, kSightReductionNoSights},
      {"none included", legs, 2, kSightReductionNoneIncluded},
  };
  for (const Case& c : cases) {
    FixSolution out;
    EXPECT_EQ(
        ReduceSights(context, kSolveCourseSpeed, kT0 + 0.5, 0.0, c.legs,
                     std::span(sights).first(c.sightCount), static_cast<int>(c.legs.size()) - 1,
                     std::span(reduced).first(c.sightCount), out),
        c.status)
        << c.name;
  }
}

}  // namespace
}  // namespace navora
