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

EngineStatus PrepareTimeArguments(double jdUt1, double& gmstHours, double& gastHours,
                                  double& jdTt, double& equationOfEquinoxesArcsec) {
  const double deltaT = LookupDeltaT(jdUt1);
  if (deltaT <= kDeltaTUnavailable) return kTimeArgumentsNoDeltaT;
  jdTt = jdUt1 + deltaT / kSecondsPerDay;
  equationOfEquinoxesArcsec = EquationOfEquinoxesAt(jdTt);
  ComputeSiderealTime(jdUt1, 0.0, equationOfEquinoxesArcsec, gmstHours, gastHours);
  return kStatusOk;
}

double LocalApparentSiderealTime(double jdUtc, double eastLongitudeDeg) {
  double deltaT = LookupDeltaT(jdUtc);
  if (deltaT <= kDeltaTUnavailable) deltaT = kFallbackDeltaTSeconds;
  const double jdTt = jdUtc + deltaT / kSecondsPerDay;
  double meanHours = 0.0, apparentHours = 0.0;
  ComputeSiderealTime(jdUtc, eastLongitudeDeg, EquationOfEquinoxesAt(jdTt), meanHours,
                      apparentHours);
  return apparentHours;
}

}  // namespace navora
