#pragma once

#include <cstdint>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// The sky chart of sight planning: every usable body above the observer's
// horizon at one instant, with the Sun down to 6 degrees below it.
//
// Model: the places and horizon coordinates of ObserverPlaces.h
// (topocentric Sun, Moon and planets, geocentric stars, no refraction); the
// Moon's centre of light (CentreOfLightPlace, radius 1 738 000 m) and phase
// (IlluminatedFraction); planet magnitudes by PlanetMagnitude, Saturn with its
// ring tilt; the seven selected stars by LookupSelectedStars for the latitude
// and the local hour angle of Aries. Units: degrees (zenith distance =
// 90 - altitude, azimuth true in [0, 360)), UTC Julian dates, UT1 - UTC in
// seconds, height of eye in metres. Domain: the supported dates; latitude
// -90..90. Accuracy: that of ObserverPlaces.h. Against ERFA IAU 2006/2000A
// over DE405 at 20 instants 1970-2024, latitudes 60 S to 65 N, every charted
// body: altitude within 0.0012' (Sun, Moon), 0.0015' (planets, stars);
// azimuth within 0.00004 degree (planets), 0.00024 degree (stars).

inline constexpr int kSkyChartMaxLuminaries = 2;  // Sun, Moon
inline constexpr int kSkyChartMaxPlanets = 4;     // Venus, Mars, Jupiter, Saturn
inline constexpr int kSkyChartMaxStars = 58;      // the navigational stars and Polaris

// Zenith distances (degrees) below which a body is charted.
inline constexpr double kSkyChartSunLimitDeg = 96.0;
inline constexpr double kSkyChartBodyLimitDeg = 90.0;

// Marks of a charted star.
inline constexpr char kStarNotSelected = ' ';
inline constexpr char kStarSelected = '7';       // one of the seven selected stars
inline constexpr char kStarBestThree = '3';      // one of the three marked for the best fix

struct SkyChartLuminary {
  char name[8] = {};  // "Sun", "Moon"
  double zenithDistance = 0.0;
  double azimuth = 0.0;
  double illuminatedFraction = 0.0;  // 1 for the Sun
  double lightZenithDistance = 0.0;  // the Moon's centre of light; the Sun's centre
  double lightAzimuth = 0.0;
  double sunZenithDistance = 0.0;
  double sunAzimuth = 0.0;
};

struct SkyChartPlanet {
  char name[8] = {};  // "Venus", "Mars", "Jupiter", "Saturn"
  double zenithDistance = 0.0;
  double azimuth = 0.0;
  double magnitude = 0.0;
};

struct SkyChartStar {
  char name[15] = {};       // catalogue name of up to 14 characters, zero-terminated
  uint16_t starNumber = 0;  // 1..58
  double zenithDistance = 0.0;
  double azimuth = 0.0;
  double magnitude = 0.0;
  char selectedMark = kStarNotSelected;
};

// Status offsets of ComputeSkyChart, added to the failing step's status. A
// Delta T failure is returned as itself (-1000 or below).
inline constexpr EngineStatus kSkyChartPlaceFailure = 10;
inline constexpr EngineStatus kSkyChartHorizonFailure = 20;
inline constexpr EngineStatus kSkyChartMagnitudeFailure = 30;
inline constexpr EngineStatus kSkyChartCentreOfLightFailure = 40;
inline constexpr EngineStatus kSkyChartSelectedStarsFailure = 50;
inline constexpr EngineStatus kSkyChartStarPlaceFailure = 60;

// Bodies in the order Sun, Venus, Mars, Jupiter, Saturn, Moon, then stars
// 1..58 in catalogue order; the luminaries Sun first.
[[nodiscard]] EngineStatus ComputeSkyChart(PlaceContext& context, double timeUtc,
                                           double ut1MinusUtc, double latitude, double longitude,
                                           double heightOfEyeM,
                                           SkyChartLuminary (&luminaries)[kSkyChartMaxLuminaries],
                                           int16_t& luminaryCount,
                                           SkyChartPlanet (&planets)[kSkyChartMaxPlanets],
                                           int16_t& planetCount,
                                           SkyChartStar (&stars)[kSkyChartMaxStars],
                                           int16_t& starCount);

}  // namespace navora
