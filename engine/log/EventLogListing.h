#pragma once

#include <cstdint>
#include <vector>

#include "engine/common/EngineStatus.h"
#include "engine/log/EventLog.h"

namespace navora {

// Every entry of an event log file in file order, deleted ones included, as
// the log windows and the command line list them. Read from the file alone:
// the log may be open or closed and is never changed. Offsets in bytes,
// times Julian dates (UTC), angles degrees.

struct EventLogListingEntry {
  EventLogOffset offset = 0;
  int16_t kind = kEntryFix;  // 0..5 (EventLogEntryFormat.h)
  uint32_t sequenceNumber = 0;
  double time = 0.0;
  uint16_t positionType = 0;  // positions only
  double latitude = 0.0;      // positions only
  double longitude = 0.0;     // positions only
  uint16_t bodyCode = 0;      // sights only
  uint16_t starNumber = 0;    // sights only
};

// True for kinds 2 and 5, whose entries are sights.
bool IsSightKind(int16_t kind);

// entries: the whole entries from offset 0; wholeEnd: where they end.
// 1 the file is missing or cannot be read; 2 the file goes on after wholeEnd
// with bytes that are not a whole entry (the entries before are listed).
[[nodiscard]] EngineStatus ListEventLogEntries(const EventLog& log,
                                               std::vector<EventLogListingEntry>& entries,
                                               int64_t& wholeEnd);

}  // namespace navora
