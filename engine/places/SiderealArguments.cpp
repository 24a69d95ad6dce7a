#include "engine/places/SiderealArguments.h"

#include "engine/places/AstronomicalConstants.h"
#include "engine/places/PrecessionNutation.h"
#include "engine/time/DeltaT.h"
#include "engine/time/SiderealTime.h"

namespace navora {
namespace {

// Stand-in Delta T (seconds) where the table has none; it only shifts the
// date of the slowly varying nutation, by a minute.
constexpr double kFallbackDeltaTSeconds = 60.0;

double EquationOfEquinoxesAt(double jdTt) {
  NutationOfDate nutation;
  ComputeNutationOfDate(jdTt, nutation);
  return nutation.equationOfEquinoxesArcsec;
}

}  // namespace

EngineStatus PrepareTimeArguments(DeltaTTable& deltaT, double jdUt1, double& gmstHours,
                                  double& gastHours, double& jdTt,
                                  double& equationOfEquinoxesArcsec) {
  const double deltaTSeconds = deltaT.LookupDeltaT(jdUt1);
  if (deltaTSeconds <= kDeltaTUnavailable) return kTimeArgumentsNoDeltaT;
  jdTt = jdUt1 + deltaTSeconds / kSecondsPerDay;
  equationOfEquinoxesArcsec = EquationOfEquinoxesAt(jdTt);
  ComputeSiderealTime(jdUt1, 0.0, equationOfEquinoxesArcsec, gmstHours, gastHours);
  return kStatusOk;
}

double LocalApparentSiderealTime(DeltaTTable& deltaT, double jdUtc, double eastLongitudeDeg) {
  double deltaTSeconds = deltaT.LookupDeltaT(jdUtc);
  if (deltaTSeconds <= kDeltaTUnavailable) deltaTSeconds = kFallbackDeltaTSeconds;
  const double jdTt = jdUtc + deltaTSeconds / kSecondsPerDay;
  double meanHours = 0.0, apparentHours = 0.0;
  ComputeSiderealTime(jdUtc, eastLongitudeDeg, EquationOfEquinoxesAt(jdTt), meanHours,
                      apparentHours);
  return apparentHours;
}

}  // namespace navora
