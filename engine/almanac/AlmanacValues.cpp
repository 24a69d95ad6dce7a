#include "engine/almanac/AlmanacValues.h"

#include <cstring>

#include "engine/horizon/BodyPhysics.h"
#include "engine/places/ApparentPlace.h"
#include "engine/places/AstronomicalConstants.h"
#include "engine/places/SiderealArguments.h"
#include "engine/places/StarCatalogue.h"
#include "engine/places/StarPlace.h"
#include "engine/time/TdbMinusTt.h"

namespace navora {
namespace {

constexpr double kPercent = 100.0;
// Equatorial horizontal parallax: observer on the equator, body on the horizon.
constexpr double kEquatorLatitudeDeg = 0.0;
constexpr double kHorizonZenithDistanceDeg = 90.0;

// Time arguments of one UT1 instant.
struct AlmanacInstant {
  double jdTt;
  double gastHours;
};

EngineStatus PrepareInstant(PlaceContext& context, double jdUt1, AlmanacInstant& instant) {
  double gmstHours = 0.0, equationOfEquinoxes = 0.0;
  if (PrepareTimeArguments(context.deltaT, jdUt1, gmstHours, instant.gastHours, instant.jdTt,
                           equationOfEquinoxes) != kStatusOk) {
    return kAlmanacNoDeltaT;
  }
  return kStatusOk;
}

// Geocentric apparent place of a body with everything the almanac uses of it.
struct BodyPlace {
  double raHours;
  double decDeg;
  double distanceAu;
  Vector3 positionOfDate;
  double lightTimeDays;
};

// The callers' date check keeps the instant inside the ephemeris, but a
// record that turns out unsound still stops the row rather than print zeros.
EngineStatus GeocentricPlace(PlaceContext& context, double jdTt, BodyId body, BodyPlace& place) {
  Vector3 astrometric{};
  double trueObliquity = 0.0;
  if (GeocentricApparentPlace(context, jdTt, body, kEarth, place.raHours, place.decDeg,
                              place.distanceAu, place.positionOfDate, astrometric, trueObliquity,
                              place.lightTimeDays) != kStatusOk) {
    return kAlmanacNoPlace;
  }
  return kStatusOk;
}

}  // namespace

double GhaFromSiderealTime(double siderealHours, double raHours) {
  return WrapDegrees360((siderealHours - raHours) * kDegreesPerHour);
}

double ShaFromRightAscension(double raHours) {
  return WrapDegrees360(kDegreesPerCircle - kDegreesPerHour * raHours);
}

EngineStatus ComputeSunAlmanac(PlaceContext& context, double jdUt1, SunAlmanacValues& sun) {
  AlmanacInstant instant{};
  if (PrepareInstant(context, jdUt1, instant) != kStatusOk) return kAlmanacNoDeltaT;
  BodyPlace place{};
  if (GeocentricPlace(context, instant.jdTt, kSun, place) != kStatusOk) return kAlmanacNoPlace;
  sun.gha = GhaFromSiderealTime(instant.gastHours, place.raHours);
  sun.dec = place.decDeg;
  return kStatusOk;
}

EngineStatus ComputeMoonAlmanac(PlaceContext& context, double jdUt1, MoonAlmanacValues& moon) {
  AlmanacInstant instant{};
  if (PrepareInstant(context, jdUt1, instant) != kStatusOk) return kAlmanacNoDeltaT;
  BodyPlace place{};
  BodyPlace sunPlace{};
  if (GeocentricPlace(context, instant.jdTt, kMoon, place) != kStatusOk ||
      GeocentricPlace(context, instant.jdTt, kSun, sunPlace) != kStatusOk) {
    return kAlmanacNoPlace;
  }
  moon.gha = GhaFromSiderealTime(instant.gastHours, place.raHours);
  moon.dec = place.decDeg;
  moon.horizontalParallax =
      ParallaxInAltitude(place.distanceAu, kEquatorLatitudeDeg, kHorizonZenithDistanceDeg) /
      kArcsecondsPerArcminute;
  moon.semiDiameter =
      AngularRadius(place.distanceAu, kBodyRadiusMetres[kMoon]) / kArcsecondsPerArcminute;

  double phaseAngle = 0.0, sunDistance = 0.0;
  Vector3 towardSun{}, towardEarth{};
  PhaseAngle(place.positionOfDate, place.distanceAu, sunPlace.positionOfDate, phaseAngle,
             sunDistance, towardSun, towardEarth);
  moon.illumination = kPercent * IlluminatedFraction(phaseAngle);
  return kStatusOk;
}

EngineStatus ComputePlanetsAlmanac(PlaceContext& context, double jdUt1,
                                   PlanetsAlmanacValues& planets) {
  AlmanacInstant instant{};
  if (PrepareInstant(context, jdUt1, instant) != kStatusOk) return kAlmanacNoDeltaT;
  BodyPlace sunPlace{};
  if (GeocentricPlace(context, instant.jdTt, kSun, sunPlace) != kStatusOk) return kAlmanacNoPlace;

  for (int k = 0; k < kAlmanacPlanetCount; ++k) {
    const BodyId planet = kAlmanacPlanetBodies[k];
    BodyPlace place{};
    if (GeocentricPlace(context, instant.jdTt, planet, place) != kStatusOk) return kAlmanacNoPlace;
    const double radius = kBodyRadiusMetres[planet];
    const double semiDiameterArcsec = AngularRadius(place.distanceAu, radius);

    double phaseAngle = 0.0, sunDistance = 0.0;
    Vector3 towardSun{}, towardEarth{};
    PhaseAngle(place.positionOfDate, place.distanceAu, sunPlace.positionOfDate, phaseAngle,
               sunDistance, towardSun, towardEarth);

    // A sextant is set on the lit part of the disk, so the almanac tabulates
    // the centre of light rather than the centre.
    double raHours = 0.0, decDeg = 0.0, displacement = 0.0;
    if (CentreOfLightPlace(towardSun, towardEarth, place.positionOfDate, phaseAngle, radius,
                           semiDiameterArcsec, raHours, decDeg, displacement) != kStatusOk) {
      return kAlmanacNoPlace;
    }
    planets[k].gha = GhaFromSiderealTime(instant.gastHours, raHours);
    planets[k].dec = decDeg;
  }
  return kStatusOk;
}

EngineStatus ComputeAriesAlmanac(PlaceContext& context, double jdUt1, double& ariesGhaDeg) {
  AlmanacInstant instant{};
  if (PrepareInstant(context, jdUt1, instant) != kStatusOk) return kAlmanacNoDeltaT;
  ariesGhaDeg = WrapDegrees360(kDegreesPerHour * instant.gastHours);
  return kStatusOk;
}

EngineStatus ComputeStarAlmanac(PlaceContext& context, double jdUt1, int16_t starNumber,
                                StarAlmanacEntry& star) {
  if (starNumber < 1 || starNumber > kStarCount) return kAlmanacUnknownStar;
  AlmanacInstant instant{};
  if (PrepareInstant(context, jdUt1, instant) != kStatusOk) return kAlmanacNoDeltaT;

  const StarEntry& entry = kStarCatalogue[starNumber - 1];
  double raHours = 0.0, decDeg = 0.0, trueObliquity = 0.0;
  Vector3 unitVector{};
  if (StarApparentPlace(context, instant.jdTt, kEarth, entry.raHours, entry.decDeg, entry.pmRa,
                        entry.pmDec, entry.parallax, entry.radialVelocity, raHours, decDeg,
                        unitVector, trueObliquity) != kStatusOk) {
    return kAlmanacNoPlace;
  }

  static_assert(sizeof(star.name) == sizeof(entry.name));
  std::memcpy(star.name, entry.name, sizeof(star.name));
  star.name[sizeof(star.name) - 1] = '\0';
  star.starNumber = static_cast<uint16_t>(starNumber);
  star.gha = GhaFromSiderealTime(instant.gastHours, raHours);
  star.sha = ShaFromRightAscension(raHours);
  star.dec = decDeg;
  return kStatusOk;
}

EngineStatus ComputePlanetMagnitude(PlaceContext& context, BodyId planet, double jdTt,
                                    double& magnitude) {
  magnitude = kNoMagnitude;
  // Only the planets other than the Earth have a place to take a phase from.
  if (planet < kMercury || planet > kPluto || planet == kEarth) return kMagnitudeUnknownBody;
  BodyPlace place{};
  BodyPlace sunPlace{};
  if (GeocentricPlace(context, jdTt, planet, place) != kStatusOk ||
      GeocentricPlace(context, jdTt, kSun, sunPlace) != kStatusOk) {
    return kAlmanacNoPlace;
  }

  double phaseAngle = 0.0, sunDistance = 0.0;
  Vector3 towardSun{}, towardEarth{};
  PhaseAngle(place.positionOfDate, place.distanceAu, sunPlace.positionOfDate, phaseAngle,
             sunDistance, towardSun, towardEarth);

  // Saturn's rings add light as they open toward the Earth.
  double ringTilt = 0.0;
  if (planet == kSaturn) {
    double tdbMinusTt = 0.0, shiftedJd = 0.0;
    ConvertTdbToTt(jdTt, tdbMinusTt, shiftedJd);
    ringTilt = SaturnRingTilt(jdTt + tdbMinusTt / kSecondsPerDay, place.lightTimeDays, towardEarth);
  }
  return PlanetMagnitude(planet, sunDistance, place.distanceAu, ringTilt, phaseAngle, magnitude);
}

}  // namespace navora
