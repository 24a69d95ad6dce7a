#pragma once

#include "engine/common/Angles.h"       // the angle units used with these
#include "engine/time/TimeConstants.h"  // and the time units

namespace navora {

// Constants shared by the apparent-place, star and horizon computations. The
// values are those the tabulated figures are computed with; changing one
// changes every printed table.

inline constexpr double kSpeedOfLightAuPerDay = 173.14463272148387;
inline constexpr double kMetresPerAu = 149597870660.0;
inline constexpr double kKilometresPerAu = 149597870.66;

inline constexpr double kEarthEquatorialRadiusMetres = 6378137.0;
inline constexpr double kEarthFlattening = 0.00335281;
inline constexpr double kEarthRotationRadPerSecond = 7.2921151467e-5;

}  // namespace navora
