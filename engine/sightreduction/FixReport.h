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

inline constexpr int kFixReportLongLines = 157;
inline constexpr int kFixReportShortLines = 137;

// Statuses of FormatFixReport besides the memory statuses: a status s of
// ComputeCurrentAndMadeGood other than its successes comes back as
// kFixReportCurrentFailed + s after the report is complete.
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
                                           int& longCount, ReportLine* shortLines,
                                           int& shortCount);

}  // namespace navora
