#pragma once

#include <array>
#include <cstdint>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// What one almanac row tabulates.
using AlmanacKind = int16_t;
inline constexpr AlmanacKind kAlmanacSunMoonAries = 1;
inline constexpr AlmanacKind kAlmanacPlanets = 2;
inline constexpr AlmanacKind kAlmanacStarAtInstant = 3;  // SHA, GHA and Dec. of one star
inline constexpr AlmanacKind kAlmanacStarForDay = 4;     // SHA and Dec. at 12h UT of the date

// Largest |UT1 - UTC| in seconds the almanac tables accept.
inline constexpr double kAlmanacMaxDut1Seconds = 0.9;

// Status of the almanac computations when Delta T is unavailable for the date.
inline constexpr EngineStatus kAlmanacNoDeltaT = 1;
// Status of ComputeStarAlmanac for a number outside the catalogue.
inline constexpr EngineStatus kAlmanacUnknownStar = 2;
// Status of the almanac computations when the ephemeris cannot give a place
// (no file open, the date outside it, or an unsound record).
inline constexpr EngineStatus kAlmanacNoPlace = 3;

// All angles geocentric, apparent, true equator and equinox of date, from
// the places of ApparentPlace.h and StarPlace.h with TT = UT1 + Delta T and
// GAST of SiderealArguments.h; planets at their centre of light. Against
// IAU 2006/2000A over 30 dates 1970-2024 the printed GHA, SHA, Dec, HP and
// SD are within 0.053', rounding included (Polaris GHA and SHA 0.14' and 0.18',
// magnified near the pole), the Moon's illumination 0.5 percent. Against
// published almanac pages of 2021 and 2023 they agree within 0.1', the printed
// precision (0.2' for a Sun GHA the 2021 pages adjust on purpose). Holds for
// the supported dates.
struct SunAlmanacValues {
  double gha;  // degrees, [0, 360)
  double dec;  // degrees
};

struct MoonAlmanacValues {
  double gha;                 // degrees, [0, 360)
  double dec;                 // degrees
  double horizontalParallax;  // equatorial, arc-minutes
  double semiDiameter;        // arc-minutes
  double illumination;        // illuminated fraction of the disk, percent
};

// GHA and declination of a planet's centre of light.
struct PlanetAlmanacValues {
  double gha;  // degrees, [0, 360)
  double dec;  // degrees
};

// The four navigational planets in the order the planets table prints them.
inline constexpr int kAlmanacPlanetCount = 4;
inline constexpr std::array<BodyId, kAlmanacPlanetCount> kAlmanacPlanetBodies = {kVenus, kMars,
                                                                                 kJupiter, kSaturn};
using PlanetsAlmanacValues = std::array<PlanetAlmanacValues, kAlmanacPlanetCount>;

struct StarAlmanacEntry {
  char name[14];        // catalogue name, zero-terminated
  uint16_t starNumber;  // catalogue number, 1-based
  double gha;           // degrees, [0, 360)
  double sha;           // degrees, [0, 360)
  double dec;           // degrees
};

// Each computation takes the caller's place context and a UT1 Julian date
// and returns 0, kAlmanacNoDeltaT or kAlmanacNoPlace; the outputs are valid
// on 0 only.
[[nodiscard]] EngineStatus ComputeSunAlmanac(PlaceContext& context, double jdUt1,
                                             SunAlmanacValues& sun);
[[nodiscard]] EngineStatus ComputeMoonAlmanac(PlaceContext& context, double jdUt1,
                                              MoonAlmanacValues& moon);
// Records in the order of kAlmanacPlanetBodies.
[[nodiscard]] EngineStatus ComputePlanetsAlmanac(PlaceContext& context, double jdUt1,
                                                 PlanetsAlmanacValues& planets);
// GHA of the first point of Aries: 15 x Greenwich apparent sidereal time.
[[nodiscard]] EngineStatus ComputeAriesAlmanac(PlaceContext& context, double jdUt1,
                                               double& ariesGhaDeg);
// Any catalogue star 1..kStarCount; kAlmanacUnknownStar outside.
[[nodiscard]] EngineStatus ComputeStarAlmanac(PlaceContext& context, double jdUt1,
                                              int16_t starNumber, StarAlmanacEntry& star);

// Visual magnitude of a planet at a TT date (laws of BodyPhysics.h; the
// published 2021 pages are met to their 0.1 mag); returns the status of
// PlanetMagnitude (kMagnitudeUnknownBody for a body without a magnitude law)
// or kAlmanacNoPlace, the magnitude being kNoMagnitude (50.0) when none exists.
[[nodiscard]] EngineStatus ComputePlanetMagnitude(PlaceContext& context, BodyId planet, double jdTt,
                                                  double& magnitude);

// (sidereal time - right ascension) x 15 in degrees, brought into [0, 360).
double GhaFromSiderealTime(double siderealHours, double raHours);

// 360 - 15 x right ascension in degrees, brought into [0, 360).
double ShaFromRightAscension(double raHours);

}  // namespace navora
