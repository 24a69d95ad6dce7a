#include "engine/log/EventLogListing.h"

#include "engine/log/EventLogFile.h"
#include "engine/log/EventLogScan.h"

namespace navora {

namespace {

constexpr EngineStatus kUnreadable = 1;
constexpr EngineStatus kNotWhole = 2;

bool ReadListingEntry(int descriptor, EventLogOffset offset, int16_t kind,
                      EventLogListingEntry& listed) {
  listed = EventLogListingEntry{};
  listed.offset = offset;
  listed.kind = kind;
  if (IsSightKind(kind)) {
    SightEntryBytes bytes;
    if (!ReadExactlyAt(descriptor, offset, bytes)) {
      return false;
    }
    const SightEntry sight = DecodeSightEntry(bytes);
    listed.sequenceNumber = sight.sequenceNumber;
    listed.time = sight.time;
    listed.bodyCode = sight.bodyCode;
    listed.starNumber = sight.starNumber;
    return true;
  }
  PositionEntryBytes bytes;
  if (!ReadExactlyAt(descriptor, offset, bytes)) {
    return false;
  }
  const PositionEntry position = DecodePositionEntry(bytes);
  listed.sequenceNumber = position.sequenceNumber;
  listed.time = position.time;
  listed.positionType = static_cast<uint16_t>(position.positionType);
  listed.latitude = position.latitude;
  listed.longitude = position.longitude;
  return true;
}

}  // namespace

bool IsSightKind(int16_t kind) { return kind == kEntrySight || kind == kEntryDeletedSight; }

EngineStatus ListEventLogEntries(const EventLog& log, std::vector<EventLogListingEntry>& entries,
                                 int64_t& wholeEnd) {
  entries.clear();
  wholeEnd = 0;
  const int descriptor = OpenFileForReading(EventLogPath(log).c_str());
  int64_t fileSize = 0;
  EngineStatus status =
      descriptor >= 0 && GetFileSize(descriptor, fileSize) ? kStatusOk : kUnreadable;
  while (status == kStatusOk && wholeEnd < fileSize) {
    int16_t kind = 0;
    const EntryCheck check = CheckEntryAt(descriptor, wholeEnd, fileSize, kind);
    EventLogListingEntry listed;
    if (check == EntryCheck::kCorrupt) {
      status = kNotWhole;
    } else if (check == EntryCheck::kReadError ||
               !ReadListingEntry(descriptor, wholeEnd, kind, listed)) {
      status = kUnreadable;
    } else {
      entries.push_back(listed);
      wholeEnd += EntryLength(kind);
    }
  }
  CloseFile(descriptor);
  return status;
}

}  // namespace navora
