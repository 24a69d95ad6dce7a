#pragma once

#include <cstdint>

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/position/ReportLine.h"

namespace navora {

// The report blocks that print a position with its date and time, a site,
// or a course and speed, and the split of a PositionRecord into its printable
// parts.
//
// Model: latitude and longitude split into hemisphere letter, degrees and
// minutes with one decimal (AngleFormatting.h); courses reduced into
// [0, 360) and printed with one decimal, so that 359.95 and above print as
// 000.0; heights of eye in whole feet (3.28084 feet per metre, rounded half
// away from zero); times split to the minute or the second (Calendar.h).
// Units: Julian dates UTC, degrees, metres, knots. Domain: latitudes in
// -90..90; times, longitudes, courses, sets, speeds and heights finite.
// Accuracy: exact to the printed digits.
//
// Statuses: kStatusOutOfDomain for an argument outside the domain (or no
// line buffer); the lines are then empty and the parts blank, so nothing
// that could be read as a position is printed.

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

// Domain: IsPositionRecordInDomain(position).
[[nodiscard]] EngineStatus SplitPositionForReport(const PositionRecord& position,
                                                  PositionReportParts& parts);

// The angle reduced into [0, 360) for printing with one decimal; a value that
// would print as 360.0 becomes 0.
[[nodiscard]] EngineStatus RoundAngle360(double angleDeg, double& roundedDeg);

// Position with date and time (UTC): to the minute when withSeconds is 0,
// else to the second. Writes kPositionTimeBlockLines lines.
[[nodiscard]] EngineStatus FormatPositionTimeBlock(double jdUtc, double latitudeDeg,
                                                   double longitudeDeg, double heightOfEyeM,
                                                   int16_t withSeconds, ReportLine* lines);

// A fixed site without time. Writes kSiteBlockLines lines.
[[nodiscard]] EngineStatus FormatSiteBlock(double latitudeDeg, double longitudeDeg,
                                           double heightOfEyeM, ReportLine* lines);

// Course and speed alone (shortForm not 0) or with set and drift; speeds in
// knots. Writes kCourseSpeedBlockLines lines.
[[nodiscard]] EngineStatus FormatCourseSpeedBlock(double courseDeg, double speedKnots,
                                                  double setDeg, double driftKnots,
                                                  int16_t shortForm, ReportLine* lines);

}  // namespace navora
