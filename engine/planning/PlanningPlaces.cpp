#include "engine/planning/PlanningPlaces.h"

#include "engine/horizon/BodyPhysics.h"
#include "engine/places/AstronomicalConstants.h"
#include "engine/places/StarCatalogue.h"
#include "engine/time/TdbMinusTt.h"

namespace navora {

EngineStatus SeeBody(PlaceContext& context, const ObserverInstant& instant, BodyId body,
                     EngineStatus placeFailure, EngineStatus horizonFailure,
                     ObservedSkyPlace& place) {
  EngineStatus status = ObserverBodyPlace(context, instant, body, place);
  if (status != kStatusOk) return OffsetStatus(status, placeFailure);
  status = PlaceToHorizon(instant, place);
  if (status != kStatusOk) return OffsetStatus(status, horizonFailure);
  return kStatusOk;
}

EngineStatus SeeStar(PlaceContext& context, const ObserverInstant& instant, int starNumber,
                     EngineStatus placeFailure, EngineStatus horizonFailure,
                     ObservedSkyPlace& place) {
  EngineStatus status =
      ObserverStarPlace(context, instant, kStarCatalogue[starNumber - 1], place);
  if (status != kStatusOk) return OffsetStatus(status, placeFailure);
  status = PlaceToHorizon(instant, place);
  if (status != kStatusOk) return OffsetStatus(status, horizonFailure);
  return kStatusOk;
}

PhaseSeen PhaseOf(const ObservedSkyPlace& body, const ObservedSkyPlace& sun) {
  PhaseSeen phase;
  PhaseAngle(body.positionOfDate, body.distanceAu, sun.positionOfDate, phase.phaseAngleDeg,
             phase.sunDistanceAu, phase.towardSun, phase.towardObserver);
  return phase;
}

EngineStatus MagnitudeSeen(const ObserverInstant& instant, BodyId planet,
                           const ObservedSkyPlace& place, const PhaseSeen& phase,
                           double& magnitude) {
  // Saturn's rings add light as they open toward the observer.
  double ringTilt = 0.0;
  if (planet == kSaturn) {
    double tdbMinusTt = 0.0, shiftedJd = 0.0;
    ConvertTdbToTt(instant.jdTt, tdbMinusTt, shiftedJd);
    ringTilt = SaturnRingTilt(instant.jdTt + tdbMinusTt / kSecondsPerDay,
                              place.distanceAu / kSpeedOfLightAuPerDay, phase.towardObserver);
  }
  return PlanetMagnitude(planet, phase.sunDistanceAu, place.distanceAu, ringTilt,
                         phase.phaseAngleDeg, magnitude);
}

}  // namespace navora
