#include "engine/places/StarPlace.h"

#include <cmath>

#include "engine/ephemeris/EphemerisReader.h"
#include "engine/places/AstronomicalConstants.h"
#include "engine/places/PlaceVectors.h"
#include "engine/places/PrecessionNutation.h"

namespace navora {

namespace {

// Stand-in for an unknown parallax (arcsec): about 10 million parsecs, far
// enough that annual parallax vanishes, near enough for finite arithmetic.
constexpr double kUnknownParallaxArcsec = 1e-7;

constexpr double kDegreesPerHour = 15.0;

// Earth state, nutation and obliquity of the last date that succeeded.
struct StarPlaceDateCache {
  bool valid = false;
  double jdTt = 0.0;
  Vector3 earthPosition{};
  Vector3 earthVelocity{};
  NutationOfDate nutation;
};

StarPlaceDateCache starPlaceCache;
uint64_t starPlaceDateComputations = 0;

EngineStatus FillDateCache(double jdTt, BodyId earth, StarPlaceDateCache& cache) {
  // The date is recorded only once a whole place has succeeded.
  cache.valid = false;
  ++starPlaceDateComputations;
  ComputeNutationOfDate(jdTt, cache.nutation);
  return GetBodyState(jdTt, earth, kOriginBarycentre, cache.earthPosition, cache.earthVelocity);
}

}  // namespace

void StarVectors(double raHours, double decDeg, double pmRa, double pmDec, double parallax,
                 double radialVelocity, Vector3& position, Vector3& velocity) {
  const double p = parallax > 0.0 ? parallax : kUnknownParallaxArcsec;
  const double distanceAu = kArcsecPerRadian / p;
  const double ra = raHours * kDegreesPerHour * kRadiansPerDegree;
  const double dec = decDeg * kRadiansPerDegree;
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

EngineStatus StarApparentPlace(double jdTt, BodyId earth, double raHours, double decDeg,
                               double pmRa, double pmDec, double parallax, double radialVelocity,
                               double& apparentRaHours, double& apparentDecDeg,
                               Vector3& unitVectorOfDate, double& trueObliquityDeg) {
  if (!starPlaceCache.valid || starPlaceCache.jdTt != jdTt) {
    const EngineStatus status = FillDateCache(jdTt, earth, starPlaceCache);
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
  const double length =
      std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] +
                direction[2] * direction[2]);
  for (int i = 0; i < 3; ++i) {
    unitVectorOfDate[i] = direction[i] / length;
  }
  starPlaceCache.valid = true;
  starPlaceCache.jdTt = jdTt;
  return kStatusOk;
}

uint64_t StarPlaceDateComputations() { return starPlaceDateComputations; }

}  // namespace navora
