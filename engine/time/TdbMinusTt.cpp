#include "engine/time/TdbMinusTt.h"

#include <cmath>

#include "engine/time/TimeConstants.h"

namespace navora {
namespace {

constexpr double kEpochJd = 2433282.5;  // 1950 Jan 1, 0h

// Annual term (Earth's orbital eccentricity) and the Jupiter term, seconds.
constexpr double kAnnualAmplitude = 0.001658;
constexpr double kMeanAnomalyRate = 628.3019415;  // radians per century
constexpr double kMeanAnomalyAtEpoch = 6.248291;  // radians
constexpr double kEccentricity = 0.01671;
constexpr double kJupiterAmplitude = 2.073e-5;
constexpr double kJupiterRate = 575.3380832;  // radians per century
constexpr double kJupiterPhase = 5.652593;    // radians

}  // namespace

void ConvertTdbToTt(double jd, double& tdbMinusTtSeconds, double& shiftedJd) {
  const double t = (jd - kEpochJd) / kDaysPerJulianCentury;
  const double g = kMeanAnomalyRate * t + kMeanAnomalyAtEpoch;
  tdbMinusTtSeconds = kAnnualAmplitude * std::sin(g + kEccentricity * std::sin(g)) +
                      kJupiterAmplitude * std::sin(kJupiterRate * t + kJupiterPhase);
  shiftedJd = jd - tdbMinusTtSeconds / kSecondsPerDay;
}

}  // namespace navora
