#include "engine/horizon/SightPlanningChecks.h"

#include <algorithm>
#include <cmath>

#include "engine/common/Angles.h"
#include "engine/common/BodyId.h"
#include "engine/horizon/BodyPhysics.h"
#include "engine/horizon/HeightOfEye.h"
#include "engine/horizon/VectorArithmetic.h"
#include "engine/places/ApparentPlace.h"

namespace navora {

namespace {

constexpr double kZenithDistanceOfHorizonDeg = kDegreesPerQuarterCircle;

// Within this separation (degrees) the direction of a close body is told by
// north/south when that is the larger offset.
constexpr double kCloseBodySeparationDeg = 5.0;
// Largest Sun-Moon separation (degrees) at which a solar eclipse is examined
// and smallest at which a lunar one is.
constexpr double kSolarEclipseSeparationDeg = 1.0;
constexpr double kLunarEclipseSeparationDeg = 176.0;

// The Earth's shadow is enlarged by its atmosphere.
constexpr double kShadowEnlargement = 1.02;
// Latitude (degrees) whose Earth radius stands for the mean radius of the
// shadow-casting Earth.
constexpr double kShadowLatitudeDeg = 45.0;

constexpr double kSunRadiusMetres = kBodyRadiusMetres[kSun];
constexpr double kMoonRadiusMetres = kBodyRadiusMetres[kMoon];

bool IsArcOfHalfCircle(double angleDeg) {
  return angleDeg >= 0.0 && angleDeg <= kDegreesPerHalfCircle;
}

bool IsNonNegative(double value) { return value >= 0.0 && std::isfinite(value); }

bool IsPositive(double value) { return value > 0.0 && std::isfinite(value); }

double AngleBetweenDeg(const Vector3& a, double lengthA, const Vector3& b, double lengthB) {
  const double cosine = std::clamp(DotProduct(a, b) / (lengthA * lengthB), -1.0, 1.0);
  return RadiansToDegrees(std::acos(cosine));
}

}  // namespace

EngineStatus RelativeDirection(double ra1Hours, double dec1Deg, double distance1,
                               const Vector3& vector1, double ra2Hours, double dec2Deg,
                               double distance2, const Vector3& vector2, double& separationDeg,
                               char& direction) {
  separationDeg = 0.0;
  direction = ' ';
  if (!std::isfinite(ra1Hours) || !std::isfinite(ra2Hours) || !IsLatitude(dec1Deg) ||
      !IsLatitude(dec2Deg) || !IsPositive(distance1) || !IsPositive(distance2) ||
      !IsFinite(vector1) || !IsFinite(vector2)) {
    return kStatusOutOfDomain;
  }
  separationDeg = AngleBetweenDeg(vector1, distance1, vector2, distance2);

  const double hourAngleDiffDeg = WrapDegrees180(HoursToDegrees(ra2Hours - ra1Hours));

  if (hourAngleDiffDeg > 0.0) direction = 'E';
  if (hourAngleDiffDeg < 0.0) direction = 'W';

  if (separationDeg <= kCloseBodySeparationDeg) {
    const double decDiffDeg = dec2Deg - dec1Deg;
    const double eastWestDeg = std::cos(DegreesToRadians(dec1Deg)) * hourAngleDiffDeg;
    if (std::fabs(eastWestDeg) < std::fabs(decDiffDeg)) {
      direction = decDiffDeg > 0.0 ? 'N' : 'S';
    }
  }
  return kStatusOk;
}

EngineStatus DiskOverlap(double separationDeg, double radius1Arcsec, double radius2Arcsec) {
  if (!IsArcOfHalfCircle(separationDeg) || !IsNonNegative(radius1Arcsec) ||
      !IsNonNegative(radius2Arcsec)) {
    return kStatusOutOfDomain;
  }
  const double s = separationDeg * kArcsecondsPerDegree;
  if (s >= radius1Arcsec + radius2Arcsec) return kDisksApart;
  if (s > std::fabs(radius2Arcsec - radius1Arcsec)) return kDisksPartialOverlap;
  return radius2Arcsec >= radius1Arcsec ? kFirstDiskCovered : kSecondDiskInside;
}

EngineStatus ShadowRadii(double sunParallaxArcsec, double sunSemiDiameterArcsec,
                         double moonDistanceAu, double& penumbraArcsec, double& umbraArcsec) {
  penumbraArcsec = 0.0;
  umbraArcsec = 0.0;
  if (!IsNonNegative(sunParallaxArcsec) || !IsNonNegative(sunSemiDiameterArcsec) ||
      !IsPositive(moonDistanceAu)) {
    return kStatusOutOfDomain;
  }
  const double moonParallax =
      ParallaxInAltitude(moonDistanceAu, kShadowLatitudeDeg, kZenithDistanceOfHorizonDeg);
  penumbraArcsec = (moonParallax + sunParallaxArcsec + sunSemiDiameterArcsec) * kShadowEnlargement;
  umbraArcsec = (moonParallax - sunSemiDiameterArcsec + sunParallaxArcsec) * kShadowEnlargement;
  return kStatusOk;
}

EngineStatus LunarEclipseCheck(const Vector3& sun, double sunDistanceAu, const Vector3& moon,
                               double moonDistanceAu) {
  if (!IsFinite(sun) || !IsFinite(moon) || !IsPositive(sunDistanceAu) ||
      !IsPositive(moonDistanceAu)) {
    return kStatusOutOfDomain;
  }
  const Vector3 antiSun = ScaleVector(sun, -1.0);
  const double fromShadowAxis =
      AngleBetweenDeg(antiSun, sunDistanceAu, moon, moonDistanceAu) * kArcsecondsPerDegree;

  const double sunParallax = ParallaxInAltitude(sunDistanceAu, 0.0, kZenithDistanceOfHorizonDeg);
  const double sunSemiDiameter = AngularRadius(sunDistanceAu, kSunRadiusMetres);
  double penumbra = 0.0, umbra = 0.0;
  const EngineStatus shadow =
      ShadowRadii(sunParallax, sunSemiDiameter, moonDistanceAu, penumbra, umbra);
  if (shadow != kStatusOk) return shadow;
  const double moonSemiDiameter = AngularRadius(moonDistanceAu, kMoonRadiusMetres);

  if (umbra - moonSemiDiameter >= fromShadowAxis) return kTotalLunarEclipse;
  if (umbra + moonSemiDiameter > fromShadowAxis) return kPartialLunarEclipse;
  if (penumbra + moonSemiDiameter > fromShadowAxis) return kPenumbralLunarEclipse;
  return kNoEclipse;
}

EngineStatus SunMoonEclipseCheck(PlaceContext& context, double jdTt, double heightOfEyeMetres,
                                 double sunZenithDeg,
                                 double moonZenithDeg, double sunSemiDiameterArcsec,
                                 double moonSemiDiameterArcsec, double separationDeg) {
  if (!std::isfinite(jdTt) || !std::isfinite(heightOfEyeMetres) ||
      !IsArcOfHalfCircle(sunZenithDeg) || !IsArcOfHalfCircle(moonZenithDeg) ||
      !IsNonNegative(sunSemiDiameterArcsec) || !IsNonNegative(moonSemiDiameterArcsec) ||
      !IsArcOfHalfCircle(separationDeg)) {
    return kStatusOutOfDomain;
  }
  // Zenith distance of the visible horizon; a limb above it is in sight.
  const double horizonZenithDeg = kZenithDistanceOfHorizonDeg - RiseSetAltitude(heightOfEyeMetres);

  const double sunUpperLimbZenith = sunZenithDeg - sunSemiDiameterArcsec / kArcsecondsPerDegree;
  if (separationDeg <= kSolarEclipseSeparationDeg && sunUpperLimbZenith < horizonZenithDeg) {
    return DiskOverlap(separationDeg, sunSemiDiameterArcsec, moonSemiDiameterArcsec);
  }
  const double moonUpperLimbZenith = moonZenithDeg - moonSemiDiameterArcsec / kArcsecondsPerDegree;
  if (separationDeg < kLunarEclipseSeparationDeg || moonUpperLimbZenith >= horizonZenithDeg) {
    return kNoEclipse;
  }

  // The Earth's shadow is centred on the geocentric anti-Sun point.
  double ra = 0.0, dec = 0.0, obliquity = 0.0, lightTime = 0.0;
  double sunDistance = 0.0, moonDistance = 0.0;
  Vector3 sun{}, moon{}, astrometric{};
  EngineStatus status = GeocentricApparentPlace(context, jdTt, kSun, kEarth, ra, dec, sunDistance, sun,
                                                astrometric, obliquity, lightTime);
  if (status != kStatusOk) return static_cast<EngineStatus>(status + kEclipsePlaceFailureOffset);
  status = GeocentricApparentPlace(context, jdTt, kMoon, kEarth, ra, dec, moonDistance, moon, astrometric,
                                   obliquity, lightTime);
  if (status != kStatusOk) return static_cast<EngineStatus>(status + kEclipsePlaceFailureOffset);
  return LunarEclipseCheck(sun, sunDistance, moon, moonDistance);
}

}  // namespace navora
