#include "engine/horizon/ObserverPlaces.h"

#include <cmath>

#include "engine/horizon/HorizonFrame.h"
#include "engine/places/ApparentPlace.h"
#include "engine/places/PrecessionNutation.h"
#include "engine/places/StarPlace.h"
#include "engine/time/DeltaT.h"
#include "engine/time/SiderealTime.h"
#include "engine/time/TimeConstants.h"

namespace navora {

EngineStatus PrepareObserverInstant(PlaceContext& context, double jdUtc, double ut1MinusUtcSeconds,
                                    double latitudeDeg, double eastLongitudeDeg,
                                    double heightMetres, ObserverInstant& instant) {
  instant = ObserverInstant{};
  if (!std::isfinite(jdUtc) || !std::isfinite(ut1MinusUtcSeconds) ||
      !std::isfinite(eastLongitudeDeg) || !std::isfinite(heightMetres) ||
      !(latitudeDeg >= -90.0 && latitudeDeg <= 90.0)) {
    return kStatusOutOfDomain;
  }
  const double jdUt1 = jdUtc + ut1MinusUtcSeconds / kSecondsPerDay;
  const double deltaT = context.deltaT.LookupDeltaT(jdUt1);
  if (deltaT <= kDeltaTUnavailable) return static_cast<EngineStatus>(deltaT);
  instant.jdUtc = jdUtc;
  instant.jdUt1 = jdUt1;
  instant.deltaTSeconds = deltaT;
  instant.jdTt = jdUt1 + deltaT / kSecondsPerDay;
  NutationOfDate nutation;
  ComputeNutationOfDate(instant.jdTt, nutation);
  double meanHours = 0.0;
  ComputeSiderealTime(jdUt1, eastLongitudeDeg, nutation.equationOfEquinoxesArcsec, meanHours,
                      instant.localSiderealHours);
  instant.latitudeDeg = latitudeDeg;
  instant.eastLongitudeDeg = eastLongitudeDeg;
  instant.heightMetres = heightMetres;
  return kStatusOk;
}

EngineStatus ObserverBodyPlace(PlaceContext& context, const ObserverInstant& instant, BodyId body,
                               ObservedSkyPlace& place) {
  place = ObservedSkyPlace{};
  Vector3 astrometric{};
  double obliquity = 0.0, gast = 0.0, lightTime = 0.0;
  return TopocentricApparentPlace(context, instant.jdTt, instant.deltaTSeconds, body, kEarth,
                                  instant.eastLongitudeDeg, instant.latitudeDeg,
                                  instant.heightMetres, place.raHours, place.decDeg,
                                  place.distanceAu, place.positionOfDate, astrometric, obliquity,
                                  gast, lightTime);
}

EngineStatus ObserverStarPlace(PlaceContext& context, const ObserverInstant& instant,
                               const StarEntry& star, ObservedSkyPlace& place) {
  place = ObservedSkyPlace{};
  double obliquity = 0.0;
  return StarApparentPlace(context, instant.jdTt, kEarth, star.raHours, star.decDeg, star.pmRa,
                           star.pmDec, star.parallax, star.radialVelocity, place.raHours,
                           place.decDeg, place.positionOfDate, obliquity);
}

EngineStatus PlaceToHorizon(const ObserverInstant& instant, ObservedSkyPlace& place) {
  const EngineStatus status =
      RaDecToAzimuthAltitude(place.raHours, place.decDeg, instant.localSiderealHours,
                             instant.latitudeDeg, place.azimuthDeg, place.altitudeDeg);
  if (place.azimuthDeg < 0.0) place.azimuthDeg += 360.0;
  return status;
}

}  // namespace navora
