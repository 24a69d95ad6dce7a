#include "engine/ephemeris/EphemerisReader.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "engine/time/LittleEndianRead.h"

namespace navora {
namespace {

// File layout: an 8000-byte header, then one 8000-byte record per stepDays,
// of which the first 900 doubles hold the coefficients.
constexpr long kBlockBytes = 8000;
constexpr int kRecordCoefficients = 900;
constexpr int kTitleBytes = 3 * 84;
constexpr int kConstantNameBytes = 400 * 6;
constexpr int kConstantValueBytes = 400 * 8;
constexpr int kBodyRows = 12;
constexpr int kCoordinates = 3;
// A row's coefficients must fit in a record, which bounds the polynomial
// degree.
constexpr int kMaxCoefficientsPerCoordinate = kRecordCoefficients / kCoordinates;
// Keeps record offsets well inside a long; real files have a few thousand.
constexpr double kMaxRecords = 1.0e7;

// Rows of the body table.
constexpr int kRowEarthMoonBarycentre = 2;
constexpr int kRowMoon = 9;
constexpr int kRowSun = 10;

// Slots of the states combined: 0..8 planets (2 is the Earth), then these.
constexpr int kSlotMoon = 9;
constexpr int kSlotSun = 10;
constexpr int kSlotBarycentre = 11;
constexpr int kSlotEarth = 2;

struct BodyRow {
  int32_t offset = 0;            // 1-based position of the first coefficient in a record
  int32_t coefficientCount = 0;  // per coordinate and sub-interval
  int32_t subintervalCount = 0;
};

struct StateVectors {
  Vector3 position{};
  Vector3 velocity{};
};

// Chebyshev values at the last normalised time, kept between rows and calls
// so that rows evaluated at the same time share them.
struct ChebyshevCache {
  double positionTerms[kMaxCoefficientsPerCoordinate] = {1.0, 0.0};
  double velocityTerms[kMaxCoefficientsPerCoordinate] = {0.0, 1.0};
  int validPositionTerms = 2;
  int validVelocityTerms = 3;
  double twiceTime = 0.0;
};

}  // namespace

struct EphemerisReader::State {
  std::FILE* file = nullptr;
  double startJd = 0.0;
  double endJd = 0.0;
  double stepDays = 0.0;
  int64_t coveredRecords = 0;
  double kilometresToAu = 0.0;
  double moonFactor = 0.0;   // 1 / (1 + Earth/Moon mass ratio)
  double earthFactor = 0.0;  // ratio / (1 + ratio)
  BodyRow rows[kBodyRows];
  int64_t cachedRecord = 0;  // 0: none
  double record[kRecordCoefficients] = {};
  ChebyshevCache chebyshev;
  uint64_t recordReads = 0;
  uint64_t opens = 0;
  std::string failureReason;
};

namespace {

using ReaderState = EphemerisReader::State;

// Header fields the reader does not use are read past rather than sought
// past, so that a file cut inside them is noticed.
bool SkipBytes(std::FILE* file, int count) {
  unsigned char buffer[kConstantValueBytes];  // the longest of them
  const auto bytes = static_cast<size_t>(count);
  return bytes <= sizeof buffer && std::fread(buffer, 1, bytes, file) == bytes;
}

bool RowIsAbsent(const BodyRow& row) {
  return row.coefficientCount == 0 || row.subintervalCount == 0;
}

bool RowFitsRecord(const BodyRow& row) {
  if (RowIsAbsent(row)) return true;
  if (row.offset < 1 || row.coefficientCount < 1 || row.subintervalCount < 1 ||
      row.coefficientCount > kMaxCoefficientsPerCoordinate) {
    return false;
  }
  const int64_t end =
      int64_t{row.offset} - 1 + int64_t{kCoordinates} * row.coefficientCount * row.subintervalCount;
  return end <= kRecordCoefficients;
}

bool ReadRecordSpan(std::FILE* file, ReaderState& reader) {
  if (!ReadLittleEndianDouble(file, reader.startJd) ||
      !ReadLittleEndianDouble(file, reader.endJd) ||
      !ReadLittleEndianDouble(file, reader.stepDays)) {
    return false;
  }
  if (!std::isfinite(reader.startJd) || !std::isfinite(reader.endJd) ||
      !(reader.stepDays > 0.0 && reader.stepDays <= kMaxRecordStepDays) ||
      reader.endJd <= reader.startJd) {
    return false;
  }
  const double records = std::ceil((reader.endJd - reader.startJd) / reader.stepDays);
  if (records > kMaxRecords) return false;
  reader.coveredRecords = static_cast<int64_t>(records);
  return true;
}

bool ReadDoubleInRange(std::FILE* file, double low, double high, double& value) {
  return ReadLittleEndianDouble(file, value) && value >= low && value <= high;
}

// Reads the header fields in file order; returns the status of the first
// field that is short or not valid.
EngineStatus ReadHeader(std::FILE* file, ReaderState& reader) {
  if (!SkipBytes(file, kTitleBytes)) return 2;
  if (!SkipBytes(file, kConstantNameBytes)) return 3;
  if (!ReadRecordSpan(file, reader)) return 4;
  int32_t constantCount = 0;
  if (!ReadLittleEndianInt32(file, constantCount)) return 5;
  if (!SkipBytes(file, kConstantValueBytes)) return 6;
  double auKm = 0.0;
  if (!ReadDoubleInRange(file, kMinAuKm, kMaxAuKm, auKm)) return 7;
  double earthMoonRatio = 0.0;
  if (!ReadDoubleInRange(file, kMinEarthMoonRatio, kMaxEarthMoonRatio, earthMoonRatio)) return 8;
  for (BodyRow& row : reader.rows) {
    if (!ReadLittleEndianInt32(file, row.offset) ||
        !ReadLittleEndianInt32(file, row.coefficientCount) ||
        !ReadLittleEndianInt32(file, row.subintervalCount)) {
      return 9;
    }
  }
  // The nutation row is never evaluated, so only the body rows must fit.
  for (int row = 0; row < kBodyRows - 1; ++row) {
    if (!RowFitsRecord(reader.rows[row])) return 9;
  }
  int32_t ephemerisNumber = 0;
  if (!ReadLittleEndianInt32(file, ephemerisNumber)) return 10;

  reader.kilometresToAu = 1.0 / auKm;
  reader.moonFactor = 1.0 / (1.0 + earthMoonRatio);
  reader.earthFactor = earthMoonRatio / (1.0 + earthMoonRatio);
  return kStatusOk;
}

struct RecordTime {
  int64_t record = 0;           // 1-based
  double normalisedTime = 0.0;  // [0, 1] within the record
};

// Whole days and the day fraction are kept apart so that the offset into the
// file stays exact; the end date itself belongs to the last record.
bool LocateRecord(const ReaderState& reader, double jd, RecordTime& time) {
  if (!std::isfinite(jd)) return false;
  const double shifted = jd - 0.5;
  double wholeDays = std::trunc(shifted);
  double fraction = shifted - wholeDays;
  if (fraction < 0.0) {
    wholeDays -= 1.0;
    fraction += 1.0;
  }
  wholeDays += 0.5;
  const double carry = std::trunc(fraction);
  wholeDays += carry;
  fraction -= carry;
  if (wholeDays < reader.startJd || wholeDays + fraction > reader.endJd) return false;

  const double offsetDays = (wholeDays - reader.startJd) + fraction;
  int64_t record = static_cast<int64_t>(std::trunc(offsetDays / reader.stepDays)) + 1;
  if (record > reader.coveredRecords) record = reader.coveredRecords;
  double t = (offsetDays - static_cast<double>(record - 1) * reader.stepDays) / reader.stepDays;
  time.record = record;
  time.normalisedTime = std::fmin(std::fmax(t, 0.0), 1.0);
  return true;
}

// Sets the reason and returns the status of a refused open.
EngineStatus Refuse(ReaderState& reader, EngineStatus status, const char* format, double a,
                    double b) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b);
  reader.failureReason = text;
  return status;
}

