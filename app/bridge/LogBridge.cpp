#include "app/bridge/LogBridge.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/bridge/LogEntryBridge.h"
#include "engine/log/CommentWrapping.h"
#include "engine/log/TextLogPending.h"

namespace navora {

namespace {

constexpr char kWriteProtected[] =
    "           WARNING!!          \n\nThe file NAVORA.EVT has been  \nwrite-protected. Please "
    "allow \nwrite access before continuing.";
constexpr char kCorrupted[] =
    "            WARNING!!            \n\nThe log may have been corrupted. \nGo to 'New Initial "
    "Fix...' on the\n'Task' menu, to archive the old  \nlog, and to create a new one.";
constexpr char kOpeningFailed[] = "Error opening the log file.";
constexpr char kArchiveQuestion[] =
    "This action will archive the current\nlog and set up the program for a new\ninitial fix. "
    "Do you want to continue?";
constexpr char kEventLogReadOnly[] =
    "The file 'NAVORA.EVT' has been made\nread-only. It must be changed to read-write\nbefore "
    "NAVORA can do a New Initial Fix.";
constexpr char kArchivedFormat[] = " Archiving current log in file %s.";

constexpr EngineStatus kOpenWriteProtected = 1;
constexpr EngineStatus kOpenDamaged = 3;  // and above
constexpr EngineStatus kEmptyComment = 1;
constexpr int kStopped = 1;

}  // namespace

int TaskOpenEventLog(Notice& notice, EventLog& log) {
  const EngineStatus status = OpenEventLog(log);
  if (status == kOpenWriteProtected) {
    notice.Show(kWriteProtected, kNoticeOk);
  } else if (status >= kOpenDamaged) {
    notice.Show(kCorrupted, kNoticeOk);
  }
  return status;
}

int TaskOpenTextLog(Notice& notice, TextLog& log) {
  const bool isNew = TextLogFileIsMissingOrEmpty(log);
  const EngineStatus status = OpenTextLog(log);
  if (status != kStatusOk) {
    notice.Show(kLogReadingFailedText, kNoticeOk);
  }
  return status + (isNew ? kTextLogOpenedNew : 0);
}

int TaskReadTextLog(Notice& notice, TextLog& log, std::vector<std::string>& lines) {
  constexpr EngineStatus kEndOfLog = 1;
  lines.clear();
  std::string line;
  EngineStatus status = kStatusOk;
  for (bool first = true; (status = ReadTextLogLine(log, first, line)) == kStatusOk;
       first = false) {
    lines.push_back(line);
  }
  if (status != kEndOfLog) {
    notice.Show(kLogReadingFailedText, kNoticeOk);
    return status;
  }
  return kStatusOk;
}

int TaskWriteComment(Notice& notice, TextLog& log, std::string_view comment,
                     std::vector<std::string>& written) {
  if (FormatCommentLines(comment, written) != kStatusOk) {
    return kEmptyComment;
  }
  const int status =
      TaskWriteTextLogLines(notice, log, written.data(), static_cast<int>(written.size()));
  if (status != kStatusOk) return status;
  AppendPendingLogText(log, written.data(), static_cast<int>(written.size()));
  return kStatusOk;
}

int TaskNewInitialFix(Notice& notice, EventLog& events, TextLog& text, const PositionRecord& start,
                      const FixDialog& enterFix, NewVoyage& voyage) {
  int64_t textBytes = 0;
  if (MeasureTextLogFile(text, textBytes) != kStatusOk) {
    notice.Show(kOpeningFailed, kNoticeOk);
    return kStopped;
  }
  if (textBytes > 0 && notice.Show(kArchiveQuestion, kNoticeYesNoQuestion) != NoticeAnswer::kYes) {
    return kStopped;
  }
  PositionRecord entered;
  if (!enterFix(kNewInitialFixCaption, start, entered)) {
    return kStopped;
  }
  const PositionRecord fix = MakeInitialFixRecord(entered.time, entered.latitude, entered.longitude,
                                                  entered.course, entered.speed);
  switch (StartNewVoyage(events, text, fix, voyage)) {
    case kStatusOk:
      break;
    case kNewVoyageEventLogReadOnly:
      notice.Show(kEventLogReadOnly, kNoticeOk);
      return kStopped;
    case kNewVoyageTextLogUnreadable:
      notice.Show(kOpeningFailed, kNoticeOk);
      return kStopped;
    default:
      notice.Show(kLogWritingFailedText, kNoticeOk);
      return kStopped;
  }
  if (!voyage.archivePath.empty()) {
    std::string archived(sizeof kArchivedFormat + voyage.archivePath.size(), '\0');
    archived.resize(static_cast<size_t>(std::snprintf(
        archived.data(), archived.size(), kArchivedFormat, voyage.archivePath.c_str())));
    notice.Show(archived, kNoticeOkInformation);
  }
  return kStatusOk;
}

int TaskCountSinceLastFix(Notice& notice, EventLog& log, int32_t& positions, int32_t& sights) {
  constexpr int kReadFailed = 5;
  if (CountSinceLastFix(log, positions, sights) != kStatusOk) {
    notice.Show(kLogReadingFailedText, kNoticeOk);
    return kStopped;
  }
  if (positions <= kMaxLoadedLegs) {
    sights = std::min<int32_t>(sights, kMaxLoadedSights);
    return kStatusOk;
  }
  std::vector<ObservationRecord> sightRecords(static_cast<size_t>(sights));
  std::vector<EventLogOffset> sightOffsets(sightRecords.size());
  std::vector<PositionRecord> positionRecords(static_cast<size_t>(positions));
  std::vector<EventLogOffset> positionOffsets(positionRecords.size());
  int32_t sightsRead = 0;
  int32_t positionsRead = 0;
  if (ReadSinceLastFix(log, sightRecords, sightOffsets, positionRecords, positionOffsets,
                       sightsRead, positionsRead) != kStatusOk) {
    notice.Show(kLogReadingFailedText, kNoticeOk);
    return kReadFailed;
  }
  // Legs are counted from the fix, so the last 4 start at positions - 4.
  const int32_t firstLeg = positions - kMaxLoadedLegs;
  const auto latest = sightRecords.begin() + (sightsRead - std::min(sightsRead, kMaxLoadedSights));
  sights = static_cast<int32_t>(
      std::count_if(latest, sightRecords.begin() + sightsRead,
                    [firstLeg](const ObservationRecord& s) { return s.legIndex >= firstLeg; }));
  positions = kMaxLoadedLegs;
  return kStatusOk;
}

}  // namespace navora
