#include "engine/time/SiderealTime.h"

#include <cmath>

#include "engine/common/Angles.h"
#include "engine/time/TimeConstants.h"

namespace navora {
namespace {

// Greenwich mean sidereal time at 0h plus the whole centuries' turns, in
// seconds of time; the linear term holds the 36525 days of a century.
constexpr double kGmstAtJ2000Seconds = 67310.54841;
constexpr double kGmstRateSecondsPerCentury = 3155760000.0 + 8640184.812866;
constexpr double kGmstQuadraticSeconds = 0.093104;
constexpr double kGmstCubicSeconds = -6.2e-6;

double WrapHours(double hours) {
  double wrapped = std::fmod(hours, kHoursPerDay);
  if (wrapped < 0.0) wrapped += kHoursPerDay;
  return wrapped;
}

}  // namespace

void ComputeSiderealTime(double jdUt1, double eastLongitudeDeg, double equationOfEquinoxesArcsec,
                         double& meanHours, double& apparentHours) {
  const double tu = (jdUt1 - kJulianDateJ2000) / kDaysPerJulianCentury;
  const double gmstSeconds = kGmstAtJ2000Seconds + kGmstRateSecondsPerCentury * tu +
                             kGmstQuadraticSeconds * tu * tu + kGmstCubicSeconds * tu * tu * tu;
  meanHours = WrapHours(gmstSeconds / kSecondsPerHour + eastLongitudeDeg / kDegreesPerHour);
  apparentHours = WrapHours(meanHours + equationOfEquinoxesArcsec / kArcsecondsPerHour);
}

}  // namespace navora
