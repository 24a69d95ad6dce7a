#pragma once

#include <cmath>

namespace navora {

// Angle units and reductions shared by the whole engine. Header-only.
// Units: degrees, hours (15 degrees each), arc-minutes, arcseconds, radians.
// Domain: every finite value; non-finite input comes out non-finite, so the
// operations check their arguments before reducing (IsLatitude for the
// angles bounded by the poles). Accuracy: the conversions are single
// multiplications by the constants below, so code that used its own copies
// of them gives the same bits; the wraps are exact (floating remainder).

inline constexpr double kDegreesPerHour = 15.0;  // sidereal and hour-angle hours
inline constexpr double kArcminutesPerDegree = 60.0;
inline constexpr double kArcsecondsPerArcminute = 60.0;
inline constexpr double kArcsecondsPerDegree = 3600.0;
inline constexpr double kArcsecondsPerRadian = 206264.80624709636;
// Rounded in its last digits; kept, since every printed table is computed with it.
inline constexpr double kRadiansPerArcsecond = 4.84813681109536e-6;
inline constexpr double kArcsecondsPerCircle = 1296000.0;
inline constexpr double kArcsecondsPerHour = 54000.0;  // 15 degrees of sidereal time
inline constexpr double kDegreesPerCircle = 360.0;
inline constexpr double kDegreesPerHalfCircle = 180.0;
inline constexpr double kDegreesPerQuarterCircle = 90.0;  // also the largest |latitude|
inline constexpr double kDegToRad = 0.017453292519943295769237;
inline constexpr double kRadToDeg = 57.295779513082320876798;

inline constexpr double DegreesToRadians(double degrees) { return degrees * kDegToRad; }
inline constexpr double RadiansToDegrees(double radians) { return radians * kRadToDeg; }
inline constexpr double HoursToDegrees(double hours) { return hours * kDegreesPerHour; }

// Degrees reduced into [0, 360) by the floating remainder; never -0 and never
// 360 (a tiny negative angle, whose remainder plus 360 rounds to 360, gives 0).
inline double WrapDegrees360(double degrees) {
  double reduced = std::fmod(degrees, kDegreesPerCircle);
  if (reduced < 0.0) reduced += kDegreesPerCircle;
  if (reduced >= kDegreesPerCircle) reduced = 0.0;
  return reduced + 0.0;  // turns -0 into +0
}

// Degrees reduced into (-180, 180] by the floating remainder; never -0.
inline double WrapDegrees180(double degrees) {
  double reduced = std::fmod(degrees, kDegreesPerCircle);
  if (reduced > kDegreesPerHalfCircle) {
    reduced -= kDegreesPerCircle;
  } else if (reduced <= -kDegreesPerHalfCircle) {
    reduced += kDegreesPerCircle;
  }
  return reduced + 0.0;
}

// A latitude (or declination, altitude) in [-90, 90]; false for NaN.
inline bool IsLatitude(double degrees) {
  return degrees >= -kDegreesPerQuarterCircle && degrees <= kDegreesPerQuarterCircle;
}

}  // namespace navora
