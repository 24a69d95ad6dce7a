#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/position/ReportLine.h"

namespace navora {

// External fix: a position obtained by other means compared with the dead
// reckoning, the current it implies and the course and speed made good
// since the last fix, and its report.
//
// Model: the DR at the time of the fix is the reference advanced by
// DeadReckoning.h with the reference's course and speed. Set and drift are
// the course and distance (CourseAndDistance.h, by the DR's motion mode) from
// the DR to the fix, divided by the time since the last fix; course and
// speed made good those from the last fix to the new one (by the last fix's
// motion mode). Below kCurrentMinimumDays the current is not worked out (a
// short run turns a small position error into a large drift), below
// kMadeGoodMinimumDays neither is the course and speed made good.
// Units: Julian dates UTC (days), degrees, knots (km per day / 44.448).
// Domain: records in IsPositionRecordInDomain. Accuracy against an
// independent geodesy library on the same ellipsoid, between 70 S and 70 N
// and across 180 degrees, over 1 to 12 hours, drifts 0.5 to 2.5 kn: rhumb
// line within 0.0002 degree and 0.0001 kn for set, drift, course and speed
// made good; great circle within 0.2 degree (the sphere's course) and
// 0.0001 kn.
inline constexpr double kCurrentMinimumDays = 0.04166;   // about 1 hour
inline constexpr double kMadeGoodMinimumDays = 0.00069;  // about 1 minute

// Statuses of ComputeCurrentAndMadeGood. The last two are successes with
// some outputs set to 0.
inline constexpr EngineStatus kCurrentTimesDiffer = 1;  // fix and DR at different times
inline constexpr EngineStatus kCurrentFixBeforeLastFix = 2;
inline constexpr EngineStatus kCurrentRunTooShort = 3;   // set and drift 0
inline constexpr EngineStatus kMadeGoodRunTooShort = 4;  // all four 0

// Status of ComputeExternalFix besides 0, kStatusOutOfDomain and
// kExternalFixCurrentFailed plus the status of ComputeCurrentAndMadeGood.
inline constexpr EngineStatus kExternalFixBeforeReference = 1;
inline constexpr EngineStatus kExternalFixCurrentFailed = 10;

inline constexpr int kMaxExternalFixReportLines = 20;

// What an external fix implies.
struct ExternalFixResult {
  PositionRecord drAtFix;  // the reference at the fix's time, its course and speed
  double setDeg = 0.0;
  double driftKnots = 0.0;
  double courseMadeGoodDeg = 0.0;
  double speedMadeGoodKnots = 0.0;
};

// F the new fix, D the DR at F's time, L the last fix. Outputs zero on a
// failure (statuses 1, 2, kStatusOutOfDomain).
[[nodiscard]] EngineStatus ComputeCurrentAndMadeGood(const PositionRecord& newFix,
                                                     const PositionRecord& drAtFix,
                                                     const PositionRecord& lastFix, double& setDeg,
                                                     double& driftKnots, double& courseMadeGoodDeg,
                                                     double& speedMadeGoodKnots);

// 0 (including the short-run cases of ComputeCurrentAndMadeGood),
// kExternalFixBeforeReference, kExternalFixCurrentFailed plus 1 or 2, or
// kStatusOutOfDomain (a record outside the domain, or a DR the dead
// reckoning refuses). `result` is meaningful on 0 only.
[[nodiscard]] EngineStatus ComputeExternalFix(const PositionRecord& newFix,
                                              const PositionRecord& reference,
                                              const PositionRecord& lastFix,
                                              ExternalFixResult& result);

// Heading, the fix comparison block and the current block: up to
// kMaxExternalFixReportLines lines and their count. kStatusOutOfDomain
// (count 0) for a record or value outside the domain of the blocks.
[[nodiscard]] EngineStatus FormatExternalFixReport(const PositionRecord& newFix,
                                                   const PositionRecord& lastFix,
                                                   const PositionRecord& reference,
                                                   const ExternalFixResult& result,
                                                   ReportLine* lines, int& lineCount);

}  // namespace navora
