#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"

namespace navora {

// The direct problem on the sphere, for the single-sight fix: the point
// reached after an arc along the great circle that leaves `start` with
// start.course.
//
// Model: spherical trigonometry (atan2 forms); a flat step for arcs under
// 0.0001 degree; along a meridian the latitude changes by the arc. Units:
// degrees (latitude, longitude, course, arc). Domain:
// IsPositionRecordInDomain(start) and a finite arc (negative runs
// backwards). Accuracy against an independent geodesic solver on the sphere:
// within 3.2e-13 degree in position and 1.8e-13 degree in course; the flat
// step within 2.3e-9 degree in position, its course that of the start (off
// by up to 0.0005 degree at 80 degrees of latitude).
//
// Statuses: kStatusOutOfDomain (outputs 0) for a start or arc outside the
// domain, or a point that is no position (a meridian run past a pole).

// Writes the latitude, the longitude (start.longitude plus the change, not
// reduced) and the course there.
[[nodiscard]] EngineStatus GreatCircleDestination(const PositionRecord& start, double distanceDeg,
                                                  double& latitudeDeg, double& longitudeDeg,
                                                  double& courseDeg);

}  // namespace navora
