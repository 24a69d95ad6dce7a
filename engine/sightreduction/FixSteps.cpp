#include "engine/sightreduction/FixSteps.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/common/Angles.h"
#include "engine/position/DeadReckoning.h"
#include "engine/position/DrPartials.h"
#include "engine/position/GreatCircleDestination.h"
#include "engine/sightreduction/FixComputation.h"
#include "engine/sightreduction/NormalEquations.h"

namespace navora {

namespace {

// Included sights a leg needs before its course and speed become unknowns.
constexpr int kFixLegSightsForCourseSpeed = 8;
constexpr int kOtherLegSightsForCourseSpeed = 4;
// Time spread of those sights: absolute (days), and as a part of the leg.
constexpr double kCourseSpeedSpreadDays = 0.2;
constexpr double kCourseSpeedLegFraction = 0.5;
// Speeds below this (knots) have no direction.
constexpr double kStillSpeedKnots = 1e-12;
// The azimuth terms divide by cos Hc; a body at the zenith would make them infinite.
constexpr double kHcPoleClampDeg = 89.9999;

// Included sights of one leg.
struct LegSightTimes {
  int sights = 0;
  int included = 0;
  double earliest = 0.0;
  double latest = 0.0;
  double sum = 0.0;
};

bool QualifiesForCourseSpeed(const LegSightTimes& times, const LegRecord& leg, bool isFixLeg,
                             int legCount) {
  const int needed = isFixLeg ? kFixLegSightsForCourseSpeed : kOtherLegSightsForCourseSpeed;
  if (times.included < needed) return false;
  const double mean = times.sum / times.included;
  const double spread = 2.0 * std::min(mean - times.earliest, times.latest - mean);
  if (spread < kCourseSpeedSpreadDays) return false;
  if (legCount == 1) return true;
  const double legEnd = isFixLeg ? std::max(leg.reduction.time, times.latest) : leg.reduction.time;
  return spread / (legEnd - leg.start.time) >= kCourseSpeedLegFraction;
}

// The leg's track over the ground as a record that dead reckoning can run
// back along: course and speed made good and no current, which the advance
// would otherwise add a second time. A great-circle leg becomes the rhumb
// line of its final course, the only sailing with transport partials.
PositionRecord MadeGoodRecord(const PositionRecord& start, const PositionRecord& end) {
  PositionRecord record = end;
  double course = 0.0;
  double speed = 0.0;
  if (start.motionMode == kMotionGreatCircle) {
    course = end.course;
    speed = end.speed;
    record.motionMode = kMotionRhumbLine;
  } else if (start.motionMode == kMotionRhumbLine) {
    GroundTrack(start, course, speed);
  }
  record.course = course;
  record.speed = speed;
  record.speedKmPerDay = speed * kKmPerDayPerKnot;
  record.set = 0.0;
  record.drift = 0.0;
  record.driftKmPerDay = 0.0;
  record.positionType = kPositionCelestialFix;
  return record;
}

// 2 x 2 blocks of partial derivatives: rows latitude, longitude (radians);
// columns either latitude, longitude or course (radians), speed (km per day).
using Block = std::array<std::array<double, 2>, 2>;

constexpr Block kIdentityBlock = {{{1.0, 0.0}, {0.0, 1.0}}};

Block Multiply(const Block& a, const Block& b) {
  Block c{};
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j) c[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j];
  }
  return c;
}

Block PositionBlock(const DrPartialRow& latitude, const DrPartialRow& longitude) {
  return {{{latitude[0], latitude[1]}, {longitude[0], longitude[1]}}};
}

Block CourseSpeedBlock(const DrPartialRow& latitude, const DrPartialRow& longitude) {
  return {{{latitude[2], latitude[3]}, {longitude[2], longitude[3]}}};
}

// How a leg's end position depends on the fix and on the course and speed
// of every later leg, through the later legs' tracks.
struct LegDependence {
  Block onFix = kIdentityBlock;
  std::array<Block, kMaxLegs> onCourseSpeed{};  // by leg; only later legs are set
};

using LegChain = std::array<LegDependence, kMaxLegs>;

