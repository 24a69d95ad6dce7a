#pragma once

#include <span>

#include "app/bridge/Notice.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/ObservationRecord.h"
#include "engine/places/PlaceContext.h"
#include "engine/position/ReportLine.h"
#include "engine/sightreduction/FixTypes.h"
#include "engine/sightreduction/ReducedObservation.h"

namespace navora {

// The task bridge entries of the sight reduction: the reduction and fix
// (ReduceSights) and the celestial fix report (FormatFixReport). Each
// returns 0, or the engine's status after telling the user; the outputs are
// then not to be used.

// ReduceSights over the working arrays (reduced has the size of sights; the
// fix leg is the last leg). 3, 4 and 8 are told with the stop icon, out of
// memory with the warning icon, the rest as an error number.
int TaskSightReduction(Notice& notice, PlaceContext& context, uint8_t flags, double timeOfFix,
                       double ut1MinusUtcAtFix, std::span<LegRecord> legs,
                       std::span<ObservationRecord> sights, std::span<ReducedObservation> reduced,
                       FixSolution& out);

// The message of a non-zero ReduceSights status; returns the status.
int TellSightReductionStatus(Notice& notice, EngineStatus status);

// FormatFixReport, arguments as there. Statuses 1 and 11 are told as out of
// memory, any other failure as an error of the report.
int TaskSightReductionTable(Notice& notice, std::span<const ReducedObservation> reduced,
                            const PositionRecord& lastFix, const PositionRecord& reference,
                            const PositionRecord& drAtFix, const FixSolution& fix,
                            const PositionRecord& newFix, ReportLine* longLines, int& longCount,
                            ReportLine* shortLines, int& shortCount);

// The message of a non-zero FormatFixReport status; returns the status.
int TellFixReportStatus(Notice& notice, EngineStatus status);

}  // namespace navora
