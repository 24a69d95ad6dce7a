#include "app/tasks/SightPlotTasks.h"

#include <algorithm>
#include <span>

#include "app/bridge/LogEntryBridge.h"
#include "app/bridge/SightReductionBridge.h"
#include "engine/log/TextLogPending.h"
#include "engine/sightreduction/FixReport.h"

namespace navora {
namespace {

// A count of the state as a span's length within its array.
size_t InArray(int32_t count, size_t size) {
  return static_cast<size_t>(std::clamp<int64_t>(count, 0, static_cast<int64_t>(size)));
}

const LegRecord& FixLeg(const SightPlotState& state) {
  return state.legs[std::max<size_t>(InArray(state.nLegs, state.legs.size()), 1) - 1];
}

}  // namespace

int ReduceAndPrune(Notice& notice, PlaceContext& context, uint8_t flags, SightPlotState& state,
                   FixSolution& out) {
  const size_t nLegs = InArray(state.nLegs, state.legs.size());
  const size_t nSights = InArray(state.nSights, state.sights.size());
  const double ut1MinusUtcAtFix = nSights > 0 ? state.sights[nSights - 1].ut1MinusUtc : 0.0;
  const int status = TaskSightReduction(notice, context, flags, state.timeOfFix, ut1MinusUtcAtFix,
                                        std::span(state.legs.data(), nLegs),
                                        std::span(state.sights.data(), nSights),
                                        std::span(state.reduced.data(), nSights), out);
  if (status == 0) PruneFarSights(state);
  return status;
}

int CalculateFix(Notice& notice, PlaceContext& context, SightPlotDocument& document) {
  if (document.kind != SightPlotKind::kLive) return kArchivedPlot;
  FixSolution solved;
  if (const int status =
          ReduceAndPrune(notice, context, kSolveCourseSpeed, document.state, solved)) {
    return status;
  }
  document.state.solution = solved;
  document.state.fixCalculated = 1;
  RecomputeSightFlags(document.state);
  document.edited = false;
  document.modified = true;
  return 0;
}

PositionRecord FixLogRecord(const SightPlotState& state) {
  const PositionRecord& start = FixLeg(state).start;
  const FixSolution& fix = state.solution;
  // Knots from the km-per-day fields, which the dead reckoning kept exact.
  return MakePositionRecord(kMotionRhumbLine, kPositionCelestialFix, fix.time, fix.latitude,
                            fix.longitude, start.course, start.speedKmPerDay / kKmPerDayPerKnot,
                            start.set, start.driftKmPerDay / kKmPerDayPerKnot);
}

int BuildFixReport(Notice& notice, EventLog& events, const SightPlotState& state,
                   FixReportPreview& preview) {
  PositionRecord lastFix;
  if (const int status = TaskReadReferencePosition(notice, events, kLastFix, lastFix)) {
    return status;
  }
  preview.fix = FixLogRecord(state);
  ReportLine longLines[kFixReportLongLines];
  ReportLine shortLines[kFixReportShortLines];
  const LegRecord& fixLeg = FixLeg(state);
  int longCount = 0;
  int shortCount = 0;
  if (const int status = TaskSightReductionTable(
          notice, std::span(state.reduced.data(), InArray(state.nSights, state.reduced.size())),
          lastFix, fixLeg.start, fixLeg.end, state.solution, preview.fix, longLines, longCount,
          shortLines, shortCount)) {
    return status;
  }
  preview.longForm.assign(longLines, longLines + longCount);
  preview.shortForm.assign(shortLines, shortLines + shortCount);
  return 0;
}

int SaveFixToLog(Notice& notice, EventLog& events, TextLog& text, ReportSink& worksheet,
                 const FixReportPreview& preview, std::vector<std::string>& written) {
  written.clear();
  if (const int status = TaskAppendPositionEntry(notice, events, preview.fix)) return status;
  const int count = static_cast<int>(preview.shortForm.size());
  if (const int status = TaskWriteTextLogLines(notice, text, preview.shortForm.data(), count)) {
    return status;
  }
  AppendPendingLogText(text, preview.shortForm.data(), count);
  written = preview.shortForm;
  for (const std::string& line : preview.longForm) worksheet.AppendLine(line);
  return 0;
}

}  // namespace navora
