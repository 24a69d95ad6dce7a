#pragma once

#include <cstdint>

#include "app/bridge/Notice.h"
#include "engine/almanac/AlmanacHeading.h"
#include "engine/almanac/AlmanacRow.h"

namespace navora {

// Heading lines of an almanac table (ComputeAlmanacHeading). Returns 0 and
// the number of heading lines written into `lines`; on failure tells the user
// and returns 1 (the outputs are then not to be used).
int TaskAlmanacHeading(Notice& notice, PlaceContext& context, double jdUtc, double dut1Seconds,
                       AlmanacKind kind, double intervalDays, int16_t& lineCount,
                       AlmanacHeadingLines& lines);

// One almanac table row (ComputeAlmanacRow). Returns 0 with the row in `row`;
// on failure tells the user and returns 1.
int TaskAlmanac(Notice& notice, PlaceContext& context, double jdUtc, double dut1Seconds,
                AlmanacKind kind, int16_t starNumber, double intervalDays, AlmanacLine& row);

}  // namespace navora
