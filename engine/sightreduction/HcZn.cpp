#include "engine/sightreduction/HcZn.h"

#include <cmath>

#include "engine/common/Angles.h"
#include "engine/horizon/HorizonFrame.h"
#include "engine/places/PlaceVectors.h"
#include "engine/time/SiderealTime.h"
#include "engine/time/TimeConstants.h"

namespace navora {
namespace {

double LocalApparentSiderealHours(double jdUt1, double equationOfEquinoxesArcsec,
                                  double eastLongitudeDeg) {
  double meanHours = 0.0, apparentHours = 0.0;
  ComputeSiderealTime(jdUt1, eastLongitudeDeg, equationOfEquinoxesArcsec, meanHours, apparentHours);
  return apparentHours;
}

double LocalHourAngle(double localSiderealHours, double raHours) {
  double lha = std::fmod(localSiderealHours - raHours, kHoursPerDay);
  if (lha < 0.0) lha += kHoursPerDay;
  return lha;
}

bool AreFinite(double a, double b, double c) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

}  // namespace

EngineStatus ComputeHcZn(double jdUt1, double equationOfEquinoxesArcsec, double eastLongitudeDeg,
                         double latitudeDeg, double raHours, double decDeg, double& hcDeg,
                         double& znDeg, double& lhaHours) {
  hcDeg = znDeg = lhaHours = 0.0;
  if (!AreFinite(jdUt1, equationOfEquinoxesArcsec, eastLongitudeDeg)) return kStatusOutOfDomain;
  const double lst = LocalApparentSiderealHours(jdUt1, equationOfEquinoxesArcsec, eastLongitudeDeg);
  const EngineStatus status =
      RaDecToAzimuthAltitude(raHours, decDeg, lst, latitudeDeg, znDeg, hcDeg);
  if (status == kStatusOutOfDomain) return status;
  if (znDeg < 0.0) znDeg += kDegreesPerCircle;
  lhaHours = LocalHourAngle(lst, raHours);
  return status;
}

EngineStatus HorizonToEquatorial(double jdUt1, double equationOfEquinoxesArcsec,
                                 double eastLongitudeDeg, double latitudeDeg, double altitudeDeg,
                                 double azimuthDeg, double& raHours, double& decDeg,
                                 double& lhaHours) {
  raHours = decDeg = lhaHours = 0.0;
  if (!AreFinite(jdUt1, equationOfEquinoxesArcsec, eastLongitudeDeg)) return kStatusOutOfDomain;
  const double lst = LocalApparentSiderealHours(jdUt1, equationOfEquinoxesArcsec, eastLongitudeDeg);
  Vector3 equatorial{};
  if (AzimuthAltitudeToVector(azimuthDeg, altitudeDeg, lst, latitudeDeg, equatorial) != kStatusOk) {
    return kStatusOutOfDomain;
  }
  const EngineStatus status = VectorToRaDec(equatorial, raHours, decDeg);
  if (status != kStatusOk) return status;
  lhaHours = LocalHourAngle(lst, raHours);
  return kStatusOk;
}

}  // namespace navora
