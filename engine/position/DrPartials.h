#pragma once

#include <array>

#include "engine/common/PositionRecord.h"

namespace navora {

// Partial derivatives of one advanced coordinate with respect to the start
// latitude, the start longitude, the course and the speed (speedKmPerDay);
// angles in radians, speed in km per day.
using DrPartialRow = std::array<double, 4>;

// Derivatives of the advance that produced `advanced` from `start`, for the
// new latitude and the new longitude. Without motion the rows are those of the
// identity; a great-circle advance gives zero rows.
void DrPartials(const PositionRecord& advanced, const PositionRecord& start,
                DrPartialRow& latitudeRow, DrPartialRow& longitudeRow);

}  // namespace navora
