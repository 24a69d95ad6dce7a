#include "engine/log/LogEntries.h"

#include <cstring>

#include "engine/horizon/AngleFormatting.h"
#include "engine/sightreduction/SightRecorderTable.h"

namespace navora {

namespace {

constexpr uint16_t kHighestPositionType = kPositionUserDefined;

constexpr char kBlankLine[] = " ";
constexpr char kBeforeCorrection[] = "Before correction ...";
constexpr char kAfterCorrection[] = "After correction ...";
constexpr char kInitialFixHeading[] = "                                 INITIAL FIX";
constexpr const char* kNewPositionHeadings[] = {
    "                                CELESTIAL FIX",
    "                                 EXTERNAL FIX",
    "                                  DR UPDATE",
    "                                     FIX",
};
constexpr const char* kDeletionHeadings[] = {
    "DELETE CELESTIAL FIX",
    "DELETE EXTERNAL FIX",
    "DELETE DR UPDATE",
    "DELETE POSITION",
};
constexpr const char* kCorrectionHeadings[] = {
    "CORRECT CELESTIAL FIX",
    "CORRECT EXTERNAL FIX",
    "CORRECT DR UPDATE",
    "CORRECT POSITION",
};
constexpr char kDeleteSightHeading[] = "                                 DELETE SIGHT";
constexpr char kCorrectSightHeading[] = "                                 CORRECT SIGHT";

constexpr char kDegreeMark = kReportSymbols[0];
constexpr char kMinuteMark = kReportSymbols[1];

// Lines of the position table before its row.
constexpr int kPositionTableHeaderLines = 2;

void FormatPositionTableHeader(ReportLine* lines) {
  CopyReportLine("            Date        UTC      Latitude   Longitude   Course  Speed", lines[0]);
  FormatReportLine(lines[1],
                   "                       h  m  s     %c   %c       %c   %c       %c     kn.",
                   kDegreeMark, kMinuteMark, kDegreeMark, kMinuteMark, kDegreeMark);
}

EngineStatus FormatPositionTableRow(const PositionRecord& position, ReportLine& line) {
  PositionReportParts parts;
  const EngineStatus status = SplitPositionForReport(position, parts);
  if (status != kStatusOk) return status;
  FormatReportLine(
      line,
      "         %02d %3s %4d  %02d:%02d:%02.0f   %c%02d %04.1f   %c%03d %04.1f   %05.1f   "
      "%04.1f",
      parts.day, parts.month, parts.year, parts.hour, parts.minute, parts.seconds,
      parts.latitudeLetter, parts.latitudeDegrees, parts.latitudeMinutes, parts.longitudeLetter,
      parts.longitudeDegrees, parts.longitudeMinutes, parts.course, position.speed);
  return kStatusOk;
}

// Header and row of one record: kPositionTableLines lines. The status of
// SplitPositionForReport.
constexpr int kPositionTableLines = kPositionTableHeaderLines + 1;
EngineStatus FormatPositionTable(const PositionRecord& position, ReportLine* lines) {
  FormatPositionTableHeader(lines);
  return FormatPositionTableRow(position, lines[kPositionTableHeaderLines]);
}

// Heading lines and row of one sight: kSightHeadingLines + 1 lines.
EngineStatus FormatSightTable(const ObservationRecord& sight, ReportLine* lines) {
  const EngineStatus status = FormatSightRow(sight, lines[kSightHeadingLines]);
  if (status == kStatusOk) {
    FormatSightHeading(sight, lines);
  }
  return status;
}

}  // namespace

void FormatCentredHeading(const char* text, ReportLine& line) {
  const int length = static_cast<int>(strnlen(text, kReportLineBytes));
  int indent = kLogHeadingCentreColumn - length / 2;
  if (indent < 0) {
    indent = 0;
  }
  FormatReportLine(line, "%*s%s", indent, "", text);
}

EngineStatus FormatNewPositionEntry(const PositionRecord& position, int16_t initial,
                                    ReportLine* lines) {
  if (position.positionType > kHighestPositionType) {
    return 1;
  }
  CopyReportLine(initial != 0 ? kInitialFixHeading : kNewPositionHeadings[position.positionType],
                 lines[0]);
  CopyReportLine(kBlankLine, lines[1]);
  return FormatPositionTable(position, lines + 2);
}

EngineStatus FormatPositionDeletion(const PositionRecord& position, ReportLine* lines) {
  if (position.positionType > kHighestPositionType) {
    return 1;
  }
  FormatCentredHeading(kDeletionHeadings[position.positionType], lines[0]);
  CopyReportLine(kBlankLine, lines[1]);
  return FormatPositionTable(position, lines + 2);
}

EngineStatus FormatPositionCorrection(const PositionRecord& before, const PositionRecord& after,
                                      ReportLine* lines) {
  if (before.positionType > kHighestPositionType) {
    return 1;
  }
  int count = 0;
  FormatCentredHeading(kCorrectionHeadings[before.positionType], lines[count++]);
  CopyReportLine(kBeforeCorrection, lines[count++]);
  const EngineStatus status = FormatPositionTable(before, lines + count);
  if (status != kStatusOk) return status;
  count += kPositionTableLines;
  CopyReportLine(kBlankLine, lines[count++]);
  CopyReportLine(kAfterCorrection, lines[count++]);
  return FormatPositionTable(after, lines + count);
}

EngineStatus FormatSightDeletion(const ObservationRecord& sight, ReportLine* lines) {
  CopyReportLine(kDeleteSightHeading, lines[0]);
  CopyReportLine(kBlankLine, lines[1]);
  return FormatSightTable(sight, lines + 2);
}

EngineStatus FormatSightCorrection(const ObservationRecord& before, const ObservationRecord& after,
                                   ReportLine* lines) {
  CopyReportLine(kCorrectSightHeading, lines[0]);
  CopyReportLine(kBeforeCorrection, lines[1]);
  EngineStatus status = FormatSightTable(before, lines + 2);
  if (status != kStatusOk) {
    return status;
  }
  constexpr int kAfterBlock = 2 + kSightHeadingLines + 1;
  CopyReportLine(kBlankLine, lines[kAfterBlock]);
  CopyReportLine(kAfterCorrection, lines[kAfterBlock + 1]);
  return FormatSightTable(after, lines + kAfterBlock + 2);
}

}  // namespace navora
