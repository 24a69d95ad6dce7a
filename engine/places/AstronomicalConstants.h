#pragma once

namespace navora {

// Constants shared by the apparent-place, star and horizon computations. The
// values are those the tabulated figures are computed with; changing one
// changes every printed table.

inline constexpr double kSpeedOfLightAuPerDay = 173.14463272148387;
inline constexpr double kMetresPerAu = 149597870660.0;
inline constexpr double kKilometresPerAu = 149597870.66;
inline constexpr double kSecondsPerDay = 86400.0;

inline constexpr double kEarthEquatorialRadiusMetres = 6378137.0;
inline constexpr double kEarthFlattening = 0.00335281;
inline constexpr double kEarthRotationRadPerSecond = 7.2921151467e-5;

inline constexpr double kArcsecPerRadian = 206264.80624709636;
inline constexpr double kRadiansPerArcsec = 4.84813681109536e-6;
inline constexpr double kArcsecPerCircle = 1296000.0;
inline constexpr double kArcsecPerDegree = 3600.0;
// Sidereal hours to arcseconds: 15 degrees per hour times 3600.
inline constexpr double kArcsecPerHour = 54000.0;
inline constexpr double kDegreesPerRadian = 57.295779513082320876798;
inline constexpr double kRadiansPerDegree = 0.017453292519943295769237;

inline constexpr double kJulianDateJ2000 = 2451545.0;
inline constexpr double kDaysPerJulianCentury = 36525.0;

}  // namespace navora
