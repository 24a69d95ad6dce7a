#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/bridge/Notice.h"
#include "engine/common/ObservationRecord.h"
#include "engine/common/PositionRecord.h"
#include "engine/log/EventLog.h"
#include "engine/log/TextLog.h"
#include "engine/position/ReportLine.h"

namespace navora {

// The task bridge entries that read and change the voyage's entries: the
// event-log operations on positions and sights, and the text-log entries that
// mirror each change. Each shows its fixed message (LogBridge.h) when the
// engine refuses and returns non-zero; its outputs are then not to be used.
// Offsets are byte offsets of entries in the event log, as loaded with them.

// ReadReferencePosition (`which`: kLatestPosition or kLastFix). Returns its
// status, non-zero with the reading message.
int TaskReadReferencePosition(Notice& notice, EventLog& log, int16_t which,
                              PositionRecord& position);

// AppendPositionEntry and AppendSightEntry. Return 0, or 1 with the writing
// message whatever the engine's reason.
int TaskAppendPositionEntry(Notice& notice, EventLog& log, const PositionRecord& position);
int TaskAppendSightEntry(Notice& notice, EventLog& log, const ObservationRecord& sight);

// Rewrite or mark deleted the entry at `offset`. Return the engine's status,
// non-zero with the writing message.
int TaskCorrectPositionEntry(Notice& notice, EventLog& log, EventLogOffset offset,
                             const PositionRecord& position);
int TaskCorrectSightEntry(Notice& notice, EventLog& log, EventLogOffset offset,
                          const ObservationRecord& sight);
int TaskDeletePositionEntry(Notice& notice, EventLog& log, EventLogOffset offset);
int TaskDeleteSightEntry(Notice& notice, EventLog& log, EventLogOffset offset);

// The returned values of TaskReadPlotData besides 0 and a reading status.
inline constexpr int kPlotDataNoMemory = 3;
inline constexpr int kPlotDataNoObservations = 6;

// ReadPlotData for the sight reduction plot. Returns 0; kPlotDataNoMemory
// (memory message) or kPlotDataNoObservations (no position or no sight since
// the last fix, told so); any other status with the reading message.
int TaskReadPlotData(Notice& notice, EventLog& log, LegsAndSights& loaded);

// LoadLegsAndSights; its status, without a message: the callers word it
// (status 5 still fills `loaded`).
int TaskLoadLegsAndSights(EventLog& log, LegsAndSights& loaded);

// WriteTextLogLines. Returns its status: 2 (a line not written) with the
// writing message, any other failure with the log-file message.
int TaskWriteTextLogLines(Notice& notice, TextLog& log, const std::string* lines, int count);
int TaskWriteTextLogLines(Notice& notice, TextLog& log, const ReportLine* lines, int count);

// The logging steps: each formats its entry, writes it to the text log
// (TaskWriteTextLogLines), adds it to the pending log text and hands the
// lines written back in `written` (empty on failure) for the windows to show.
// A formatting failure shows the entry's message and returns 1, or for a
// sight deletion the formatter's status; a writing failure returns the
// writing status with its message.

// A fix, DR update or user position; `initial` heads it "INITIAL FIX".
int TaskLogNewPosition(Notice& notice, TextLog& log, const PositionRecord& position, bool initial,
                       std::vector<std::string>& written);
int TaskLogPositionDeletion(Notice& notice, TextLog& log, const PositionRecord& position,
                            std::vector<std::string>& written);
int TaskLogPositionCorrection(Notice& notice, TextLog& log, const PositionRecord& before,
                              const PositionRecord& after, std::vector<std::string>& written);
int TaskLogSightDeletion(Notice& notice, TextLog& log, const ObservationRecord& sight,
                         std::vector<std::string>& written);
int TaskLogSightCorrection(Notice& notice, TextLog& log, const ObservationRecord& before,
                           const ObservationRecord& after, std::vector<std::string>& written);

}  // namespace navora
