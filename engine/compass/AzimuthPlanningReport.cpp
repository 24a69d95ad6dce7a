#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/compass/CompassError.h"
#include "engine/position/PositionReport.h"

namespace navora {
namespace {

constexpr char kDegreeMark = 'o';
constexpr int16_t kToTheMinute = 0;

// The angle as the table prints it: [0, 360) to one decimal, so that a
// bearing that would show 360.0 shows 000.0.
double Printed360(double angleDeg) {
  double rounded = 0.0;
  return RoundAngle360(angleDeg, rounded) == kStatusOk ? rounded : 0.0;
}

}  // namespace

EngineStatus FormatAzimuthPlanning(double timeUtc, double latitude, double longitude,
                                   double heightOfEyeM, double course,
                                   const AzimuthCandidate* candidates, int16_t count,
                                   ReportLine (&lines)[kAzimuthPlanningMaxLines],
                                   int& lineCount) {
  lineCount = 0;
  if (count < 0 || count > kMaxAzimuthCandidates || (count > 0 && candidates == nullptr) ||
      !std::isfinite(course)) {
    return kStatusOutOfDomain;
  }
  CopyReportLine("                       GYRO/COMPASS ERROR - PLANNING", lines[0]);
  const EngineStatus block = FormatPositionTimeBlock(timeUtc, latitude, longitude, heightOfEyeM,
                                                     kToTheMinute, &lines[1]);
  if (block != kStatusOk) return block;
  int n = 1 + kPositionTimeBlockLines;
  FormatReportLine(lines[n++], "                                           %c", kDegreeMark);
  FormatReportLine(lines[n++], "                                Course: %05.1f",
                   Printed360(course));
  CopyReportLine("      ", lines[n++]);
  CopyReportLine("                       Body   No.     Zn      Rel.Brg.   Hc", lines[n++]);
  FormatReportLine(lines[n++], "                                        %c         %c       %c",
                   kDegreeMark, kDegreeMark, kDegreeMark);

  // Ascending azimuth; a stable order keeps the examined order for a tie.
  int order[kMaxAzimuthCandidates];
  for (int i = 0; i < count; ++i) order[i] = i;
  std::stable_sort(order, order + count, [candidates](int a, int b) {
    return candidates[a].azimuth < candidates[b].azimuth;
  });
  for (int i = 0; i < count; ++i) {
    const AzimuthCandidate& candidate = candidates[order[i]];
    char number[8];
    if (candidate.starNumber == 0) {
      std::snprintf(number, sizeof number, "--");
    } else {
      std::snprintf(number, sizeof number, "%2hu", candidate.starNumber);
    }
    FormatReportLine(lines[n++], "                %11.*s   %2s     %05.1f     %05.1f    %3.2ld",
                     static_cast<int>(sizeof candidate.name - 1), candidate.name, number, Printed360(candidate.azimuth),
                     Printed360(candidate.relativeBearing), std::lround(candidate.altitude));
  }
  lineCount = n;
  return kStatusOk;
}

}  // namespace navora
