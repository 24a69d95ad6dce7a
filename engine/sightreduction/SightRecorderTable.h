#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/common/EngineStatus.h"
#include "engine/common/ObservationRecord.h"
#include "engine/position/PositionReport.h"

namespace navora {

// The Sight Recorder table: the fixed-width lines (at most 78 characters)
// written when new sights are saved. Times are UTC to the whole second
// (rounding into the next day moves the date), hs in degrees and minutes to
// 0.1', the index correction in arc-minutes, temperature in whole degrees
// Celsius, pressure in whole millibars, height of eye in whole feet
// (3.28084 ft per metre), UT1-UTC in seconds to 0.1 s. Valid for sights
// whose values fit their columns; larger values widen the line.

// Most lines one sight adds to the table: the title, the four date heading
// lines and its row.
inline constexpr int kSightRecorderMaxLines = 6;
// The heading lines before a date's rows: date, column header, unit marks.
inline constexpr int kSightHeadingLines = 3;

inline constexpr EngineStatus kSightUnknownBody = 1;
inline constexpr EngineStatus kSightUnknownGrade = 2;
inline constexpr EngineStatus kSightBadAltitude = 3;  // sextant altitude not a finite angle

// What the table carries from one sight to the next of a batch: the UTC date
// ("YYYYMMDD") of the last date heading printed.
inline constexpr size_t kSightRecorderDateBytes = 24;
struct SightRecorderCarry {
  char lastDate[kSightRecorderDateBytes] = "00000000";
};

// Appends one sight to the Sight Recorder table: the title when firstOfBatch
// is not 0 (which also forgets the carried date), a date heading when the
// sight's UTC date differs from the carried one, then the sight's row.
// lineCount receives the lines written (at most kSightRecorderMaxLines).
// 1 unknown body code, 2 unknown quality grade, 3 a sextant altitude that is
// not a finite angle; nothing is written then and the carry is unchanged.
[[nodiscard]] EngineStatus FormatSightRecorderTable(SightRecorderCarry& carry,
                                                    int16_t firstOfBatch,
                                                    const ObservationRecord& sight,
                                                    ReportLine* lines, int16_t& lineCount);

// The date line, column header and unit marks above rows of the sight's UTC
// date (kSightHeadingLines lines).
void FormatSightHeading(const ObservationRecord& sight, ReportLine* lines);

// The sight's table row; statuses as FormatSightRecorderTable.
[[nodiscard]] EngineStatus FormatSightRow(const ObservationRecord& sight, ReportLine& line);

}  // namespace navora