bool ReadRecordAt(std::FILE* file, int64_t record, double (&coefficients)[kRecordCoefficients]) {
  if (std::fseek(file, static_cast<long>(record * kBlockBytes), SEEK_SET) != 0) return false;
  unsigned char bytes[kRecordCoefficients * 8];
  if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) return false;
  for (int i = 0; i < kRecordCoefficients; ++i) {
    coefficients[i] = DecodeLittleEndianDouble(bytes + 8 * i);
  }
  return true;
}

// A record is sound when it starts with the dates the header gives it and
// every coefficient is finite.
EngineStatus CheckRecord(ReaderState& reader, int64_t record,
                         const double (&coefficients)[kRecordCoefficients]) {
  const double start = reader.startJd + static_cast<double>(record - 1) * reader.stepDays;
  const double end = start + reader.stepDays;
  if (coefficients[0] != start || coefficients[1] != end) {
    return Refuse(reader, kEphemerisRecordDates,
                  "record starting at JD %.1f should start at JD %.1f", coefficients[0], start);
  }
  for (int i = 2; i < kRecordCoefficients; ++i) {
    if (!std::isfinite(coefficients[i])) {
      return Refuse(reader, kEphemerisRecordNotFinite,
                    "record starting at JD %.1f holds a coefficient that is not a number "
                    "(position %.0f)",
                    start, static_cast<double>(i + 1));
    }
  }
  return kStatusOk;
}

