#include "engine/sightreduction/FixComputation.h"

#include <cmath>

#include "engine/common/Angles.h"
#include "engine/sightreduction/FixSteps.h"
#include "engine/sightreduction/SightReduction.h"

namespace navora {

namespace {

// The iteration ends when a pass moves the fix by no more than this (degrees
// of arc) and gives up at this pass.
constexpr double kConvergedCorrectionDeg = 0.03;
constexpr int kMaxPasses = 20;
// A standard error of unit weight this large (degrees), or more than this
// factor above the previous pass's, means the sights do not fit the track.
// A rise that stays below a good sight's standard error is not divergence:
// sights that fit exactly leave the error at rounding level, where it may
// double from one pass to the next.
constexpr double kDivergentSigmaDeg = 10.0;
constexpr double kDivergenceGrowth = 2.0;

// Sizes and leg numbers the steps index by without further checks.
bool ArraysAgree(std::span<const LegRecord> legs, std::span<const ObservationRecord> sights,
                 int fixLeg, std::span<const ReducedObservation> reduced) {
  if (reduced.size() != sights.size()) return false;
  if (fixLeg != static_cast<int>(legs.size()) - 1) return false;
  for (size_t i = 0; i < sights.size(); ++i) {
    if (sights[i].legIndex > fixLeg || reduced[i].legIndex > fixLeg) return false;
  }
  return true;
}

EngineStatus ReduceAtDeadReckoning(PlaceContext& context, double timeOfFix, double ut1MinusUtcAtFix,
                                   std::span<LegRecord> legs, std::span<ObservationRecord> sights,
                                   int fixLeg, std::span<ReducedObservation> reduced,
                                   FixSolution& out) {
  const EngineStatus advanced = AdvanceLegsToEnd(timeOfFix, legs);
  if (advanced != kStatusOk) return advanced;
  CorrectObservedAltitudes(sights, reduced);
  const EngineStatus status =
      ReduceSightsAtPositions(context, sights, ut1MinusUtcAtFix, fixLeg, legs, reduced);
  out = FixSolution{};
  out.time = timeOfFix;
  out.latitude = legs[fixLeg].end.latitude;
  out.longitude = legs[fixLeg].end.longitude;
  return status;
}

EngineStatus IterateFix(PlaceContext& context, bool solveCourseSpeed, double timeOfFix,
                        double ut1MinusUtcAtFix, std::span<LegRecord> legs,
                        std::span<const ObservationRecord> sights, int fixLeg,
                        std::span<ReducedObservation> reduced, FixSolution& out) {
  int unknowns = 2;
  double sigma0 = 0.0;
  const int included = AnalyseSightDistribution(reduced, solveCourseSpeed, legs, unknowns, sigma0);
  if (included < 0) return kSightReductionNoneIncluded;

  double previousSigma = 0.0;
  for (int pass = 0;;) {
    FixCorrection correction;
    EngineStatus status = included == 1
                              ? SingleSightStep(reduced, legs, out, correction)
                              : LeastSquaresStep(reduced, unknowns, sigma0, legs, out, correction);
    if (status != kStatusOk) return status;

    const PositionRecord& fix = legs[fixLeg].reduction;
    const double moved = std::hypot(
        correction.latitudeDeg, std::cos(DegreesToRadians(fix.latitude)) * correction.longitudeDeg);
    const bool growing = pass > 0 && out.sigmaUnitWeight > kDivergenceGrowth * previousSigma &&
                         out.sigmaUnitWeight > SigmaFromQualityCode(kQualityGood);
    const bool diverging = out.sigmaUnitWeight >= kDivergentSigmaDeg || growing;
    status = diverging ? kSightReductionNoSolution
                       : ReduceSightsAtPositions(context, sights, ut1MinusUtcAtFix, fixLeg, legs,
                                                 reduced);
    ++pass;
    if (pass >= kMaxPasses) status = kSightReductionNoConvergence;
    previousSigma = out.sigmaUnitWeight;
    if (moved <= kConvergedCorrectionDeg || status != kStatusOk) {
      out.time = timeOfFix;
      out.latitude = fix.latitude;
      out.longitude = fix.longitude;
      return status;
    }
  }
}

}  // namespace

EngineStatus ReduceSights(PlaceContext& context, uint8_t flags, double timeOfFix,
                          double ut1MinusUtcAtFix, std::span<LegRecord> legs,
                          std::span<ObservationRecord> sights, int fixLeg,
                          std::span<ReducedObservation> reduced, FixSolution& out) {
  if (legs.empty() || legs.size() > static_cast<size_t>(kMaxLegs)) {
    return kSightReductionBadLegCount;
  }
  if (sights.empty()) return kSightReductionNoSights;
  if (!ArraysAgree(legs, sights, fixLeg, reduced)) return kStatusOutOfDomain;
  if ((flags & kReduceOnly) != 0) {
    return ReduceAtDeadReckoning(context, timeOfFix, ut1MinusUtcAtFix, legs, sights, fixLeg,
                                 reduced, out);
  }
  return IterateFix(context, (flags & kSolveCourseSpeed) != 0, timeOfFix, ut1MinusUtcAtFix, legs,
                    sights, fixLeg, reduced, out);
}

}  // namespace navora
