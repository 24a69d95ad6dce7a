#include "engine/time/DeltaT.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/time/LittleEndianRead.h"

namespace navora {
namespace {

constexpr char kDeltaTFileName[] = "DeltaT.val";
constexpr int64_t kRecordBytes = 16;             // two little-endian doubles
constexpr int64_t kMinRecordCount = 3;           // the range record and two values
constexpr double kTabulationSpacingDays = 30.0;  // nominal; only the first guess

// Record 0 of the file holds the answered range, records 1..recordCount-1 the
// tabulated values in ascending date.
struct DeltaTTable {
  std::FILE* file = nullptr;
  double firstJd = 0.0;
  double lastJd = 0.0;
  int64_t recordCount = 0;
};

struct TabulatedValue {
  double jd = 0.0;
  double deltaT = 0.0;
};

[[noreturn]] void ExitOnReadError(const char* reason) {
  std::fprintf(stderr, "Error reading DT file: %s\n", reason);
  std::exit(EXIT_FAILURE);
}

// Open for the life of the process once a usable table has been found.
DeltaTTable gTable;
DeltaTFatalErrorHandler gFatalErrorHandler = ExitOnReadError;

bool ReadTableRange(std::FILE* file, DeltaTTable& table) {
  if (std::fseek(file, 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file);
  if (size < 0) return false;
  table.recordCount = size / kRecordBytes;
  if (table.recordCount < kMinRecordCount) return false;
  if (std::fseek(file, 0, SEEK_SET) != 0) return false;
  if (!ReadLittleEndianDouble(file, table.firstJd) || !ReadLittleEndianDouble(file, table.lastJd)) {
    return false;
  }
  return std::isfinite(table.firstJd) && std::isfinite(table.lastJd) &&
         table.firstJd <= table.lastJd;
}

// A file that cannot hold a table is treated like a missing one.
bool OpenTable() {
  std::FILE* file = std::fopen(kDeltaTFileName, "rb");
  if (file == nullptr) return false;
  DeltaTTable opened;
  opened.file = file;
  if (!ReadTableRange(file, opened)) {
    std::fclose(file);
    return false;
  }
  gTable = opened;
  return true;
}

bool ReadRecord(int64_t index, TabulatedValue& value) {
  std::clearerr(gTable.file);
  if (std::fseek(gTable.file, static_cast<long>(index * kRecordBytes), SEEK_SET) != 0) {
    return false;
  }
  return ReadLittleEndianDouble(gTable.file, value.jd) &&
         ReadLittleEndianDouble(gTable.file, value.deltaT);
}

double ReportReadFailure() {
  const int error = errno;
  const char* reason =
      std::ferror(gTable.file) ? std::strerror(error) : "file ended before the record";
  gFatalErrorHandler(reason);
  return kDeltaTUnavailable;
}

// Index of the first record of the pair to try first: the nominal spacing
// gives it, or the last pair for dates near the end of the table.
int64_t FirstGuess(double jd) {
  const double guess = std::trunc((jd - gTable.firstJd) / kTabulationSpacingDays + 1.0);
  const int64_t lastPair = gTable.recordCount - 2;
  if (guess > static_cast<double>(gTable.recordCount - 4)) return lastPair;
  return static_cast<int64_t>(guess);
}

}  // namespace

double LookupDeltaT(double jdUt) {
  if (gTable.file == nullptr && !OpenTable()) return kDeltaTFileMissing;
  if (!(jdUt >= gTable.firstJd && jdUt <= gTable.lastJd)) return kDeltaTUnavailable;

  int64_t earlierIndex = FirstGuess(jdUt);
  TabulatedValue earlier;
  TabulatedValue later;
  if (!ReadRecord(earlierIndex, earlier) || !ReadRecord(earlierIndex + 1, later)) {
    return ReportReadFailure();
  }
  // Walk to the pair that brackets jd; a table that breaks its ordering
  // runs into its ends or out of steps instead of reading outside the file.
  const int64_t lastIndex = gTable.recordCount - 1;
  for (int64_t steps = 0; !(jdUt >= earlier.jd && jdUt <= later.jd); ++steps) {
    if (steps >= gTable.recordCount) return kDeltaTUnavailable;
    if (jdUt < earlier.jd) {
      if (earlierIndex <= 1) return kDeltaTUnavailable;
      --earlierIndex;
      later = earlier;
      if (!ReadRecord(earlierIndex, earlier)) return ReportReadFailure();
    } else {
      if (earlierIndex + 2 > lastIndex) return kDeltaTUnavailable;
      ++earlierIndex;
      earlier = later;
      if (!ReadRecord(earlierIndex + 1, later)) return ReportReadFailure();
    }
  }
  if (earlier.jd == later.jd) return earlier.deltaT;
  return later.deltaT +
         (jdUt - later.jd) / (earlier.jd - later.jd) * (earlier.deltaT - later.deltaT);
}

EngineStatus GetDeltaTCoverage(double& firstJd, double& lastJd) {
  if (gTable.file == nullptr) return 1;
  firstJd = gTable.firstJd;
  lastJd = gTable.lastJd;
  return kStatusOk;
}

void SetDeltaTFatalErrorHandler(DeltaTFatalErrorHandler handler) {
  gFatalErrorHandler = handler != nullptr ? handler : ExitOnReadError;
}

}  // namespace navora
