#include "engine/time/DeltaT.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

#include "engine/time/LittleEndianRead.h"

namespace navora {
namespace {

constexpr long kRecordBytes = 16;   // two little-endian doubles
constexpr long kMinValueCount = 2;  // a straight line needs two points
// Far more records than a century of 30-day steps; bounds the allocation.
constexpr long kMaxValueCount = 100000;

std::string Describe(const char* format, double a, double b) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

bool IsUsableDeltaT(double seconds) {
  return std::isfinite(seconds) && seconds >= kDeltaTMinSeconds && seconds <= kDeltaTMaxSeconds;
}

}  // namespace

DeltaTTable::DeltaTTable(std::string path) : path_(std::move(path)) {}

EngineStatus DeltaTTable::Open() {
  values_.clear();
  std::FILE* file = std::fopen(path_.c_str(), "rb");
  if (file == nullptr) {
    failureReason_ = std::strerror(errno);
    return openStatus_ = kDeltaTNotFound;
  }
  const auto fail = [&](EngineStatus status, std::string reason) {
    std::fclose(file);
    values_.clear();
    failureReason_ = std::move(reason);
    return openStatus_ = status;
  };

  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    return fail(kDeltaTReadError, std::strerror(errno));
  }
  if (size % kRecordBytes != 0) {
    return fail(kDeltaTDamaged, Describe("size %.0f bytes is not a whole number of %.0f-byte "
                                         "records",
                                         static_cast<double>(size), kRecordBytes));
  }
  const long valueCount = size / kRecordBytes - 1;
  if (valueCount < kMinValueCount || valueCount > kMaxValueCount) {
    return fail(kDeltaTDamaged, Describe("%.0f values where %.0f or more are needed",
                                         static_cast<double>(valueCount < 0 ? 0 : valueCount),
                                         static_cast<double>(kMinValueCount)));
  }

  double firstJd = 0.0, lastJd = 0.0;
  std::vector<TabulatedValue> values(static_cast<size_t>(valueCount));
  bool read = ReadLittleEndianDouble(file, firstJd) && ReadLittleEndianDouble(file, lastJd);
  for (TabulatedValue& value : values) {
    read = read && ReadLittleEndianDouble(file, value.jd) &&
           ReadLittleEndianDouble(file, value.deltaT);
  }
  if (!read) {
    return fail(kDeltaTReadError,
                std::ferror(file) ? std::strerror(errno) : "the file ended before its last record");
  }
  std::fclose(file);
  file = nullptr;

  const auto refuse = [&](std::string reason) {
    values_.clear();
    failureReason_ = std::move(reason);
    return openStatus_ = kDeltaTDamaged;
  };
  if (!(std::isfinite(firstJd) && std::isfinite(lastJd) && firstJd <= lastJd)) {
    return refuse(
        Describe("range %.6g to %.6g is not an ascending pair of dates", firstJd, lastJd));
  }
  for (size_t i = 0; i < values.size(); ++i) {
    const TabulatedValue& value = values[i];
    if (!std::isfinite(value.jd) || !IsUsableDeltaT(value.deltaT)) {
      return refuse(Describe("record at JD %.6g holds Delta T %.6g s", value.jd, value.deltaT));
    }
    if (i == 0) continue;
    const double step = value.jd - values[i - 1].jd;
    if (!(step >= kDeltaTMinSpacingDays && step <= kDeltaTMaxSpacingDays)) {
      return refuse(Describe("records at JD %.6g and %.6g are not in 30-day steps",
                             values[i - 1].jd, value.jd));
    }
  }
  if (values.front().jd > firstJd || values.back().jd < lastJd) {
    return refuse(Describe("records do not bracket the range %.6g to %.6g", firstJd, lastJd));
  }

  values_ = std::move(values);
  firstJd_ = firstJd;
  lastJd_ = lastJd;
  failureReason_.clear();
  return openStatus_ = kStatusOk;
}

double DeltaTTable::LookupDeltaT(double jdUt) {
  if (!IsOpen() && Open() != kStatusOk) return kDeltaTFileMissing;
  if (!(jdUt >= firstJd_ && jdUt <= lastJd_)) return kDeltaTUnavailable;

  // The nominal spacing gives the pair to try first, or the last pair for
  // dates near the end of the table; the walk then finds the bracketing pair.
  const auto count = static_cast<int64_t>(values_.size());
  const double guess = std::trunc((jdUt - firstJd_) / kDeltaTNominalSpacingDays);
  int64_t earlier =
      guess > static_cast<double>(count - 4) ? count - 2 : static_cast<int64_t>(guess);
  while (jdUt < values_[static_cast<size_t>(earlier)].jd && earlier > 0) --earlier;
  while (jdUt > values_[static_cast<size_t>(earlier + 1)].jd && earlier + 2 < count) ++earlier;

  const TabulatedValue& a = values_[static_cast<size_t>(earlier)];
  const TabulatedValue& b = values_[static_cast<size_t>(earlier + 1)];
  if (a.jd == b.jd) return a.deltaT;
  return b.deltaT + (jdUt - b.jd) / (a.jd - b.jd) * (a.deltaT - b.deltaT);
}

EngineStatus DeltaTTable::GetDeltaTCoverage(double& firstJd, double& lastJd) const {
  if (!IsOpen()) return 1;
  firstJd = firstJd_;
  lastJd = lastJd_;
  return kStatusOk;
}

}  // namespace navora
