#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "engine/sightreduction/FixTypes.h"
#include "engine/sightreduction/NormalEquations.h"

namespace navora {
namespace {

NormalMatrix MakeMatrix(const std::vector<std::vector<double>>& rows) {
  NormalMatrix m{};
  for (size_t j = 0; j < rows.size(); ++j) {
    for (size_t k = 0; k < rows[j].size(); ++k) m[j][k] = rows[j][k];
  }
  return m;
}

TEST(InvertMatrix, GivesTheInverseAndDeterminantOrZeroWhenSingular) {
  struct Case {
    const char* name;
    std::vector<std::vector<double>> matrix;
    std::vector<std::vector<double>> inverse;  // empty when singular
    double determinant;
  };
  const Case cases[] = {
      {"2x2", {{4, 7}, {2, 6}}, {{0.6, -0.7}, {-0.2, 0.4}}, 10.0},
      {"zero diagonal needs exchanges",
       {{0, 2, 0}, {3, 0, 0}, {0, 0, 5}},
       {{0, 1.0 / 3, 0}, {0.5, 0, 0}, {0, 0, 0.2}},
       -30.0},
      {"singular", {{1, 2}, {2, 4}}, {}, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int order = static_cast<int>(c.matrix.size());
    NormalMatrix m = MakeMatrix(c.matrix);
    EXPECT_NEAR(InvertMatrix(m, order), c.determinant, 1e-12);
    for (size_t j = 0; j < c.inverse.size(); ++j) {
      for (int k = 0; k < order; ++k) EXPECT_NEAR(m[j][k], c.inverse[j][k], 1e-14);
    }
  }
}

// Solutions with closed forms: two independent weighted means, a straight
// line by ordinary least squares, and an exactly determined line.
TEST(SolveNormalEquations, MatchesClosedFormEstimatesAndRefusesSingular) {
  struct Case {
    const char* name;
    std::vector<std::array<double, 4>> observations;  // a0, a1, residual, weight
    EngineStatus status;
    std::array<double, 6> expected;  // x0, x1, variance, error0, error1, covariance
  };
  const double meanError = std::sqrt(3.125 / 4);
  const Case cases[] = {
      {"two weighted means",
       {{1, 0, 1, 1}, {1, 0, 2, 1}, {1, 0, 4, 2}, {0, 1, -1, 1}, {0, 1, 3, 3}},
       kStatusOk,
       {2.75, 2.0, 3.125, meanError, meanError, 0.0}},
      {"line fit",
       {{1, 0, 1, 1}, {1, 1, 3, 1}, {1, 2, 4, 1}, {1, 3, 8, 1}},
       kStatusOk,
       {0.7, 2.2, 0.9, std::sqrt(0.63), std::sqrt(0.18), -0.27}},
      {"no redundancy", {{1, 0, 1, 1}, {1, 1, 3, 1}}, kStatusOk, {1.0, 2.0}},
      {"singular", {{1, 1, 1, 1}, {2, 2, 3, 1}}, kSightReductionNoSolution, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NormalEquations equations;
    equations.unknowns = 2;
    for (const auto& [a0, a1, residual, weight] : c.observations) {
      AccumulateNormalEquations({a0, a1}, residual, weight, equations);
    }
    NormalSolution solution;
    ASSERT_EQ(SolveNormalEquations(equations, solution), c.status);
    const double actual[] = {solution.x[0],
                             solution.x[1],
                             solution.variance,
                             solution.standardError[0],
                             solution.standardError[1],
                             solution.covariance01};
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(actual[k], c.expected[k], 1e-12) << k;
  }
}

}  // namespace
}  // namespace navora
