#pragma once

#include <string>
#include <vector>

#include "engine/common/EngineStatus.h"

namespace navora {

// Delta T = TT - UT1 in seconds, interpolated linearly in the table of
// "DeltaT.val" (records of two little-endian doubles: record 0 the answered
// range firstJd..lastJd, then Julian date and Delta T, ascending about every
// 30 days). The shipped table is 32.184 s + (TAI - UTC) - (UT1 - UTC) from the
// IERS EOP C04 series (data/README.md); it meets the published Delta T of
// 1970.0, 2000.0 and 2020.0 within 0.002 s. Between records the result is
// the straight line through the two that bracket the date, exact on a
// record. The shipped table answers JD 2440500.5 to 2460720.5 (1969 Oct 6 to
// 2025 Feb 14), wider than the supported dates; UTC may stand for UT, the
// 0.9 s between them changing Delta T by under a microsecond.

inline constexpr char kDeltaTFileName[] = "DeltaT.val";

// Answers of LookupDeltaT that are not Delta T values. Callers treat any
// value <= kDeltaTUnavailable as "Delta T not available"; the open status
// tells a missing file from a damaged one.
inline constexpr double kDeltaTFileMissing = -1666.0;  // no usable table
inline constexpr double kDeltaTUnavailable = -1000.0;  // date outside the table

// Statuses of DeltaTTable::Open.
inline constexpr EngineStatus kDeltaTNotFound = 1;   // the file cannot be opened
inline constexpr EngineStatus kDeltaTReadError = 2;  // the system failed to read it
inline constexpr EngineStatus kDeltaTDamaged = 3;    // the bytes do not form a table

// Limits a table must keep to be believed.
inline constexpr double kDeltaTNominalSpacingDays = 30.0;
inline constexpr double kDeltaTMinSpacingDays = 15.0;
inline constexpr double kDeltaTMaxSpacingDays = 60.0;
inline constexpr double kDeltaTMinSeconds = -10.0;
inline constexpr double kDeltaTMaxSeconds = 300.0;

// One Delta T table, read whole and checked when opened and then held in
// memory, so that a lookup never touches the file. Each thread of
// computation owns its own.
class DeltaTTable {
 public:
  explicit DeltaTTable(std::string path = kDeltaTFileName);

  // Reads and checks the file: its size a whole number of 16-byte records,
  // at least two values, every value finite and within kDeltaTMinSeconds..
  // kDeltaTMaxSeconds, dates ascending with steps of kDeltaTMinSpacingDays..
  // kDeltaTMaxSpacingDays that bracket a finite range firstJd <= lastJd.
  // On failure no table is held and FailureReason() says why in one line.
  [[nodiscard]] EngineStatus Open();

  // Delta T in seconds at the UT Julian date jdUt. Opens the file on the
  // first call, and again on every call while no table is held. Returns
  // kDeltaTFileMissing while no table is held (missing, unreadable or
  // damaged file: OpenStatus() tells which), kDeltaTUnavailable for a date
  // outside firstJd..lastJd or not a number.
  [[nodiscard]] double LookupDeltaT(double jdUt);

  // The range the held table answers for. Status 1 when no table is held.
  [[nodiscard]] EngineStatus GetDeltaTCoverage(double& firstJd, double& lastJd) const;

  bool IsOpen() const { return !values_.empty(); }
  // 0 once a table is held; before any open attempt, kDeltaTNotFound.
  EngineStatus OpenStatus() const { return openStatus_; }
  const std::string& FailureReason() const { return failureReason_; }
  const std::string& Path() const { return path_; }

 private:
  struct TabulatedValue {
    double jd;
    double deltaT;
  };

  std::string path_;
  std::vector<TabulatedValue> values_;  // records 1.. of the file
  double firstJd_ = 0.0;
  double lastJd_ = 0.0;
  EngineStatus openStatus_ = kDeltaTNotFound;
  std::string failureReason_;
};

}  // namespace navora
