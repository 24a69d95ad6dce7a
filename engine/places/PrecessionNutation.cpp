#include "engine/places/PrecessionNutation.h"

#include <array>
#include <cmath>

#include "engine/places/AstronomicalConstants.h"

namespace navora {
namespace {

// One term of the nutation series: multipliers of the fundamental arguments
// F, D and Omega, and the coefficients of longitude (A + A' T) and obliquity
// (B + B' T) in units of 0.0001 arcsec.
struct NutationTerm {
  int multiplierF;
  int multiplierD;
  int multiplierOmega;
  double longitude;
  double longitudeRate;
  double obliquity;
  double obliquityRate;
};

constexpr std::array<NutationTerm, 4> kNutationTerms = {{
    {0, 0, 1, -171996.0, -174.2, 92025.0, 8.9},
    {2, -2, 2, -13187.0, -1.6, 5736.0, -3.1},
    {2, 0, 2, -2274.0, -0.2, 977.0, -0.5},
    {0, 0, 2, 2062.0, 0.2, -895.0, 0.5},
}};

constexpr double kNutationUnitArcsec = 0.0001;

// Whole degrees of the mean obliquity; the polynomial gives the rest in arcsec.
constexpr double kObliquityDegrees = 23.0;

using Matrix3 = std::array<std::array<double, 3>, 3>;

Vector3 Multiply(const Matrix3& m, const Vector3& v) {
  return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
          m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
          m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

Vector3 MultiplyTransposed(const Matrix3& m, const Vector3& v) {
  return {m[0][0] * v[0] + m[1][0] * v[1] + m[2][0] * v[2],
          m[0][1] * v[0] + m[1][1] * v[1] + m[2][1] * v[2],
          m[0][2] * v[0] + m[1][2] * v[1] + m[2][2] * v[2]};
}

}  // namespace

void NutationAngles(double centuriesTt, double& nutationLongitudeArcsec,
                    double& nutationObliquityArcsec) {
  const double t = centuriesTt;
  // Whole revolutions are split off first so that the large rates keep their
  // precision.
  const double f = std::fmod(std::fmod(1342.0 * t, 1.0) * kArcsecondsPerCircle +
                                 ((0.011 * t - 13.257) * t + 295263.137) * t + 335778.877,
                             kArcsecondsPerCircle);
  const double d = std::fmod(std::fmod(1236.0 * t, 1.0) * kArcsecondsPerCircle +
                                 ((0.019 * t - 6.891) * t + 1105601.328) * t + 1072261.307,
                             kArcsecondsPerCircle);
  const double omega = std::fmod(((0.008 * t + 7.455) * t - 482890.539) * t + 450160.28 -
                                     std::fmod(5.0 * t, 1.0) * kArcsecondsPerCircle,
                                 kArcsecondsPerCircle);

  double longitude = 0.0;
  double obliquity = 0.0;
  // Smallest terms first, for the summation's rounding.
  for (auto term = kNutationTerms.rbegin(); term != kNutationTerms.rend(); ++term) {
    const double argument =
        std::fmod(term->multiplierF * f + term->multiplierD * d + term->multiplierOmega * omega,
                  kArcsecondsPerCircle) /
        kArcsecondsPerRadian;
    longitude += (term->longitude + term->longitudeRate * t) * std::sin(argument);
    obliquity += (term->obliquity + term->obliquityRate * t) * std::cos(argument);
  }
  nutationLongitudeArcsec = longitude * kNutationUnitArcsec;
  nutationObliquityArcsec = obliquity * kNutationUnitArcsec;
}

void MeanAndTrueObliquity(double jdTt, double nutationObliquityArcsec, double& meanObliquityDeg,
                          double& trueObliquityDeg) {
  const double t = (jdTt - kJulianDateJ2000) / kDaysPerJulianCentury;
  meanObliquityDeg =
      kObliquityDegrees +
      (1581.448 - 46.815 * t - 0.00059 * t * t + 0.001813 * t * t * t) / kArcsecondsPerDegree;
  trueObliquityDeg = meanObliquityDeg + nutationObliquityArcsec / kArcsecondsPerDegree;
}

double EquationOfEquinoxes(double nutationLongitudeArcsec, double obliquityDeg) {
  return nutationLongitudeArcsec * std::cos(obliquityDeg * kDegToRad);
}

void PrecessionAngles(double jdFrom, double jdTo, double& zetaArcsec, double& zArcsec,
                      double& thetaArcsec) {
  const double epoch = (jdFrom - kJulianDateJ2000) / kDaysPerJulianCentury;
  const double t = (jdTo - jdFrom) / kDaysPerJulianCentury;
  const double rate = 2306.2181 + 1.39656 * epoch - 0.000139 * epoch * epoch;
  zetaArcsec = rate * t + (0.30188 - 0.000344 * epoch) * t * t + 0.017998 * t * t * t;
  zArcsec = rate * t + (1.09468 + 0.000066 * epoch) * t * t + 0.018203 * t * t * t;
  thetaArcsec = (2004.3109 - 0.8533 * epoch - 0.000217 * epoch * epoch) * t -
                (0.42665 + 0.000217 * epoch) * t * t - 0.041833 * t * t * t;
}

void ApplyPrecession(double zetaArcsec, double zArcsec, double thetaArcsec, const Vector3& in,
                     Vector3& out) {
  const double zeta = zetaArcsec * kRadiansPerArcsecond;
  const double z = zArcsec * kRadiansPerArcsecond;
  const double theta = thetaArcsec * kRadiansPerArcsecond;
  const double cosZeta = std::cos(zeta), sinZeta = std::sin(zeta);
  const double cosZ = std::cos(z), sinZ = std::sin(z);
  const double cosTheta = std::cos(theta), sinTheta = std::sin(theta);
  const Matrix3 rotation = {{
      {cosZeta * cosZ * cosTheta - sinZeta * sinZ, -sinZeta * cosZ * cosTheta - cosZeta * sinZ,
       -cosZ * sinTheta},
      {cosZeta * sinZ * cosTheta + sinZeta * cosZ, -sinZeta * sinZ * cosTheta + cosZeta * cosZ,
       -sinZ * sinTheta},
      {cosZeta * sinTheta, -sinZeta * sinTheta, cosTheta},
  }};
  out = Multiply(rotation, in);
}

void ApplyNutation(double nutationLongitudeArcsec, double meanObliquityDeg, double trueObliquityDeg,
                   NutationDirection direction, const Vector3& in, Vector3& out) {
  const double psi = nutationLongitudeArcsec * kRadiansPerArcsecond;
  const double mean = meanObliquityDeg * kDegToRad;
  const double trueObliquity = trueObliquityDeg * kDegToRad;
  const double cosPsi = std::cos(psi), sinPsi = std::sin(psi);
  const double cosMean = std::cos(mean), sinMean = std::sin(mean);
  const double cosTrue = std::cos(trueObliquity), sinTrue = std::sin(trueObliquity);
  const Matrix3 rotation = {{
      {cosPsi, -sinPsi * cosMean, -sinPsi * sinMean},
      {sinPsi * cosTrue, cosPsi * cosMean * cosTrue + sinMean * sinTrue,
       cosPsi * sinMean * cosTrue - cosMean * sinTrue},
      {sinPsi * sinTrue, cosPsi * cosMean * sinTrue - sinMean * cosTrue,
       cosPsi * sinMean * sinTrue + cosMean * cosTrue},
  }};
  out = direction == NutationDirection::kTrueToMean ? MultiplyTransposed(rotation, in)
                                                    : Multiply(rotation, in);
}

void ComputeNutationOfDate(double jdTt, NutationOfDate& nutation) {
  double nutationObliquityArcsec = 0.0;
  NutationAngles((jdTt - kJulianDateJ2000) / kDaysPerJulianCentury, nutation.longitudeArcsec,
                 nutationObliquityArcsec);
  MeanAndTrueObliquity(jdTt, nutationObliquityArcsec, nutation.meanObliquityDeg,
                       nutation.trueObliquityDeg);
  nutation.equationOfEquinoxesArcsec =
      EquationOfEquinoxes(nutation.longitudeArcsec, nutation.trueObliquityDeg);
}

void J2000ToTrueOfDate(double jdTt, const NutationOfDate& nutation, const Vector3& in,
                       Vector3& out) {
  double zeta = 0.0, z = 0.0, theta = 0.0;
  PrecessionAngles(kJulianDateJ2000, jdTt, zeta, z, theta);
  ApplyPrecession(zeta, z, theta, in, out);
  ApplyNutation(nutation.longitudeArcsec, nutation.meanObliquityDeg, nutation.trueObliquityDeg,
                NutationDirection::kMeanToTrue, out, out);
}

void TrueOfDateToJ2000(double jdTt, const NutationOfDate& nutation, const Vector3& in,
                       Vector3& out) {
  ApplyNutation(nutation.longitudeArcsec, nutation.meanObliquityDeg, nutation.trueObliquityDeg,
                NutationDirection::kTrueToMean, in, out);
  double zeta = 0.0, z = 0.0, theta = 0.0;
  PrecessionAngles(jdTt, kJulianDateJ2000, zeta, z, theta);
  ApplyPrecession(zeta, z, theta, out, out);
}

}  // namespace navora
