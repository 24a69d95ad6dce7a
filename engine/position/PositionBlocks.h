#pragma once

#include <cstdint>

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/position/ReportLine.h"

namespace navora {

// The report blocks that compare a new fix with the dead reckoning and print
// the current and the course and speed made good that follow from them; the
// external-fix and celestial-fix reports share them.
//
// Model: positions, dates and courses split for printing by
// SplitPositionForReport (PositionReport.h). Values too large for their
// columns are printed at a ceiling with the mark "+": a new fix's speed and a
// speed made good above kSpeedCeilingKnots, a drift above kDriftCeilingKnots;
// the two ceilings also raise a warning line.
// Units: degrees, knots; standard errors in degrees, printed in arc-minutes.
// Domain: records in IsPositionRecordInDomain; every number finite.
// Accuracy: exact to the printed digits.
//
// Statuses: kStatusOutOfDomain for an argument outside the domain or no line
// buffer; the lines are then empty (and the count 0).

inline constexpr int kFixComparisonBlockLines = 12;
inline constexpr int kMaxCurrentBlockLines = 6;

// The largest drift and speed made good that print as themselves.
inline constexpr double kDriftCeilingKnots = 10.0;
inline constexpr double kSpeedCeilingKnots = 50.0;
// Printed after a value held at its ceiling.
inline constexpr char kCeilingMark = '+';

// Standard errors up to this (degrees; 0.05 arc-minute) print as 0.0 and are left out.
inline constexpr double kPrintedErrorDeg = 0.00085;

// Last fix, reference position, DR at the time of the new fix and the new
// fix side by side; the new fix's standard errors (degrees) are printed
// beside it when either exceeds 0.00085 degree (0.05 arc-minute). Writes
// kFixComparisonBlockLines lines.
[[nodiscard]] EngineStatus FormatFixComparisonBlock(const PositionRecord& lastFix,
                                                    const PositionRecord& reference,
                                                    const PositionRecord& drAtFix,
                                                    const PositionRecord& newFix,
                                                    double latitudeErrorDeg,
                                                    double longitudeErrorDeg, ReportLine* lines);

// Set and drift (printed from 0.05 kn of drift), course and speed made good
// (printed from 0.05 kn), and the warnings for values above the ceilings.
// Writes 0 to kMaxCurrentBlockLines lines and their count.
[[nodiscard]] EngineStatus FormatCurrentBlock(double setDeg, double driftKnots,
                                              double courseMadeGoodDeg, double speedMadeGoodKnots,
                                              ReportLine* lines, int& lineCount);

}  // namespace navora
