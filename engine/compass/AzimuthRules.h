#pragma once

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/horizon/ObserverPlaces.h"
#include "engine/places/PlaceContext.h"
#include "engine/places/StarCatalogue.h"

namespace navora {

// The rules shared by azimuth planning and the compass error, kept apart from
// the reports so that each can be checked on its own. Degrees throughout.

// Whether the body's altitude of the bearing test suits a planned azimuth:
// the Sun and the Moon when `testAltitudeDeg` (their upper limb) is above
// the horizon altitude h0, at any height; a planet or a star when
// h0 < altitude <= kAzimuthPlanningMaxAltitudeDeg. `body` is a BodyId or
// kCompassStarBody.
bool QualifiesForAzimuth(BodyId body, double testAltitudeDeg, double horizonAltitudeDeg);

// The altitude the planning tests: the upper limb of the Sun and the Moon
// (centre plus semi-diameter at the place's distance), else the centre.
double AzimuthTestAltitude(BodyId body, const ObservedSkyPlace& place);

// The observed true azimuth: `observed`, or with `isRelative` the relative
// bearing plus the heading, less 360 when the sum exceeds 360.
double ObservedAzimuth(double observed, double heading, bool isRelative);

// exact - observed, brought into [-350, 350] by one turn: positive when the
// true azimuth exceeds the observed one (East).
double CompassErrorDeg(double exactAzimuthDeg, double observedAzimuthDeg);

// Half away from zero to one decimal, as the reports print.
double RoundToTenth(double value);

// The instant and the body's place with its horizon coordinates (unrounded),
// for `body` Venus, Mars, Jupiter, Saturn, the Sun or the Moon, or
// kCompassStarBody with `star`. Status of PrepareObserverInstant (the Delta T
// failure -1000 or below), of the place, or of PlaceToHorizon.
[[nodiscard]] EngineStatus ComputeBodyHorizonPlace(PlaceContext& context, double timeUtc,
                                                   double ut1MinusUtc, BodyId body,
                                                   const StarEntry& star, double latitude,
                                                   double longitude, double heightOfEyeM,
                                                   ObservedSkyPlace& place);

}  // namespace navora
