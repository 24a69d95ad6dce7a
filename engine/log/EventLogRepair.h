#pragma once

#include <cstdint>
#include <string>

#include "engine/common/EngineStatus.h"
#include "engine/log/EventLog.h"

namespace navora {

// Explains why an event log does not open and makes a torn one whole again.
//
// A power loss or a killed process during an append can leave the file
// ending in part of an entry: a torn tail. Every entry before it was
// acknowledged whole (written and synced) and stays valid. The tail is torn
// when it is shorter than the entry its first kind word announces (or than
// the shortest entry, 72 bytes, when that word is not a kind), unless it is
// exactly 72 bytes ending in a fix or DR-update kind (a whole entry with a
// damaged first word, in doubt). Any other damage (a bad or mismatched kind
// word with room for a whole entry, or a first entry that is not a fix) is
// not a tear and is never cut.
// Offsets and sizes are in bytes from the start of the file.

enum class EventLogShape {
  kWhole,     // a run of whole entries to the end (or empty), first a fix
  kTornTail,  // whole entries, then a torn tail
  kDamaged,   // anything else
};

struct EventLogExtent {
  int64_t fileSize = 0;
  int64_t wholeEnd = 0;      // where the whole entries from offset 0 end
  int32_t wholeEntries = 0;  // whole entries before wholeEnd
  EventLogShape shape = EventLogShape::kWhole;
};

// Reads the log's file (never creating or changing it) and tells where its
// whole entries end. The log itself may be open or closed.
// 1 the file is missing or cannot be read.
[[nodiscard]] EngineStatus InspectEventLog(const EventLog& log, EventLogExtent& extent);

// The copy of a torn log is "navora.evt.torn-<n>" beside it, n the first
// free number from 1 to kMaxTornCopies.
inline constexpr char kTornCopySuffix[] = ".torn-";
inline constexpr int kMaxTornCopies = 9999;

struct EventLogRepair {
  int32_t keptEntries = 0;
  int64_t keptBytes = 0;  // also the offset where the cut starts
  int64_t cutBytes = 0;   // 0 when the log was whole
  std::string copyPath;   // empty when nothing was cut
};

// Closes the log, then makes its file whole: a torn tail is first copied,
// whole and synced, to the next free "navora.evt.torn-<n>", and only then cut
// off (truncate and sync). A whole log is left untouched (0, cutBytes 0).
// The caller opens the log again afterwards.
// 1 the file is missing or cannot be read or opened for update;
// 2 the damage is not a torn tail: nothing is changed;
// 3 the copy could not be written and synced (or every copy name is taken):
//   nothing is cut and a partial copy is removed;
// 4 the cut failed: the copy stays and the file may still end in the tail.
[[nodiscard]] EngineStatus RepairEventLog(EventLog& log, EventLogRepair& result);

}  // namespace navora
