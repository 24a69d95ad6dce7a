#pragma once

#include <array>

#include "engine/common/EngineStatus.h"
#include "engine/sightreduction/ReducedObservation.h"

namespace navora {

// The numerical kernel of the least-squares fix: weighted normal equations
// of at most kMaxUnknowns unknowns, their solution with the a-posteriori
// variance of unit weight, and a Gauss-Jordan inverse. Fixed-size storage:
// nothing is allocated.
//
// Model: observations r = A x + e with weights w; N = sum w A'A, b = sum w r A,
// x = N^-1 b, v = (sum w r^2 - b'x) / (sum w - n) when sum w - n > 0.5, else 0.
// Units: whatever the caller's rows and residuals carry; the fix uses
// residuals in radians and unknowns in degrees and knots. Accuracy: that of
// Gauss-Jordan elimination with full pivoting on matrices of order <= 10.

// Latitude and longitude of the fix, and a course and speed for every leg.
inline constexpr int kMaxUnknowns = 2 * kMaxLegs + 2;

using UnknownVector = std::array<double, kMaxUnknowns>;
using NormalMatrix = std::array<UnknownVector, kMaxUnknowns>;

struct NormalEquations {
  int unknowns = 2;              // order n, 1..kMaxUnknowns
  NormalMatrix matrix{};         // upper triangle accumulated
  UnknownVector rightSide{};     // b
  double weightSum = 0.0;        // W
  double weightedSquares = 0.0;  // E = sum w r^2
};

struct NormalSolution {
  UnknownVector x{};              // the unknowns
  UnknownVector standardError{};  // sqrt(v * Ninv[j][j])
  double covariance01 = 0.0;      // v * Ninv[1][0]
  double variance = 0.0;          // v, of unit weight (residual units squared)
};

// Adds one observation with design row `row` (first equations.unknowns
// elements), residual and weight to the upper triangle and the sums.
void AccumulateNormalEquations(const UnknownVector& row, double residual, double weight,
                               NormalEquations& equations);

// Solves the equations (the lower triangle mirrored from the upper).
// kSightReductionNoSolution when the matrix is singular (solution zero).
[[nodiscard]] EngineStatus SolveNormalEquations(const NormalEquations& equations,
                                                NormalSolution& solution);

// Inverts the leading order x order block of `matrix` in place by
// Gauss-Jordan elimination with full pivoting (the largest remaining
// element; among equal ones the last met, rows then columns) and returns the
// determinant. A pivot of exactly 0 stops the inversion and returns 0; the
// matrix is then partly reduced.
double InvertMatrix(NormalMatrix& matrix, int order);

}  // namespace navora
