#include "engine/ephemeris/EphemerisTable.h"

#include "engine/ephemeris/EphemerisReader.h"

namespace navora {
namespace {

// The status a date check gives for an OpenEphemerisFile status.
constexpr EngineStatus kFileNotOpened = 11;
constexpr EngineStatus kHeaderStatusBase = 10;

bool CoversWithMargin(const EphemerisTableEntry& entry, double jd) {
  return entry.firstJd + kEphemerisMarginDays <= jd && jd <= entry.lastJd - kEphemerisMarginDays;
}

EngineStatus OpenEntry(EphemerisTable& table, int index) {
  EphemerisTableEntry& entry = table.entries[static_cast<size_t>(index)];
  const EngineStatus status =
      table.reader.OpenEphemerisFile(entry.fileName.c_str(), entry.firstJd, entry.lastJd);
  table.currentEphemeris = index;
  table.openStatus = status;
  return status;
}

}  // namespace

EphemerisTable::EphemerisTable(const std::string& directory)
    : entries{EphemerisTableEntry{directory + kDefaultEphemerisFileName, 0.0, 0.0}} {}

EngineStatus OpenDefaultEphemeris(EphemerisTable& table) {
  if (table.entries.empty()) return 1;
  const EngineStatus status = OpenEntry(table, 0);
  if (status == kStatusOk) table.ephemerisAvailable = 1;
  return status;
}

EngineStatus SelectEphemerisForDate(EphemerisTable& table, double jd) {
  if (table.ephemerisAvailable == 0) return 1;
  if (!(jd >= kFirstSupportedJd && jd <= kLastSupportedJd)) return 2;
  const auto current = static_cast<size_t>(table.currentEphemeris);
  if (table.openStatus == kStatusOk && current < table.entries.size() &&
      CoversWithMargin(table.entries[current], jd)) {
    return kStatusOk;
  }
  for (size_t index = 0; index < table.entries.size(); ++index) {
    if (!CoversWithMargin(table.entries[index], jd)) continue;
    const EngineStatus status = OpenEntry(table, static_cast<int>(index));
    if (status == kStatusOk) return kStatusOk;
    return status == 1 ? kFileNotOpened : static_cast<EngineStatus>(kHeaderStatusBase + status);
  }
  return 3;
}

}  // namespace navora