EngineStatus ChainLegs(std::span<const LegRecord> legs, LegChain& chain) {
  const int fixLeg = static_cast<int>(legs.size()) - 1;
  chain[fixLeg] = LegDependence{};
  for (int m = fixLeg - 1; m >= 0; --m) {
    const PositionRecord& later = legs[m + 1].reduction;
    PositionRecord runBack;
    double latitudeRate = 0.0;
    double longitudeRate = 0.0;
    EngineStatus status =
        AdvanceDeadReckoning(legs[m].reduction.time, later, runBack, latitudeRate, longitudeRate);
    if (status != kStatusOk) return status;
    DrPartialRow latitudeRow{};
    DrPartialRow longitudeRow{};
    status = DrPartials(runBack, later, latitudeRow, longitudeRow);
    if (status != kStatusOk) return status;

    const Block transport = PositionBlock(latitudeRow, longitudeRow);
    chain[m] = LegDependence{};
    chain[m].onFix = Multiply(transport, chain[m + 1].onFix);
    chain[m].onCourseSpeed[m + 1] = CourseSpeedBlock(latitudeRow, longitudeRow);
    for (int j = m + 2; j <= fixLeg; ++j) {
      chain[m].onCourseSpeed[j] = Multiply(transport, chain[m + 1].onCourseSpeed[j]);
    }
  }
  return kStatusOk;
}

// Index of each leg's course unknown (its speed follows), -1 when not solved.
using UnknownSlots = std::array<int, kMaxLegs>;

UnknownSlots AssignCourseSpeedSlots(std::span<const LegRecord> legs, int unknowns) {
  UnknownSlots slots;
  slots.fill(-1);
  int next = 2;
  for (int m = static_cast<int>(legs.size()) - 1; m >= 0; --m) {
    if (legs[m].solveCourseSpeed == 0 || next + 1 >= unknowns) continue;
    slots[m] = next;
    next += 2;
  }
  return slots;
}

// dHc/dx of one sight: x in degrees (position, course) and knots (speed),
// Hc in radians.
UnknownVector DesignRow(const ReducedObservation& sight, const LegChain& chain,
                        const UnknownSlots& slots, int legCount) {
  const Block sightOnLeg = PositionBlock(sight.drPartialsLat, sight.drPartialsLon);
  const LegDependence& leg = chain[sight.legIndex];
  const Block onFix = Multiply(sightOnLeg, leg.onFix);

  const double hc = DegreesToRadians(std::min(sight.hc, kHcPoleClampDeg));
  const double lat = DegreesToRadians(sight.drLatitude);
  const double dec = DegreesToRadians(sight.dec);
  const double lha = DegreesToRadians(HoursToDegrees(sight.lha));
  // dHc/dlatitude (cos Zn) and dHc/dlongitude (sin Zn cos latitude).
  const double cz =
      (std::sin(dec) * std::cos(lat) - std::cos(dec) * std::sin(lat) * std::cos(lha)) /
      std::cos(hc);
  const double sz = -(std::sin(lha) * std::cos(dec) * std::cos(lat)) / std::cos(hc);

  UnknownVector row{};
  row[0] = (sz * onFix[1][0] + cz * onFix[0][0]) * kDegToRad;
  row[1] = (sz * onFix[1][1] + cz * onFix[0][1]) * kDegToRad;
  for (int m = 0; m < legCount; ++m) {
    const int k = slots[m];
    if (k < 0 || m < sight.legIndex) continue;  // earlier legs do not move the sight
    const Block q = m == sight.legIndex ? CourseSpeedBlock(sight.drPartialsLat, sight.drPartialsLon)
                                        : Multiply(sightOnLeg, leg.onCourseSpeed[m]);
    row[k] = (cz * q[0][0] + sz * q[1][0]) * kDegToRad;
    row[k + 1] = (sz * q[1][1] + cz * q[0][1]) * kKmPerDayPerKnot;
  }
  return row;
}

double SightWeight(const ReducedObservation& sight, double sigma0) {
  if (sight.sigma < kSigmaFloorDeg) return sight.weight;
  return sigma0 * sigma0 / (sight.sigma * sight.sigma) * sight.weight;
}

