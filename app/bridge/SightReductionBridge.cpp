#include "app/bridge/SightReductionBridge.h"

#include <cstdio>

#include "engine/sightreduction/FixComputation.h"
#include "engine/sightreduction/FixReport.h"

namespace navora {
namespace {

constexpr char kNoMemory[] = "Insufficient memory available\n for this operation.";
constexpr char kNoSolution[] = "A solution is not possible\nwith this these observations.";
constexpr char kNoneIncluded[] = "A solution is not possible\nwhen no observations. are\nincluded.";
constexpr char kReportFailed[] = "An error returned from the\nSight Reduction table routine.";

// FormatFixReport's statuses for a line buffer and a scratch buffer not allocated.
constexpr EngineStatus kReportNoMemory = 1;
constexpr EngineStatus kReportScratchNoMemory = 11;

}  // namespace

int TellSightReductionStatus(Notice& notice, EngineStatus status) {
  switch (status) {
    case kStatusOk:
      return 0;
    case kStatusOutOfMemory:
      notice.Show(kNoMemory, kNoticeOk);
      break;
    case kSightReductionNoConvergence:
    case kSightReductionNoSolution:
      notice.Show(kNoSolution, kNoticeOkStop);
      break;
    case kSightReductionNoneIncluded:
      notice.Show(kNoneIncluded, kNoticeOkStop);
      break;
    default: {
      char text[64];
      std::snprintf(text, sizeof text, "Error number %1d occurred in\n Sight Reduction.", status);
      notice.Show(text, kNoticeOk);
    }
  }
  return status;
}

int TaskSightReduction(Notice& notice, PlaceContext& context, uint8_t flags, double timeOfFix,
                       double ut1MinusUtcAtFix, std::span<LegRecord> legs,
                       std::span<ObservationRecord> sights, std::span<ReducedObservation> reduced,
                       FixSolution& out) {
  const int fixLeg = static_cast<int>(legs.size()) - 1;
  return TellSightReductionStatus(notice, ReduceSights(context, flags, timeOfFix, ut1MinusUtcAtFix,
                                                       legs, sights, fixLeg, reduced, out));
}

int TellFixReportStatus(Notice& notice, EngineStatus status) {
  if (status == kStatusOk) return 0;
  const bool noMemory = status == kReportNoMemory || status == kReportScratchNoMemory;
  notice.Show(noMemory ? kNoMemory : kReportFailed, kNoticeOk);
  return status;
}

int TaskSightReductionTable(Notice& notice, std::span<const ReducedObservation> reduced,
                            const PositionRecord& lastFix, const PositionRecord& reference,
                            const PositionRecord& drAtFix, const FixSolution& fix,
                            const PositionRecord& newFix, ReportLine* longLines, int& longCount,
                            ReportLine* shortLines, int& shortCount) {
  return TellFixReportStatus(
      notice, FormatFixReport(reduced, lastFix, reference, drAtFix, fix, newFix, longLines,
                              longCount, shortLines, shortCount));
}

}  // namespace navora
