#include "engine/places/StarPlace.h"

#include <cmath>
#include <limits>

#include "engine/places/AstronomicalConstants.h"
#include "engine/places/PlaceVectors.h"
#include "engine/places/PrecessionNutation.h"

namespace navora {

namespace {

// Stand-in for an unknown parallax (arcsec): about 10 million parsecs, far
// enough that annual parallax vanishes, near enough for finite arithmetic.
constexpr double kUnknownParallaxArcsec = 1e-7;

// The date is recorded only once a whole place has succeeded.
EngineStatus FillDateCache(EphemerisReader& ephemeris, double jdTt, BodyId earth,
                           DateArguments& cache, uint64_t& refreshCount) {
  cache.jdTt = std::numeric_limits<double>::quiet_NaN();
  ++refreshCount;
  ComputeNutationOfDate(jdTt, cache.nutation);
  return ephemeris.GetBodyState(jdTt, earth, kOriginBarycentre, cache.earthPosition,
                                cache.earthVelocity);
}

}  // namespace

void StarVectors(double raHours, double decDeg, double pmRa, double pmDec, double parallax,
                 double radialVelocity, Vector3& position, Vector3& velocity) {
  const double p = parallax > 0.0 ? parallax : kUnknownParallaxArcsec;
  const double distanceAu = kArcsecondsPerRadian / p;
  const double ra = raHours * kDegreesPerHour * kDegToRad;
  const double dec = decDeg * kDegToRad;
  const double cosRa = std::cos(ra);
  const double sinRa = std::sin(ra);
  const double cosDec = std::cos(dec);
  const double sinDec = std::sin(dec);

  position = {distanceAu * cosDec * cosRa, distanceAu * cosDec * sinRa, distanceAu * sinDec};

  // Proper motions per century become AU per day at the star's distance.
  const double motionRa = pmRa * kDegreesPerHour * cosDec / (p * kDaysPerJulianCentury);
  const double motionDec = pmDec / (p * kDaysPerJulianCentury);
  const double motionRadial = radialVelocity * kSecondsPerDay / kKilometresPerAu;
  velocity = {
      -motionRa * sinRa - motionDec * sinDec * cosRa + motionRadial * cosDec * cosRa,
      motionRa * cosRa - motionDec * sinDec * sinRa + motionRadial * cosDec * sinRa,
      motionDec * cosDec + motionRadial * sinDec,
  };
}

void ApplyProperMotion(double jd1, const Vector3& position, const Vector3& velocity, double jd2,
                       Vector3& movedPosition) {
  const double days = jd2 - jd1;
  for (int i = 0; i < 3; ++i) {
    movedPosition[i] = position[i] + days * velocity[i];
  }
}

EngineStatus StarApparentPlace(PlaceContext& context, double jdTt, BodyId earth, double raHours,
                               double decDeg, double pmRa, double pmDec, double parallax,
                               double radialVelocity, double& apparentRaHours,
                               double& apparentDecDeg, Vector3& unitVectorOfDate,
                               double& trueObliquityDeg) {
  if (!std::isfinite(raHours) || !IsLatitude(decDeg) || !std::isfinite(pmRa) ||
      !std::isfinite(pmDec) || !std::isfinite(parallax) || !std::isfinite(radialVelocity)) {
    return kStatusOutOfDomain;
  }
  EphemerisReader& ephemeris = context.ephemeris.reader;
  DateArguments& starPlaceCache = context.caches.star;
  if (!starPlaceCache.Holds(jdTt, earth, ephemeris.OpenCount())) {
    const EngineStatus status =
        FillDateCache(ephemeris, jdTt, earth, starPlaceCache, context.caches.starRefreshCount);
    if (status != kStatusOk) {
      return status;
    }
  }
  trueObliquityDeg = starPlaceCache.nutation.trueObliquityDeg;

  Vector3 catalogPosition{};
  Vector3 catalogVelocity{};
  StarVectors(raHours, decDeg, pmRa, pmDec, parallax, radialVelocity, catalogPosition,
              catalogVelocity);
  Vector3 starPosition{};
  ApplyProperMotion(kJulianDateJ2000, catalogPosition, catalogVelocity, jdTt, starPosition);

  Vector3 direction{};
  double lightTimeDays = 0.0;
  GeocentricVector(starPosition, starPlaceCache.earthPosition, direction, lightTimeDays);
  ApplyAberration(direction, starPlaceCache.earthVelocity, lightTimeDays, direction);

  J2000ToTrueOfDate(jdTt, starPlaceCache.nutation, direction, direction);

  const EngineStatus status = VectorToRaDec(direction, apparentRaHours, apparentDecDeg);
  if (status != kStatusOk) {
    return status;
  }
  const double length = std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] +
                                  direction[2] * direction[2]);
  for (int i = 0; i < 3; ++i) {
    unitVectorOfDate[i] = direction[i] / length;
  }
  starPlaceCache.jdTt = jdTt;
  starPlaceCache.earth = earth;
  starPlaceCache.ephemerisOpenCount = ephemeris.OpenCount();
  return kStatusOk;
}

}  // namespace navora
