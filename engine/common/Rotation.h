#pragma once

#include <array>
#include <cmath>

#include "engine/common/Vector3.h"

namespace navora {

// Elementary rotations of the coordinate frame (passive, right-handed): the
// matrix R_k(angle) gives the components of a fixed vector in a frame turned
// by the angle (radians) about its axis k. A positive angle about z carries
// the x axis toward the old y axis, so R_z(a) v = (c x + s y, -s x + c y, z).

using Matrix3 = std::array<Vector3, 3>;  // rows

inline Matrix3 RotationAboutX(double angleRad) {
  const double c = std::cos(angleRad);
  const double s = std::sin(angleRad);
  return {{{1.0, 0.0, 0.0}, {0.0, c, s}, {0.0, -s, c}}};
}

inline Matrix3 RotationAboutY(double angleRad) {
  const double c = std::cos(angleRad);
  const double s = std::sin(angleRad);
  return {{{c, 0.0, -s}, {0.0, 1.0, 0.0}, {s, 0.0, c}}};
}

inline Matrix3 RotationAboutZ(double angleRad) {
  const double c = std::cos(angleRad);
  const double s = std::sin(angleRad);
  return {{{c, s, 0.0}, {-s, c, 0.0}, {0.0, 0.0, 1.0}}};
}

// m v
inline Vector3 Multiply(const Matrix3& m, const Vector3& v) {
  return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
          m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
          m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// m^T v: the inverse rotation.
inline Vector3 MultiplyTransposed(const Matrix3& m, const Vector3& v) {
  return {m[0][0] * v[0] + m[1][0] * v[1] + m[2][0] * v[2],
          m[0][1] * v[0] + m[1][1] * v[1] + m[2][1] * v[2],
          m[0][2] * v[0] + m[1][2] * v[1] + m[2][2] * v[2]};
}

// The rotations applied directly, without forming the matrix: Multiply with
// the matrices above, less the products with their zero elements.
inline Vector3 RotateAboutX(const Vector3& v, double angleRad) {
  const double c = std::cos(angleRad);
  const double s = std::sin(angleRad);
  return {v[0], c * v[1] + s * v[2], -s * v[1] + c * v[2]};
}

inline Vector3 RotateAboutY(const Vector3& v, double angleRad) {
  const double c = std::cos(angleRad);
  const double s = std::sin(angleRad);
  return {c * v[0] - s * v[2], v[1], s * v[0] + c * v[2]};
}

inline Vector3 RotateAboutZ(const Vector3& v, double angleRad) {
  const double c = std::cos(angleRad);
  const double s = std::sin(angleRad);
  return {c * v[0] + s * v[1], -s * v[0] + c * v[1], v[2]};
}

}  // namespace navora
