#pragma once

#include <array>
#include <cstdint>

#include "engine/common/ObservationRecord.h"
#include "engine/common/PositionRecord.h"

namespace navora {

// The stored form of event-log entries: little-endian fields, each entry
// starting and ending with its 16-bit kind so that the file can be walked in
// both directions. Lengths and field offsets in bytes; times Julian dates
// (UTC), angles degrees, speeds knots, height of eye metres, index correction
// degrees. Stored values round-trip bit for bit; a sight's sigma is stored
// as its quality code (1 Good, 2 Average, 3 Poor).

inline constexpr int16_t kEntryFix = 0;
inline constexpr int16_t kEntryDrUpdate = 1;
inline constexpr int16_t kEntrySight = 2;
inline constexpr int16_t kEntryDeletedFix = 3;
inline constexpr int16_t kEntryDeletedDrUpdate = 4;
inline constexpr int16_t kEntryDeletedSight = 5;
inline constexpr int16_t kEntryKindCount = 6;
inline constexpr int16_t kDeletedKindShift = 3;  // deleting adds this to the kind

inline constexpr int kKindWordLength = 2;
inline constexpr int kPositionEntryLength = 72;
inline constexpr int kSightEntryLength = 88;

using PositionEntryBytes = std::array<uint8_t, kPositionEntryLength>;
using SightEntryBytes = std::array<uint8_t, kSightEntryLength>;

struct PositionEntry {
  int16_t entryKind = kEntryFix;
  int16_t positionType = 0;
  uint32_t sequenceNumber = 0;
  double time = 0.0;
  double latitude = 0.0;
  double longitude = 0.0;
  double course = 0.0;
  double speed = 0.0;  // knots
  double set = 0.0;
  double drift = 0.0;  // knots
  uint16_t correctionCount = 0;
};

struct SightEntry {
  int16_t entryKind = kEntrySight;
  uint32_t sequenceNumber = 0;
  uint16_t bodyCode = 0;
  uint16_t starNumber = 0;
  double time = 0.0;
  double ut1MinusUtc = 0.0;
  double hs = 0.0;
  double temperature = 0.0;
  double pressure = 0.0;
  double spare = 0.0;
  double heightOfEye = 0.0;
  double indexCorrection = 0.0;
  uint16_t qualityCode = 0;
  uint16_t correctionCount = 0;
};

bool IsValidEntryKind(int16_t kind);

// Entry length in bytes of a valid kind.
int EntryLength(int16_t kind);

// Kind of a fix or DR-update entry for a position type; -1 when the type
// cannot be stored.
int16_t PositionEntryKind(uint16_t positionType);

int16_t DecodeKindWord(const uint8_t* bytes);
void EncodeKindWord(int16_t kind, uint8_t* bytes);

// Writes the kind at both ends of an encoded entry of the given length.
void SetEntryKind(int16_t kind, uint8_t* entry, int length);

void EncodePositionEntry(const PositionEntry& entry, PositionEntryBytes& bytes);
PositionEntry DecodePositionEntry(const PositionEntryBytes& bytes);
void EncodeSightEntry(const SightEntry& entry, SightEntryBytes& bytes);
SightEntry DecodeSightEntry(const SightEntryBytes& bytes);

// Copies the data fields of a record into an entry; kind, sequence number
// and correction count are left to the caller.
void CopyPositionData(const PositionRecord& position, PositionEntry& entry);
void CopySightData(const ObservationRecord& sight, SightEntry& entry);

// Records as read from the log: positions move by rhumb line (motion mode 1).
PositionRecord PositionRecordFromEntry(const PositionEntry& entry);
ObservationRecord ObservationRecordFromEntry(const SightEntry& entry, uint16_t legIndex);

}  // namespace navora
