#include "engine/position/UpdateDr.h"

#include <cmath>

#include "engine/horizon/AngleFormatting.h"
#include "engine/position/DeadReckoning.h"
#include "engine/position/PositionReport.h"

namespace navora {

namespace {

constexpr char kDegreeMark = kReportSymbols[0];
constexpr char kMinuteMark = kReportSymbols[1];

}  // namespace

EngineStatus ComputeUpdateDr(double newTimeJd, double newCourseDeg, double newSpeedKnots,
                             const PositionRecord& reference, PositionRecord& updated) {
  if (!IsPositionRecordInDomain(reference) || !std::isfinite(newTimeJd) ||
      !std::isfinite(newCourseDeg) || !std::isfinite(newSpeedKnots) || newSpeedKnots < 0.0) {
    return kStatusOutOfDomain;
  }
  if (newTimeJd < reference.time) return kUpdateDrTimeBeforeReference;
  PositionRecord advanced;
  double latitudeRate = 0.0;
  double longitudeRate = 0.0;
  if (AdvanceDeadReckoning(newTimeJd, reference, advanced, latitudeRate, longitudeRate) !=
      kStatusOk) {
    return kStatusOutOfDomain;
  }
  // The advance leaves the made-good values of a rhumb line behind; the new
  // leg starts from the navigator's course and speed through the water.
  advanced.positionType = kPositionDr;
  advanced.course = newCourseDeg;
  advanced.speed = newSpeedKnots;
  advanced.speedKmPerDay = newSpeedKnots * kKmPerDayPerKnot;
  advanced.set = reference.set;
  advanced.drift = reference.drift;
  advanced.driftKmPerDay = reference.driftKmPerDay;
  updated = advanced;
  return kStatusOk;
}

EngineStatus FormatUpdateDrReport(const PositionRecord& reference, const PositionRecord& updated,
                                  ReportLine* lines) {
  if (lines == nullptr) return kStatusOutOfDomain;
  PositionReportParts r;
  PositionReportParts u;
  if (SplitPositionForReport(reference, r) != kStatusOk ||
      SplitPositionForReport(updated, u) != kStatusOk) {
    for (int i = 0; i < kUpdateDrReportLines; ++i) lines[i][0] = '\0';
    return kStatusOutOfDomain;
  }
  CopyReportLine("                                  UPDATE DR", lines[0]);
  CopyReportLine(" ", lines[1]);
  CopyReportLine("                            Reference", lines[2]);
  CopyReportLine("                            Position        Update", lines[3]);
  CopyReportLine(" ", lines[4]);
  FormatReportLine(lines[5], "                  Type:     %-7s         %-7s", r.typeName,
                   u.typeName);
  FormatReportLine(lines[6], "                  Date:     %02d %3s %4d     %02d %3s %4d", r.day,
                   r.month, r.year, u.day, u.month, u.year);
  FormatReportLine(lines[7],
                   "                  Time:     %02d:%02d:%02.0f UTC    %02d:%02d:%02.0f UTC",
                   r.hour, r.minute, r.seconds, u.hour, u.minute, u.seconds);
  FormatReportLine(lines[8], "                               %c   %c           %c   %c",
                   kDegreeMark, kMinuteMark, kDegreeMark, kMinuteMark);
  FormatReportLine(lines[9], "                  Lat:      %c %02d %04.1f       %c %02d %04.1f",
                   r.latitudeLetter, r.latitudeDegrees, r.latitudeMinutes, u.latitudeLetter,
                   u.latitudeDegrees, u.latitudeMinutes);
  FormatReportLine(lines[10], "                  Lon:      %c%03d %04.1f       %c%03d %04.1f",
                   r.longitudeLetter, r.longitudeDegrees, r.longitudeMinutes, u.longitudeLetter,
                   u.longitudeDegrees, u.longitudeMinutes);
  FormatReportLine(lines[11], "                               %c               %c", kDegreeMark,
                   kDegreeMark);
  FormatReportLine(lines[12], "                  Course:   %05.1f           %05.1f", r.course,
                   u.course);
  FormatReportLine(lines[13], "                  Speed:     %04.1f kn         %04.1f kn ",
                   reference.speed, updated.speed);
  return kStatusOk;
}

}  // namespace navora
