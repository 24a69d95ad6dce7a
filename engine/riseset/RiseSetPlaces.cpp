#include "engine/riseset/RiseSetPlaces.h"

#include <cmath>
#include <limits>

#include "engine/common/Angles.h"
#include "engine/horizon/BodyPhysics.h"
#include "engine/horizon/HeightOfEye.h"
#include "engine/places/PlaceVectors.h"
#include "engine/places/PrecessionNutation.h"
#include "engine/time/DeltaT.h"
#include "engine/time/TimeConstants.h"

namespace navora {
namespace {

constexpr double kPercent = 100.0;

// The refraction iteration stops once the apparent altitude moves less than
// this (degrees); every fifth pass steps the altitude down by the nudge
// instead, which breaks a two-value cycle. The iteration contracts (the
// refraction changes by under 0.3 degree per degree of altitude), so it ends.
constexpr double kRefractionToleranceDeg = 0.00025;
constexpr double kRefractionNudgeDeg = 0.0001;
constexpr int kRefractionNudgePass = 5;

// The Earth's barycentric state at jdTt: the kept one carried linearly when
// it is near enough, else read and kept.
EngineStatus EarthStateAt(EphemerisReader& reader, RiseSetEarthCache& earth, double jdTt,
                          Vector3& position, Vector3& velocity) {
  const double offset = jdTt - earth.jdTt;
  if (!(std::fabs(offset) < kEarthStateReuseDays)) {
    earth.jdTt = std::numeric_limits<double>::quiet_NaN();
    const EngineStatus status =
        reader.GetBodyState(jdTt, kEarth, kOriginBarycentre, earth.position, earth.velocity);
    if (status != kStatusOk) return status;
    earth.jdTt = jdTt;
  }
  velocity = earth.velocity;
  for (int axis = 0; axis < 3; ++axis) {
    position[axis] = earth.position[axis] + earth.velocity[axis] * (jdTt - earth.jdTt);
  }
  return kStatusOk;
}

double RefractionDegAt(double apparentAltitudeDeg, double temperatureC, double pressureMb) {
  double minutes = 0.0;
  const double altitude = std::fmax(apparentAltitudeDeg, kLowestRefractedAltitudeDeg);
  if (RefractionMinutes(altitude, temperatureC, pressureMb, minutes) != kStatusOk) return 0.0;
  return minutes / kArcminutesPerDegree;
}

}  // namespace

EngineStatus SunMoonPlaceForEvents(PlaceContext& places, RiseSetEarthCache& earth, double jdTt,
                                   BodyId body, double& raHours, double& decDeg,
                                   double& distanceAu) {
  if ((body != kSun && body != kMoon) || !std::isfinite(jdTt)) return kStatusOutOfDomain;
  EphemerisReader& reader = places.ephemeris.reader;
  Vector3 earthPosition{};
  Vector3 earthVelocity{};
  EngineStatus status = EarthStateAt(reader, earth, jdTt, earthPosition, earthVelocity);
  if (status != kStatusOk) return status;

  const double lightTimeDays = body == kSun ? kSunEventLightTimeDays : kMoonEventLightTimeDays;
  Vector3 bodyPosition{};
  Vector3 bodyVelocity{};
  status = reader.GetBodyState(jdTt - lightTimeDays, body, kOriginBarycentre, bodyPosition,
                               bodyVelocity);
  if (status != kStatusOk) return status;

  // The distance is the geometric one at jdTt, as the place chain gives it:
  // the retarded position carried forward over the light time.
  Vector3 geometric{};
  for (int axis = 0; axis < 3; ++axis) {
    geometric[axis] = bodyPosition[axis] + bodyVelocity[axis] * lightTimeDays - earthPosition[axis];
  }
  distanceAu = std::hypot(geometric[0], geometric[1], geometric[2]);
  Vector3 place{};
  double unusedLightTime = 0.0;
  GeocentricVector(bodyPosition, earthPosition, place, unusedLightTime);
  ApplyAberration(place, earthVelocity, lightTimeDays, place);
  NutationOfDate nutation;
  ComputeNutationOfDate(jdTt, nutation);
  J2000ToTrueOfDate(jdTt, nutation, place, place);
  return VectorToRaDec(place, raHours, decDeg);
}

double MoonIlluminationPercent(PlaceContext& places, RiseSetEarthCache& earth, double jdUt1) {
  const double deltaTSeconds = places.deltaT.LookupDeltaT(jdUt1);
  if (deltaTSeconds <= kDeltaTUnavailable) return deltaTSeconds;
  const double jdTt = jdUt1 + deltaTSeconds / kSecondsPerDay;

  double raHours = 0.0;
  double decDeg = 0.0;
  double moonDistanceAu = 0.0;
  double sunDistanceAu = 0.0;
  if (SunMoonPlaceForEvents(places, earth, jdTt, kMoon, raHours, decDeg, moonDistanceAu) !=
      kStatusOk) {
    return kIlluminationUnavailable;
  }
  Vector3 moon{};
  RaDecToVector(raHours, decDeg, moonDistanceAu, moon);
  if (SunMoonPlaceForEvents(places, earth, jdTt, kSun, raHours, decDeg, sunDistanceAu) !=
      kStatusOk) {
    return kIlluminationUnavailable;
  }
  Vector3 sun{};
  RaDecToVector(raHours, decDeg, sunDistanceAu, sun);

  double phaseAngleDeg = 0.0;
  double moonSunDistanceAu = 0.0;
  Vector3 towardSun{};
  Vector3 towardEarth{};
  PhaseAngle(moon, moonDistanceAu, sun, phaseAngleDeg, moonSunDistanceAu, towardSun, towardEarth);
  return kPercent * IlluminatedFraction(phaseAngleDeg);
}

double RefractionForTrueAltitude(double trueAltitudeDeg, double temperatureC, double pressureMb) {
  double apparent = trueAltitudeDeg;
  double refraction = RefractionDegAt(apparent, temperatureC, pressureMb);
  double change = std::fabs(refraction);
  int pass = 0;
  while (change >= kRefractionToleranceDeg) {
    ++pass;
    double next = trueAltitudeDeg + refraction;
    if (pass == kRefractionNudgePass) {
      next = apparent - kRefractionNudgeDeg;
      pass = 0;
    }
    // A nudge is not a sign of convergence.
    if (pass != 0) change = std::fabs(next - apparent);
    apparent = next;
    refraction = RefractionDegAt(apparent, temperatureC, pressureMb);
  }
  return refraction;
}

}  // namespace navora
