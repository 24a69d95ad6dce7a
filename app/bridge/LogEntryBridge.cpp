#include "app/bridge/LogEntryBridge.h"

#include "app/bridge/LogBridge.h"
#include "engine/log/LogEntries.h"
#include "engine/log/TextLogPending.h"

namespace navora {

namespace {

constexpr char kNoMemory[] = "Insufficient memory available\n for this operation.";
constexpr char kNoObservations[] = "There are no observations to be plotted.";
constexpr char kSightDeletionFailed[] =
    "An error occurred while deleting\n an observation from the log.";
constexpr char kSightCorrectionFailed[] =
    "An error occurred while writing an\nobservation correction into the log.";

constexpr EngineStatus kPlotOutOfMemory = 3;
constexpr EngineStatus kPlotNothingSince = 2;
constexpr EngineStatus kWriteLineFailed = 2;
constexpr int kStopped = 1;

// The writing entries of the event log: the engine's status, its message when
// it failed.
int TellEventWriteFailure(Notice& notice, EngineStatus status) {
  if (status != kStatusOk) notice.Show(kLogWritingFailedText, kNoticeOk);
  return status;
}

// The text log's: a line not written, or the file itself (separator, flush).
int TellTextWriteFailure(Notice& notice, EngineStatus status) {
  if (status != kStatusOk) {
    notice.Show(status == kWriteLineFailed ? kLogWritingFailedText : kLogFileWritingFailedText,
                kNoticeOk);
  }
  return status;
}

// The end of a logging step once its entry is formatted (`formatted` its
// status): the entry's message and `formatFailed` when that failed, else the
// lines written, kept for the current log window and handed back.
int FinishLogging(Notice& notice, TextLog& log, EngineStatus formatted, int formatFailed,
                  const char* formatFailedText, const ReportLine* lines, int count,
                  std::vector<std::string>& written) {
  written.clear();
  if (formatted != kStatusOk) {
    notice.Show(formatFailedText, kNoticeOk);
    return formatFailed;
  }
  const int status = TaskWriteTextLogLines(notice, log, lines, count);
  if (status != kStatusOk) return status;
  AppendPendingLogText(log, lines, count);
  written.assign(lines, lines + count);
  return kStatusOk;
}

}  // namespace

int TaskReadReferencePosition(Notice& notice, EventLog& log, int16_t which,
                              PositionRecord& position) {
  const EngineStatus status = ReadReferencePosition(log, which, position);
  if (status != kStatusOk) notice.Show(kLogReadingFailedText, kNoticeOk);
  return status;
}

int TaskAppendPositionEntry(Notice& notice, EventLog& log, const PositionRecord& position) {
  // Whatever the engine's reason, the task stops the same way.
  const EngineStatus status = AppendPositionEntry(log, position);
  return TellEventWriteFailure(notice, status) == kStatusOk ? kStatusOk : kStopped;
}

int TaskAppendSightEntry(Notice& notice, EventLog& log, const ObservationRecord& sight) {
  const EngineStatus status = AppendSightEntry(log, sight);
  return TellEventWriteFailure(notice, status) == kStatusOk ? kStatusOk : kStopped;
}

int TaskCorrectPositionEntry(Notice& notice, EventLog& log, EventLogOffset offset,
                             const PositionRecord& position) {
  return TellEventWriteFailure(notice, CorrectPositionEntry(log, offset, position));
}

int TaskCorrectSightEntry(Notice& notice, EventLog& log, EventLogOffset offset,
                          const ObservationRecord& sight) {
  return TellEventWriteFailure(notice, CorrectSightEntry(log, offset, sight));
}

int TaskDeletePositionEntry(Notice& notice, EventLog& log, EventLogOffset offset) {
  return TellEventWriteFailure(notice, DeletePositionEntry(log, offset));
}

int TaskDeleteSightEntry(Notice& notice, EventLog& log, EventLogOffset offset) {
  return TellEventWriteFailure(notice, DeleteSightEntry(log, offset));
}

int TaskReadPlotData(Notice& notice, EventLog& log, LegsAndSights& loaded) {
  const EngineStatus status = ReadPlotData(log, loaded);
  switch (status) {
    case kStatusOk:
      return kStatusOk;
    case kPlotOutOfMemory:
      notice.Show(kNoMemory, kNoticeOk);
      return kPlotDataNoMemory;
    case kPlotNothingSince:
      notice.Show(kNoObservations, kNoticeOk);
      return kPlotDataNoObservations;
    default:
      notice.Show(kLogReadingFailedText, kNoticeOk);
      return status;
  }
}

int TaskLoadLegsAndSights(EventLog& log, LegsAndSights& loaded) {
  return LoadLegsAndSights(log, loaded);
}

int TaskWriteTextLogLines(Notice& notice, TextLog& log, const std::string* lines, int count) {
  return TellTextWriteFailure(notice, WriteTextLogLines(log, lines, count));
}

int TaskWriteTextLogLines(Notice& notice, TextLog& log, const ReportLine* lines, int count) {
  return TellTextWriteFailure(notice, WriteTextLogLines(log, lines, count));
}

int TaskLogNewPosition(Notice& notice, TextLog& log, const PositionRecord& position, bool initial,
                       std::vector<std::string>& written) {
  ReportLine lines[kNewPositionEntryLines];
  const EngineStatus status =
      FormatNewPositionEntry(position, static_cast<int16_t>(initial), lines);
  return FinishLogging(notice, log, status, kStopped, kLogWritingFailedText, lines,
                       kNewPositionEntryLines, written);
}

int TaskLogPositionDeletion(Notice& notice, TextLog& log, const PositionRecord& position,
                            std::vector<std::string>& written) {
  ReportLine lines[kPositionDeletionLines];
  const EngineStatus status = FormatPositionDeletion(position, lines);
  return FinishLogging(notice, log, status, kStopped, kLogWritingFailedText, lines,
                       kPositionDeletionLines, written);
}

int TaskLogPositionCorrection(Notice& notice, TextLog& log, const PositionRecord& before,
                              const PositionRecord& after, std::vector<std::string>& written) {
  ReportLine lines[kPositionCorrectionLines];
  const EngineStatus status = FormatPositionCorrection(before, after, lines);
  return FinishLogging(notice, log, status, kStopped, kLogWritingFailedText, lines,
                       kPositionCorrectionLines, written);
}

int TaskLogSightDeletion(Notice& notice, TextLog& log, const ObservationRecord& sight,
                         std::vector<std::string>& written) {
  ReportLine lines[kSightDeletionLines];
  const EngineStatus status = FormatSightDeletion(sight, lines);
  return FinishLogging(notice, log, status, status, kSightDeletionFailed, lines,
                       kSightDeletionLines, written);
}

int TaskLogSightCorrection(Notice& notice, TextLog& log, const ObservationRecord& before,
                           const ObservationRecord& after, std::vector<std::string>& written) {
  ReportLine lines[kSightCorrectionLines];
  const EngineStatus status = FormatSightCorrection(before, after, lines);
  return FinishLogging(notice, log, status, kStopped, kSightCorrectionFailed, lines,
                       kSightCorrectionLines, written);
}

}  // namespace navora