void FillTrack(const PositionRecord& fix, FixSolution& out) {
  out.latitude = fix.latitude;
  out.longitude = fix.longitude;
  out.course = fix.course;
  out.speed = fix.speed;
}

}  // namespace

void GroundTrack(const PositionRecord& record, double& courseDeg, double& speedKnots) {
  const double course = DegreesToRadians(record.course);
  const double set = DegreesToRadians(record.set);
  const double north = std::cos(course) * record.speed + std::cos(set) * record.drift;
  const double east = std::sin(course) * record.speed + std::sin(set) * record.drift;
  speedKnots = std::hypot(north, east);
  courseDeg = 0.0;
  if (speedKnots > kStillSpeedKnots) {
    courseDeg = RadiansToDegrees(std::atan2(east, north));
    if (courseDeg < 0.0) courseDeg += kDegreesPerCircle;
  }
}

int AnalyseSightDistribution(std::span<const ReducedObservation> reduced, bool solveCourseSpeed,
                             std::span<LegRecord> legs, int& unknowns, double& sigma0) {
  const int legCount = static_cast<int>(legs.size());
  unknowns = solveCourseSpeed ? 2 * legCount + 2 : 2;
  sigma0 = 0.0;

  std::array<LegSightTimes, kMaxLegs> times{};
  int total = 0;
  double inverseVarianceSum = 0.0;
  for (const ReducedObservation& sight : reduced) {
    LegSightTimes& leg = times[sight.legIndex];
    ++leg.sights;
    if (sight.included == 0) continue;
    if (leg.included == 0) {
      leg.earliest = sight.time;
      leg.latest = sight.time;
    }
    ++leg.included;
    leg.earliest = std::min(leg.earliest, sight.time);
    leg.latest = std::max(leg.latest, sight.time);
    leg.sum += sight.time;
    ++total;
    inverseVarianceSum +=
        sight.sigma < kSigmaFloorDeg ? kFlooredInverseVariance : 1.0 / (sight.sigma * sight.sigma);
  }
  if (total == 0) return -1;

  for (int i = 0; i < legCount; ++i) {
    legs[i].sightCount = static_cast<uint16_t>(times[i].sights);
    legs[i].includedCount = static_cast<uint16_t>(times[i].included);
    const bool solved =
        solveCourseSpeed && QualifiesForCourseSpeed(times[i], legs[i], i == legCount - 1, legCount);
    legs[i].solveCourseSpeed = solved ? 1 : 0;
    if (!solved && unknowns > 3) unknowns -= 2;
  }
  sigma0 = std::sqrt(total / inverseVarianceSum);
  return total;
}

EngineStatus AdvanceLegsToEnd(double timeOfFix, std::span<LegRecord> legs) {
  for (size_t i = 0; i < legs.size(); ++i) {
    const double endTime = i + 1 < legs.size() ? legs[i + 1].start.time : timeOfFix;
    double latitudeRate = 0.0;
    double longitudeRate = 0.0;
    const EngineStatus status =
        AdvanceDeadReckoning(endTime, legs[i].start, legs[i].end, latitudeRate, longitudeRate);
    if (status != kStatusOk) return status;
    legs[i].reduction = MadeGoodRecord(legs[i].start, legs[i].end);
  }
  return kStatusOk;
}

EngineStatus LeastSquaresStep(std::span<const ReducedObservation> reduced, int unknowns,
                              double sigma0, std::span<LegRecord> legs, FixSolution& out,
                              FixCorrection& correction) {
  const int legCount = static_cast<int>(legs.size());
  LegChain chain;
  EngineStatus status = ChainLegs(legs, chain);
  if (status != kStatusOk) return status;
  const UnknownSlots slots = AssignCourseSpeedSlots(legs, unknowns);

  NormalEquations equations;
  equations.unknowns = unknowns;
  for (auto sight = reduced.rbegin(); sight != reduced.rend(); ++sight) {
    if (sight->included == 0) continue;
    AccumulateNormalEquations(DesignRow(*sight, chain, slots, legCount),
                              DegreesToRadians(sight->ho - sight->hc), SightWeight(*sight, sigma0),
                              equations);
  }
  NormalSolution solution;
  status = SolveNormalEquations(equations, solution);
  if (status != kStatusOk) return status;
  status = ApplyFixCorrection(std::span<const double>(solution.x.data(), unknowns), legs);
  if (status != kStatusOk) return status;

  const LegRecord& fixLeg = legs[legCount - 1];
  FillTrack(fixLeg.reduction, out);
  out.sigmaLatitude = solution.standardError[0];
  out.sigmaLongitude = solution.standardError[1];
  const bool fixLegSolved = fixLeg.solveCourseSpeed != 0 && unknowns >= 4;
  out.sigmaCourse = fixLegSolved ? solution.standardError[2] : 0.0;
  out.sigmaSpeed = fixLegSolved ? solution.standardError[3] : 0.0;
  out.covLatLon = solution.covariance01;
  out.sigmaUnitWeight = RadiansToDegrees(std::sqrt(solution.variance));
  correction = {solution.x[0], solution.x[1]};
  return kStatusOk;
}

