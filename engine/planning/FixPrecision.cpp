#include "engine/planning/FixPrecision.h"

#include <cmath>

#include "engine/common/Angles.h"
#include "engine/sightreduction/NormalEquations.h"

namespace navora {
namespace {

constexpr int kPositionUnknowns = 2;  // latitude, longitude
constexpr double kMaxLatitudeDeg = 90.0;

}  // namespace

EngineStatus ExpectedFixPrecision(std::span<const double> azimuthsDeg, double latitudeDeg,
                                  double sightSigmaDeg, double& sigmaLatitudeDeg,
                                  double& sigmaLongitudeDeg) {
  sigmaLatitudeDeg = 0.0;
  sigmaLongitudeDeg = 0.0;
  if (azimuthsDeg.size() < kPositionUnknowns || !std::isfinite(latitudeDeg) ||
      std::fabs(latitudeDeg) >= kMaxLatitudeDeg || !std::isfinite(sightSigmaDeg) ||
      sightSigmaDeg <= 0.0) {
    return kPrecisionUndetermined;
  }
  // The fix's rows dHc/d(latitude, longitude) in degrees per degree, and its
  // weights; with no residuals only the matrix is of use.
  const double cosLatitude = std::cos(DegreesToRadians(latitudeDeg));
  const double weight = 1.0 / (sightSigmaDeg * sightSigmaDeg);
  NormalEquations equations;
  equations.unknowns = kPositionUnknowns;
  for (const double azimuth : azimuthsDeg) {
    if (!std::isfinite(azimuth)) return kPrecisionUndetermined;
    UnknownVector row{};
    row[0] = std::cos(DegreesToRadians(azimuth));
    row[1] = std::sin(DegreesToRadians(azimuth)) * cosLatitude;
    AccumulateNormalEquations(row, 0.0, weight, equations);
  }
  NormalMatrix covariance = equations.matrix;
  covariance[1][0] = covariance[0][1];
  // Azimuths on one line leave a determinant of rounding size against the
  // matrix's own scale.
  const double trace = covariance[0][0] + covariance[1][1];
  const double determinant = InvertMatrix(covariance, kPositionUnknowns);
  constexpr double kSingularRatio = 1e-9;
  if (!(std::fabs(determinant) > kSingularRatio * trace * trace)) return kPrecisionUndetermined;
  sigmaLatitudeDeg = std::sqrt(covariance[0][0]);
  sigmaLongitudeDeg = std::sqrt(covariance[1][1]);
  return kStatusOk;
}

}  // namespace navora