// The size promised by the header, then every record: a damaged copy is
// refused when it is opened rather than met in the middle of a table.
EngineStatus CheckRecords(std::FILE* file, ReaderState& reader) {
  const double needed = static_cast<double>((reader.coveredRecords + 1) * kBlockBytes);
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size < 0 || static_cast<double>(size) < needed) {
    return Refuse(reader, kEphemerisFileShort, "file holds %.0f bytes; its header promises %.0f",
                  static_cast<double>(size < 0 ? 0 : size), needed);
  }
  for (int64_t record = 1; record <= reader.coveredRecords; ++record) {
    if (!ReadRecordAt(file, record, reader.record)) {
      return Refuse(reader, kEphemerisFileShort, "record %.0f could not be read (%.0f bytes)",
                    static_cast<double>(record), static_cast<double>(kBlockBytes));
    }
    const EngineStatus status = CheckRecord(reader, record, reader.record);
    if (status != kStatusOk) return status;
  }
  return kStatusOk;
}

// The record is checked again as it is read, in case the file changed since
// it was opened.
bool LoadRecord(ReaderState& reader, int64_t record) {
  if (record == reader.cachedRecord) return true;
  reader.cachedRecord = 0;
  if (!ReadRecordAt(reader.file, record, reader.record) ||
      CheckRecord(reader, record, reader.record) != kStatusOk) {
    return false;
  }
  reader.cachedRecord = record;
  ++reader.recordReads;
  return true;
}

void ExtendChebyshevTerms(ChebyshevCache& cache, double chebyshevTime, int count) {
  if (chebyshevTime != cache.positionTerms[1]) {
    cache.positionTerms[1] = chebyshevTime;
    cache.twiceTime = 2.0 * chebyshevTime;
    cache.validPositionTerms = 2;
    cache.validVelocityTerms = 3;
  }
  double* p = cache.positionTerms;
  for (int& n = cache.validPositionTerms; n < count; ++n) {
    p[n] = cache.twiceTime * p[n - 1] - p[n - 2];
  }
  double* v = cache.velocityTerms;
  v[2] = 2.0 * cache.twiceTime;
  for (int& n = cache.validVelocityTerms; n < count; ++n) {
    v[n] = cache.twiceTime * v[n - 1] + 2.0 * p[n - 1] - v[n - 2];
  }
}

// Position (km) and velocity (km/day) of one body-table row from the cached
// record at normalised time t.
bool EvaluateRow(ReaderState& reader, int rowIndex, double t, StateVectors& state) {
  const BodyRow& row = reader.rows[rowIndex];
  if (RowIsAbsent(row)) return false;
  const int subintervals = row.subintervalCount;
  const int count = row.coefficientCount;
  // t = 1 belongs to the last sub-interval; rounding must not step past it.
  int subinterval = static_cast<int>(std::trunc(subintervals * t - std::trunc(t))) + 1;
  if (subinterval > subintervals) subinterval = subintervals;
  const double chebyshevTime = 2.0 * (subintervals * t - (subinterval - 1)) - 1.0;

  ChebyshevCache& cache = reader.chebyshev;
  ExtendChebyshevTerms(cache, chebyshevTime, count);
  const double velocityFactor = 2.0 * subintervals / reader.stepDays;
  for (int c = 0; c < kCoordinates; ++c) {
    const double* coefficients =
        reader.record + (row.offset - 1) + count * (c + kCoordinates * (subinterval - 1));
    double position = 0.0;
    for (int j = count - 1; j >= 0; --j) position += cache.positionTerms[j] * coefficients[j];
    double velocity = 0.0;
    for (int j = count - 1; j >= 1; --j) velocity += cache.velocityTerms[j] * coefficients[j];
    state.position[c] = position * reader.kilometresToAu;
    state.velocity[c] = velocity * velocityFactor * reader.kilometresToAu;
  }
  return true;
}

int SlotOfBody(BodyId body) {
  if (body == kSun) return kSlotSun;
  if (body == kMoon) return kSlotMoon;
  return body - 1;
}

