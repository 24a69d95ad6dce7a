#pragma once

#include <span>

#include "engine/common/EngineStatus.h"
#include "engine/sightreduction/FixTypes.h"
#include "engine/sightreduction/ReducedObservation.h"

namespace navora {

// The steps of the iterated running fix over legs[0..fixLeg], fixLeg being
// the last leg. Each leg's `reduction` record is the ship's track over the
// ground on that leg: its end position, course and speed made good, no
// current. Earlier legs hang off the fix leg: their end positions are the
// fix run back along the later legs' tracks.
//
// Model: linearised altitude equations Ho - Hc = dHc/dx . x in the unknowns
// x = (latitude, longitude of the fix [deg]; course [deg], speed [knots] of
// every leg whose course and speed are solved, from the fix leg backwards),
// weighted by the sights' standard errors. The partials of the assumed
// positions come from the dead-reckoning transport (DrPartials), chained
// through the later legs. Units: degrees, knots, days. Domain: the reduced
// records of ReduceSightsAtPositions on the same legs. Accuracy: one step is
// exact to first order in the correction; ReduceSights iterates.

// Standard errors below this (degrees) count as this inverse variance.
inline constexpr double kSigmaFloorDeg = 1e-6;
inline constexpr double kFlooredInverseVariance = 10000.0;

// The change of the fix position that a step applied, degrees.
struct FixCorrection {
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
};

// Counts the sights and included sights of every leg, decides which legs
// get course and speed unknowns (with solveCourseSpeed: 8 included sights
// on the fix leg, 4 on the others, spread over 0.2 day and, with more than
// one leg, half the leg's duration), and gives the number of unknowns and
// sigma0 = sqrt(included / sum 1/sigma^2) in degrees. Returns the number of
// included sights, -1 when there are none.
int AnalyseSightDistribution(std::span<const ReducedObservation> reduced, bool solveCourseSpeed,
                             std::span<LegRecord> legs, int& unknowns, double& sigma0);

// Fills `end` (start advanced to the leg's end: the next leg's start time,
// the time of fix for the fix leg) and `reduction` of every leg.
[[nodiscard]] EngineStatus AdvanceLegsToEnd(double timeOfFix, std::span<LegRecord> legs);

// One weighted least-squares correction of the fix (and of the solved
// courses and speeds) from the included sights; out gets the corrected fix
// leg track and the standard errors. kSightReductionNoSolution when the
// normal matrix is singular; DR statuses when a leg cannot be run back.
[[nodiscard]] EngineStatus LeastSquaresStep(std::span<const ReducedObservation> reduced,
                                            int unknowns, double sigma0, std::span<LegRecord> legs,
                                            FixSolution& out, FixCorrection& correction);

// The fix from exactly one included sight: the fix leg's position moved by
// the intercept Ho - Hc along the great circle of the sight's azimuth (away
// from the body when negative). Standard errors 0. kSightReductionNoSolution
// when not exactly one sight is included.
[[nodiscard]] EngineStatus SingleSightStep(std::span<const ReducedObservation> reduced,
                                           std::span<LegRecord> legs, FixSolution& out,
                                           FixCorrection& correction);

// Applies x (layout of LeastSquaresStep, x.size() unknowns) to the fix leg's
// reduction (longitude kept in -180..180) and to the solved legs' course and
// speed, marks the changed legs, then runs the earlier legs' end positions
// back from the corrected fix. kSightReductionNoSolution when the corrected
// latitude passes a pole.
[[nodiscard]] EngineStatus ApplyFixCorrection(std::span<const double> x, std::span<LegRecord> legs);

}  // namespace navora
