#pragma once

#include <span>

#include "engine/common/EngineStatus.h"
#include "engine/common/ObservationRecord.h"
#include "engine/places/PlaceContext.h"
#include "engine/sightreduction/FixTypes.h"
#include "engine/sightreduction/ReducedObservation.h"

namespace navora {

// Reduction of single sights: Ho from hs (index error, dip and refraction
// only), and Hc, Zn of the observed point seen topocentrically from the
// assumed position that dead reckoning gives along the sight's leg.

// Sextant altitudes outside these limits (degrees) leave the sight reduced
// and reported but not included.
inline constexpr double kLowestUsableHs = -0.1;
inline constexpr double kHighestUsableHs = 88.0;

// Fills reduced[i] from sights[i] (same count): name, copies, weight 1.0 in
// both records, dip, refraction, Ho, and the altitude limits.
void CorrectObservedAltitudes(std::span<ObservationRecord> sights,
                              std::span<ReducedObservation> reduced);

// Reduces one sight whose reduced record CorrectObservedAltitudes filled:
// the assumed position on `leg` (its reduction record advanced to the
// sight's time), the apparent place of the observed point, hc, zn, ra, dec,
// lha, the direction at the time of fix seen from fixLeg.reduction with
// UT1 - UTC ut1MinusUtcAtFix (seconds), and the transport partials.
// kSightReductionNoPlace, kSightReductionNoHcZn or kSightReductionNoDeltaT.
[[nodiscard]] EngineStatus ReduceObservation(PlaceContext& context,
                                             const ObservationRecord& sight,
                                             const LegRecord& leg, const LegRecord& fixLeg,
                                             double ut1MinusUtcAtFix,
                                             ReducedObservation& reduced);

// ReduceObservation for every sight in order on its leg (legs[legIndex]);
// the first failure ends the pass with its status. A fixLeg or a sight's
// legIndex outside legs gives kSightReductionBadLegCount.
[[nodiscard]] EngineStatus ReduceSightsAtPositions(PlaceContext& context,
                                                   std::span<const ObservationRecord> sights,
                                                   double ut1MinusUtcAtFix, int fixLeg,
                                                   std::span<const LegRecord> legs,
                                                   std::span<ReducedObservation> reduced);

}  // namespace navora
