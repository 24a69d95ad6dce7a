#include "engine/position/ExternalFix.h"

#include "engine/position/CourseAndDistance.h"
#include "engine/position/DeadReckoning.h"
#include "engine/position/PositionBlocks.h"

namespace navora {

namespace {

// Speed in knots of `distanceKm` run in `days` (days > 0).
double Knots(double distanceKm, double days) { return distanceKm / days / kKmPerDayPerKnot; }

}  // namespace

EngineStatus ComputeCurrentAndMadeGood(const PositionRecord& newFix, const PositionRecord& drAtFix,
                                       const PositionRecord& lastFix, double& setDeg,
                                       double& driftKnots, double& courseMadeGoodDeg,
                                       double& speedMadeGoodKnots) {
  setDeg = driftKnots = courseMadeGoodDeg = speedMadeGoodKnots = 0.0;
  if (!IsPositionRecordInDomain(newFix) || !IsPositionRecordInDomain(drAtFix) ||
      !IsPositionRecordInDomain(lastFix)) {
    return kStatusOutOfDomain;
  }
  if (newFix.time != drAtFix.time) return kCurrentTimesDiffer;
  const double days = newFix.time - lastFix.time;
  if (days < 0.0) return kCurrentFixBeforeLastFix;
  EngineStatus status = kStatusOk;
  double distanceKm = 0.0;
  if (days >= kCurrentMinimumDays) {
    if (CourseAndDistance(static_cast<int16_t>(drAtFix.motionMode), drAtFix.latitude,
                          drAtFix.longitude, newFix.latitude, newFix.longitude, setDeg,
                          distanceKm) != kStatusOk) {
      return kStatusOutOfDomain;
    }
    driftKnots = Knots(distanceKm, days);
  } else {
    status = kCurrentRunTooShort;
  }
  if (days < kMadeGoodMinimumDays) {
    setDeg = driftKnots = 0.0;
    return kMadeGoodRunTooShort;
  }
  if (CourseAndDistance(static_cast<int16_t>(lastFix.motionMode), lastFix.latitude,
                        lastFix.longitude, newFix.latitude, newFix.longitude, courseMadeGoodDeg,
                        distanceKm) != kStatusOk) {
    setDeg = driftKnots = courseMadeGoodDeg = 0.0;
    return kStatusOutOfDomain;
  }
  speedMadeGoodKnots = Knots(distanceKm, days);
  return status;
}

EngineStatus ComputeExternalFix(const PositionRecord& newFix, const PositionRecord& reference,
                                const PositionRecord& lastFix, ExternalFixResult& result) {
  result = ExternalFixResult{};
  if (!IsPositionRecordInDomain(newFix) || !IsPositionRecordInDomain(reference) ||
      !IsPositionRecordInDomain(lastFix)) {
    return kStatusOutOfDomain;
  }
  if (newFix.time < reference.time) return kExternalFixBeforeReference;
  PositionRecord dr;
  double latitudeRate = 0.0;
  double longitudeRate = 0.0;
  if (AdvanceDeadReckoning(newFix.time, reference, dr, latitudeRate, longitudeRate) != kStatusOk) {
    return kStatusOutOfDomain;
  }
  // The DR column shows the leg as steered, not the made-good values of the advance.
  dr.positionType = kPositionDr;
  dr.motionMode = reference.motionMode;
  dr.course = reference.course;
  dr.speed = reference.speed;
  dr.speedKmPerDay = reference.speedKmPerDay;
  result.drAtFix = dr;
  const EngineStatus current =
      ComputeCurrentAndMadeGood(newFix, dr, lastFix, result.setDeg, result.driftKnots,
                                result.courseMadeGoodDeg, result.speedMadeGoodKnots);
  if (current == kCurrentTimesDiffer || current == kCurrentFixBeforeLastFix) {
    return static_cast<EngineStatus>(kExternalFixCurrentFailed + current);
  }
  return current == kStatusOutOfDomain ? kStatusOutOfDomain : kStatusOk;
}

EngineStatus FormatExternalFixReport(const PositionRecord& newFix, const PositionRecord& lastFix,
                                     const PositionRecord& reference,
                                     const ExternalFixResult& result, ReportLine* lines,
                                     int& lineCount) {
  lineCount = 0;
  if (lines == nullptr) return kStatusOutOfDomain;
  CopyReportLine("                                EXTERNAL FIX", lines[0]);
  CopyReportLine(" ", lines[1]);
  constexpr double kNoStandardError = 0.0;  // an external fix comes without one
  constexpr int kHeadingLines = 2;
  if (FormatFixComparisonBlock(lastFix, reference, result.drAtFix, newFix, kNoStandardError,
                               kNoStandardError, lines + kHeadingLines) != kStatusOk) {
    return kStatusOutOfDomain;
  }
  int currentLines = 0;
  if (FormatCurrentBlock(
          result.setDeg, result.driftKnots, result.courseMadeGoodDeg, result.speedMadeGoodKnots,
          lines + kHeadingLines + kFixComparisonBlockLines, currentLines) != kStatusOk) {
    return kStatusOutOfDomain;
  }
  lineCount = kHeadingLines + kFixComparisonBlockLines + currentLines;
  return kStatusOk;
}

}  // namespace navora
