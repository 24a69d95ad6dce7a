#pragma once

#include <string>
#include <vector>

#include "app/bridge/Notice.h"
#include "app/tasks/ReportSink.h"
#include "app/tasks/SightPlotDocument.h"
#include "engine/log/EventLog.h"
#include "engine/log/TextLog.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// The computing commands of the live sight reduction plot, shared by the
// desktop program and the command line: the reduction and the fix on the
// plot's arrays, and Save and Exit, split like the position commands into
// the report shown for confirmation and "Save to Log".

// ReduceSights (TaskSightReduction) with `flags` on the plot's arrays, the
// UT1 - UTC of the last sight standing for the time of fix; on success the
// sights too far from their lines of position are left out. 0, or the
// bridge's value after it told why (the arrays then hold the engine's last
// completed pass, `out` is not to be used).
int ReduceAndPrune(Notice& notice, PlaceContext& context, uint8_t flags, SightPlotState& state,
                   FixSolution& out);

// Calculate Fix: ReduceAndPrune with kSolveCourseSpeed. On success the plot
// takes the solution, is solved (fixCalculated 1, no longer edited) and its
// flags are recomputed; on failure its solution and flags stay as they were.
// Archived plots do not solve (returns kArchivedPlot).
inline constexpr int kArchivedPlot = 50;
int CalculateFix(Notice& notice, PlaceContext& context, SightPlotDocument& document);

// The fix's log entry: the solution's time and position, moving by rhumb
// line with the course, speed, set and drift of the entry that starts the
// fix leg.
PositionRecord FixLogRecord(const SightPlotState& state);

// The celestial fix report, shown before anything is logged.
struct FixReportPreview {
  PositionRecord fix;                  // the entry for the event log
  std::vector<std::string> longForm;   // preview and worksheet
  std::vector<std::string> shortForm;  // text log
};

// Save and Exit, first step: the last fix is read from the log and the
// report formatted (TaskSightReductionTable). 0, or non-zero after the
// bridge told why.
int BuildFixReport(Notice& notice, EventLog& events, const SightPlotState& state,
                   FixReportPreview& preview);

// "Save to Log": the fix into the event log (a failure ends it, nothing
// else written), the short form into the text log, then the long form onto
// the worksheet. `written` receives the text-log lines. 0, or non-zero
// after the bridge told why.
int SaveFixToLog(Notice& notice, EventLog& events, TextLog& text, ReportSink& worksheet,
                 const FixReportPreview& preview, std::vector<std::string>& written);

}  // namespace navora
