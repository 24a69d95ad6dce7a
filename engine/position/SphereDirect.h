#pragma once

namespace navora {

// The direct problem on the unit sphere, shared by the great-circle routines.
// Total on finite input (radians) and without a status: its callers check
// their arguments. Exact to rounding.

// Where a great circle on a sphere leads: the latitude reached, the change of
// longitude (not reduced) and the course there, all radians.
struct SpherePoint {
  double latitude = 0.0;
  double longitudeChange = 0.0;
  double course = 0.0;
};

// The point an arc (radians of the sphere, negative to run backwards) along
// the great circle that leaves latitude lat1 with the given initial course.
// The atan2 forms keep their precision over short arcs and give the right side
// for negative ones.
SpherePoint SphereDirect(double lat1Rad, double courseRad, double arcRad);

}  // namespace navora
