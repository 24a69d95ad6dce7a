#pragma once

#include <cstdint>

#include "engine/common/PositionRecord.h"
#include "engine/position/ReportLine.h"

namespace navora {

inline constexpr int kPositionTimeBlockLines = 4;
inline constexpr int kSiteBlockLines = 4;
inline constexpr int kCourseSpeedBlockLines = 3;

// A PositionRecord split into the parts that the position tables print.
struct PositionReportParts {
  char typeName[8];  // "Cel.Fix", "Ext.Fix", "DR", "---" or seven blanks
  int16_t day;
  char month[4];  // "Jan".."Dec"
  int16_t year;
  int16_t hour;
  int16_t minute;
  double seconds;       // whole seconds, 0..59, carried into the minute
  char latitudeLetter;  // 'N', 'S', or ' ' for a latitude that prints as zero
  int16_t latitudeDegrees;
  double latitudeMinutes;
  char longitudeLetter;  // 'E', 'W', or ' '
  int16_t longitudeDegrees;
  double longitudeMinutes;
  double course;  // through RoundAngle360
  double set;     // through RoundAngle360
};

void SplitPositionForReport(const PositionRecord& position, PositionReportParts& parts);

// The angle reduced into 0..360 for printing with one decimal; a value that
// would print as 360.0 becomes 0.
double RoundAngle360(double angleDeg);

// Position with date and time (UTC): to the minute when withSeconds is 0,
// else to the second. Writes kPositionTimeBlockLines lines.
void FormatPositionTimeBlock(double jdUtc, double latitudeDeg, double longitudeDeg,
                             double heightOfEyeM, int16_t withSeconds, ReportLine* lines);

// A fixed site without time. Writes kSiteBlockLines lines.
void FormatSiteBlock(double latitudeDeg, double longitudeDeg, double heightOfEyeM,
                     ReportLine* lines);

// Course and speed alone (shortForm not 0) or with set and drift; speeds in
// knots. Writes kCourseSpeedBlockLines lines.
void FormatCourseSpeedBlock(double courseDeg, double speedKnots, double setDeg, double driftKnots,
                            int16_t shortForm, ReportLine* lines);

}  // namespace navora
