#pragma once

#include <cmath>

#include "engine/common/Vector3.h"

namespace navora {

// Small value-returning helpers for the Cartesian vectors of the engine, in
// any consistent unit. Total on finite input, without a status: a non-finite
// component propagates, and the operations that take vectors check them
// (IsFinite) first. Exact to rounding.

// a - b
inline Vector3 SubtractVectors(const Vector3& a, const Vector3& b) {
  return Vector3{a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

inline Vector3 ScaleVector(const Vector3& v, double factor) {
  return Vector3{v[0] * factor, v[1] * factor, v[2] * factor};
}

inline double DotProduct(const Vector3& a, const Vector3& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

inline double VectorLength(const Vector3& v) { return std::sqrt(DotProduct(v, v)); }

}  // namespace navora
