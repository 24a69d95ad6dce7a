#include "engine/sightreduction/SightRecorderTable.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/common/Angles.h"
#include "engine/horizon/AngleFormatting.h"
#include "engine/sightreduction/BodyNames.h"
#include "engine/time/Calendar.h"

namespace navora {

namespace {

constexpr char kTitle[] = "                                 SIGHT RECORDER";
constexpr char kBlankLine[] = " ";
constexpr char kColumnHeader[] =
    " Body              UTC         hs      IC   Temp  Press   Ht  UT1-UTC  Quality";
constexpr char kNoDate[] = "00000000";

constexpr char kDegreeMark = kReportSymbols[0];
constexpr char kMinuteMark = kReportSymbols[1];

constexpr double kFeetPerMetre = 3.28084;
constexpr int16_t kMinuteDecimals = 1;
constexpr int16_t kWholeSeconds = 0;

constexpr const char* kGradeWords[] = {"Good", "Average", "Poor"};  // by quality code - 1

struct SightTime {
  int16_t year = 0;
  int16_t month = 0;
  int16_t day = 0;
  int16_t hour = 0;
  int16_t minute = 0;
  double seconds = 0.0;
};

// Date and time to whole seconds, the date following a carry into midnight.
SightTime SplitSightTime(double jdUtc) {
  SightTime t;
  char weekday[4];
  SplitJulianToSeconds(jdUtc, kWholeSeconds, t.year, t.month, t.day, t.hour, t.minute, t.seconds,
                       weekday);
  return t;
}

const char* MonthText(int16_t month) {
  const char* text = MonthAbbreviation(month - 1);
  return text == nullptr ? "???" : text;
}

void DateKey(const SightTime& t, char (&key)[kSightRecorderDateBytes]) {
  std::snprintf(key, sizeof key, "%4d%02d%02d", t.year, t.month, t.day);
}

// A sigma that matches no grade is a damaged record, not "Average".
EngineStatus GradeWord(double sigma, const char*& word) {
  uint16_t code = 0;
  if (!MatchQualityCode(sigma, code)) {
    return kSightUnknownGrade;
  }
  word = kGradeWords[code - 1];
  return kStatusOk;
}

// Half away from zero to a whole number, kept as a double so that damaged
// values print as they are instead of overflowing an integer.
double RoundWhole(double value) {
  return std::copysign(std::trunc(std::fabs(value) + 0.5), value) + 0.0;
}

}  // namespace

void FormatSightHeading(const ObservationRecord& sight, ReportLine* lines) {
  const SightTime t = SplitSightTime(sight.time);
  FormatReportLine(lines[0], "               %02d %3s %4d", t.day, MonthText(t.month), t.year);
  CopyReportLine(kColumnHeader, lines[1]);
  FormatReportLine(lines[2],
                   "                  h  m  s    %c   %c      %c     C     mb    ft      s",
                   kDegreeMark, kMinuteMark, kMinuteMark);
}

EngineStatus FormatSightRow(const ObservationRecord& sight, ReportLine& line) {
  const char* name = nullptr;
  if (BodyNameForCode(sight.bodyCode, sight.starNumber, name) != kStatusOk) {
    return kSightUnknownBody;
  }
  const char* grade = nullptr;
  if (GradeWord(sight.sigma, grade) != kStatusOk) {
    return kSightUnknownGrade;
  }
  const SightTime t = SplitSightTime(sight.time);
  char hsSign = ' ';
  int16_t hsDegrees = 0;
  double hsMinutes = 0.0;
  if (SplitDegreesMinutes(sight.hs, kMinuteDecimals, hsSign, hsDegrees, hsMinutes) != kStatusOk) {
    return kSightBadAltitude;
  }
  const char temperatureSign = sight.temperature >= 0.0 ? '+' : '-';
  const double temperature = std::trunc(std::fabs(sight.temperature) + 0.5);
  const double pressure = std::trunc(sight.pressure + 0.5);
  const double heightFeet = RoundWhole(sight.heightOfEye * kFeetPerMetre);
  FormatReportLine(line,
                   "%-15s  %02d:%02d:%02.0f   %02d %04.1f   %+04.1f  %c%02.0f   %4.0f   %3.0f    "
                   "%+04.1f   %-7s",
                   name, t.hour, t.minute, t.seconds, hsDegrees, hsMinutes,
                   sight.indexCorrection * kArcminutesPerDegree, temperatureSign, temperature,
                   pressure, heightFeet, sight.ut1MinusUtc, grade);
  return kStatusOk;
}

EngineStatus FormatSightRecorderTable(SightRecorderCarry& carry, int16_t firstOfBatch,
                                      const ObservationRecord& sight, ReportLine* lines,
                                      int16_t& lineCount) {
  lineCount = 0;
  ReportLine row;
  const EngineStatus status = FormatSightRow(sight, row);
  if (status != kStatusOk) {
    return status;
  }
  int16_t count = 0;
  if (firstOfBatch != 0) {
    CopyReportLine(kTitle, lines[count++]);
    std::snprintf(carry.lastDate, sizeof carry.lastDate, "%s", kNoDate);
  }
  char date[kSightRecorderDateBytes];
  DateKey(SplitSightTime(sight.time), date);
  if (std::strcmp(date, carry.lastDate) != 0) {
    CopyReportLine(kBlankLine, lines[count++]);
    FormatSightHeading(sight, lines + count);
    count += kSightHeadingLines;
    std::snprintf(carry.lastDate, sizeof carry.lastDate, "%s", date);
  }
  CopyReportLine(row, lines[count++]);
  lineCount = count;
  return kStatusOk;
}

}  // namespace navora
