#include "engine/riseset/RiseSetEvents.h"

#include <algorithm>
#include <cmath>

#include "engine/common/Angles.h"
#include "engine/horizon/BodyPhysics.h"
#include "engine/horizon/HeightOfEye.h"
#include "engine/position/DeadReckoning.h"
#include "engine/riseset/RiseSetPlaces.h"
#include "engine/time/SiderealTime.h"
#include "engine/time/TimeConstants.h"

namespace navora {
namespace {

// First guesses of the hour-angle rate (revolutions per day): the Sun keeps
// close to a solar day, the Moon loses about 50 minutes a day.
constexpr double kSunFirstHourAngleRate = 1.0;
constexpr double kMoonFirstHourAngleRate = 0.966;

constexpr int kTransitPassLimit = 10;
constexpr double kTransitToleranceDays = 0.0001;
constexpr double kTransitMostDaysFromStart = 1.0;
// Step of the finite differences that give the rates at transit (days).
constexpr double kRateStepDays = 0.05;

// The declination and the latitude may drift this far during the day
// (degrees, and days of their rate) before the transit altitude alone may
// call a body circumpolar.
constexpr double kDriftMarginDays = 0.6;
constexpr double kDriftMarginDeg = 0.5;

// Twilight is planned with the declination a quarter of a day from transit.
constexpr double kTwilightDecOffsetDays = 0.25;

// First estimate of the half arc: its start (days), passes and tolerance.
constexpr double kFirstHalfArcDays = 0.25;
constexpr int kFirstHalfArcPasses = 3;
constexpr double kFirstHalfArcToleranceDays = 0.005;
// Keeps acos defined in the first estimates; the statuses come from the
// unclamped values of the refinement.
constexpr double kFirstEstimateCosineLimit = 0.9999;

constexpr double kRefinementToleranceDays = 0.0002;

// A day continues the one before when it starts at most this much later than
// a day after it (days): tables step from transit to transit.
constexpr double kNextDayToleranceDays = 0.1;

constexpr double kHoursPerHalfDay = 12.0;

double SideSign(DaySide side) { return side == DaySide::kMorning ? -1.0 : 1.0; }

// Hours into [-12, 12).
double ReduceHours(double hours) {
  double reduced = std::fmod(hours, kHoursPerDay);
  if (reduced < -kHoursPerHalfDay) reduced += kHoursPerDay;
  if (reduced >= kHoursPerHalfDay) reduced -= kHoursPerDay;
  return reduced;
}

// Degrees into [-180, 180).
double ReduceDegrees(double degrees) {
  double reduced = std::fmod(degrees, kDegreesPerCircle);
  if (reduced < -kDegreesPerHalfCircle) reduced += kDegreesPerCircle;
  if (reduced >= kDegreesPerHalfCircle) reduced -= kDegreesPerCircle;
  return reduced;
}

// Cosine of the hour angle at which a body of the declination stands at the
// altitude for the latitude (all degrees); beyond [-1, 1] when it never does.
double CosHourAngle(double altitudeDeg, double decDeg, double latitudeDeg) {
  const double dec = DegreesToRadians(decDeg);
  const double lat = DegreesToRadians(latitudeDeg);
  return (std::sin(DegreesToRadians(altitudeDeg)) - std::sin(dec) * std::sin(lat)) /
         (std::cos(dec) * std::cos(lat));
}

double ClampedCosHourAngle(double altitudeDeg, double decDeg, double latitudeDeg) {
  return std::clamp(CosHourAngle(altitudeDeg, decDeg, latitudeDeg), -kFirstEstimateCosineLimit,
                    kFirstEstimateCosineLimit);
}

// Hour angle (revolutions) of a cosine within [-1, 1].
double HourAngleRevolutions(double cosHourAngle) {
  return RadiansToDegrees(std::acos(cosHourAngle)) / kDegreesPerCircle;
}

// -1 when the body stays below the altitude (cosine >= 1), +1 when it stays
// above (cosine <= -1), else 0.
EventStatus StatusOfCosine(double cosHourAngle) {
  const double whole = -std::trunc(cosHourAngle);
  if (whole > 0.0) return kEventAbove;
  if (whole < 0.0) return kEventBelow;
  return kEventOccurs;
}

// The observer at the UT1 instant `time`: the reference advanced to the UTC
// instant; `time` becomes the advanced record's, back in UT1.
EngineStatus ObserverAt(const EventSearch& search, double& time, PositionRecord& observer,
                        double& latitudeRate, double& longitudeRate) {
  const EngineStatus status = AdvanceDeadReckoning(time - search.dutDays, search.reference,
                                                   observer, latitudeRate, longitudeRate);
  if (status != kStatusOk) return kStatusOutOfDomain;
  time = observer.time + search.dutDays;
  return kStatusOk;
}

EngineStatus ObserverAt(const EventSearch& search, double& time, PositionRecord& observer) {
  double latitudeRate = 0.0;
  double longitudeRate = 0.0;
  return ObserverAt(search, time, observer, latitudeRate, longitudeRate);
}

EngineStatus PlaceAt(const EventSearch& search, double ut1, double& raHours, double& decDeg,
                     double& distanceAu) {
  const EngineStatus status =
      SunMoonPlaceForEvents(search.places, search.earth, ut1 + search.deltaTDays, search.body,
                            raHours, decDeg, distanceAu);
  return status == kStatusOk ? kStatusOk : kStatusOutOfDomain;
}

// Hour-angle rate (revolutions per day) between transit and `time` from the
// body's right ascension and the observer's longitude there.
double HourAngleRateSinceTransit(const TransitSolution& transit, double time, double raHours,
                                 double longitudeDeg) {
  const double elapsed = time - transit.time;
  const double raRate = ReduceHours(raHours - transit.raHours) / elapsed;
  const double longitudeRate = ReduceDegrees(longitudeDeg - transit.longitude) / elapsed;
  return kSiderealRevolutionsPerUt1Day - raRate / kHoursPerDay + longitudeRate / kDegreesPerCircle;
}

// The instant and place of a refined rise or set.
struct HorizonCrossing {
  double time = 0.0;
  PositionRecord observer;
  double decDeg = 0.0;  // of the last refinement pass
  double cosHourAngle = 0.0;
  EventStatus status = kEventOccurs;
};

EngineStatus RefineCrossing(const EventSearch& search, const TransitSolution& transit,
                            double altitudeDeg, double sideSign, HorizonCrossing& crossing) {
  for (int pass = 0; pass < search.refinementPassLimit; ++pass) {
    double raHours = 0.0;
    double distanceAu = 0.0;
    EngineStatus status = PlaceAt(search, crossing.time, raHours, crossing.decDeg, distanceAu);
    if (status != kStatusOk) return status;
    crossing.cosHourAngle = CosHourAngle(altitudeDeg, crossing.decDeg, crossing.observer.latitude);
    crossing.status = StatusOfCosine(crossing.cosHourAngle);
    if (crossing.status != kEventOccurs) return kStatusOk;
    const double rate =
        HourAngleRateSinceTransit(transit, crossing.time, raHours, crossing.observer.longitude);
    double next = transit.time + sideSign * HourAngleRevolutions(crossing.cosHourAngle) / rate;
    if (search.reference.motionMode != kMotionNone) {
      status = ObserverAt(search, next, crossing.observer);
      if (status != kStatusOk) return status;
    }
    const double change = std::fabs(next - crossing.time);
    crossing.time = next;
    if (change <= kRefinementToleranceDays) break;
  }
  return kStatusOk;
}

// True azimuth (degrees, [0, 360)) of a body at the hour angle of the cosine,
// east of the meridian in the morning.
double AzimuthAtCrossing(const HorizonCrossing& crossing, double sideSign) {
  const double cosHourAngle = std::clamp(crossing.cosHourAngle, -1.0, 1.0);
  const double sinHourAngle = sideSign * std::sqrt(1.0 - cosHourAngle * cosHourAngle);
  const double lat = DegreesToRadians(crossing.observer.latitude);
  const double azimuth = RadiansToDegrees(std::atan2(
      -sinHourAngle,
      std::tan(DegreesToRadians(crossing.decDeg)) * std::cos(lat) - cosHourAngle * std::sin(lat)));
  return azimuth < 0.0 ? azimuth + kDegreesPerCircle : azimuth;
}

void SetEventPosition(const PositionRecord& observer, RiseSetEvent& event) {
  event.latitude = observer.latitude;
  event.longitude = observer.longitude;
}

// Rising or setting by the hour-angle equation; crossing keeps the last
// refinement's declination for the twilight.
EngineStatus FindRiseOrSet(const EventSearch& search, const TransitSolution& transit,
                           EventStatus transitStatus, double altitudeDeg, DaySide side,
                           RiseSetEvent& event, HorizonCrossing& crossing) {
  event = RiseSetEvent{};
  event.time = -transit.time;
  if (transitStatus != kEventOccurs) {
    event.status = transitStatus < 0 ? kEventBelow : kEventAbove;
    return kStatusOk;
  }
  const double sideSign = SideSign(side);
  const double omega = transit.longitudeRate / kDegreesPerCircle + transit.hourAngleRate;
  double halfArc = kFirstHalfArcDays;
  for (int pass = 0; pass < kFirstHalfArcPasses; ++pass) {
    const double decDeg = transit.decDeg + sideSign * halfArc * transit.decRate;
    const double latitudeDeg = transit.latitude + sideSign * halfArc * transit.latitudeRate;
    const double next =
        HourAngleRevolutions(ClampedCosHourAngle(altitudeDeg, decDeg, latitudeDeg)) / omega;
    const bool settled = std::fabs(next - halfArc) < kFirstHalfArcToleranceDays;
    halfArc = next;
    if (settled) break;
  }
  crossing.time = transit.time + sideSign * halfArc;
  EngineStatus status = ObserverAt(search, crossing.time, crossing.observer);
  if (status != kStatusOk) return status;
  status = RefineCrossing(search, transit, altitudeDeg, sideSign, crossing);
  if (status != kStatusOk) return status;

  event.time = crossing.time;
  event.status = crossing.status;
  event.value = AzimuthAtCrossing(crossing, sideSign);
  SetEventPosition(crossing.observer, event);
  return kStatusOk;
}

EngineStatus FindSideEvents(const EventSearch& search, const TransitSolution& transit,
                            EventStatus transitStatus, double eventAltitudeDeg, DaySide side,
                            RiseSetEvent& horizon, RiseSetEvent& civil, RiseSetEvent& nautical) {
  HorizonCrossing crossing;
  EngineStatus status =
      FindRiseOrSet(search, transit, transitStatus, eventAltitudeDeg, side, horizon, crossing);
  if (status != kStatusOk) return status;

  civil = RiseSetEvent{};
  civil.time = -transit.time;
  nautical = civil;
  const bool underway = search.reference.motionMode != kMotionNone;
  const double planningDecDeg =
      transit.decDeg + SideSign(side) * kTwilightDecOffsetDays * transit.decRate;
  if (search.body != kSun || transitStatus == kTransitInNauticalDark) {
    civil.status = kEventBelow;
    nautical.status = kEventBelow;
    return kStatusOk;
  }
  if (transitStatus == kTransitInCivilDark) {
    civil.status = kEventBelow;
    if (!underway) return kStatusOk;
    return FindTwilightTime(search, transit.latitude, planningDecDeg, transit,
                            kNauticalTwilightAltitudeDeg, side, nautical);
  }
  if (horizon.status > 0) {
    civil.status = kEventAbove;
    nautical.status = kEventAbove;
    return kStatusOk;
  }
  const bool fromTransit = horizon.status < 0;
  const double latitudeDeg = fromTransit ? transit.latitude : horizon.latitude;
  const double decDeg = fromTransit ? planningDecDeg : crossing.decDeg;
  status = FindTwilightTime(search, latitudeDeg, decDeg, transit, kCivilTwilightAltitudeDeg, side,
                            civil);
  if (status != kStatusOk || !underway) return status;
  return FindTwilightTime(search, latitudeDeg, decDeg, transit, kNauticalTwilightAltitudeDeg, side,
                          nautical);
}

// Geocentric altitude of the centre at transit (degrees) and whether the body
// then bears south.
void TransitAltitude(const TransitSolution& transit, double& altitudeDeg, uint16_t& bearsSouth) {
  altitudeDeg = kDegreesPerQuarterCircle - transit.latitude + transit.decDeg;
  bearsSouth = 1;
  if (altitudeDeg > kDegreesPerQuarterCircle) {
    altitudeDeg = kDegreesPerHalfCircle - altitudeDeg;
    bearsSouth = 0;
  }
}

EventStatus TransitStatus(const TransitSolution& transit, BodyId body, double altitudeDeg,
                          double eventAltitudeDeg) {
  if (body == kSun) {
    if (altitudeDeg <= kCivilTwilightAltitudeDeg && altitudeDeg > kNauticalTwilightAltitudeDeg) {
      return kTransitInCivilDark;
    }
    if (altitudeDeg < kNauticalTwilightAltitudeDeg) return kTransitInNauticalDark;
  }
  if (altitudeDeg < eventAltitudeDeg) return kEventBelow;
  const double decDrift = kDriftMarginDays * std::fabs(transit.decRate) + kDriftMarginDeg;
  const double latitudeDrift = kDriftMarginDays * std::fabs(transit.latitudeRate) + kDriftMarginDeg;
  const double decLow = transit.decDeg - decDrift;
  const double decHigh = transit.decDeg + decDrift;
  const double latitudeLow = transit.latitude - latitudeDrift;
  const double latitudeHigh = transit.latitude + latitudeDrift;
  if (decLow > kDegreesPerQuarterCircle - latitudeLow ||
      -kDegreesPerQuarterCircle - latitudeHigh > decHigh) {
    return kEventAbove;
  }
  return kEventOccurs;
}

// A begin/end pair that disagrees in sign cannot be told from one day alone.
void MarkPair(EventStatus& begin, EventStatus& end) {
  if (begin < 0 && end >= 0) begin = kEventUndeterminate;
  if (begin >= 0 && end < 0) end = kEventUndeterminate;
}

// A begin that contradicts the end of the day before is undeterminate: a
// begin "always above" after an end at or below `previousLimit` (for rising a
// set that occurred counts, for twilight only one that never came), or any
// other begin after an end "always above". A new table's 999 for the day
// before satisfies neither rule.
void MarkAgainstDayBefore(EventStatus& begin, EventStatus previousEnd, EventStatus previousLimit) {
  if (begin > 0 && previousEnd <= previousLimit) begin = kEventUndeterminate;
  if (previousEnd > 0 && previousEnd != kEventUndeterminate && begin <= 0) {
    begin = kEventUndeterminate;
  }
}

EngineStatus FindDayEvents(PlaceContext& places, RiseSetTableState& table, double startUt1,
                           double dutDays, BodyId body, double heightOfEyeM,
                           const PositionRecord& reference, RiseSetDay& day,
                           TransitSolution& transit) {
  RiseSetCarryState& carry = table.carry;
  const double deltaTSeconds = places.deltaT.LookupDeltaT(startUt1);
  if (deltaTSeconds <= kDeltaTUnavailable) return kRiseSetNoDeltaT;
  const EventSearch search{places, table.earth, body, reference, deltaTSeconds / kSecondsPerDay,
                           dutDays};
  EngineStatus status = FindTransit(search, startUt1, transit);
  if (status != kStatusOk) return status;

  day = RiseSetDay{};
  RiseSetEvent& transitEvent = day.events[kTransitEvent];
  double altitudeDeg = 0.0;
  TransitAltitude(transit, altitudeDeg, transitEvent.bearsSouth);
  const double eventAltitudeDeg =
      RiseSetAltitude(heightOfEyeM) -
      (transit.semiDiameterArcsec - transit.horizontalParallaxArcsec) / kArcsecondsPerDegree;
  transitEvent.time = transit.time;
  transitEvent.status = TransitStatus(transit, body, altitudeDeg, eventAltitudeDeg);
  const double toppedAltitudeDeg = altitudeDeg - transit.horizontalParallaxArcsec *
                                                     std::cos(DegreesToRadians(altitudeDeg)) /
                                                     kArcsecondsPerDegree;
  transitEvent.value = toppedAltitudeDeg + RefractionForTrueAltitude(toppedAltitudeDeg,
                                                                     kTransitRefractionTemperatureC,
                                                                     kTransitRefractionPressureMb);
  transitEvent.latitude = transit.latitude;
  transitEvent.longitude = transit.longitude;

  auto& events = day.events;
  status =
      FindMorningEvents(search, transit, transitEvent.status, eventAltitudeDeg, events[kRiseEvent],
                        events[kCivilTwilightBegin], events[kNauticalTwilightBegin]);
  if (status != kStatusOk) return status;
  status =
      FindEveningEvents(search, transit, transitEvent.status, eventAltitudeDeg, events[kSetEvent],
                        events[kCivilTwilightEnd], events[kNauticalTwilightEnd]);
  if (status != kStatusOk) return status;
  MarkUndeterminateEvents(carry, startUt1, body, day);
  return kStatusOk;
}

}  // namespace

EngineStatus FindTransit(const EventSearch& search, double startUt1, TransitSolution& transit) {
  transit = TransitSolution{};
  const double firstRate = search.body == kSun ? kSunFirstHourAngleRate : kMoonFirstHourAngleRate;
  PositionRecord observer;
  double time = startUt1;
  EngineStatus status =
      ObserverAt(search, time, observer, transit.latitudeRate, transit.longitudeRate);
  if (status != kStatusOk) return status;
  time = startUt1;
  if (search.body == kSun) {
    // Local mean noon of the UT date.
    time = std::trunc(startUt1 - 0.5) + 1.0 - observer.longitude / kDegreesPerCircle;
  }

  bool converged = false;
  for (int pass = 0; pass < kTransitPassLimit && !converged; ++pass) {
    status = PlaceAt(search, time, transit.raHours, transit.decDeg, transit.distanceAu);
    if (status != kStatusOk) return status;
    double meanHours = 0.0;
    double apparentHours = 0.0;
    ComputeSiderealTime(time, observer.longitude, 0.0, meanHours, apparentHours);
    const double step = ReduceHours(meanHours - transit.raHours) / kHoursPerDay / firstRate;
    time -= step;
    if (search.reference.motionMode != kMotionNone) {
      status = ObserverAt(search, time, observer, transit.latitudeRate, transit.longitudeRate);
      if (status != kStatusOk) return status;
    }
    converged = std::fabs(step) <= kTransitToleranceDays;
  }
  transit.time = time;
  transit.latitude = observer.latitude;
  transit.longitude = observer.longitude;
  if (!converged) return kRiseSetTransitNotConverged;
  if (std::fabs(time - startUt1) > kTransitMostDaysFromStart) return kRiseSetTransitTooFar;

  const double radiusMetres = kBodyRadiusMetres[static_cast<size_t>(search.body)];
  transit.semiDiameterArcsec = AngularRadius(transit.distanceAu, radiusMetres);
  transit.horizontalParallaxArcsec =
      ParallaxInAltitude(transit.distanceAu, 0.0, kDegreesPerQuarterCircle);

  double laterRaHours = 0.0;
  double laterDecDeg = 0.0;
  double laterDistanceAu = 0.0;
  status = PlaceAt(search, time + kRateStepDays, laterRaHours, laterDecDeg, laterDistanceAu);
  if (status != kStatusOk) return status;
  const double raRateHoursPerDay = ReduceHours(laterRaHours - transit.raHours) / kRateStepDays;
  transit.hourAngleRate = kSiderealRevolutionsPerUt1Day - raRateHoursPerDay / kHoursPerDay +
                          transit.longitudeRate / kDegreesPerCircle;
  transit.decRate = (laterDecDeg - transit.decDeg) / kRateStepDays;
  return kStatusOk;
}

EngineStatus FindMorningEvents(const EventSearch& search, const TransitSolution& transit,
                               EventStatus transitStatus, double eventAltitudeDeg,
                               RiseSetEvent& rise, RiseSetEvent& civilBegin,
                               RiseSetEvent& nauticalBegin) {
  return FindSideEvents(search, transit, transitStatus, eventAltitudeDeg, DaySide::kMorning, rise,
                        civilBegin, nauticalBegin);
}

EngineStatus FindEveningEvents(const EventSearch& search, const TransitSolution& transit,
                               EventStatus transitStatus, double eventAltitudeDeg,
                               RiseSetEvent& set, RiseSetEvent& civilEnd,
                               RiseSetEvent& nauticalEnd) {
  return FindSideEvents(search, transit, transitStatus, eventAltitudeDeg, DaySide::kEvening, set,
                        civilEnd, nauticalEnd);
}

EngineStatus FindTwilightTime(const EventSearch& search, double latitudeDeg, double decDeg,
                              const TransitSolution& transit, double twilightAltitudeDeg,
                              DaySide side, RiseSetEvent& event) {
  const double sideSign = SideSign(side);
  event = RiseSetEvent{};
  double time = transit.time + sideSign *
                                   HourAngleRevolutions(ClampedCosHourAngle(twilightAltitudeDeg,
                                                                            decDeg, latitudeDeg)) /
                                   transit.hourAngleRate;
  PositionRecord observer;
  EngineStatus status = ObserverAt(search, time, observer);
  if (status != kStatusOk) return status;

  double raHours = 0.0;
  double sunDecDeg = 0.0;
  double distanceAu = 0.0;
  status = PlaceAt(search, time, raHours, sunDecDeg, distanceAu);
  if (status != kStatusOk) return status;
  const double cosHourAngle = CosHourAngle(twilightAltitudeDeg, sunDecDeg, observer.latitude);
  event.status = StatusOfCosine(cosHourAngle);
  if (event.status == kEventOccurs) {
    const double rate = HourAngleRateSinceTransit(transit, time, raHours, observer.longitude);
    time = transit.time + sideSign * HourAngleRevolutions(cosHourAngle) / rate;
    if (search.reference.motionMode != kMotionNone) {
      status = ObserverAt(search, time, observer);
      if (status != kStatusOk) return status;
    }
  }
  event.time = time;
  SetEventPosition(observer, event);
  return kStatusOk;
}

void MarkUndeterminateEvents(RiseSetCarryState& carry, double startUt1, BodyId body,
                             RiseSetDay& day) {
  if (carry.newTable) {
    carry.previousSetStatus = kEventUndeterminate;
    carry.previousCivilEndStatus = kEventUndeterminate;
    carry.previousNauticalEndStatus = kEventUndeterminate;
  }
  auto& events = day.events;
  const bool continues =
      startUt1 - carry.previousStart - 1.0 <= kNextDayToleranceDays && carry.previousBody == body;
  MarkPair(events[kRiseEvent].status, events[kSetEvent].status);
  if (continues) {
    MarkAgainstDayBefore(events[kRiseEvent].status, carry.previousSetStatus, kEventOccurs);
  }
  if (body == kSun) {
    MarkPair(events[kCivilTwilightBegin].status, events[kCivilTwilightEnd].status);
    MarkPair(events[kNauticalTwilightBegin].status, events[kNauticalTwilightEnd].status);
    if (continues) {
      MarkAgainstDayBefore(events[kCivilTwilightBegin].status, carry.previousCivilEndStatus,
                           kEventBelow);
      MarkAgainstDayBefore(events[kNauticalTwilightBegin].status, carry.previousNauticalEndStatus,
                           kEventBelow);
    }
  }
  carry.previousStart = startUt1;
  carry.previousBody = body;
  carry.previousSetStatus = events[kSetEvent].status;
  carry.previousCivilEndStatus = events[kCivilTwilightEnd].status;
  carry.previousNauticalEndStatus = events[kNauticalTwilightEnd].status;
  carry.newTable = false;
}

EngineStatus ComputeRiseSetEvents(PlaceContext& places, RiseSetTableState& table, double startUtc,
                                  double ut1MinusUtc, BodyId body, double heightOfEyeM,
                                  const PositionRecord& reference, RiseSetDay& day,
                                  double& transitUtc, double& transitHourAngleRate) {
  if (body != kSun && body != kMoon) return kRiseSetBadBody;
  if (reference.motionMode != kMotionNone && reference.motionMode != kMotionRhumbLine) {
    return kRiseSetBadMotionMode;
  }
  if (!(std::fabs(ut1MinusUtc) <= kMaxUt1MinusUtcSeconds)) return kRiseSetBadUt1MinusUtc;
  if (!std::isfinite(startUtc) || !(heightOfEyeM >= 0.0) || !std::isfinite(heightOfEyeM) ||
      !IsPositionRecordInDomain(reference)) {
    return kStatusOutOfDomain;
  }
  const double dutDays = ut1MinusUtc / kSecondsPerDay;
  TransitSolution transit;
  EngineStatus status = FindDayEvents(places, table, startUtc + dutDays, dutDays, body,
                                      heightOfEyeM, reference, day, transit);
  if (status != kStatusOk) return status;
  transitUtc = day.events[kTransitEvent].time - dutDays;
  transitHourAngleRate = transit.hourAngleRate;

  if (body == kMoon) {
    constexpr int kIlluminatedEvents[] = {kRiseEvent, kTransitEvent, kSetEvent};
    for (int slot = 0; slot < 3; ++slot) {
      const RiseSetEvent& event = day.events[kIlluminatedEvents[slot]];
      if (event.time <= 0.0) continue;
      const double percent = MoonIlluminationPercent(places, table.earth, event.time);
      if (percent < 0.0) return kRiseSetNoIllumination;
      day.moonIlluminationPercent[slot] = percent;
    }
  }
  return kStatusOk;
}

}  // namespace navora
