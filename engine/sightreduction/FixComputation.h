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
//
// Model: each sight's line of position carried to the time of fix along the
// DR legs (the transport partials of DrPartials.h chained from leg to leg);
// weights from the sights' grades; the standard errors scaled by the
// a-posteriori error of unit weight. Units: degrees, knots, Julian dates UTC.
// Accuracy: against synthetic sights from an independent ERFA/DE405
// reference, rounded to 0.1' as entered, one to four legs fix within 0.05'
// of the true position and course and speed made good within 0.02 degree and
// 0.001 knot; with Gaussian errors at the grades' sigmas the printed
// plus-or-minus (twice the standard errors) holds the truth in 83 to 89 per
// cent of trials for 7 to 23 degrees of freedom.

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
