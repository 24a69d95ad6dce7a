#pragma once

#include "engine/common/PositionRecord.h"

namespace navora {

// The point reached on the sphere after distanceDeg degrees of arc along the
// great circle that leaves `start` with start.course; writes its latitude,
// longitude (not reduced) and course there, degrees.
void GreatCircleDestination(const PositionRecord& start, double distanceDeg, double& latitudeDeg,
                            double& longitudeDeg, double& courseDeg);

}  // namespace navora
