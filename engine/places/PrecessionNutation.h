#pragma once

#include <cstdint>

#include "engine/common/Vector3.h"

namespace navora {

// Models: IAU 1976 precession (Lieske et al. 1977), the 1976 mean obliquity,
// and IAU 1980 nutation cut to its 4 largest terms with their time rates. The
// equation of the equinoxes is dpsi cos(eps), without complementary terms.
// Angles in arcsec unless named Deg; dates are TT. The polynomials hold for
// centuries around J2000, the supported dates well inside. The omitted
// nutation terms, up to about 0.24" in longitude and 0.0145 s in apparent
// sidereal time, are the largest approximation of the apparent places.

// Sense of the nutation rotation.
enum class NutationDirection : int16_t {
  kMeanToTrue = 0,  // mean equator and equinox of date -> true
  kTrueToMean = 1,  // true -> mean (the transposed rotation)
};

// Nutation in longitude and in obliquity (arcsec) from the four largest terms
// of the 1980 series (Omega, 2F - 2D + 2 Omega, 2F + 2 Omega, 2 Omega);
// centuriesTt = (jd TT - 2451545.0) / 36525.
void NutationAngles(double centuriesTt, double& nutationLongitudeArcsec,
                    double& nutationObliquityArcsec);

// Mean obliquity of the ecliptic (1976 expression) and true obliquity = mean
// plus the nutation in obliquity, both in degrees.
void MeanAndTrueObliquity(double jdTt, double nutationObliquityArcsec, double& meanObliquityDeg,
                          double& trueObliquityDeg);

// Equation of the equinoxes in arcsec.
double EquationOfEquinoxes(double nutationLongitudeArcsec, double obliquityDeg);

// Precession angles zeta, z, theta (arcsec) carrying mean places of jdFrom to
// mean places of jdTo (1976 precession, either date may be the later one).
void PrecessionAngles(double jdFrom, double jdTo, double& zetaArcsec, double& zArcsec,
                      double& thetaArcsec);

// Rotates a vector by the precession angles. `in` and `out` may be the same.
void ApplyPrecession(double zetaArcsec, double zArcsec, double thetaArcsec, const Vector3& in,
                     Vector3& out);

// Rotates a vector between the mean and true equator and equinox of date.
// `in` and `out` may be the same.
void ApplyNutation(double nutationLongitudeArcsec, double meanObliquityDeg, double trueObliquityDeg,
                   NutationDirection direction, const Vector3& in, Vector3& out);

// Nutation and obliquity of one TT date, as the place and sidereal-time
// routines use them.
struct NutationOfDate {
  double longitudeArcsec = 0.0;  // nutation in longitude
  double meanObliquityDeg = 0.0;
  double trueObliquityDeg = 0.0;
  double equationOfEquinoxesArcsec = 0.0;
};

// NutationAngles, MeanAndTrueObliquity and EquationOfEquinoxes (of the true
// obliquity) at jdTt.
void ComputeNutationOfDate(double jdTt, NutationOfDate& nutation);

// Precession from J2000 to jdTt, then nutation: a mean J2000 vector to the
// true equator and equinox of jdTt. `in` and `out` may be the same.
void J2000ToTrueOfDate(double jdTt, const NutationOfDate& nutation, const Vector3& in,
                       Vector3& out);

// The reverse rotation. `in` and `out` may be the same.
void TrueOfDateToJ2000(double jdTt, const NutationOfDate& nutation, const Vector3& in,
                       Vector3& out);

}  // namespace navora