// Adds `factor` times `term` to `sum`.
void AddScaled(StateVectors& sum, double factor, const StateVectors& term) {
  for (int c = 0; c < kCoordinates; ++c) {
    sum.position[c] += factor * term.position[c];
    sum.velocity[c] += factor * term.velocity[c];
  }
}

// Barycentric state of a slot; the Earth and Moon come from the Earth-Moon
// barycentre and the geocentric Moon.
bool SlotState(ReaderState& reader, int slot, double t, StateVectors& state) {
  state = StateVectors{};
  if (slot == kSlotBarycentre) return true;
  if (slot == kSlotSun) return EvaluateRow(reader, kRowSun, t, state);
  if (slot != kSlotEarth && slot != kSlotMoon) return EvaluateRow(reader, slot, t, state);
  StateVectors moon;
  if (!EvaluateRow(reader, kRowEarthMoonBarycentre, t, state) ||
      !EvaluateRow(reader, kRowMoon, t, moon)) {
    return false;
  }
  AddScaled(state, slot == kSlotEarth ? -reader.moonFactor : reader.earthFactor, moon);
  return true;
}

}  // namespace

EphemerisReader::EphemerisReader() : state_(std::make_unique<State>()) {}

EphemerisReader::~EphemerisReader() {
  if (state_ != nullptr && state_->file != nullptr) std::fclose(state_->file);
}

EphemerisReader::EphemerisReader(EphemerisReader&&) noexcept = default;

EphemerisReader& EphemerisReader::operator=(EphemerisReader&& other) noexcept {
  if (this != &other) {
    if (state_ != nullptr && state_->file != nullptr) std::fclose(state_->file);
    state_ = std::move(other.state_);
  }
  return *this;
}

EngineStatus EphemerisReader::OpenEphemerisFile(const char* fileName, double& firstJd,
                                                double& lastJd) {
  ReaderState& reader = *state_;
  if (reader.file != nullptr) std::fclose(reader.file);
  reader.file = nullptr;
  reader.cachedRecord = 0;
  reader.chebyshev = ChebyshevCache{};
  reader.failureReason.clear();
  ++reader.opens;

  std::FILE* file = std::fopen(fileName, "rb");
  if (file == nullptr) {
    reader.failureReason = std::strerror(errno);
    return 1;
  }
  EngineStatus status = ReadHeader(file, reader);
  if (status != kStatusOk) {
    reader.failureReason = "the header is short or out of range";
  } else {
    status = CheckRecords(file, reader);
  }
  if (status != kStatusOk) {
    // Nothing may be read from a file that is not sound.
    std::fclose(file);
    return status;
  }
  reader.file = file;
  firstJd = reader.startJd;
  lastJd = reader.endJd;
  return kStatusOk;
}

EngineStatus EphemerisReader::GetBodyState(double jdTt, BodyId body, int16_t origin,
                                           Vector3& position, Vector3& velocity) {
  if (body < kMercury || body > kMoon) return 1;
  if (origin != kOriginBarycentre && origin != kOriginSun) return 2;
  const int targetSlot = SlotOfBody(body);
  const int originSlot = origin == kOriginBarycentre ? kSlotBarycentre : kSlotSun;
  if (targetSlot == originSlot) {
    position = Vector3{};
    velocity = Vector3{};
    return kStatusOk;
  }

  ReaderState& reader = *state_;
  RecordTime time;
  if (reader.file == nullptr || !LocateRecord(reader, jdTt, time) ||
      !LoadRecord(reader, time.record)) {
    return 3;
  }
  StateVectors target;
  StateVectors from;
  if (!SlotState(reader, targetSlot, time.normalisedTime, target) ||
      !SlotState(reader, originSlot, time.normalisedTime, from)) {
    return 3;
  }
  for (int c = 0; c < kCoordinates; ++c) {
    position[c] = target.position[c] - from.position[c];
    velocity[c] = target.velocity[c] - from.velocity[c];
    // Finite coefficients can still sum past the largest double.
    if (!std::isfinite(position[c]) || !std::isfinite(velocity[c])) {
      reader.failureReason = "a state is too large to represent";
      return 3;
    }
  }
  return kStatusOk;
}

bool EphemerisReader::IsOpen() const { return state_->file != nullptr; }

const std::string& EphemerisReader::FailureReason() const { return state_->failureReason; }

uint64_t EphemerisReader::RecordReadCount() const { return state_->recordReads; }

uint64_t EphemerisReader::OpenCount() const { return state_->opens; }

}  // namespace navora
