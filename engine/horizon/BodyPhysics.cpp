#include "engine/horizon/BodyPhysics.h"

#include <algorithm>
#include <cmath>

#include "engine/horizon/HorizonFrame.h"
#include "engine/horizon/VectorArithmetic.h"
#include "engine/places/AstronomicalConstants.h"
#include "engine/places/PrecessionNutation.h"

namespace navora {

namespace {

constexpr double kQuarterCircleDeg = 90.0;

// asin and acos of a value that rounding may carry just outside [-1, 1].
double SafeAsin(double x) { return std::asin(std::clamp(x, -1.0, 1.0)); }
double SafeAcos(double x) { return std::acos(std::clamp(x, -1.0, 1.0)); }

// Magnitude law V0 + c1 i + c2 i^2 + c3 i^3 (i phase angle in degrees).
struct MagnitudeLaw {
  double v0;
  double c1;
  double c2;
  double c3;
};

// Indexed by BodyId; index 0 has no law.
constexpr MagnitudeLaw kMagnitudeLaws[] = {
    {0.0, 0.0, 0.0, 0.0},
    {-0.6, 0.0498, -0.000488, 3.02e-6},  // Mercury
    {-4.47, 0.0103, 5.7e-5, 1.3e-7},     // Venus
    {-3.86, 0.013, 1.9e-6, 4.8e-7},      // Earth (no magnitude is given for it)
    {-1.52, 0.016, 0.0, 0.0},            // Mars
    {-9.4, 0.005, 0.0, 0.0},             // Jupiter
    {-8.88, 0.043, -2.6, 1.25},          // Saturn (used through its own formula)
    {-7.19, 0.002, 0.0, 0.0},            // Uranus
    {-6.87, 0.0, 0.0, 0.0},              // Neptune
    {-1.0, 0.0, 0.0, 0.0},               // Pluto
};

// Saturn's north pole, J2000: right ascension and declination at J2000 and
// their rates, degrees and degrees per Julian century.
constexpr double kSaturnPoleRaDeg = 40.58;
constexpr double kSaturnPoleRaRate = -0.036;
constexpr double kSaturnPoleDecDeg = 83.54;
constexpr double kSaturnPoleDecRate = -0.004;

}  // namespace

double AngularRadius(double distanceAu, double radiusMetres) {
  return SafeAsin(radiusMetres / (kMetresPerAu * distanceAu)) * kArcsecondsPerRadian;
}

double ParallaxInAltitude(double distanceAu, double latitudeDeg, double zenithDistanceDeg) {
  const double f = kEarthFlattening;
  const double e = std::sqrt(2.0 * f - f * f);
  const double e2 = e * e;

  // Geocentric latitude; at the poles the tangent is not evaluated.
  double u = 0.0;
  if (latitudeDeg == kQuarterCircleDeg || latitudeDeg == -kQuarterCircleDeg) {
    u = latitudeDeg * kDegToRad;
  } else {
    u = std::atan((1.0 - f) * (1.0 - f) * std::tan(latitudeDeg * kDegToRad));
  }
  const double cosU = std::cos(u);
  const double rho = std::sqrt(1.0 - e2) / std::sqrt(1.0 - e2 * cosU * cosU);

  const double sinParallax = rho * (kEarthEquatorialRadiusMetres / kMetresPerAu) / distanceAu *
                             std::sin(zenithDistanceDeg * kDegToRad);
  return SafeAsin(sinParallax) * kArcsecondsPerRadian;
}

void PhaseAngle(const Vector3& body, double bodyDistanceAu, const Vector3& sun,
                double& phaseAngleDeg, double& sunDistanceAu, Vector3& towardSun,
                Vector3& towardEarth) {
  const Vector3 sunToBody = SubtractVectors(body, sun);
  sunDistanceAu = VectorLength(sunToBody);
  towardSun = ScaleVector(sunToBody, -1.0 / sunDistanceAu);
  towardEarth = ScaleVector(body, -1.0 / bodyDistanceAu);
  phaseAngleDeg = SafeAcos(DotProduct(towardSun, towardEarth)) * kRadToDeg;
}

double IlluminatedFraction(double phaseAngleDeg) {
  return (1.0 + std::cos(phaseAngleDeg * kDegToRad)) / 2.0;
}

EngineStatus PlanetMagnitude(BodyId planet, double sunDistanceAu, double earthDistanceAu,
                             double ringTiltDeg, double phaseAngleDeg, double& magnitude) {
  if (planet < kMercury || planet > kPluto || planet == kEarth) {
    magnitude = kNoMagnitude;
    return kMagnitudeUnknownBody;
  }
  magnitude = kNoMagnitude;
  if (!(sunDistanceAu > 0.0 && earthDistanceAu > 0.0 && std::isfinite(sunDistanceAu) &&
        std::isfinite(earthDistanceAu) && phaseAngleDeg >= 0.0 &&
        phaseAngleDeg <= kDegreesPerHalfCircle && IsLatitude(ringTiltDeg))) {
    return kStatusOutOfDomain;
  }
  const MagnitudeLaw& law = kMagnitudeLaws[planet];
  const double i = phaseAngleDeg;
  const double distanceTerm = 5.0 * std::log10(sunDistanceAu * earthDistanceAu);

  if (planet < kEarth) {
    magnitude = ((law.c3 * i + law.c2) * i + law.c1) * i + law.v0 + distanceTerm;
  } else if (planet == kSaturn) {
    // The rings add light as they open: the last two coefficients of Saturn's
    // row multiply sin B and sin^2 B instead of powers of the phase angle.
    const double sinTilt = std::sin(std::fabs(ringTiltDeg) * kDegToRad);
    magnitude = law.c3 * sinTilt * sinTilt + law.c1 * i + law.c2 * sinTilt + distanceTerm + law.v0;
  } else {
    magnitude = law.c1 * i + law.v0 + distanceTerm;
  }
  return kStatusOk;
}

double SaturnRingTilt(double jdTdb, double lightTimeDays, const Vector3& towardEarth) {
  // Saturn is seen as it was when the light left it.
  const double t = jdTdb - lightTimeDays;

  const double centuries = (t - kJulianDateJ2000) / kDaysPerJulianCentury;
  const double poleRaDeg = kSaturnPoleRaDeg + kSaturnPoleRaRate * centuries;
  const double poleDecDeg = kSaturnPoleDecDeg + kSaturnPoleDecRate * centuries;
  Vector3 pole{};
  LonLatToVector(poleRaDeg, poleDecDeg, 1.0, pole);

  double zeta = 0.0, z = 0.0, theta = 0.0;
  PrecessionAngles(kJulianDateJ2000, t, zeta, z, theta);
  ApplyPrecession(zeta, z, theta, pole, pole);

  return SafeAsin(DotProduct(pole, towardEarth)) * kRadToDeg;
}

}  // namespace navora
