#pragma once

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/horizon/ObserverPlaces.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// The steps that the sky chart and the selected-stars tables share: a body's
// or star's place with its horizon coordinates, and what the phase makes of
// a planet or the Moon. Places and units as ObserverPlaces.h; the phase from
// the topocentric vectors of the body and the Sun, so that it is the phase
// the observer sees.

// A status of a step raised by the caller's offset for that step.
inline EngineStatus OffsetStatus(EngineStatus status, EngineStatus offset) {
  return static_cast<EngineStatus>(status + offset);
}

// Topocentric place and horizon coordinates of the Sun, the Moon or a planet:
// kStatusOk, or the failing step's status plus placeFailure or
// horizonFailure.
[[nodiscard]] EngineStatus SeeBody(PlaceContext& context, const ObserverInstant& instant,
                                   BodyId body, EngineStatus placeFailure,
                                   EngineStatus horizonFailure, ObservedSkyPlace& place);

// The same for catalogue star number 1..kStarCount.
[[nodiscard]] EngineStatus SeeStar(PlaceContext& context, const ObserverInstant& instant,
                                   int starNumber, EngineStatus placeFailure,
                                   EngineStatus horizonFailure, ObservedSkyPlace& place);

// Phase angle (degrees) of a body seen by the observer, with the body's
// distance from the Sun (AU) and the unit vectors from the body toward the
// Sun and toward the observer.
struct PhaseSeen {
  double phaseAngleDeg = 0.0;
  double sunDistanceAu = 0.0;
  Vector3 towardSun{};
  Vector3 towardObserver{};
};
PhaseSeen PhaseOf(const ObservedSkyPlace& body, const ObservedSkyPlace& sun);

// Visual magnitude of a planet seen by the observer, Saturn with its ring
// tilt. Status of PlanetMagnitude.
[[nodiscard]] EngineStatus MagnitudeSeen(const ObserverInstant& instant, BodyId planet,
                                         const ObservedSkyPlace& place, const PhaseSeen& phase,
                                         double& magnitude);

}  // namespace navora
