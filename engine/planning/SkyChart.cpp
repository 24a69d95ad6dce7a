#include "engine/planning/SkyChart.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/common/Angles.h"
#include "engine/horizon/BodyPhysics.h"
#include "engine/horizon/ObserverPlaces.h"
#include "engine/places/ApparentPlace.h"
#include "engine/places/SelectedStars.h"
#include "engine/places/StarCatalogue.h"
#include "engine/planning/PlanningPlaces.h"

namespace navora {

namespace {

// The chart's bodies in the order they are computed and listed; the Sun comes
// first so that the Moon's record can carry its direction.
constexpr BodyId kChartPlanets[kSkyChartMaxPlanets] = {kVenus, kMars, kJupiter, kSaturn};
constexpr const char* kChartPlanetNames[kSkyChartMaxPlanets] = {"Venus", "Mars", "Jupiter",
                                                                "Saturn"};

double ZenithDistance(const ObservedSkyPlace& place) {
  return kDegreesPerQuarterCircle - place.altitudeDeg;
}

template <std::size_t N>
void CopyName(char (&to)[N], const char* from) {
  std::snprintf(to, N, "%s", from);
}

SkyChartLuminary SunRecord(const ObservedSkyPlace& sun) {
  SkyChartLuminary record;
  CopyName(record.name, "Sun");
  record.zenithDistance = record.lightZenithDistance = record.sunZenithDistance =
      ZenithDistance(sun);
  record.azimuth = record.lightAzimuth = record.sunAzimuth = sun.azimuthDeg;
  record.illuminatedFraction = 1.0;
  return record;
}

// The Moon with the direction of its centre of light, which lies toward the
// Sun and shows the chart which side of the disk is lit.
EngineStatus MoonRecord(const ObserverInstant& instant, const ObservedSkyPlace& moon,
                        const ObservedSkyPlace& sun, SkyChartLuminary& record) {
  record = SkyChartLuminary{};
  CopyName(record.name, "Moon");
  record.zenithDistance = ZenithDistance(moon);
  record.azimuth = moon.azimuthDeg;
  record.sunZenithDistance = ZenithDistance(sun);
  record.sunAzimuth = sun.azimuthDeg;

  const PhaseSeen phase = PhaseOf(moon, sun);
  record.illuminatedFraction = IlluminatedFraction(phase.phaseAngleDeg);
  const double radius = kBodyRadiusMetres[kMoon];
  ObservedSkyPlace light;
  double displacement = 0.0;
  EngineStatus status =
      CentreOfLightPlace(phase.towardSun, phase.towardObserver, moon.positionOfDate,
                         phase.phaseAngleDeg, radius, AngularRadius(moon.distanceAu, radius),
                         light.raHours, light.decDeg, displacement);
  if (status != kStatusOk) return OffsetStatus(status, kSkyChartCentreOfLightFailure);
  status = PlaceToHorizon(instant, light);
  if (status != kStatusOk) return OffsetStatus(status, kSkyChartHorizonFailure);
  record.lightZenithDistance = ZenithDistance(light);
  record.lightAzimuth = light.azimuthDeg;
  return kStatusOk;
}

char StarMark(int starNumber, const int16_t (&selected)[kSelectedStarCount]) {
  for (int16_t number : selected) {
    if (std::abs(number) == starNumber) return number < 0 ? kStarBestThree : kStarSelected;
  }
  return kStarNotSelected;
}

struct ChartCounts {
  int16_t& luminaries;
  int16_t& planets;
  int16_t& stars;
};

EngineStatus ChartBodies(PlaceContext& context, const ObserverInstant& instant,
                         SkyChartLuminary (&luminaries)[kSkyChartMaxLuminaries],
                         SkyChartPlanet (&planets)[kSkyChartMaxPlanets],
                         SkyChartStar (&stars)[kSkyChartMaxStars], ChartCounts counts) {
  ObservedSkyPlace sun;
  EngineStatus status =
      SeeBody(context, instant, kSun, kSkyChartPlaceFailure, kSkyChartHorizonFailure, sun);
  if (status != kStatusOk) return status;
  if (ZenithDistance(sun) < kSkyChartSunLimitDeg) luminaries[counts.luminaries++] = SunRecord(sun);

  for (int k = 0; k < kSkyChartMaxPlanets; ++k) {
    ObservedSkyPlace place;
    status = SeeBody(context, instant, kChartPlanets[k], kSkyChartPlaceFailure,
                     kSkyChartHorizonFailure, place);
    if (status != kStatusOk) return status;
    if (ZenithDistance(place) >= kSkyChartBodyLimitDeg) continue;
    SkyChartPlanet& planet = planets[counts.planets];
    planet = SkyChartPlanet{};
    status = MagnitudeSeen(instant, kChartPlanets[k], place, PhaseOf(place, sun), planet.magnitude);
    if (status != kStatusOk) return OffsetStatus(status, kSkyChartMagnitudeFailure);
    CopyName(planet.name, kChartPlanetNames[k]);
    planet.zenithDistance = ZenithDistance(place);
    planet.azimuth = place.azimuthDeg;
    ++counts.planets;
  }

  ObservedSkyPlace moon;
  status = SeeBody(context, instant, kMoon, kSkyChartPlaceFailure, kSkyChartHorizonFailure, moon);
  if (status != kStatusOk) return status;
  if (ZenithDistance(moon) < kSkyChartBodyLimitDeg) {
    status = MoonRecord(instant, moon, sun, luminaries[counts.luminaries]);
    if (status != kStatusOk) return status;
    ++counts.luminaries;
  }

  int16_t selected[kSelectedStarCount] = {};
  status = LookupSelectedStars(instant.latitudeDeg, LhaAriesDeg(instant), selected);
  if (status != kStatusOk) return OffsetStatus(status, kSkyChartSelectedStarsFailure);
  for (int number = 1; number <= kSkyChartMaxStars; ++number) {
    ObservedSkyPlace place;
    status = SeeStar(context, instant, number, kSkyChartStarPlaceFailure, kSkyChartHorizonFailure,
                     place);
    if (status != kStatusOk) return status;
    if (ZenithDistance(place) >= kSkyChartBodyLimitDeg) continue;
    const StarEntry& entry = kStarCatalogue[number - 1];
    SkyChartStar& star = stars[counts.stars++];
    star = SkyChartStar{};
    static_assert(sizeof(star.name) > sizeof(entry.name));
    std::memcpy(star.name, entry.name, sizeof(entry.name));
    star.name[sizeof(entry.name)] = '\0';
    star.starNumber = static_cast<uint16_t>(number);
    star.zenithDistance = ZenithDistance(place);
    star.azimuth = place.azimuthDeg;
    star.magnitude = entry.magnitude;
    star.selectedMark = StarMark(number, selected);
  }
  return kStatusOk;
}

}  // namespace

EngineStatus ComputeSkyChart(PlaceContext& context, double timeUtc, double ut1MinusUtc,
                             double latitude, double longitude, double heightOfEyeM,
                             SkyChartLuminary (&luminaries)[kSkyChartMaxLuminaries],
                             int16_t& luminaryCount, SkyChartPlanet (&planets)[kSkyChartMaxPlanets],
                             int16_t& planetCount, SkyChartStar (&stars)[kSkyChartMaxStars],
                             int16_t& starCount) {
  luminaryCount = planetCount = starCount = 0;
  ObserverInstant instant;
  EngineStatus status = PrepareObserverInstant(context, timeUtc, ut1MinusUtc, latitude, longitude,
                                               heightOfEyeM, instant);
  if (status == kStatusOk) {
    status = ChartBodies(context, instant, luminaries, planets, stars,
                         ChartCounts{luminaryCount, planetCount, starCount});
  }
  // A chart that failed part way is not a chart.
  if (status != kStatusOk) luminaryCount = planetCount = starCount = 0;
  return status;
}

}  // namespace navora
