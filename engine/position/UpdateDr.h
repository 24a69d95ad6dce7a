#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/position/ReportLine.h"

namespace navora {

// Update DR: the reference position advanced to a new time, starting a leg
// with a new course and speed, and its report.
//
// Model: the dead reckoning of DeadReckoning.h (rhumb line with current or
// great circle, by the reference's motion mode); the updated record is a DR
// position carrying the new course and speed and the reference's set and
// drift. Units: Julian dates UTC (days), degrees, knots (km per day derived
// as kKmPerDayPerKnot times knots). Domain: IsPositionRecordInDomain for the
// reference; a finite new time not before it; a finite course and a finite
// speed of at least 0. Accuracy: that of the dead reckoning (0.0071 NM over
// 10 days at 20 knots along the rhumb line).
//
// Statuses: 0; kUpdateDrTimeBeforeReference; kStatusOutOfDomain for an
// argument outside the domain, or an advance that the dead reckoning refuses
// (carried past a pole). On a refusal `updated` is left alone.

inline constexpr EngineStatus kUpdateDrTimeBeforeReference = 1;
inline constexpr int kUpdateDrReportLines = 14;

[[nodiscard]] EngineStatus ComputeUpdateDr(double newTimeJd, double newCourseDeg,
                                           double newSpeedKnots, const PositionRecord& reference,
                                           PositionRecord& updated);

// The reference and the update side by side: type, date, time, latitude,
// longitude, course and speed. Writes kUpdateDrReportLines lines;
// kStatusOutOfDomain (lines empty) for a record outside the domain.
[[nodiscard]] EngineStatus FormatUpdateDrReport(const PositionRecord& reference,
                                                const PositionRecord& updated, ReportLine* lines);

}  // namespace navora
