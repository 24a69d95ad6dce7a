#pragma once

#include <array>

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"

namespace navora {

// Partial derivatives of a dead-reckoning advance, for the least-squares fix.
//
// Model: analytic derivatives of the sailing that the advance used
// (mid-latitude or Mercator, DeadReckoning.h) on the WGS-84 semi-major axis
// with flattening 0.00335281. Units: angles in radians, speed in km per day,
// time in days. Domain: both records IsPositionRecordInDomain. Accuracy:
// within 6e-8 relative of central differences of the advance, in both
// sailings.
//
// Statuses: kStatusOutOfDomain (both rows zero) for a record outside the
// domain or a derivative that is not finite (a course along a parallel at a
// pole).

// Partial derivatives of one advanced coordinate with respect to the start
// latitude, the start longitude, the course and the speed (speedKmPerDay).
using DrPartialRow = std::array<double, 4>;

// Derivatives of the advance that produced `advanced` from `start`, for the
// new latitude and the new longitude. Without motion the rows are those of the
// identity; a great-circle advance gives zero rows.
[[nodiscard]] EngineStatus DrPartials(const PositionRecord& advanced, const PositionRecord& start,
                                      DrPartialRow& latitudeRow, DrPartialRow& longitudeRow);

}  // namespace navora
