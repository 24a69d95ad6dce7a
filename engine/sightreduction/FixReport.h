#pragma once

#include <span>

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/position/ReportLine.h"
#include "engine/sightreduction/FixTypes.h"
#include "engine/sightreduction/ReducedObservation.h"

namespace navora {

// The celestial fix report: the long form (previewed, then appended to the
// worksheet) and the short form (written to the text log).
//
// Model: both forms open with the reduced sights, under a date heading at
// each change of UTC date; the long form adds the limb notes, the fix
// compared with the DR (FormatFixComparisonBlock), the solved course and
// speed, and the current and the course and speed made good since the last
// fix (ComputeCurrentAndMadeGood, FormatCurrentBlock); the short form adds
// the one-row solution table. Lines as FixReportLines.h.
// Domain: at most kMaxSights sights; every record and value in the domain of
// its line formatter. The report works in fixed line arrays and allocates
// nothing, so it has no out-of-memory status.

inline constexpr int kFixReportLongLines = 157;
inline constexpr int kFixReportShortLines = 137;

// Statuses of FormatFixReport: kStatusOutOfDomain (both counts 0) outside
// the domain; a status s of ComputeCurrentAndMadeGood other than its
// successes comes back, after the report is complete, as itself when it is
// kStatusOutOfDomain and as kFixReportCurrentFailed + s otherwise.
inline constexpr EngineStatus kFixReportCurrentFailed = 20;

// lastFix: the last fix of the log; reference: the entry that starts the fix
// leg; drAtFix: the fix leg's end record; fix and newFix: the solution and
// its log record. longLines holds kFixReportLongLines, shortLines
// kFixReportShortLines.
[[nodiscard]] EngineStatus FormatFixReport(std::span<const ReducedObservation> reduced,
                                           const PositionRecord& lastFix,
                                           const PositionRecord& reference,
                                           const PositionRecord& drAtFix, const FixSolution& fix,
                                           const PositionRecord& newFix, ReportLine* longLines,
                                           int& longCount, ReportLine* shortLines, int& shortCount);

}  // namespace navora
