#pragma once

namespace navora {

// Units of the time scales shared by the whole engine. Julian dates are days.

inline constexpr double kJulianDateJ2000 = 2451545.0;  // 2000 January 1, 12h
inline constexpr double kDaysPerJulianCentury = 36525.0;
inline constexpr double kHoursPerDay = 24.0;
inline constexpr double kSecondsPerHour = 3600.0;
inline constexpr double kSecondsPerDay = 86400.0;

}  // namespace navora
