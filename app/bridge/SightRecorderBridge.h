#pragma once

#include <cstdint>

#include "app/bridge/Notice.h"
#include "engine/common/ObservationRecord.h"
#include "engine/sightreduction/SightRecorderTable.h"

namespace navora {

inline constexpr char kSightRecorderTableFailedText[] =
    "An error returned from the\nSight Recorder table routine.";

// FormatSightRecorderTable for one sight of a batch (the title when
// `firstOfBatch`); `lines` holds kSightRecorderMaxLines. Returns 0, or the
// table's status after showing its message (the lines are then not to be used).
int TaskSightRecorderTable(Notice& notice, SightRecorderCarry& carry, bool firstOfBatch,
                           const ObservationRecord& sight, ReportLine* lines, int16_t& lineCount);

}  // namespace navora
