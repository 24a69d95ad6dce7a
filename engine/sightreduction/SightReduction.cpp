#include "engine/sightreduction/SightReduction.h"

#include <cstdio>

#include "engine/common/Angles.h"
#include "engine/horizon/BodyPhysics.h"
#include "engine/horizon/HeightOfEye.h"
#include "engine/places/ApparentPlace.h"
#include "engine/places/PrecessionNutation.h"
#include "engine/places/StarCatalogue.h"
#include "engine/places/StarPlace.h"
#include "engine/position/DeadReckoning.h"
#include "engine/position/DrPartials.h"
#include "engine/sightreduction/BodyNames.h"
#include "engine/sightreduction/HcZn.h"
#include "engine/time/TimeConstants.h"

namespace navora {
namespace {

// The time arguments of one instant: TT for the places, the equation of the
// equinoxes for apparent sidereal time.
struct SightInstant {
  double jdUt1 = 0.0;
  double deltaTSeconds = 0.0;
  double jdTt = 0.0;
  double equationOfEquinoxesArcsec = 0.0;
};

EngineStatus PrepareInstant(PlaceContext& context, double jdUtc, double ut1MinusUtcSeconds,
                            SightInstant& instant) {
  instant.jdUt1 = jdUtc + ut1MinusUtcSeconds / kSecondsPerDay;
  instant.deltaTSeconds = context.deltaT.LookupDeltaT(instant.jdUt1);
  if (instant.deltaTSeconds <= kDeltaTUnavailable) return kSightReductionNoDeltaT;
  instant.jdTt = instant.jdUt1 + instant.deltaTSeconds / kSecondsPerDay;
  NutationOfDate nutation;
  ComputeNutationOfDate(instant.jdTt, nutation);
  instant.equationOfEquinoxesArcsec = nutation.equationOfEquinoxesArcsec;
  return kStatusOk;
}

// Which point of the disk the sextant was set on.
enum class Limb { kNone, kUpper, kLower };

// The observed point of a body: where it is and, for a limb, how far the limb
// lies from the centre.
struct ObservedPlace {
  double raHours = 0.0;
  double decDeg = 0.0;
  double semiDiameterArcsec = 0.0;
  Limb limb = Limb::kNone;
};

// A topocentric place as ObservedPlace needs it.
struct TopocentricPlace {
  double raHours = 0.0;
  double decDeg = 0.0;
  double distanceAu = 0.0;
  Vector3 positionOfDate{};
};

struct Observer {
  double eastLongitudeDeg;
  double latitudeDeg;
  double heightMetres;
};

EngineStatus PlaceSeenBy(PlaceContext& context, const SightInstant& instant,
                         const Observer& observer, BodyId body, TopocentricPlace& place) {
  Vector3 astrometric{};
  double obliquity = 0.0, gast = 0.0, lightTime = 0.0;
  return TopocentricApparentPlace(
      context, instant.jdTt, instant.deltaTSeconds, body, kEarth, observer.eastLongitudeDeg,
      observer.latitudeDeg, observer.heightMetres, place.raHours, place.decDeg, place.distanceAu,
      place.positionOfDate, astrometric, obliquity, gast, lightTime);
}

// A planet, or the Moon without a limb: the sextant is set on the lit part
// of the disk, so the centre of light stands for the body.
EngineStatus CentreOfLight(PlaceContext& context, const SightInstant& instant,
                           const Observer& observer, BodyId body, ObservedPlace& observed) {
  TopocentricPlace place, sun;
  if (PlaceSeenBy(context, instant, observer, body, place) != kStatusOk ||
      PlaceSeenBy(context, instant, observer, kSun, sun) != kStatusOk) {
    return kSightReductionNoPlace;
  }
  const double radius = kBodyRadiusMetres[body];
  const double semiDiameter = AngularRadius(place.distanceAu, radius);
  double phaseAngle = 0.0, sunDistance = 0.0, displacement = 0.0;
  Vector3 towardSun{}, towardObserver{};
  PhaseAngle(place.positionOfDate, place.distanceAu, sun.positionOfDate, phaseAngle, sunDistance,
             towardSun, towardObserver);
  if (CentreOfLightPlace(towardSun, towardObserver, place.positionOfDate, phaseAngle, radius,
                         semiDiameter, observed.raHours, observed.decDeg,
                         displacement) != kStatusOk) {
    return kSightReductionNoPlace;
  }
  return kStatusOk;
}

// The Sun's centre, or a limb of the Sun or Moon with its topocentric
// semi-diameter.
EngineStatus DiskPlace(PlaceContext& context, const SightInstant& instant, const Observer& observer,
                       BodyId body, Limb limb, ObservedPlace& observed) {
  TopocentricPlace place;
  if (PlaceSeenBy(context, instant, observer, body, place) != kStatusOk) {
    return kSightReductionNoPlace;
  }
  observed.raHours = place.raHours;
  observed.decDeg = place.decDeg;
  observed.limb = limb;
  if (limb != Limb::kNone) {
    observed.semiDiameterArcsec = AngularRadius(place.distanceAu, kBodyRadiusMetres[body]);
  }
  return kStatusOk;
}

// Stars are at infinity: the observer shifts them only by diurnal
// aberration (0.3"), so the geocentric place serves.
EngineStatus CataloguePlace(PlaceContext& context, const SightInstant& instant, uint16_t starNumber,
                            ObservedPlace& observed) {
  if (starNumber < 1 || starNumber > kStarCount) return kSightReductionNoPlace;
  const StarEntry& star = kStarCatalogue[starNumber - 1];
  Vector3 unitVector{};
  double obliquity = 0.0;
  if (StarApparentPlace(context, instant.jdTt, kEarth, star.raHours, star.decDeg, star.pmRa,
                        star.pmDec, star.parallax, star.radialVelocity, observed.raHours,
                        observed.decDeg, unitVector, obliquity) != kStatusOk) {
    return kSightReductionNoPlace;
  }
  return kStatusOk;
}

EngineStatus ObservedPoint(PlaceContext& context, const SightInstant& instant,
                           const Observer& observer, const ObservationRecord& sight,
                           ObservedPlace& observed) {
  switch (sight.bodyCode) {
    case kVenus:
    case kMars:
    case kJupiter:
    case kSaturn:
    case kMoon:
      return CentreOfLight(context, instant, observer, sight.bodyCode, observed);
    case kSun:
      return DiskPlace(context, instant, observer, kSun, Limb::kNone, observed);
    case kBodyCodeSunUpperLimb:
      return DiskPlace(context, instant, observer, kSun, Limb::kUpper, observed);
    case kBodyCodeSunLowerLimb:
      return DiskPlace(context, instant, observer, kSun, Limb::kLower, observed);
    case kBodyCodeMoonUpperLimb:
      return DiskPlace(context, instant, observer, kMoon, Limb::kUpper, observed);
    case kBodyCodeMoonLowerLimb:
      return DiskPlace(context, instant, observer, kMoon, Limb::kLower, observed);
    case kBodyCodeStar:
      return CataloguePlace(context, instant, sight.starNumber, observed);
    default:
      return kSightReductionNoPlace;
  }
}

double LimbOffsetDeg(const ObservedPlace& observed) {
  const double semiDiameterDeg = observed.semiDiameterArcsec / kArcsecondsPerDegree;
  switch (observed.limb) {
    case Limb::kUpper:
      return semiDiameterDeg;
    case Limb::kLower:
      return -semiDiameterDeg;
    case Limb::kNone:
      break;
  }
  return 0.0;
}

}  // namespace

void CorrectObservedAltitudes(std::span<ObservationRecord> sights,
                              std::span<ReducedObservation> reduced) {
  for (size_t i = 0; i < sights.size() && i < reduced.size(); ++i) {
    ObservationRecord& sight = sights[i];
    ReducedObservation& r = reduced[i];
    r.legIndex = sight.legIndex;
    const char* name = "";
    // An unknown body keeps an empty name; its reduction fails with the place.
    (void)BodyNameForCode(sight.bodyCode, sight.starNumber, name);
    std::snprintf(r.bodyName, sizeof(r.bodyName), "%s", name);
    r.included = sight.included;
    r.time = sight.time;
    r.ut1MinusUtc = sight.ut1MinusUtc;
    r.temperature = sight.temperature;
    r.pressure = sight.pressure;
    r.spare = sight.spare;
    r.hs = sight.hs;
    r.sigma = sight.sigma;
    sight.weight = 1.0;
    r.weight = 1.0;
    // Written so that a NaN altitude fails the test too.
    if (!(sight.hs >= kLowestUsableHs && sight.hs <= kHighestUsableHs)) r.included = 0;

    r.dip = DipMinutes(sight.heightOfEye);
    const double apparentAltitude = sight.hs + sight.indexCorrection - r.dip / kArcminutesPerDegree;
    // Below the reach of the refraction formula (or with unusable weather)
    // no Ho exists; the sight is reduced and reported but cannot count.
    if (RefractionMinutes(apparentAltitude, sight.temperature, sight.pressure, r.refraction) !=
        kStatusOk) {
      r.included = 0;
    }
    r.ho = apparentAltitude - r.refraction / kArcminutesPerDegree;
  }
}

EngineStatus ReduceObservation(PlaceContext& context, const ObservationRecord& sight,
                               const LegRecord& leg, const LegRecord& fixLeg,
                               double ut1MinusUtcAtFix, ReducedObservation& reduced) {
  SightInstant instant;
  if (PrepareInstant(context, sight.time, sight.ut1MinusUtc, instant) != kStatusOk) {
    return kSightReductionNoDeltaT;
  }

  // Assumed position: the leg's reduction record run to the sight's time.
  // A run that ends off the globe leaves no position to compute Hc from.
  PositionRecord assumed;
  double latitudeRate = 0.0, longitudeRate = 0.0;
  if (AdvanceDeadReckoning(sight.time, leg.reduction, assumed, latitudeRate, longitudeRate) !=
      kStatusOk) {
    return kSightReductionNoHcZn;
  }
  reduced.drLatitude = assumed.latitude;
  reduced.drLongitude = assumed.longitude;

  const Observer observer{assumed.longitude, assumed.latitude, sight.heightOfEye};
  ObservedPlace observed;
  if (ObservedPoint(context, instant, observer, sight, observed) != kStatusOk) {
    return kSightReductionNoPlace;
  }
  reduced.ra = observed.raHours;
  reduced.dec = observed.decDeg;

  if (ComputeHcZn(instant.jdUt1, instant.equationOfEquinoxesArcsec, assumed.longitude,
                  assumed.latitude, reduced.ra, reduced.dec, reduced.hc, reduced.zn,
                  reduced.lha) != kStatusOk) {
    return kSightReductionNoHcZn;
  }

  // A limb lies one semi-diameter above or below the centre on the same
  // vertical; its place is what the fix equations must use.
  if (observed.limb != Limb::kNone) {
    reduced.hc += LimbOffsetDeg(observed);
    if (HorizonToEquatorial(instant.jdUt1, instant.equationOfEquinoxesArcsec, assumed.longitude,
                            assumed.latitude, reduced.hc, reduced.zn, reduced.ra, reduced.dec,
                            reduced.lha) != kStatusOk) {
      return kSightReductionNoHcZn;
    }
  }

  // The same direction as seen from the fix position at the time of fix.
  SightInstant fixInstant;
  const PositionRecord& fix = fixLeg.reduction;
  if (PrepareInstant(context, fix.time, ut1MinusUtcAtFix, fixInstant) != kStatusOk) {
    return kSightReductionNoDeltaT;
  }
  if (HorizonToEquatorial(fixInstant.jdUt1, fixInstant.equationOfEquinoxesArcsec, fix.longitude,
                          fix.latitude, reduced.hc, reduced.zn, reduced.raAtFix, reduced.decAtFix,
                          reduced.lhaAtFix) != kStatusOk) {
    return kSightReductionNoHcZn;
  }

  if (DrPartials(assumed, leg.reduction, reduced.drPartialsLat, reduced.drPartialsLon) !=
      kStatusOk) {
    return kSightReductionNoHcZn;
  }
  return kStatusOk;
}

EngineStatus ReduceSightsAtPositions(PlaceContext& context,
                                     std::span<const ObservationRecord> sights,
                                     double ut1MinusUtcAtFix, int fixLeg,
                                     std::span<const LegRecord> legs,
                                     std::span<ReducedObservation> reduced) {
  const size_t legCount = legs.size();
  if (fixLeg < 0 || static_cast<size_t>(fixLeg) >= legCount) return kSightReductionBadLegCount;
  for (size_t i = 0; i < sights.size() && i < reduced.size(); ++i) {
    if (sights[i].legIndex >= legCount) return kSightReductionBadLegCount;
    const EngineStatus status = ReduceObservation(context, sights[i], legs[sights[i].legIndex],
                                                  legs[fixLeg], ut1MinusUtcAtFix, reduced[i]);
    if (status != kStatusOk) return status;
  }
  return kStatusOk;
}

}  // namespace navora
