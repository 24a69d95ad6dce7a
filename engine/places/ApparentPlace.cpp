#include "engine/places/ApparentPlace.h"

#include <cmath>
#include <limits>

#include "engine/ephemeris/EphemerisReader.h"
#include "engine/places/AstronomicalConstants.h"
#include "engine/places/PlaceVectors.h"
#include "engine/places/PrecessionNutation.h"
#include "engine/time/SiderealTime.h"

namespace navora {
namespace {

// What the place routines need once per date: report loops ask for several
// bodies at one instant.
struct DateArguments {
  double jdTt = std::numeric_limits<double>::quiet_NaN();  // NaN: nothing cached
  Vector3 earthPosition{};
  Vector3 earthVelocity{};
  NutationOfDate nutation;
};

DateArguments geocentricCache;
DateArguments topocentricCache;
uint64_t cacheRefreshCount = 0;

// Brings the cache to jdTt; the date is stored only once the Earth state has
// been read, so a failed date is retried rather than remembered.
EngineStatus RefreshDateArguments(double jdTt, BodyId earth, DateArguments& cache) {
  if (jdTt == cache.jdTt) return kStatusOk;
  ++cacheRefreshCount;
  const EngineStatus status =
      GetBodyState(jdTt, earth, kOriginBarycentre, cache.earthPosition, cache.earthVelocity);
  if (status != kStatusOk) {
    cache.jdTt = std::numeric_limits<double>::quiet_NaN();
    return status;
  }
  ComputeNutationOfDate(jdTt, cache.nutation);
  cache.jdTt = jdTt;
  return kStatusOk;
}

// Light-time corrected, aberrated J2000 vector -> place of date.
EngineStatus PlaceOfDate(double jdTt, const DateArguments& cache, const Vector3& aberrated,
                         double distanceAu, double& raHours, double& decDeg,
                         Vector3& positionOfDate) {
  Vector3 ofDate{};
  J2000ToTrueOfDate(jdTt, cache.nutation, aberrated, ofDate);
  const EngineStatus status = VectorToRaDec(ofDate, raHours, decDeg);
  if (status != kStatusOk) return status;
  RaDecToVector(raHours, decDeg, distanceAu, positionOfDate);
  return kStatusOk;
}

// 4 / (3 pi): the centre of light of a sphere at phase angle i lies
// (1 - cos i) x 4 / (3 pi) radii from its centre across the line of sight.
constexpr double kCentreOfLightFactor = 0.4244131816;
// Phase angles this close (degrees) to 0, 90 or 180 take the exact
// coefficients, where the general expression divides by a vanishing sine.
constexpr double kPhaseAngleTolerance = 0.0003;

}  // namespace

EngineStatus GeocentricApparentPlace(double jdTt, BodyId body, BodyId earth, double& raHours,
                                     double& decDeg, double& distanceAu,
                                     Vector3& positionOfDate, Vector3& astrometric,
                                     double& trueObliquityDeg, double& lightTimeDays) {
  EngineStatus status = RefreshDateArguments(jdTt, earth, geocentricCache);
  if (status != kStatusOk) return status;
  status = LightTimePosition(jdTt, body, geocentricCache.earthPosition, astrometric, distanceAu,
                             lightTimeDays);
  if (status != kStatusOk) return status;
  Vector3 aberrated{};
  ApplyAberration(astrometric, geocentricCache.earthVelocity, lightTimeDays, aberrated);
  trueObliquityDeg = geocentricCache.nutation.trueObliquityDeg;
  return PlaceOfDate(jdTt, geocentricCache, aberrated, distanceAu, raHours, decDeg,
                     positionOfDate);
}

EngineStatus TopocentricApparentPlace(double jdTt, double deltaTSeconds, BodyId body,
                                      BodyId earth, double eastLongitudeDeg, double latitudeDeg,
                                      double heightMetres, double& raHours, double& decDeg,
                                      double& distanceAu, Vector3& positionOfDate,
                                      Vector3& astrometric, double& trueObliquityDeg,
                                      double& gastHours, double& lightTimeDays) {
  const double jdUt1 = jdTt - deltaTSeconds / kSecondsPerDay;
  EngineStatus status = RefreshDateArguments(jdTt, earth, topocentricCache);
  if (status != kStatusOk) return status;

  double gmstHours = 0.0;
  ComputeSiderealTime(jdUt1, 0.0, topocentricCache.nutation.equationOfEquinoxesArcsec, gmstHours,
                      gastHours);

  Vector3 observerPosition{};
  Vector3 observerVelocity{};
  ObserverVectors(eastLongitudeDeg, latitudeDeg, heightMetres, gastHours, observerPosition,
                  observerVelocity);
  TrueOfDateToJ2000(jdTt, topocentricCache.nutation, observerPosition, observerPosition);
  TrueOfDateToJ2000(jdTt, topocentricCache.nutation, observerVelocity, observerVelocity);
  for (int axis = 0; axis < 3; ++axis) {
    observerPosition[axis] += topocentricCache.earthPosition[axis];
    observerVelocity[axis] += topocentricCache.earthVelocity[axis];
  }

  status = LightTimePosition(jdTt, body, observerPosition, astrometric, distanceAu, lightTimeDays);
  if (status != kStatusOk) return status;
  Vector3 aberrated{};
  ApplyAberration(astrometric, observerVelocity, lightTimeDays, aberrated);
  trueObliquityDeg = topocentricCache.nutation.trueObliquityDeg;
  return PlaceOfDate(jdTt, topocentricCache, aberrated, distanceAu, raHours, decDeg,
                     positionOfDate);
}

EngineStatus CentreOfLightPlace(const Vector3& towardSun, const Vector3& towardEarth,
                                const Vector3& planetPosition, double phaseAngleDeg,
                                double planetRadiusMetres, double semiDiameterArcsec,
                                double& raHours, double& decDeg, double& displacementArcsec) {
  const double phase = phaseAngleDeg * kRadiansPerDegree;
  // Offset of the centre of light across the line of sight, in radii.
  const double across = (1.0 - std::cos(phase)) * kCentreOfLightFactor;
  const double along = std::sqrt(1.0 - across * across);

  double sunCoefficient = 0.0;
  double earthCoefficient = 0.0;
  if (std::fabs(phaseAngleDeg) < kPhaseAngleTolerance) {
    sunCoefficient = 0.0;
    earthCoefficient = 1.0;
  } else if (std::fabs(phaseAngleDeg - 90.0) < kPhaseAngleTolerance) {
    sunCoefficient = across;
    earthCoefficient = along;
  } else if (std::fabs(phaseAngleDeg - 180.0) < kPhaseAngleTolerance) {
    sunCoefficient = 1.0;
    earthCoefficient = 0.0;
  } else {
    sunCoefficient = across / std::sin(phase);
    earthCoefficient = along - across / std::tan(phase);
  }

  displacementArcsec = across * semiDiameterArcsec;
  Vector3 point{};
  for (int axis = 0; axis < 3; ++axis) {
    const double direction =
        sunCoefficient * towardSun[axis] + earthCoefficient * towardEarth[axis];
    point[axis] = planetPosition[axis] * kMetresPerAu + planetRadiusMetres * direction;
  }
  return VectorToRaDec(point, raHours, decDeg);
}

uint64_t PlaceCacheRefreshCount() { return cacheRefreshCount; }

}  // namespace navora
