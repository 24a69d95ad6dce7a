#pragma once

#include <cstdint>

#include "app/bridge/Notice.h"
#include "engine/riseset/RiseSetDay.h"
#include "engine/riseset/RiseSetTables.h"

namespace navora {

// The rise/set tables' bridge entries. Times are UTC Julian dates,
// ut1MinusUtc in seconds, zones in hours east, heights of eye in metres.

// The heading of a table (FormatRiseSetHeader), which also starts the table
// in `table`. Returns 0 with the lines and their count; otherwise tells the
// user and returns the engine's status.
int TaskRiseSetHeader(Notice& notice, RiseSetTableState& table, BodyId body,
                      const PositionRecord& reference, float timeZoneHours, double heightOfEyeM,
                      uint16_t& lineCount, ReportLine* lines);

// One day of a table (ComputeRiseSetDay). Returns 0 with the day's lines;
// kRiseSetNoEventAfterReference, without a message, when underway nothing
// of the day follows the reference time (the caller tries the next day);
// otherwise tells the user and returns the engine's status.
int TaskRiseSetDay(Notice& notice, PlaceContext& places, RiseSetTableState& table, double startUtc,
                   double ut1MinusUtc, float timeZoneHours, BodyId body, double heightOfEyeM,
                   const PositionRecord& reference, double& transitUtc, uint16_t& lineCount,
                   ReportLine* lines, double& transitHourAngleRate);

}  // namespace navora
