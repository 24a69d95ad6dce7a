#include "engine/log/EventLogRepair.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "engine/log/EventLogFile.h"
#include "engine/log/EventLogScan.h"

namespace navora {

namespace {

constexpr EngineStatus kUnreadable = 1;
constexpr EngineStatus kNotATornTail = 2;
constexpr EngineStatus kCopyFailed = 3;
constexpr EngineStatus kCutFailed = 4;

constexpr size_t kCopyChunkBytes = 64 * 1024;

// Closes the descriptor on every path out.
class ScopedDescriptor {
 public:
  explicit ScopedDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~ScopedDescriptor() { CloseFile(descriptor_); }
  ScopedDescriptor(const ScopedDescriptor&) = delete;
  ScopedDescriptor& operator=(const ScopedDescriptor&) = delete;
  int get() const { return descriptor_; }

 private:
  int descriptor_;
};

// The kind word at offset when it can be read and is valid, else -1.
int16_t ValidKindAt(int descriptor, int64_t offset) {
  uint8_t word[kKindWordLength];
  if (!ReadExactlyAt(descriptor, offset, word) || !IsValidEntryKind(DecodeKindWord(word))) {
    return -1;
  }
  return DecodeKindWord(word);
}

// A tail shorter than the entry it starts can only be the beginning of an
// append that never completed; with room for a whole entry it is damage.
// A tail of exactly one position entry that ends in a position kind may be
// such an entry with a damaged first word: in doubt it is not cut.
bool IsTornTail(int descriptor, int64_t fileSize, int64_t wholeEnd) {
  const int64_t tail = fileSize - wholeEnd;
  const int16_t first = tail >= kKindWordLength ? ValidKindAt(descriptor, wholeEnd) : -1;
  const int64_t announced = first >= 0 ? EntryLength(first) : kPositionEntryLength;
  if (tail == kPositionEntryLength) {
    const int16_t last = ValidKindAt(descriptor, fileSize - kKindWordLength);
    if (last >= 0 && EntryLength(last) == kPositionEntryLength) {
      return false;
    }
  }
  return tail < announced;
}

bool Inspect(int descriptor, EventLogExtent& extent) {
  extent = EventLogExtent{};
  WholeEntryRun run;
  if (!GetFileSize(descriptor, extent.fileSize) ||
      !WalkWholeEntries(descriptor, extent.fileSize, run)) {
    return false;
  }
  extent.wholeEnd = run.end;
  extent.wholeEntries = run.count;
  if (run.count > 0 && run.firstKind != kEntryFix) {
    extent.shape = EventLogShape::kDamaged;
  } else if (run.end == extent.fileSize) {
    extent.shape = EventLogShape::kWhole;
  } else {
    extent.shape = IsTornTail(descriptor, extent.fileSize, run.end) ? EventLogShape::kTornTail
                                                                    : EventLogShape::kDamaged;
  }
  return true;
}

// Copies size bytes into a new file and syncs it and its directory entry.
bool CopyDurably(int source, int64_t size, int target, const char* targetPath) {
  std::array<uint8_t, kCopyChunkBytes> chunk;
  for (int64_t at = 0; at < size;) {
    const size_t count = static_cast<size_t>(std::min<int64_t>(size - at, kCopyChunkBytes));
    std::span<uint8_t> bytes(chunk.data(), count);
    if (!ReadExactlyAt(source, at, bytes) || !WriteDurablyAt(target, at, bytes)) {
      return false;
    }
    at += static_cast<int64_t>(count);
  }
  return SyncParentDirectory(targetPath);
}

// The whole file, as it is, under the first free "<path>.torn-<n>".
EngineStatus CopyToFreeName(int source, int64_t size, const std::string& path,
                            std::string& copyPath) {
  for (int n = 1; n <= kMaxTornCopies; ++n) {
    char suffix[sizeof kTornCopySuffix + 8];
    std::snprintf(suffix, sizeof suffix, "%s%d", kTornCopySuffix, n);
    const std::string candidate = path + suffix;
    bool taken = false;
    ScopedDescriptor copy(CreateNewFile(candidate.c_str(), taken));
    if (taken) {
      continue;
    }
    if (copy.get() < 0) {
      return kCopyFailed;
    }
    if (!CopyDurably(source, size, copy.get(), candidate.c_str())) {
      RemoveFile(candidate.c_str());
      return kCopyFailed;
    }
    copyPath = candidate;
    return kStatusOk;
  }
  return kCopyFailed;
}

}  // namespace

EngineStatus InspectEventLog(const EventLog& log, EventLogExtent& extent) {
  ScopedDescriptor file(OpenFileForReading(EventLogPath(log).c_str()));
  return file.get() >= 0 && Inspect(file.get(), extent) ? kStatusOk : kUnreadable;
}

EngineStatus RepairEventLog(EventLog& log, EventLogRepair& result) {
  result = EventLogRepair{};
  CloseEventLog(log);
  const std::string path = EventLogPath(log);
  ScopedDescriptor file(OpenExistingFileForUpdate(path.c_str()));
  EventLogExtent extent;
  if (file.get() < 0 || !Inspect(file.get(), extent)) {
    return kUnreadable;
  }
  result.keptEntries = extent.wholeEntries;
  result.keptBytes = extent.wholeEnd;
  if (extent.shape == EventLogShape::kWhole) {
    return kStatusOk;
  }
  if (extent.shape == EventLogShape::kDamaged) {
    return kNotATornTail;
  }
  const EngineStatus copied = CopyToFreeName(file.get(), extent.fileSize, path, result.copyPath);
  if (copied != kStatusOk) {
    return copied;
  }
  if (!TruncateDurably(file.get(), extent.wholeEnd)) {
    return kCutFailed;
  }
  result.cutBytes = extent.fileSize - extent.wholeEnd;
  return kStatusOk;
}

}  // namespace navora
