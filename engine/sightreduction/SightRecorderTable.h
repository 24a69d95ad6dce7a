#pragma once

#include <cstdint>

#include "engine/common/EngineStatus.h"
#include "engine/common/ObservationRecord.h"
#include "engine/position/PositionReport.h"

namespace navora {

// Most lines one sight adds to the table: the title, the four date heading
// lines and its row.
inline constexpr int kSightRecorderMaxLines = 6;
// The heading lines before a date's rows: date, column header, unit marks.
inline constexpr int kSightHeadingLines = 3;

inline constexpr EngineStatus kSightUnknownBody = 1;
inline constexpr EngineStatus kSightUnknownGrade = 2;

// Appends one sight to the Sight Recorder table: the title when firstOfBatch
// is not 0, a date heading when the sight's UTC date differs from the last
// one printed, then the sight's row. lineCount receives the lines written.
// 1 unknown body code, 2 unknown quality grade; nothing is written then.
EngineStatus FormatSightRecorderTable(int16_t firstOfBatch, const ObservationRecord& sight,
                                      ReportLine* lines, int16_t& lineCount);

// The date line, column header and unit marks above rows of the sight's UTC
// date (kSightHeadingLines lines).
void FormatSightHeading(const ObservationRecord& sight, ReportLine* lines);

// The sight's table row; 1 unknown body code, 2 unknown quality grade.
EngineStatus FormatSightRow(const ObservationRecord& sight, ReportLine& line);

}  // namespace navora
