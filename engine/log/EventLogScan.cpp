#include "engine/log/EventLogScan.h"

#include "engine/log/EventLogFile.h"

namespace navora {

EntryCheck CheckEntryAt(int descriptor, EventLogOffset offset, int64_t fileSize, int16_t& kind) {
  uint8_t word[kKindWordLength];
  if (fileSize - offset < kKindWordLength) {
    return EntryCheck::kCorrupt;
  }
  if (!ReadExactlyAt(descriptor, offset, word)) {
    return EntryCheck::kReadError;
  }
  kind = DecodeKindWord(word);
  if (!IsValidEntryKind(kind) || fileSize - offset < EntryLength(kind)) {
    return EntryCheck::kCorrupt;
  }
  if (!ReadExactlyAt(descriptor, offset + EntryLength(kind) - kKindWordLength, word)) {
    return EntryCheck::kReadError;
  }
  return DecodeKindWord(word) == kind ? EntryCheck::kValid : EntryCheck::kCorrupt;
}

bool WalkWholeEntries(int descriptor, int64_t fileSize, WholeEntryRun& run) {
  run = WholeEntryRun{};
  while (run.end < fileSize) {
    int16_t kind = 0;
    EntryCheck check = CheckEntryAt(descriptor, run.end, fileSize, kind);
    if (check == EntryCheck::kReadError) {
      return false;
    }
    if (check == EntryCheck::kCorrupt) {
      return true;
    }
    if (run.count == 0) {
      run.firstKind = kind;
    }
    run.lastOffset[kind] = run.end;
    run.lastEntry = run.end;
    run.lastKind = kind;
    ++run.count;
    run.end += EntryLength(kind);
  }
  return true;
}

}  // namespace navora
