#include "engine/log/EventLog.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "engine/log/EventLogEntryFormat.h"
#include "engine/log/EventLogFile.h"
#include "engine/log/EventLogScan.h"

namespace navora {

namespace {

constexpr uint16_t kMaxCorrectionCount = std::numeric_limits<uint16_t>::max();

using KindOffsets = EventLogKindOffsets;

}  // namespace

// The one door to an EventLog's state for the operations of this file.
struct EventLogAccess {
  using State = EventLog::State;
  static State& Of(EventLog& log) { return log.state_; }
  static const State& Of(const EventLog& log) { return log.state_; }
};

namespace {

using LogState = EventLogAccess::State;

bool IsOpen(const LogState& log) { return log.descriptor >= 0; }

bool IsLivePositionKind(int16_t kind) { return kind == kEntryFix || kind == kEntryDrUpdate; }
bool IsLiveSightKind(int16_t kind) { return kind == kEntrySight; }

void CloseDescriptor(LogState& log) {
  CloseFile(log.descriptor);
  log.descriptor = -1;
  log.lastOffset.fill(kNoEventLogEntry);
}

// Reads a whole entry and checks that the same kind word stands at both ends.
template <size_t N>
bool ReadEntryBytes(const LogState& log, EventLogOffset offset, std::array<uint8_t, N>& bytes,
                    int16_t& kind) {
  if (offset < 0 || !ReadExactlyAt(log.descriptor, offset, bytes)) {
    return false;
  }
  kind = DecodeKindWord(bytes.data());
  return kind == DecodeKindWord(bytes.data() + N - kKindWordLength);
}

// A fix or DR update, live or deleted.
bool ReadPositionEntry(const LogState& log, EventLogOffset offset, PositionEntry& entry) {
  PositionEntryBytes bytes;
  int16_t kind = 0;
  if (!ReadEntryBytes(log, offset, bytes, kind) || !IsValidEntryKind(kind) ||
      EntryLength(kind) != kPositionEntryLength) {
    return false;
  }
  entry = DecodePositionEntry(bytes);
  return true;
}

// A sight, live or deleted.
bool ReadSightEntry(const LogState& log, EventLogOffset offset, SightEntry& entry) {
  SightEntryBytes bytes;
  int16_t kind = 0;
  if (!ReadEntryBytes(log, offset, bytes, kind) ||
      (kind != kEntrySight && kind != kEntryDeletedSight)) {
    return false;
  }
  entry = DecodeSightEntry(bytes);
  return true;
}

bool ReadSequenceNumber(const LogState& log, EventLogOffset offset, int16_t kind,
                        uint32_t& sequenceNumber) {
  if (EntryLength(kind) == kSightEntryLength) {
    SightEntry entry;
    if (!ReadSightEntry(log, offset, entry)) {
      return false;
    }
    sequenceNumber = entry.sequenceNumber;
    return true;
  }
  PositionEntry entry;
  if (!ReadPositionEntry(log, offset, entry)) {
    return false;
  }
  sequenceNumber = entry.sequenceNumber;
  return true;
}

enum class Locate { kFound, kNotAnEntry, kCorrupt, kReadError };

// Confirms that an entry starts exactly at offset (a caller's offset that
// falls inside an entry must never be rewritten) and collects, for each kind,
// the last entry before it.
Locate LocateEntry(const LogState& log, EventLogOffset offset, int16_t& kind,
                   KindOffsets& lastBefore) {
  int64_t fileSize = 0;
  if (!GetFileSize(log.descriptor, fileSize)) {
    return Locate::kReadError;
  }
  if (offset < 0 || offset >= fileSize) {
    return Locate::kNotAnEntry;
  }
  lastBefore.fill(kNoEventLogEntry);
  for (EventLogOffset at = 0; at <= offset;) {
    EntryCheck check = CheckEntryAt(log.descriptor, at, fileSize, kind);
    if (check != EntryCheck::kValid) {
      return check == EntryCheck::kCorrupt ? Locate::kCorrupt : Locate::kReadError;
    }
    if (at == offset) {
      return Locate::kFound;
    }
    lastBefore[kind] = at;
    at += EntryLength(kind);
  }
  return Locate::kNotAnEntry;
}

// The entry at offset changed kind: keeps the index what a fresh open would build.
void MoveIndexedEntry(LogState& log, EventLogOffset offset, int16_t oldKind, int16_t newKind,
                      const KindOffsets& lastBefore) {
  if (oldKind == newKind) {
    return;
  }
  if (log.lastOffset[oldKind] == offset) {
    log.lastOffset[oldKind] = lastBefore[oldKind];
  }
  log.lastOffset[newKind] = std::max(log.lastOffset[newKind], offset);
}

// Overwrites an entry in place. When the write fails the old bytes are put
// back; if even that fails the log is closed rather than left open on a
// damaged entry.
template <size_t N>
bool RewriteEntry(LogState& log, EventLogOffset offset, const std::array<uint8_t, N>& oldBytes,
                  const std::array<uint8_t, N>& newBytes) {
  if (WriteDurablyAt(log.descriptor, offset, newBytes)) {
    return true;
  }
  if (!WriteDurablyAt(log.descriptor, offset, oldBytes)) {
    CloseDescriptor(log);
  }
  return false;
}

uint32_t NextSequenceNumber(const LogState& log) { return log.sequenceCounter + 1; }

// Writes a new entry at the end of the file. A failed or short write is cut
// off again so that the file still ends on a whole entry; if that fails the
// log is closed so that nothing is appended behind a torn entry.
template <size_t N>
bool AppendEntryBytes(LogState& log, const std::array<uint8_t, N>& bytes, int16_t kind,
                      uint32_t sequenceNumber) {
  int64_t fileSize = 0;
  if (!GetFileSize(log.descriptor, fileSize)) {
    return false;
  }
  if (!WriteDurablyAt(log.descriptor, fileSize, bytes)) {
    if (!TruncateDurably(log.descriptor, fileSize)) {
      CloseDescriptor(log);
    }
    return false;
  }
  log.sequenceCounter = sequenceNumber;
  log.lastOffset[kind] = fileSize;
  return true;
}

bool LogIsEmpty(const LogState& log) {
  int64_t fileSize = 0;
  return GetFileSize(log.descriptor, fileSize) && fileSize == 0;
}

uint16_t BumpedCorrectionCount(uint16_t count) {
  return count == kMaxCorrectionCount ? count : static_cast<uint16_t>(count + 1);
}

// The entry a correction or deletion acts on: a live entry of the wanted
// kinds that starts exactly at offset in the open log.
enum class Target { kFound, kUnreadable, kCorrupt, kWrongKind };

Target LocateTarget(const LogState& log, EventLogOffset offset, bool (*isWantedKind)(int16_t),
                    int16_t& kind, KindOffsets& lastBefore) {
  if (!IsOpen(log)) return Target::kUnreadable;
  switch (LocateEntry(log, offset, kind, lastBefore)) {
    case Locate::kCorrupt:
      return Target::kCorrupt;
    case Locate::kReadError:
      return Target::kUnreadable;
    case Locate::kNotAnEntry:
      return Target::kWrongKind;
    case Locate::kFound:
      break;
  }
  return isWantedKind(kind) ? Target::kFound : Target::kWrongKind;
}

// Statuses of the operations, named where they are returned.
constexpr EngineStatus kOpenNotWritable = 1;
constexpr EngineStatus kOpenEmpty = 2;
constexpr EngineStatus kOpenFirstNotFix = 3;
constexpr EngineStatus kOpenCorrupt = 4;

}  // namespace

EventLog::~EventLog() { CloseEventLog(*this); }

EngineStatus SetEventLogDirectory(EventLog& owner, const char* directory) {
  if (directory == nullptr ||
      strnlen(directory, kMaxEventLogDirectoryLength + 1) > kMaxEventLogDirectoryLength) {
    return 1;
  }
  EventLogAccess::Of(owner).directory = directory;
  return kStatusOk;
}

std::string EventLogPath(const EventLog& owner) {
  return EventLogAccess::Of(owner).directory + kEventLogFileName;
}

EngineStatus OpenEventLog(EventLog& owner) {
  LogState& log = EventLogAccess::Of(owner);
  CloseDescriptor(log);
  log.descriptor = OpenFileForUpdate(EventLogPath(owner).c_str());
  int64_t fileSize = 0;
  if (!IsOpen(log) || !GetFileSize(log.descriptor, fileSize)) {
    CloseDescriptor(log);
    return kOpenNotWritable;
  }
  if (fileSize == 0) {
    return kOpenEmpty;
  }
  // A log that fails any check below stays closed: nothing may be written
  // into it until the voyage is restarted with a new log.
  uint8_t firstKind[kKindWordLength];
  if (fileSize < kKindWordLength || !ReadExactlyAt(log.descriptor, 0, firstKind)) {
    CloseDescriptor(log);
    return kOpenCorrupt;
  }
  if (DecodeKindWord(firstKind) != kEntryFix) {
    CloseDescriptor(log);
    return kOpenFirstNotFix;
  }
  // The whole file is walked, so that a torn tail or a damaged entry
  // anywhere is found before anything is trusted.
  WholeEntryRun run;
  uint32_t sequenceNumber = 0;
  if (!WalkWholeEntries(log.descriptor, fileSize, run) || run.end != fileSize ||
      !ReadSequenceNumber(log, run.lastEntry, run.lastKind, sequenceNumber)) {
    CloseDescriptor(log);
    return kOpenCorrupt;
  }
  log.lastOffset = run.lastOffset;
  log.sequenceCounter = sequenceNumber;
  return kStatusOk;
}

void CloseEventLog(EventLog& owner) { CloseDescriptor(EventLogAccess::Of(owner)); }

EngineStatus AppendPositionEntry(EventLog& owner, PositionRecord position) {
  LogState& log = EventLogAccess::Of(owner);
  constexpr EngineStatus kTypeNotStorable = 1;
  constexpr EngineStatus kWriteError = 2;
  int16_t kind = PositionEntryKind(position.positionType);
  if (kind < 0) {
    return kTypeNotStorable;
  }
  if (!IsOpen(log)) {
    return kWriteError;
  }
  // The voyage must start with a fix, or the log could not be opened again.
  if (kind != kEntryFix && LogIsEmpty(log)) {
    return kTypeNotStorable;
  }
  PositionEntry entry;
  entry.entryKind = kind;
  entry.sequenceNumber = NextSequenceNumber(log);
  CopyPositionData(position, entry);
  PositionEntryBytes bytes;
  EncodePositionEntry(entry, bytes);
  return AppendEntryBytes(log, bytes, kind, entry.sequenceNumber) ? kStatusOk : kWriteError;
}

EngineStatus AppendSightEntry(EventLog& owner, const ObservationRecord& sight) {
  LogState& log = EventLogAccess::Of(owner);
  constexpr EngineStatus kNoEntryYet = 1;
  constexpr EngineStatus kWriteError = 2;
  // The counter cannot tell: after a new voyage in the same run it continues
  // from the old log while the new one is still empty.
  if (!IsOpen(log)) {
    return log.sequenceCounter == 0 ? kNoEntryYet : kWriteError;
  }
  if (LogIsEmpty(log)) {
    return kNoEntryYet;
  }
  SightEntry entry;
  entry.sequenceNumber = NextSequenceNumber(log);
  CopySightData(sight, entry);
  SightEntryBytes bytes;
  EncodeSightEntry(entry, bytes);
  return AppendEntryBytes(log, bytes, kEntrySight, entry.sequenceNumber) ? kStatusOk : kWriteError;
}

EngineStatus CorrectPositionEntry(EventLog& owner, EventLogOffset offset, PositionRecord position) {
  LogState& log = EventLogAccess::Of(owner);
  constexpr EngineStatus kNotAPosition = 1;
  constexpr EngineStatus kReadError = 2;
  constexpr EngineStatus kTypeNotStorable = 3;
  constexpr EngineStatus kWriteError = 4;
  int16_t kind = 0;
  KindOffsets lastBefore;
  switch (LocateTarget(log, offset, IsLivePositionKind, kind, lastBefore)) {
    case Target::kFound:
      break;
    case Target::kWrongKind:
      return kNotAPosition;
    case Target::kUnreadable:
    case Target::kCorrupt:
      return kReadError;
  }
  int16_t newKind = PositionEntryKind(position.positionType);
  // The first entry must stay a fix, or the log could not be opened again.
  if (newKind < 0 || (offset == 0 && newKind != kEntryFix)) {
    return kTypeNotStorable;
  }
  PositionEntryBytes oldBytes;
  if (!ReadExactlyAt(log.descriptor, offset, oldBytes)) {
    return kReadError;
  }
  PositionEntry entry = DecodePositionEntry(oldBytes);
  entry.correctionCount = BumpedCorrectionCount(entry.correctionCount);
  entry.entryKind = newKind;
  CopyPositionData(position, entry);
  PositionEntryBytes newBytes;
  EncodePositionEntry(entry, newBytes);
  if (!RewriteEntry(log, offset, oldBytes, newBytes)) {
    return kWriteError;
  }
  MoveIndexedEntry(log, offset, kind, newKind, lastBefore);
  return kStatusOk;
}

EngineStatus CorrectSightEntry(EventLog& owner, EventLogOffset offset,
                               const ObservationRecord& sight) {
  LogState& log = EventLogAccess::Of(owner);
  constexpr EngineStatus kNotASight = 1;
  constexpr EngineStatus kReadError = 2;
  constexpr EngineStatus kWriteError = 3;
  int16_t kind = 0;
  KindOffsets lastBefore;
  switch (LocateTarget(log, offset, IsLiveSightKind, kind, lastBefore)) {
    case Target::kFound:
      break;
    case Target::kWrongKind:
      return kNotASight;
    case Target::kUnreadable:
    case Target::kCorrupt:
      return kReadError;
  }
  SightEntryBytes oldBytes;
  if (!ReadExactlyAt(log.descriptor, offset, oldBytes)) {
    return kReadError;
  }
  SightEntry entry = DecodeSightEntry(oldBytes);
  entry.correctionCount = BumpedCorrectionCount(entry.correctionCount);
  CopySightData(sight, entry);
  SightEntryBytes newBytes;
  EncodeSightEntry(entry, newBytes);
  return RewriteEntry(log, offset, oldBytes, newBytes) ? kStatusOk : kWriteError;
}

namespace {

// The statuses of a deletion; their numbers differ between positions and sights.
struct DeletionStatuses {
  EngineStatus wrongKind;
  EngineStatus readError;
  EngineStatus writeError;
  EngineStatus badKindWord;
};

// Adds the deletion shift to the kind words of the live entry of N bytes at
// offset (its data stay) and keeps the index what a fresh open would build.
template <size_t N>
EngineStatus DeleteEntry(LogState& log, EventLogOffset offset, bool (*isLiveKind)(int16_t),
                         const DeletionStatuses& status) {
  int16_t kind = 0;
  KindOffsets lastBefore;
  switch (LocateTarget(log, offset, isLiveKind, kind, lastBefore)) {
    case Target::kFound:
      break;
    case Target::kWrongKind:
      return status.wrongKind;
    case Target::kCorrupt:
      return status.badKindWord;
    case Target::kUnreadable:
      return status.readError;
  }
  std::array<uint8_t, N> oldBytes;
  if (!ReadExactlyAt(log.descriptor, offset, oldBytes)) {
    return status.readError;
  }
  const int16_t deletedKind = static_cast<int16_t>(kind + kDeletedKindShift);
  std::array<uint8_t, N> newBytes = oldBytes;
  SetEntryKind(deletedKind, newBytes.data(), static_cast<int>(N));
  if (!RewriteEntry(log, offset, oldBytes, newBytes)) {
    return status.writeError;
  }
  MoveIndexedEntry(log, offset, kind, deletedKind, lastBefore);
  return kStatusOk;
}

}  // namespace

EngineStatus DeletePositionEntry(EventLog& owner, EventLogOffset offset) {
  constexpr EngineStatus kInitialFix = 1;
  if (offset == 0) {
    return kInitialFix;
  }
  return DeleteEntry<kPositionEntryLength>(
      EventLogAccess::Of(owner), offset, IsLivePositionKind,
      {.wrongKind = 2, .readError = 3, .writeError = 4, .badKindWord = 5});
}

EngineStatus DeleteSightEntry(EventLog& owner, EventLogOffset offset) {
  return DeleteEntry<kSightEntryLength>(
      EventLogAccess::Of(owner), offset, IsLiveSightKind,
      {.wrongKind = 1, .readError = 2, .writeError = 3, .badKindWord = 4});
}

EngineStatus ReadReferencePosition(EventLog& owner, int16_t which, PositionRecord& position) {
  const LogState& log = EventLogAccess::Of(owner);
  constexpr EngineStatus kBadWhich = 1;
  constexpr EngineStatus kNoEntry = 2;
  constexpr EngineStatus kReadError = 3;
  if (which != kLatestPosition && which != kLastFix) {
    return kBadWhich;
  }
  if (!IsOpen(log)) {
    return kReadError;
  }
  EventLogOffset offset = log.lastOffset[kEntryFix];
  if (which == kLatestPosition) {
    offset = std::max(offset, log.lastOffset[kEntryDrUpdate]);
  }
  if (offset < 0) {
    return kNoEntry;
  }
  PositionEntry entry;
  if (!ReadPositionEntry(log, offset, entry) || entry.entryKind >= kEntryDeletedFix) {
    return kReadError;
  }
  position = PositionRecordFromEntry(entry);
  return kStatusOk;
}

EngineStatus CountSinceLastFix(EventLog& owner, int32_t& positions, int32_t& sights) {
  const LogState& log = EventLogAccess::Of(owner);
  constexpr EngineStatus kReadError = 1;
  positions = 0;
  sights = 0;
  if (!IsOpen(log)) {
    return kReadError;
  }
  EventLogOffset fix = log.lastOffset[kEntryFix];
  if (fix < 0) {
    return kStatusOk;
  }
  int64_t fileSize = 0;
  int16_t kind = 0;
  if (!GetFileSize(log.descriptor, fileSize) ||
      CheckEntryAt(log.descriptor, fix, fileSize, kind) != EntryCheck::kValid ||
      kind != kEntryFix) {
    return kReadError;
  }
  int32_t positionCount = 1;
  int32_t sightCount = 0;
  constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();
  for (EventLogOffset at = fix + kPositionEntryLength; at < fileSize; at += EntryLength(kind)) {
    if (CheckEntryAt(log.descriptor, at, fileSize, kind) != EntryCheck::kValid ||
        positionCount == kMaxCount || sightCount == kMaxCount) {
      return kReadError;
    }
    positionCount += kind == kEntryDrUpdate ? 1 : 0;
    sightCount += kind == kEntrySight ? 1 : 0;
  }
  positions = positionCount;
  sights = sightCount;
  return kStatusOk;
}

EngineStatus ReadSinceLastFix(EventLog& owner, std::span<ObservationRecord> sights,
                              std::span<EventLogOffset> sightOffsets,
                              std::span<PositionRecord> positions,
                              std::span<EventLogOffset> positionOffsets, int32_t& sightCount,
                              int32_t& positionCount) {
  const LogState& log = EventLogAccess::Of(owner);
  constexpr EngineStatus kNoFix = 1;
  constexpr EngineStatus kFixUnreadable = 2;
  constexpr EngineStatus kBadKindWord = 3;
  constexpr EngineStatus kTooManyPositions = 4;
  constexpr EngineStatus kTooManySights = 5;
  sightCount = 0;
  positionCount = 0;
  size_t sightCapacity = std::min(sights.size(), sightOffsets.size());
  size_t positionCapacity = std::min(positions.size(), positionOffsets.size());
  if (!IsOpen(log)) {
    return kFixUnreadable;
  }
  EventLogOffset fix = log.lastOffset[kEntryFix];
  if (fix < 0) {
    return kNoFix;
  }
  PositionEntry fixEntry;
  if (!ReadPositionEntry(log, fix, fixEntry) || fixEntry.entryKind != kEntryFix) {
    return kFixUnreadable;
  }
  if (positionCapacity == 0) {
    return kTooManyPositions;
  }
  positions[0] = PositionRecordFromEntry(fixEntry);
  positionOffsets[0] = fix;
  size_t positionsRead = 1;
  size_t sightsRead = 0;
  uint16_t leg = 0;
  int64_t fileSize = 0;
  if (!GetFileSize(log.descriptor, fileSize)) {
    return kBadKindWord;
  }
  int16_t kind = 0;
  for (EventLogOffset at = fix + kPositionEntryLength; at < fileSize; at += EntryLength(kind)) {
    if (CheckEntryAt(log.descriptor, at, fileSize, kind) != EntryCheck::kValid ||
        kind == kEntryFix) {
      return kBadKindWord;
    }
    if (kind == kEntryDrUpdate) {
      PositionEntry entry;
      if (positionsRead == positionCapacity) {
        return kTooManyPositions;
      }
      if (!ReadPositionEntry(log, at, entry)) {
        return kBadKindWord;
      }
      positions[positionsRead] = PositionRecordFromEntry(entry);
      positionOffsets[positionsRead] = at;
      ++positionsRead;
      ++leg;
    } else if (kind == kEntrySight) {
      SightEntry entry;
      if (sightsRead == sightCapacity) {
        return kTooManySights;
      }
      if (!ReadSightEntry(log, at, entry)) {
        return kBadKindWord;
      }
      sights[sightsRead] = ObservationRecordFromEntry(entry, leg);
      sightOffsets[sightsRead] = at;
      ++sightsRead;
    }
  }
  sightCount = static_cast<int32_t>(sightsRead);
  positionCount = static_cast<int32_t>(positionsRead);
  return kStatusOk;
}

bool IsInitialFixReference(const EventLog& owner) {
  const LogState& log = EventLogAccess::Of(owner);
  return IsOpen(log) && log.lastOffset[kEntryFix] == 0;
}

}  // namespace navora