EngineStatus SingleSightStep(std::span<const ReducedObservation> reduced, std::span<LegRecord> legs,
                             FixSolution& out, FixCorrection& correction) {
  const ReducedObservation* only = nullptr;
  int included = 0;
  for (const ReducedObservation& sight : reduced) {
    if (sight.included == 0) continue;
    ++included;
    only = &sight;
  }
  if (included != 1) return kSightReductionNoSolution;

  double intercept = only->ho - only->hc;
  PositionRecord start = legs.back().reduction;
  start.course = only->zn;
  if (intercept < 0.0) {
    start.course += kDegreesPerHalfCircle;  // away from the body
    intercept = -intercept;
  }
  double latitude = 0.0;
  double longitude = 0.0;
  double course = 0.0;
  EngineStatus status = GreatCircleDestination(start, intercept, latitude, longitude, course);
  if (status != kStatusOk) return status;
  const std::array<double, 2> x = {latitude - start.latitude, longitude - start.longitude};
  status = ApplyFixCorrection(x, legs);
  if (status != kStatusOk) return status;

  FillTrack(legs.back().reduction, out);
  out.sigmaLatitude = 0.0;
  out.sigmaLongitude = 0.0;
  out.sigmaCourse = 0.0;
  out.sigmaSpeed = 0.0;
  out.covLatLon = 0.0;
  out.sigmaUnitWeight = 0.0;
  correction = {x[0], x[1]};
  return kStatusOk;
}

EngineStatus ApplyFixCorrection(std::span<const double> x, std::span<LegRecord> legs) {
  const int fixLeg = static_cast<int>(legs.size()) - 1;
  PositionRecord& fix = legs[fixLeg].reduction;
  // Refused before anything changes, so the legs keep the last good pass.
  if (!IsLatitude(fix.latitude + x[0])) return kSightReductionNoSolution;

  for (LegRecord& leg : legs) leg.corrected = 0;
  fix.latitude += x[0];
  fix.longitude += x[1];
  if (fix.longitude > kDegreesPerHalfCircle) fix.longitude -= kDegreesPerCircle;
  if (fix.longitude < -kDegreesPerHalfCircle) fix.longitude += kDegreesPerCircle;
  legs[fixLeg].corrected = 1;

  size_t k = 2;
  for (int m = fixLeg; m >= 0 && k + 1 < x.size(); --m) {
    LegRecord& leg = legs[m];
    if (leg.solveCourseSpeed == 0) continue;
    leg.reduction.course = WrapDegrees360(leg.reduction.course + x[k]);
    leg.reduction.speed += x[k + 1];
    leg.reduction.speedKmPerDay = leg.reduction.speed * kKmPerDayPerKnot;
    leg.corrected = 1;
    k += 2;
  }

  for (int m = fixLeg - 1; m >= 0; --m) {
    PositionRecord runBack;
    double latitudeRate = 0.0;
    double longitudeRate = 0.0;
    const EngineStatus status = AdvanceDeadReckoning(legs[m].reduction.time, legs[m + 1].reduction,
                                                     runBack, latitudeRate, longitudeRate);
    if (status != kStatusOk) return status;
    legs[m].reduction.latitude = runBack.latitude;
    legs[m].reduction.longitude = runBack.longitude;
  }
  return kStatusOk;
}

}  // namespace navora
