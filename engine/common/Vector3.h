#pragma once

#include <array>
#include <cmath>

namespace navora {

// A Cartesian vector: positions in AU, velocities in AU per day unless a
// routine states otherwise. IsFinite is the domain check of the routines that
// take one.
using Vector3 = std::array<double, 3>;

inline bool IsFinite(const Vector3& v) {
  return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

}  // namespace navora
