#include "engine/log/NewInitialFix.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "engine/log/EventLogFile.h"
#include "engine/log/LogArchive.h"
#include "engine/log/TextLogPending.h"

namespace navora {

namespace {

constexpr EngineStatus kEventLogOpenedEmpty = 2;
constexpr int16_t kInitialEntry = 1;

// The directory prefix of a log path that ends in `fileName`.
std::string DirectoryOf(const std::string& path, const char* fileName) {
  return path.substr(0, path.size() - std::strlen(fileName));
}

// A present file that cannot be opened for writing would survive its
// replacement only by accident of directory permissions: refuse it.
bool IsReadOnlyFile(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) {
    return false;  // missing: nothing to replace
  }
  const int descriptor = OpenExistingFileForUpdate(path.c_str());
  CloseFile(descriptor);
  return descriptor < 0;
}

// Points both logs at the directories given (prefixes of their file names).
bool SetDirectories(EventLog& events, TextLog& text, const std::string& eventDirectory,
                    const std::string& textDirectory) {
  return SetEventLogDirectory(events, eventDirectory.c_str()) == kStatusOk &&
         SetTextLogDirectory(text, textDirectory.c_str()) == kStatusOk;
}

// Writes the new voyage's two logs under the staging prefix through the
// caller's objects, so that sequence numbers and keys continue.
bool StageNewLogs(EventLog& events, TextLog& text, const PositionRecord& fix,
                  const NewVoyage& voyage) {
  const bool staged =
      OpenEventLog(events) == kEventLogOpenedEmpty &&
      AppendPositionEntry(events, fix) == kStatusOk && OpenTextLog(text) == kStatusOk &&
      WriteTextLogLines(text, voyage.entry.data(), kNewPositionEntryLines) == kStatusOk;
  CloseEventLog(events);
  CloseTextLog(text);
  return staged;
}

bool Replace(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 && SyncParentDirectory(to.c_str());
}

// Reopens whatever logs are in place; a damaged event log stays closed, as
// its own open would leave it.
void ReopenAsTheyAre(EventLog& events, TextLog& text) {
  static_cast<void>(OpenEventLog(events));
  static_cast<void>(OpenTextLog(text));
}

}  // namespace

PositionRecord MakeInitialFixRecord(double time, double latitude, double longitude, double course,
                                    double speed) {
  constexpr double kNoCurrent = 0.0;
  return MakePositionRecord(kMotionNone, kPositionExternalFix, time, latitude, longitude, course,
                            speed, kNoCurrent, kNoCurrent);
}

EngineStatus MeasureTextLogFile(const TextLog& log, int64_t& bytes) {
  bytes = 0;
  const std::string path = TextLogPath(log);
  struct stat status;
  if (::stat(path.c_str(), &status) != 0 && errno == ENOENT) {
    return kStatusOk;
  }
  const int descriptor = OpenFileForReading(path.c_str());
  const bool measured = descriptor >= 0 && GetFileSize(descriptor, bytes);
  CloseFile(descriptor);
  return measured ? kStatusOk : kNewVoyageTextLogUnreadable;
}

EngineStatus StartNewVoyage(EventLog& events, TextLog& text, const PositionRecord& fix,
                            NewVoyage& result) {
  result = NewVoyage{};
  if (PositionEntryKind(fix.positionType) != kEntryFix ||
      FormatNewPositionEntry(fix, kInitialEntry, result.entry.data()) != kStatusOk) {
    return kNewVoyageFixNotLoggable;
  }
  CloseEventLog(events);
  CloseTextLog(text);
  const std::string eventPath = EventLogPath(events);
  const std::string textPath = TextLogPath(text);
  const std::string eventDirectory = DirectoryOf(eventPath, kEventLogFileName);
  const std::string textDirectory = DirectoryOf(textPath, kTextLogFileName);
  int64_t textBytes = 0;
  EngineStatus status = kStatusOk;
  if (IsReadOnlyFile(eventPath)) {
    status = kNewVoyageEventLogReadOnly;
  } else if (MeasureTextLogFile(text, textBytes) != kStatusOk) {
    status = kNewVoyageTextLogUnreadable;
  }
  if (status != kStatusOk) {
    ReopenAsTheyAre(events, text);
    return status;
  }

  const std::string eventStage = eventDirectory + kNewVoyageStagingPrefix;
  const std::string textStage = textDirectory + kNewVoyageStagingPrefix;
  const std::string stagedEvents = eventStage + kEventLogFileName;
  const std::string stagedText = textStage + kTextLogFileName;
  RemoveFile(stagedEvents.c_str());  // left by a start that was interrupted
  RemoveFile(stagedText.c_str());
  if (!SetDirectories(events, text, eventStage, textStage) ||
      !StageNewLogs(events, text, fix, result)) {
    status = kNewVoyageStagingFailed;
  }
  // The live directories were set before and are short enough.
  static_cast<void>(SetDirectories(events, text, eventDirectory, textDirectory));

  if (status == kStatusOk && textBytes > 0 &&
      CopyToNextArchive(textPath, textDirectory, result.archivePath) != kStatusOk) {
    status = kNewVoyageArchiveFailed;
  }
  if (status == kStatusOk && !(Replace(stagedText, textPath) && Replace(stagedEvents, eventPath))) {
    status = kNewVoyageReplaceFailed;
  }
  RemoveFile(stagedEvents.c_str());
  RemoveFile(stagedText.c_str());
  if (status != kStatusOk) {
    ReopenAsTheyAre(events, text);
    return status;
  }
  if (OpenEventLog(events) != kStatusOk || OpenTextLog(text) != kStatusOk) {
    return kNewVoyageReopenFailed;
  }
  ClearPendingLogText(text);
  AppendPendingLogText(text, result.entry.data(), kNewPositionEntryLines);
  return kStatusOk;
}

}  // namespace navora
