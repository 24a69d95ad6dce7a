#include "engine/log/EventLogEntryFormat.h"

#include <bit>

namespace navora {

namespace {

// Little-endian field access at a byte offset of an entry.
uint16_t GetU16(const uint8_t* bytes, int at) {
  return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

uint32_t GetU32(const uint8_t* bytes, int at) {
  return static_cast<uint32_t>(GetU16(bytes, at)) |
         (static_cast<uint32_t>(GetU16(bytes, at + 2)) << 16);
}

double GetF64(const uint8_t* bytes, int at) {
  uint64_t bits = static_cast<uint64_t>(GetU32(bytes, at)) |
                  (static_cast<uint64_t>(GetU32(bytes, at + 4)) << 32);
  return std::bit_cast<double>(bits);
}

void PutU16(uint16_t value, uint8_t* bytes, int at) {
  bytes[at] = static_cast<uint8_t>(value & 0xFF);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(uint32_t value, uint8_t* bytes, int at) {
  PutU16(static_cast<uint16_t>(value & 0xFFFF), bytes, at);
  PutU16(static_cast<uint16_t>(value >> 16), bytes, at + 2);
}

void PutF64(double value, uint8_t* bytes, int at) {
  uint64_t bits = std::bit_cast<uint64_t>(value);
  PutU32(static_cast<uint32_t>(bits & 0xFFFFFFFFu), bytes, at);
  PutU32(static_cast<uint32_t>(bits >> 32), bytes, at + 4);
}

// Field offsets of a position entry.
constexpr int kPosType = 2;
constexpr int kPosSequence = 4;
constexpr int kPosTime = 8;
constexpr int kPosLatitude = 16;
constexpr int kPosLongitude = 24;
constexpr int kPosCourse = 32;
constexpr int kPosSpeed = 40;
constexpr int kPosSet = 48;
constexpr int kPosDrift = 56;
constexpr int kPosCorrections = 64;

// Field offsets of a sight entry.
constexpr int kSightSequence = 4;
constexpr int kSightBody = 8;
constexpr int kSightStar = 10;
constexpr int kSightTime = 16;
constexpr int kSightUt1MinusUtc = 24;
constexpr int kSightHs = 32;
constexpr int kSightTemperature = 40;
constexpr int kSightPressure = 48;
constexpr int kSightSpare = 56;
constexpr int kSightHeightOfEye = 64;
constexpr int kSightIndexCorrection = 72;
constexpr int kSightQuality = 80;
constexpr int kSightCorrections = 82;

}  // namespace

bool IsValidEntryKind(int16_t kind) { return kind >= kEntryFix && kind < kEntryKindCount; }

int EntryLength(int16_t kind) {
  bool isSight = kind == kEntrySight || kind == kEntryDeletedSight;
  return isSight ? kSightEntryLength : kPositionEntryLength;
}

int16_t PositionEntryKind(uint16_t positionType) {
  switch (positionType) {
    case kPositionCelestialFix:
    case kPositionExternalFix:
      return kEntryFix;
    case kPositionDr:
      return kEntryDrUpdate;
    default:
      return -1;
  }
}

int16_t DecodeKindWord(const uint8_t* bytes) { return static_cast<int16_t>(GetU16(bytes, 0)); }

void EncodeKindWord(int16_t kind, uint8_t* bytes) {
  PutU16(static_cast<uint16_t>(kind), bytes, 0);
}

void SetEntryKind(int16_t kind, uint8_t* entry, int length) {
  EncodeKindWord(kind, entry);
  EncodeKindWord(kind, entry + length - kKindWordLength);
}

void EncodePositionEntry(const PositionEntry& entry, PositionEntryBytes& bytes) {
  bytes.fill(0);  // also the reserved bytes
  uint8_t* b = bytes.data();
  SetEntryKind(entry.entryKind, b, kPositionEntryLength);
  PutU16(static_cast<uint16_t>(entry.positionType), b, kPosType);
  PutU32(entry.sequenceNumber, b, kPosSequence);
  PutF64(entry.time, b, kPosTime);
  PutF64(entry.latitude, b, kPosLatitude);
  PutF64(entry.longitude, b, kPosLongitude);
  PutF64(entry.course, b, kPosCourse);
  PutF64(entry.speed, b, kPosSpeed);
  PutF64(entry.set, b, kPosSet);
  PutF64(entry.drift, b, kPosDrift);
  PutU16(entry.correctionCount, b, kPosCorrections);
}

PositionEntry DecodePositionEntry(const PositionEntryBytes& bytes) {
  const uint8_t* b = bytes.data();
  PositionEntry entry;
  entry.entryKind = DecodeKindWord(b);
  entry.positionType = static_cast<int16_t>(GetU16(b, kPosType));
  entry.sequenceNumber = GetU32(b, kPosSequence);
  entry.time = GetF64(b, kPosTime);
  entry.latitude = GetF64(b, kPosLatitude);
  entry.longitude = GetF64(b, kPosLongitude);
  entry.course = GetF64(b, kPosCourse);
  entry.speed = GetF64(b, kPosSpeed);
  entry.set = GetF64(b, kPosSet);
  entry.drift = GetF64(b, kPosDrift);
  entry.correctionCount = GetU16(b, kPosCorrections);
  return entry;
}

void EncodeSightEntry(const SightEntry& entry, SightEntryBytes& bytes) {
  bytes.fill(0);  // also the word after the kind and the reserved bytes
  uint8_t* b = bytes.data();
  SetEntryKind(entry.entryKind, b, kSightEntryLength);
  PutU32(entry.sequenceNumber, b, kSightSequence);
  PutU16(entry.bodyCode, b, kSightBody);
  PutU16(entry.starNumber, b, kSightStar);
  PutF64(entry.time, b, kSightTime);
  PutF64(entry.ut1MinusUtc, b, kSightUt1MinusUtc);
  PutF64(entry.hs, b, kSightHs);
  PutF64(entry.temperature, b, kSightTemperature);
  PutF64(entry.pressure, b, kSightPressure);
  PutF64(entry.spare, b, kSightSpare);
  PutF64(entry.heightOfEye, b, kSightHeightOfEye);
  PutF64(entry.indexCorrection, b, kSightIndexCorrection);
  PutU16(entry.qualityCode, b, kSightQuality);
  PutU16(entry.correctionCount, b, kSightCorrections);
}

SightEntry DecodeSightEntry(const SightEntryBytes& bytes) {
  const uint8_t* b = bytes.data();
  SightEntry entry;
  entry.entryKind = DecodeKindWord(b);
  entry.sequenceNumber = GetU32(b, kSightSequence);
  entry.bodyCode = GetU16(b, kSightBody);
  entry.starNumber = GetU16(b, kSightStar);
  entry.time = GetF64(b, kSightTime);
  entry.ut1MinusUtc = GetF64(b, kSightUt1MinusUtc);
  entry.hs = GetF64(b, kSightHs);
  entry.temperature = GetF64(b, kSightTemperature);
  entry.pressure = GetF64(b, kSightPressure);
  entry.spare = GetF64(b, kSightSpare);
  entry.heightOfEye = GetF64(b, kSightHeightOfEye);
  entry.indexCorrection = GetF64(b, kSightIndexCorrection);
  entry.qualityCode = GetU16(b, kSightQuality);
  entry.correctionCount = GetU16(b, kSightCorrections);
  return entry;
}

void CopyPositionData(const PositionRecord& position, PositionEntry& entry) {
  entry.positionType = static_cast<int16_t>(position.positionType);
  entry.time = position.time;
  entry.latitude = position.latitude;
  entry.longitude = position.longitude;
  entry.course = position.course;
  entry.speed = position.speed;
  entry.set = position.set;
  entry.drift = position.drift;
}

void CopySightData(const ObservationRecord& sight, SightEntry& entry) {
  entry.bodyCode = sight.bodyCode;
  entry.starNumber = sight.starNumber;
  entry.time = sight.time;
  entry.ut1MinusUtc = sight.ut1MinusUtc;
  entry.hs = sight.hs;
  entry.temperature = sight.temperature;
  entry.pressure = sight.pressure;
  entry.spare = sight.spare;
  entry.heightOfEye = sight.heightOfEye;
  entry.indexCorrection = sight.indexCorrection;
  entry.qualityCode = QualityCodeFromSigma(sight.sigma);
}

PositionRecord PositionRecordFromEntry(const PositionEntry& entry) {
  return MakePositionRecord(kMotionRhumbLine, static_cast<uint16_t>(entry.positionType),
                            entry.time, entry.latitude, entry.longitude, entry.course,
                            entry.speed, entry.set, entry.drift);
}

ObservationRecord ObservationRecordFromEntry(const SightEntry& entry, uint16_t legIndex) {
  return MakeObservationRecord(legIndex, entry.bodyCode, entry.starNumber, entry.time,
                               entry.ut1MinusUtc, entry.temperature, entry.pressure,
                               entry.spare, entry.hs, entry.indexCorrection,
                               entry.heightOfEye, entry.qualityCode);
}

}  // namespace navora
