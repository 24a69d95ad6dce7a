#include "engine/position/PositionBlocks.h"

#include <cmath>

#include "engine/horizon/AngleFormatting.h"
#include "engine/position/PositionReport.h"

namespace navora {

namespace {

constexpr char kDegreeMark = kReportSymbols[0];
constexpr char kMinuteMark = kReportSymbols[1];

constexpr double kArcMinutesPerDegree = 60.0;
// Half the last printed decimal: smaller drifts and speeds print as 00.0.
constexpr double kPrintedKnots = 0.05;

void ClearLines(ReportLine* lines, int count) {
  for (int i = 0; i < count; ++i) lines[i][0] = '\0';
}

}  // namespace

EngineStatus FormatFixComparisonBlock(const PositionRecord& lastFix,
                                      const PositionRecord& reference,
                                      const PositionRecord& drAtFix, const PositionRecord& newFix,
                                      double latitudeErrorDeg, double longitudeErrorDeg,
                                      ReportLine* lines) {
  if (lines == nullptr) return kStatusOutOfDomain;
  PositionReportParts p[4];
  const PositionRecord* records[4] = {&lastFix, &reference, &drAtFix, &newFix};
  for (int i = 0; i < 4; ++i) {
    if (SplitPositionForReport(*records[i], p[i]) != kStatusOk) {
      ClearLines(lines, kFixComparisonBlockLines);
      return kStatusOutOfDomain;
    }
  }
  if (!std::isfinite(latitudeErrorDeg) || !std::isfinite(longitudeErrorDeg)) {
    ClearLines(lines, kFixComparisonBlockLines);
    return kStatusOutOfDomain;
  }
  CopyReportLine("                           Reference     Update to Time", lines[0]);
  CopyReportLine("           Last Fix         Position       of New Fix      New Fix", lines[1]);
  CopyReportLine(" ", lines[2]);
  FormatReportLine(lines[3], "Type:     %-7s         %-7s         %-7s         %-7s", p[0].typeName,
                   p[1].typeName, p[2].typeName, p[3].typeName);
  FormatReportLine(lines[4],
                   "Date:     %02d %3s %4d     %02d %3s %4d     %02d %3s %4d     %02d %3s %4d",
                   p[0].day, p[0].month, p[0].year, p[1].day, p[1].month, p[1].year, p[2].day,
                   p[2].month, p[2].year, p[3].day, p[3].month, p[3].year);
  FormatReportLine(lines[5],
                   "Time:     %02d:%02d:%02.0f UTC    %02d:%02d:%02.0f UTC    %02d:%02d:%02.0f UTC"
                   "    %02d:%02d:%02.0f UTC",
                   p[0].hour, p[0].minute, p[0].seconds, p[1].hour, p[1].minute, p[1].seconds,
                   p[2].hour, p[2].minute, p[2].seconds, p[3].hour, p[3].minute, p[3].seconds);
  const bool withErrors = std::fabs(latitudeErrorDeg) > kPrintedErrorDeg ||
                          std::fabs(longitudeErrorDeg) > kPrintedErrorDeg;
  if (withErrors) {
    FormatReportLine(lines[6],
                     "             %c   %c           %c   %c           %c   %c           %c   %c"
                     "         %c",
                     kDegreeMark, kMinuteMark, kDegreeMark, kMinuteMark, kDegreeMark, kMinuteMark,
                     kDegreeMark, kMinuteMark, kMinuteMark);
  } else {
    FormatReportLine(lines[6],
                     "             %c   %c           %c   %c           %c   %c           %c   %c",
                     kDegreeMark, kMinuteMark, kDegreeMark, kMinuteMark, kDegreeMark, kMinuteMark,
                     kDegreeMark, kMinuteMark);
  }
  ReportLine latitude;
  ReportLine longitude;
  FormatReportLine(latitude,
                   "Lat:      %c %02d %04.1f       %c %02d %04.1f       %c %02d %04.1f       "
                   "%c %02d %04.1f",
                   p[0].latitudeLetter, p[0].latitudeDegrees, p[0].latitudeMinutes,
                   p[1].latitudeLetter, p[1].latitudeDegrees, p[1].latitudeMinutes,
                   p[2].latitudeLetter, p[2].latitudeDegrees, p[2].latitudeMinutes,
                   p[3].latitudeLetter, p[3].latitudeDegrees, p[3].latitudeMinutes);
  FormatReportLine(longitude,
                   "Lon:      %c%03d %04.1f       %c%03d %04.1f       %c%03d %04.1f       "
                   "%c%03d %04.1f",
                   p[0].longitudeLetter, p[0].longitudeDegrees, p[0].longitudeMinutes,
                   p[1].longitudeLetter, p[1].longitudeDegrees, p[1].longitudeMinutes,
                   p[2].longitudeLetter, p[2].longitudeDegrees, p[2].longitudeMinutes,
                   p[3].longitudeLetter, p[3].longitudeDegrees, p[3].longitudeMinutes);
  if (withErrors) {
    FormatReportLine(lines[7], "%s +/- %5.1f", latitude,
                     std::fabs(latitudeErrorDeg) * kArcMinutesPerDegree);
    FormatReportLine(lines[8], "%s +/- %5.1f", longitude,
                     std::fabs(longitudeErrorDeg) * kArcMinutesPerDegree);
  } else {
    CopyReportLine(latitude, lines[7]);
    CopyReportLine(longitude, lines[8]);
  }
  FormatReportLine(lines[9], "             %c               %c               %c               %c",
                   kDegreeMark, kDegreeMark, kDegreeMark, kDegreeMark);
  FormatReportLine(lines[10], "Course:   %05.1f           %05.1f           %05.1f           %05.1f",
                   p[0].course, p[1].course, p[2].course, p[3].course);
  const bool fastFix = newFix.speed > kSpeedCeilingKnots;
  FormatReportLine(lines[11],
                   "Speed:     %04.1f kn         %04.1f kn         %04.1f kn         %04.1f kn %c",
                   lastFix.speed, reference.speed, drAtFix.speed,
                   fastFix ? kSpeedCeilingKnots : newFix.speed, fastFix ? kCeilingMark : ' ');
  return kStatusOk;
}

EngineStatus FormatCurrentBlock(double setDeg, double driftKnots, double courseMadeGoodDeg,
                                double speedMadeGoodKnots, ReportLine* lines, int& lineCount) {
  lineCount = 0;
  if (lines == nullptr || !std::isfinite(setDeg) || !std::isfinite(driftKnots) ||
      !std::isfinite(courseMadeGoodDeg) || !std::isfinite(speedMadeGoodKnots)) {
    return kStatusOutOfDomain;
  }
  double set = 0.0;
  double courseMadeGood = 0.0;
  static_cast<void>(RoundAngle360(setDeg, set));  // finite: cannot fail
  static_cast<void>(RoundAngle360(courseMadeGoodDeg, courseMadeGood));
  const bool driftWarning = driftKnots > kDriftCeilingKnots;
  const bool speedWarning = speedMadeGoodKnots > kSpeedCeilingKnots;
  bool markLineWritten = false;
  if (driftKnots >= kPrintedKnots) {
    FormatReportLine(lines[lineCount++], "                              %c", kDegreeMark);
    markLineWritten = true;
    FormatReportLine(
        lines[lineCount++], "                      Set: %05.1f     Drift: %04.1f kn %c", set,
        driftWarning ? kDriftCeilingKnots : driftKnots, driftWarning ? kCeilingMark : ' ');
  }
  if (speedMadeGoodKnots >= kPrintedKnots) {
    if (!markLineWritten) {
      FormatReportLine(lines[lineCount++], "                              %c", kDegreeMark);
    }
    FormatReportLine(lines[lineCount++],
                     "                      TMG: %05.1f     SMG:   %04.1f kn %c", courseMadeGood,
                     speedWarning ? kSpeedCeilingKnots : speedMadeGoodKnots,
                     speedWarning ? kCeilingMark : ' ');
  }
  if (driftWarning) {
    CopyReportLine(" ", lines[lineCount++]);
    FormatReportLine(lines[lineCount++],
                     "                    WARNING: Estimated drift exceeds %2.0f kn.",
                     kDriftCeilingKnots);
  }
  if (speedWarning) {
    if (!driftWarning) CopyReportLine(" ", lines[lineCount++]);
    FormatReportLine(lines[lineCount++],
                     "                    WARNING: Speed made good exceeds %2.0f kn.",
                     kSpeedCeilingKnots);
  }
  return kStatusOk;
}

}  // namespace navora
