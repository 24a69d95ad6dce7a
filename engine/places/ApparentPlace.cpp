#include "engine/places/ApparentPlace.h"

#include <cmath>
#include <limits>

#include "engine/places/AstronomicalConstants.h"
#include "engine/places/PlaceVectors.h"
#include "engine/places/PrecessionNutation.h"
#include "engine/time/SiderealTime.h"

namespace navora {
namespace {

// Brings the cache to jdTt; the date is stored only once the Earth state has
// been read, so a failed date is retried rather than remembered.
EngineStatus RefreshDateArguments(EphemerisReader& ephemeris, double jdTt, BodyId earth,
                                  DateArguments& cache, uint64_t& refreshCount) {
  if (cache.Holds(jdTt, earth, ephemeris.OpenCount())) return kStatusOk;
  ++refreshCount;
  cache.jdTt = std::numeric_limits<double>::quiet_NaN();
  const EngineStatus status = ephemeris.GetBodyState(jdTt, earth, kOriginBarycentre,
                                                     cache.earthPosition, cache.earthVelocity);
  if (status != kStatusOk) return status;
  ComputeNutationOfDate(jdTt, cache.nutation);
  cache.jdTt = jdTt;
  cache.earth = earth;
  cache.ephemerisOpenCount = ephemeris.OpenCount();
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

EngineStatus GeocentricApparentPlace(PlaceContext& context, double jdTt, BodyId body, BodyId earth,
                                     double& raHours, double& decDeg, double& distanceAu,
                                     Vector3& positionOfDate, Vector3& astrometric,
                                     double& trueObliquityDeg, double& lightTimeDays) {
  EphemerisReader& ephemeris = context.ephemeris.reader;
  const DateArguments& geocentricCache = context.caches.geocentric;
  EngineStatus status = RefreshDateArguments(ephemeris, jdTt, earth, context.caches.geocentric,
                                             context.caches.bodyRefreshCount);
  if (status != kStatusOk) return status;
  status = LightTimePosition(ephemeris, jdTt, body, geocentricCache.earthPosition, astrometric,
                             distanceAu, lightTimeDays);
  if (status != kStatusOk) return status;
  Vector3 aberrated{};
  ApplyAberration(astrometric, geocentricCache.earthVelocity, lightTimeDays, aberrated);
  trueObliquityDeg = geocentricCache.nutation.trueObliquityDeg;
  return PlaceOfDate(jdTt, geocentricCache, aberrated, distanceAu, raHours, decDeg, positionOfDate);
}

EngineStatus TopocentricApparentPlace(PlaceContext& context, double jdTt, double deltaTSeconds,
                                      BodyId body, BodyId earth, double eastLongitudeDeg,
                                      double latitudeDeg, double heightMetres, double& raHours,
                                      double& decDeg, double& distanceAu, Vector3& positionOfDate,
                                      Vector3& astrometric, double& trueObliquityDeg,
                                      double& gastHours, double& lightTimeDays) {
  if (!IsLatitude(latitudeDeg) || !std::isfinite(eastLongitudeDeg) ||
      !std::isfinite(heightMetres) || !std::isfinite(deltaTSeconds)) {
    return kStatusOutOfDomain;
  }
  const double jdUt1 = jdTt - deltaTSeconds / kSecondsPerDay;
  EphemerisReader& ephemeris = context.ephemeris.reader;
  const DateArguments& topocentricCache = context.caches.topocentric;
  EngineStatus status = RefreshDateArguments(ephemeris, jdTt, earth, context.caches.topocentric,
                                             context.caches.bodyRefreshCount);
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

  status = LightTimePosition(ephemeris, jdTt, body, observerPosition, astrometric, distanceAu,
                             lightTimeDays);
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
  if (!(phaseAngleDeg >= 0.0 && phaseAngleDeg <= kDegreesPerHalfCircle) ||
      !(planetRadiusMetres >= 0.0) || !std::isfinite(semiDiameterArcsec)) {
    return kStatusOutOfDomain;
  }
  const double phase = phaseAngleDeg * kDegToRad;
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

}  // namespace navora
