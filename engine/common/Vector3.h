#pragma once

#include <array>

namespace navora {

// A Cartesian vector: positions in AU, velocities in AU per day unless a
// routine states otherwise.
using Vector3 = std::array<double, 3>;

}  // namespace navora
