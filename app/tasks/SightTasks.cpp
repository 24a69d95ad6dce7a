#include "app/tasks/SightTasks.h"

#include "app/bridge/LogBridge.h"
#include "app/bridge/LogEntryBridge.h"
#include "app/bridge/SightRecorderBridge.h"
#include "app/tasks/NewInitialFixDialogModel.h"
#include "engine/log/TextLogPending.h"
#include "engine/sightreduction/ReducedObservation.h"

namespace navora {
namespace {

constexpr int kLoadedOutOfTimeOrder = 5;  // the legs and sights are there all the same
constexpr int kReadFailed = 1;

// The sight at `offset` among those since the last fix, as logged (its leg
// index as written, not as the fix computation assigns it).
int ReadLoggedSight(Notice& notice, EventLog& events, EventLogOffset offset,
                    ObservationRecord& sight) {
  std::vector<ObservationRecord> sights;
  std::vector<EventLogOffset> offsets;
  if (!ReadLoggedSights(events, sights, offsets)) {
    notice.Show(kLogReadingFailedText, kNoticeOk);
    return kReadFailed;
  }
  for (size_t i = 0; i < sights.size(); ++i) {
    if (offsets[i] == offset) {
      sight = sights[i];
      return 0;
    }
  }
  return kNoSuchSight;
}

}  // namespace

bool ReadLoggedSights(EventLog& events, std::vector<ObservationRecord>& sights,
                      std::vector<EventLogOffset>& offsets) {
  int32_t positionCount = 0, sightCount = 0;
  if (CountSinceLastFix(events, positionCount, sightCount) != kStatusOk) return false;
  sights.assign(static_cast<size_t>(sightCount), ObservationRecord{});
  offsets.assign(sights.size(), kNoEventLogEntry);
  std::vector<PositionRecord> positions(static_cast<size_t>(positionCount));
  std::vector<EventLogOffset> positionOffsets(positions.size());
  int32_t sightsRead = 0, positionsRead = 0;
  if (ReadSinceLastFix(events, sights, offsets, positions, positionOffsets, sightsRead,
                       positionsRead) != kStatusOk) {
    return false;
  }
  sights.resize(static_cast<size_t>(sightsRead));
  offsets.resize(sights.size());
  return true;
}

int BeginRecordObservations(Notice& notice, EventLog& events, int32_t& recorded) {
  int32_t positions = 0;
  if (const int status = TaskCountSinceLastFix(notice, events, positions, recorded)) {
    return status;
  }
  if (recorded >= kMaxSights) {
    notice.Show(kMaxObservationsText, kNoticeOk);
    return kObservationLimitReached;
  }
  return 0;
}

ObservationRecord FirstNewObservation(EventLog& events) {
  LegsAndSights loaded;
  const int status = TaskLoadLegsAndSights(events, loaded);
  ObservationRecord start = DefaultObservationRecord();
  if ((status == kStatusOk || status == kLoadedOutOfTimeOrder) && loaded.sightCount > 0) {
    start = loaded.sights[static_cast<size_t>(loaded.sightCount - 1)];
  } else {
    start.time = LatestPositionOrDefault(events).time;
  }
  start.legIndex = 0;
  start.included = 1;
  start.weight = 1.0;
  return start;
}

int FormatNewSightsTable(Notice& notice, const std::vector<ObservationRecord>& sights,
                         std::vector<std::string>& table) {
  table.clear();
  SightRecorderCarry carry;
  for (size_t i = 0; i < sights.size(); ++i) {
    ReportLine lines[kSightRecorderMaxLines];
    int16_t count = 0;
    if (const int status = TaskSightRecorderTable(notice, carry, i == 0, sights[i], lines, count)) {
      table.clear();
      return status;
    }
    table.insert(table.end(), lines, lines + count);
  }
  return 0;
}

int SaveObservations(SightTaskLogs& logs, const std::vector<ObservationRecord>& sights,
                     const std::vector<std::string>& table, ReportSink& worksheet) {
  if (sights.empty()) return 0;
  int32_t positions = 0, recorded = 0;
  if (CountSinceLastFix(logs.events, positions, recorded) != kStatusOk) {
    logs.notice.Show(kLogReadingFailedText, kNoticeOk);
    return kReadFailed;
  }
  // The sights belong to the leg the log is on now: the last fix's, or the
  // latest DR update's.
  const auto leg = static_cast<uint16_t>(positions > 0 ? positions - 1 : 0);
  for (ObservationRecord sight : sights) {
    sight.legIndex = leg;
    if (const int status = TaskAppendSightEntry(logs.notice, logs.events, sight)) return status;
  }
  for (const std::string& line : table) worksheet.AppendLine(line);
  const int count = static_cast<int>(table.size());
  if (const int status = TaskWriteTextLogLines(logs.notice, logs.text, table.data(), count)) {
    return status;
  }
  AppendPendingLogText(logs.text, table.data(), count);
  return 0;
}

int LoadLoggedSights(Notice& notice, EventLog& events, LegsAndSights& loaded, double& lastFixTime) {
  const int status = TaskLoadLegsAndSights(events, loaded);
  if (status != kStatusOk && status != kLoadedOutOfTimeOrder) {
    notice.Show(kLogReadingFailedText, kNoticeOk);
    return status;
  }
  PositionRecord lastFix;
  if (const int read = TaskReadReferencePosition(notice, events, kLastFix, lastFix)) return read;
  lastFixTime = lastFix.time;
  return 0;
}

int CorrectSight(SightTaskLogs& logs, EventLogOffset offset, const ObservationRecord& corrected,
                 std::vector<std::string>& written) {
  written.clear();
  ObservationRecord before;
  if (const int status = ReadLoggedSight(logs.notice, logs.events, offset, before)) return status;
  ObservationRecord after = before;
  after.bodyCode = corrected.bodyCode;
  after.starNumber = corrected.starNumber;
  after.time = corrected.time;
  after.ut1MinusUtc = corrected.ut1MinusUtc;
  after.temperature = corrected.temperature;
  after.pressure = corrected.pressure;
  after.hs = corrected.hs;
  after.indexCorrection = corrected.indexCorrection;
  after.heightOfEye = corrected.heightOfEye;
  after.sigma = corrected.sigma;
  if (const int status = TaskCorrectSightEntry(logs.notice, logs.events, offset, after)) {
    return status;
  }
  return TaskLogSightCorrection(logs.notice, logs.text, before, after, written);
}

int DeleteSight(SightTaskLogs& logs, EventLogOffset offset, std::vector<std::string>& written) {
  written.clear();
  ObservationRecord before;
  if (const int status = ReadLoggedSight(logs.notice, logs.events, offset, before)) return status;
  if (const int status = TaskDeleteSightEntry(logs.notice, logs.events, offset)) return status;
  return TaskLogSightDeletion(logs.notice, logs.text, before, written);
}

int ApplySightEdits(SightTaskLogs& logs, const SightEdits& edits,
                    const std::function<void(const std::vector<std::string>&)>& noteEntry) {
  std::vector<std::string> written;
  for (const auto& [offset, corrected] : edits.corrections) {
    const int status = CorrectSight(logs, offset, corrected, written);
    if (!written.empty()) noteEntry(written);
    if (status != 0) return status;
  }
  for (const EventLogOffset offset : edits.deletions) {
    const int status = DeleteSight(logs, offset, written);
    if (!written.empty()) noteEntry(written);
    if (status != 0) return status;
  }
  return 0;
}

LatestSightConditions ReadLatestSightConditions(EventLog& events) {
  std::vector<ObservationRecord> sights;
  std::vector<EventLogOffset> offsets;
  // File order: the last one read is the last one recorded.
  if (!ReadLoggedSights(events, sights, offsets) || sights.empty()) return {};
  return {sights.back().ut1MinusUtc, sights.back().heightOfEye};
}

}  // namespace navora
