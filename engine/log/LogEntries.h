#pragma once

#include <cstdint>

#include "engine/common/EngineStatus.h"
#include "engine/common/ObservationRecord.h"
#include "engine/common/PositionRecord.h"
#include "engine/position/PositionReport.h"

namespace navora {

// The text-log entries of position and sight changes: fixed-width lines of at
// most 78 characters, built with printf-style formats. Positions print
// latitude and longitude in degrees and minutes to 0.1', course in degrees to
// 0.1, speed in knots to 0.1 and times in UTC to the whole second; sights
// print as rows of the Sight Recorder table (SightRecorderTable.h).

// Line counts of the text-log entries; callers provide at least these many.
inline constexpr int kNewPositionEntryLines = 5;
inline constexpr int kPositionDeletionLines = 5;
inline constexpr int kPositionCorrectionLines = 10;
inline constexpr int kSightDeletionLines = 6;
inline constexpr int kSightCorrectionLines = 12;

// Centre column of the deletion and correction headings.
inline constexpr int kLogHeadingCentreColumn = 39;

// A new fix, DR update or user position; initial (not 0) marks the voyage's
// initial fix. 1 when the position type is above 3; kStatusOutOfDomain (the
// lines then unfinished) for a position outside IsPositionRecordInDomain, in
// these three position entries alike.
[[nodiscard]] EngineStatus FormatNewPositionEntry(const PositionRecord& position,
                                                  int16_t initial, ReportLine* lines);

// 1 when the position type is above 3.
[[nodiscard]] EngineStatus FormatPositionDeletion(const PositionRecord& position,
                                                  ReportLine* lines);

// Headed by the old record's type; 1 when that type is above 3.
[[nodiscard]] EngineStatus FormatPositionCorrection(const PositionRecord& before,
                                                    const PositionRecord& after,
                                                    ReportLine* lines);

// The status of the sight row (1 unknown body, 2 unknown quality grade,
// 3 a sextant altitude that is not a finite angle).
[[nodiscard]] EngineStatus FormatSightDeletion(const ObservationRecord& sight,
                                               ReportLine* lines);
[[nodiscard]] EngineStatus FormatSightCorrection(const ObservationRecord& before,
                                                 const ObservationRecord& after,
                                                 ReportLine* lines);

// The heading text centred on kLogHeadingCentreColumn.
void FormatCentredHeading(const char* text, ReportLine& line);

}  // namespace navora
