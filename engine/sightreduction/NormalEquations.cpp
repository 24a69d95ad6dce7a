#include "engine/sightreduction/NormalEquations.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/sightreduction/FixTypes.h"

namespace navora {

namespace {

// Sums of weights no larger than the number of unknowns plus this leave no
// redundancy to estimate the variance from.
constexpr double kMinimumRedundancy = 0.5;

}  // namespace

void AccumulateNormalEquations(const UnknownVector& row, double residual, double weight,
                               NormalEquations& equations) {
  const int n = equations.unknowns;
  for (int j = 0; j < n; ++j) {
    for (int k = j; k < n; ++k) equations.matrix[j][k] += row[j] * row[k] * weight;
    equations.rightSide[j] += residual * row[j] * weight;
  }
  equations.weightSum += weight;
  equations.weightedSquares += weight * residual * residual;
}

EngineStatus SolveNormalEquations(const NormalEquations& equations, NormalSolution& solution) {
  solution = NormalSolution{};
  const int n = equations.unknowns;
  NormalMatrix inverse = equations.matrix;
  for (int j = 0; j < n; ++j) {
    for (int k = 0; k < j; ++k) inverse[j][k] = inverse[k][j];
  }
  if (InvertMatrix(inverse, n) == 0.0) return kSightReductionNoSolution;

  double explained = 0.0;
  for (int j = 0; j < n; ++j) {
    for (int k = 0; k < n; ++k) solution.x[j] += inverse[j][k] * equations.rightSide[k];
    explained += equations.rightSide[j] * solution.x[j];
  }
  const double redundancy = equations.weightSum - n;
  if (redundancy > kMinimumRedundancy) {
    // Rounding can take the difference of two nearly equal sums below zero.
    solution.variance = std::max(0.0, (equations.weightedSquares - explained) / redundancy);
  }
  for (int j = 0; j < n; ++j) {
    solution.standardError[j] = std::sqrt(std::max(0.0, solution.variance * inverse[j][j]));
  }
  if (n > 1) solution.covariance01 = solution.variance * inverse[1][0];
  return kStatusOk;
}

double InvertMatrix(NormalMatrix& matrix, int order) {
  std::array<int, kMaxUnknowns> pivotRow{};
  std::array<int, kMaxUnknowns> pivotColumn{};
  std::array<bool, kMaxUnknowns> used{};
  double determinant = 1.0;

  for (int step = 0; step < order; ++step) {
    double largest = 0.0;
    int row = 0;
    int column = 0;
    for (int j = 0; j < order; ++j) {
      if (used[j]) continue;
      for (int k = 0; k < order; ++k) {
        if (used[k]) continue;
        if (std::fabs(matrix[j][k]) >= largest) {
          largest = std::fabs(matrix[j][k]);
          row = j;
          column = k;
        }
      }
    }
    used[column] = true;
    // Bring the pivot to the diagonal; each exchange changes the sign.
    if (row != column) {
      std::swap(matrix[row], matrix[column]);
      determinant = -determinant;
    }
    pivotRow[step] = row;
    pivotColumn[step] = column;
    const double pivot = matrix[column][column];
    if (pivot == 0.0) return 0.0;
    determinant *= pivot;

    matrix[column][column] = 1.0;
    for (int k = 0; k < order; ++k) matrix[column][k] /= pivot;
    for (int j = 0; j < order; ++j) {
      if (j == column) continue;
      const double factor = matrix[j][column];
      matrix[j][column] = 0.0;
      for (int k = 0; k < order; ++k) matrix[j][k] -= matrix[column][k] * factor;
    }
  }
  // Undo the row exchanges as column exchanges of the inverse, last first.
  for (int step = order - 1; step >= 0; --step) {
    if (pivotRow[step] == pivotColumn[step]) continue;
    for (int j = 0; j < order; ++j)
      std::swap(matrix[j][pivotRow[step]], matrix[j][pivotColumn[step]]);
  }
  return determinant;
}

}  // namespace navora
