#include "app/bridge/SightRecorderBridge.h"

namespace navora {

int TaskSightRecorderTable(Notice& notice, SightRecorderCarry& carry, bool firstOfBatch,
                           const ObservationRecord& sight, ReportLine* lines, int16_t& lineCount) {
  const EngineStatus status =
      FormatSightRecorderTable(carry, static_cast<int16_t>(firstOfBatch), sight, lines, lineCount);
  if (status != kStatusOk) notice.Show(kSightRecorderTableFailedText, kNoticeOk);
  return status;
}

}  // namespace navora
