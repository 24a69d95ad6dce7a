#pragma once

#include <span>

#include "engine/common/EngineStatus.h"
#include "engine/common/ObservationRecord.h"
#include "engine/places/PlaceContext.h"
#include "engine/sightreduction/FixTypes.h"
#include "engine/sightreduction/ReducedObservation.h"

namespace navora {

// The celestial fix: a running fix over 1..kMaxLegs legs, solved by iterated
// weighted least squares for the position at the time of fix and, where the
// sights allow, the course and speed made good of the legs.

// The sight reduction in one call. With kReduceOnly: the legs' end and
// reduction records, every sight reduced at its DR position, out = the DR
// position at the time of fix. Otherwise (after a reduce-only call on the
// same arrays): iterate the fix, kSolveCourseSpeed adding course and speed
// unknowns for the legs whose sights allow them. fixLeg is legs.size() - 1,
// reduced has the size of sights. Statuses: FixTypes.h; on failure the
// arrays keep the last completed pass.
[[nodiscard]] EngineStatus ReduceSights(PlaceContext& context, uint8_t flags, double timeOfFix,
                                        double ut1MinusUtcAtFix, std::span<LegRecord> legs,
                                        std::span<ObservationRecord> sights, int fixLeg,
                                        std::span<ReducedObservation> reduced, FixSolution& out);

// Course and speed made good over the ground (degrees [0, 360), knots) of a
// record's course, speed, set and drift.
void GroundTrack(const PositionRecord& record, double& courseDeg, double& speedKnots);

}  // namespace navora
