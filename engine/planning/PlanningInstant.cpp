#include "engine/planning/PlanningInstant.h"

#include <cstdlib>

#include "engine/common/Angles.h"
#include "engine/horizon/BodyPhysics.h"
#include "engine/horizon/ObserverPlaces.h"
#include "engine/horizon/SightPlanningChecks.h"
#include "engine/planning/PlanningPlaces.h"

namespace navora {

namespace {

constexpr double kPercent = 100.0;
constexpr double kSunRadiusMetres = kBodyRadiusMetres[kSun];
constexpr double kMoonRadiusMetres = kBodyRadiusMetres[kMoon];

double ZenithDistance(const ObservedSkyPlace& place) {
  return kDegreesPerQuarterCircle - place.altitudeDeg;
}

// Angle (degrees) between the observer's directions to the Sun and a body.
EngineStatus Elongation(const ObservedSkyPlace& sun, const ObservedSkyPlace& body,
                        double& elongationDeg) {
  char side = ' ';
  return RelativeDirection(sun.raHours, sun.decDeg, sun.distanceAu, sun.positionOfDate,
                           body.raHours, body.decDeg, body.distanceAu, body.positionOfDate,
                           elongationDeg, side);
}

EngineStatus BodyEntry(const ObserverInstant& instant, BodyId body, const ObservedSkyPlace& place,
                       const ObservedSkyPlace& sun, PlanningBodyEntry& entry) {
  entry = PlanningBodyEntry{};
  entry.body = body;
  entry.altitude = place.altitudeDeg;
  entry.azimuth = place.azimuthDeg;
  if (body == kSun) {
    entry.magnitudeOrIllumination = 1.0;
    return kStatusOk;
  }
  // The elongation only fails for places no ephemeris gives; it is counted
  // with them.
  EngineStatus status = Elongation(sun, place, entry.elongation);
  if (status != kStatusOk) return OffsetStatus(status, kPlanningBodiesPlaceFailure);
  const PhaseSeen phase = PhaseOf(place, sun);
  if (body == kMoon) {
    entry.magnitudeOrIllumination = kPercent * IlluminatedFraction(phase.phaseAngleDeg);
    return kStatusOk;
  }
  status = MagnitudeSeen(instant, body, place, phase, entry.magnitudeOrIllumination);
  if (status != kStatusOk) return OffsetStatus(status, kPlanningBodiesMagnitudeFailure);
  return kStatusOk;
}

}  // namespace

EngineStatus SelectedStarsAt(PlaceContext& context, double timeUtc, double ut1MinusUtc,
                             double latitude, double longitude, double heightOfEyeM,
                             SelectedStarsResult& result) {
  result = SelectedStarsResult{};
  result.time = timeUtc;
  ObserverInstant instant;
  EngineStatus status = PrepareObserverInstant(context, timeUtc, ut1MinusUtc, latitude, longitude,
                                               heightOfEyeM, instant);
  if (status != kStatusOk) return status;

  ObservedSkyPlace sun;
  status = SeeBody(context, instant, kSun, kSelectedStarsSunPlaceFailure,
                   kSelectedStarsHorizonFailure, sun);
  if (status != kStatusOk) return status;
  result.sunAltitude = sun.altitudeDeg;
  result.sunSemiDiameter = AngularRadius(sun.distanceAu, kSunRadiusMetres);

  int16_t numbers[kSelectedStarCount] = {};
  status = LookupSelectedStars(latitude, LhaAriesDeg(instant), numbers);
  if (status != kStatusOk) return OffsetStatus(status, kSelectedStarsLookupFailure);
  for (int k = 0; k < kSelectedStarCount; ++k) {
    ObservedSkyPlace place;
    status = SeeStar(context, instant, std::abs(numbers[k]), kSelectedStarsStarPlaceFailure,
                     kSelectedStarsHorizonFailure, place);
    if (status != kStatusOk) return status;
    result.stars[k] = SelectedStarEntry{numbers[k], place.altitudeDeg, place.azimuthDeg};
  }
  return kStatusOk;
}

EngineStatus PlanningBodiesAt(PlaceContext& context, double timeUtc, double ut1MinusUtc,
                              double latitude, double longitude, double heightOfEyeM,
                              PlanningBodiesResult& result) {
  result = PlanningBodiesResult{};
  result.time = timeUtc;
  ObserverInstant instant;
  EngineStatus status = PrepareObserverInstant(context, timeUtc, ut1MinusUtc, latitude, longitude,
                                               heightOfEyeM, instant);
  if (status != kStatusOk) return status;
  result.lhaAries = LhaAriesDeg(instant);

  std::array<ObservedSkyPlace, kPlanningBodyCount> places;
  for (int k = 0; k < kPlanningBodyCount; ++k) {
    status = SeeBody(context, instant, kPlanningBodies[k], kPlanningBodiesPlaceFailure,
                     kPlanningBodiesHorizonFailure, places[k]);
    if (status != kStatusOk) return status;
  }
  const ObservedSkyPlace& sun = places[0];
  const ObservedSkyPlace& moon = places[1];
  for (int k = 0; k < kPlanningBodyCount; ++k) {
    status = BodyEntry(instant, kPlanningBodies[k], places[k], sun, result.bodies[k]);
    if (status != kStatusOk) return status;
  }

  const double sunSemiDiameter = AngularRadius(sun.distanceAu, kSunRadiusMetres);
  result.moonSemiDiameter = AngularRadius(moon.distanceAu, kMoonRadiusMetres);
  result.eclipse = ClassifyEclipse(context, instant.jdTt, heightOfEyeM, ZenithDistance(sun),
                                   ZenithDistance(moon), sunSemiDiameter,
                                   result.moonSemiDiameter, result.bodies[1].elongation);
  return kStatusOk;
}

EclipseCode ClassifyEclipse(PlaceContext& context, double jdTt, double heightOfEyeM,
                            double sunZenithDeg, double moonZenithDeg,
                            double sunSemiDiameterArcsec, double moonSemiDiameterArcsec,
                            double separationDeg) {
  return SunMoonEclipseCheck(context, jdTt, heightOfEyeM, sunZenithDeg, moonZenithDeg,
                             sunSemiDiameterArcsec, moonSemiDiameterArcsec, separationDeg);
}

}  // namespace navora
