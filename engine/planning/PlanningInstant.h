#pragma once

#include <array>
#include <cstdint>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/places/PlaceContext.h"
#include "engine/places/SelectedStars.h"

namespace navora {

// What the selected-stars tables print for one instant: the seven selected
// stars, and the Sun, Moon and four navigational planets with the local hour
// angle of Aries and any eclipse under way.
//
// Model: as SkyChart.h (ObserverPlaces.h places, no refraction); the Sun's
// semi-diameter from a radius of 696 000 000 m, the Moon's from 1 738 000 m
// (AngularRadius); elongation the angle between a body's and the Sun's
// topocentric directions (RelativeDirection); the eclipse by
// SunMoonEclipseCheck (SightPlanningChecks.h). Units: degrees, semi-diameters
// in arcseconds, UTC Julian dates, UT1 - UTC in seconds, heights in metres.
// Accuracy against ERFA IAU 2006/2000A over DE405 at 20 instants 1970-2024,
// latitudes 60 S to 65 N: altitudes within 0.0017', azimuths within 0.00005
// degree, elongations within 0.002', LHA Aries within 0.005', semi-diameters
// within 0.0001".

// The planning schedule: 16 instants 4 minutes apart from the planning time.
inline constexpr int kPlanningInstantCount = 16;
inline constexpr double kPlanningStepDays = 1.0 / 360.0;

using EclipseCode = int16_t;  // the codes of SightPlanningChecks.h, 0 to 6

struct SelectedStarEntry {
  int16_t starNumber = 0;  // signed as LookupSelectedStars returns it
  double altitude = 0.0;
  double azimuth = 0.0;
};

struct SelectedStarsResult {
  double time = 0.0;  // UTC Julian date
  std::array<SelectedStarEntry, kSelectedStarCount> stars{};
  double sunAltitude = 0.0;
  double sunSemiDiameter = 0.0;  // arcseconds
};

inline constexpr int kPlanningBodyCount = 6;
// The bodies of PlanningBodiesResult, in their fixed order.
inline constexpr std::array<BodyId, kPlanningBodyCount> kPlanningBodies = {
    kSun, kMoon, kVenus, kMars, kJupiter, kSaturn};

struct PlanningBodyEntry {
  BodyId body = 0;
  double altitude = 0.0;
  double azimuth = 0.0;
  double magnitudeOrIllumination = 0.0;  // Sun 1; Moon illuminated percent; planets magnitude
  double elongation = 0.0;               // degrees from the Sun; 0 for the Sun
};

struct PlanningBodiesResult {
  double time = 0.0;  // UTC Julian date
  double lhaAries = 0.0;
  std::array<PlanningBodyEntry, kPlanningBodyCount> bodies{};
  double moonSemiDiameter = 0.0;  // arcseconds
  EclipseCode eclipse = 0;
};

// Status offsets, added to the failing step's status; a Delta T failure is
// returned as itself (-1000 or below).
inline constexpr EngineStatus kSelectedStarsSunPlaceFailure = 10;
inline constexpr EngineStatus kSelectedStarsHorizonFailure = 20;
inline constexpr EngineStatus kSelectedStarsLookupFailure = 30;
inline constexpr EngineStatus kSelectedStarsStarPlaceFailure = 40;

inline constexpr EngineStatus kPlanningBodiesPlaceFailure = 10;
inline constexpr EngineStatus kPlanningBodiesHorizonFailure = 20;
inline constexpr EngineStatus kPlanningBodiesMagnitudeFailure = 30;

[[nodiscard]] EngineStatus SelectedStarsAt(PlaceContext& context, double timeUtc,
                                           double ut1MinusUtc, double latitude, double longitude,
                                           double heightOfEyeM, SelectedStarsResult& result);

[[nodiscard]] EngineStatus PlanningBodiesAt(PlaceContext& context, double timeUtc,
                                            double ut1MinusUtc, double latitude, double longitude,
                                            double heightOfEyeM, PlanningBodiesResult& result);

// The eclipse seen by the observer, from the Sun's and Moon's topocentric
// zenith distances (degrees), semi-diameters (arcseconds) and separation
// (degrees): the code, or a place failure of the lunar check + 90.
[[nodiscard]] EclipseCode ClassifyEclipse(PlaceContext& context, double jdTt,
                                          double heightOfEyeM, double sunZenithDeg,
                                          double moonZenithDeg, double sunSemiDiameterArcsec,
                                          double moonSemiDiameterArcsec, double separationDeg);

}  // namespace navora
