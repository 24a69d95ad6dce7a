#pragma once

#include <cstdint>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/position/ReportLine.h"
#include "engine/riseset/RiseSetDay.h"

namespace navora {

// The rise/set tables of the worksheet: the heading of a fixed-site or an
// underway table and the lines of one day (one row at a fixed site, the
// day's events one per line underway). Tabular times are UTC plus the zone
// (hours, east positive), to the nearest minute.

// Line capacities: the longest heading (underway) and the longest day (the
// Sun's seven events underway).
inline constexpr int kRiseSetHeaderMaxLines = 17;
inline constexpr int kRiseSetDayMaxLines = 7;

// Statuses of FormatRiseSetHeader.
inline constexpr EngineStatus kRiseSetHeaderBadBody = 1;
inline constexpr EngineStatus kRiseSetHeaderBadMotionMode = 2;

// The table's heading, at most kRiseSetHeaderMaxLines lines; also starts a
// new table in `carry`, whatever the outcome. kStatusOutOfDomain for a
// reference position or height that cannot be printed.
[[nodiscard]] EngineStatus FormatRiseSetHeader(RiseSetCarryState& carry, BodyId body,
                                               const PositionRecord& reference, float timeZoneHours,
                                               double heightOfEyeM, uint16_t& lineCount,
                                               ReportLine* lines);

// Status of WriteRiseSetDay underway when no event follows the reference time.
inline constexpr EngineStatus kRiseSetNoListedEvent = 1;

// The lines of one day of events, at most kRiseSetDayMaxLines: a fixed-site
// row (motionMode 0) or the underway event list of the events after the
// reference's time. ut1MinusUtc in seconds.
[[nodiscard]] EngineStatus WriteRiseSetDay(const RiseSetDay& day, BodyId body,
                                           const PositionRecord& reference, double ut1MinusUtc,
                                           float timeZoneHours, uint16_t& lineCount,
                                           ReportLine* lines);

}  // namespace navora
