#include "engine/compass/AzimuthRules.h"

#include <cmath>

#include "engine/common/Angles.h"
#include "engine/compass/CompassError.h"
#include "engine/horizon/BodyPhysics.h"

namespace navora {
namespace {

// An error beyond this many degrees either way has crossed north: the two
// bearings lie on either side of 000.
constexpr double kErrorWrapDeg = 350.0;
constexpr double kTenthsPerDegree = 10.0;

}  // namespace

bool QualifiesForAzimuth(BodyId body, double testAltitudeDeg, double horizonAltitudeDeg) {
  if (body == kSun || body == kMoon) return testAltitudeDeg > horizonAltitudeDeg;
  return testAltitudeDeg > horizonAltitudeDeg &&
         testAltitudeDeg <= kAzimuthPlanningMaxAltitudeDeg;
}

double AzimuthTestAltitude(BodyId body, const ObservedSkyPlace& place) {
  if (body != kSun && body != kMoon) return place.altitudeDeg;
  const double radiusArcsec = AngularRadius(place.distanceAu, kBodyRadiusMetres[body]);
  return place.altitudeDeg + radiusArcsec / kArcsecondsPerDegree;
}

double ObservedAzimuth(double observed, double heading, bool isRelative) {
  if (!isRelative) return observed;
  const double sum = observed + heading;
  return sum > kDegreesPerCircle ? sum - kDegreesPerCircle : sum;
}

double CompassErrorDeg(double exactAzimuthDeg, double observedAzimuthDeg) {
  double error = exactAzimuthDeg - observedAzimuthDeg;
  if (error > kErrorWrapDeg) error -= kDegreesPerCircle;
  if (error < -kErrorWrapDeg) error += kDegreesPerCircle;
  return error;
}

double RoundToTenth(double value) {
  return std::round(value * kTenthsPerDegree) / kTenthsPerDegree;
}

EngineStatus ComputeBodyHorizonPlace(PlaceContext& context, double timeUtc, double ut1MinusUtc,
                                     BodyId body, const StarEntry& star, double latitude,
                                     double longitude, double heightOfEyeM,
                                     ObservedSkyPlace& place) {
  place = ObservedSkyPlace{};
  ObserverInstant instant;
  EngineStatus status = PrepareObserverInstant(context, timeUtc, ut1MinusUtc, latitude, longitude,
                                               heightOfEyeM, instant);
  if (status != kStatusOk) return status;
  status = body == kCompassStarBody ? ObserverStarPlace(context, instant, star, place)
                                    : ObserverBodyPlace(context, instant, body, place);
  if (status != kStatusOk) return status;
  return PlaceToHorizon(instant, place);
}

}  // namespace navora
