#pragma once

#include <span>

#include "engine/common/EngineStatus.h"

namespace navora {

// How good a fix a round of sights would give, known before the sights are
// taken: the standard errors of latitude and longitude of the least-squares
// fix from sights of the given azimuths, each with the given standard error.
//
// Model: the lines of position of one instant and one place (no run between
// sights, no course and speed unknowns), weighted as the celestial fix weighs
// them (1 / sigma squared), covariance (A^T W A)^-1 with the rows
// (cos Zn, sin Zn cos latitude) of the fix's unknowns; the a priori errors,
// which the fix's own scatter estimates after the sights. Units: degrees
// (latitude, azimuths, sigma; the errors in degrees of latitude and of
// longitude, as the fix prints them). Accuracy: measured in the planning
// tests against the spread of least-squares fixes from noisy synthetic sights.

// Status of ExpectedFixPrecision: fewer than two sights, azimuths that leave
// the position undetermined (all on one line), a latitude at a pole or
// outside -90..90, or a sigma that is not positive and finite. The errors are
// then 0.
inline constexpr EngineStatus kPrecisionUndetermined = 1;

[[nodiscard]] EngineStatus ExpectedFixPrecision(std::span<const double> azimuthsDeg,
                                                double latitudeDeg, double sightSigmaDeg,
                                                double& sigmaLatitudeDeg,
                                                double& sigmaLongitudeDeg);

}  // namespace navora
