#pragma once

#include <cstdint>

#include "engine/log/EventLog.h"

namespace navora {

// The structural check shared by opening, inspecting and repairing an event
// log: which bytes of the file form an unbroken run of whole entries from
// offset 0. Offsets and sizes in bytes. An entry is whole when its kind word
// is 0..5, its length fits in the file and the same kind word ends it; its
// data fields are not judged.

enum class EntryCheck { kValid, kCorrupt, kReadError };

// Checks the entry that starts at offset; kind receives its first kind word.
EntryCheck CheckEntryAt(int descriptor, EventLogOffset offset, int64_t fileSize, int16_t& kind);

// The run of whole entries from offset 0 up to the first entry that is not.
struct WholeEntryRun {
  int64_t end = 0;                         // bytes; equals the file size when all are whole
  int32_t count = 0;                       // entries in the run
  int16_t firstKind = kEntryFix;           // kind of the entry at 0, when count > 0
  EventLogOffset lastEntry = kNoEventLogEntry;
  int16_t lastKind = kEntryFix;            // kind of lastEntry
  EventLogKindOffsets lastOffset = {-1, -1, -1, -1, -1, -1};  // per kind, in the run
};

// Walks the file forward from its start. False only on a read error.
bool WalkWholeEntries(int descriptor, int64_t fileSize, WholeEntryRun& run);

}  // namespace navora
