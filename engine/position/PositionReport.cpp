#include "engine/position/PositionReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/horizon/AngleFormatting.h"
#include "engine/position/Ellipsoid.h"
#include "engine/time/Calendar.h"

namespace navora {

namespace {

constexpr double kFeetPerMetre = 3.28084;
constexpr int16_t kMinuteDecimals = 1;
// Half the last printed decimal of a course: 359.95 prints as 000.0.
constexpr double kHalfPrintedTenth = 0.05;

constexpr char kDegreeMark = kReportSymbols[0];
constexpr char kMinuteMark = kReportSymbols[1];

// An angle split into hemisphere letter, whole degrees and minutes.
struct SplitAngle {
  char letter = ' ';
  int16_t degrees = 0;
  double minutes = 0.0;
};

// The letter stays blank for an angle that prints as zero. The angle is in
// the domain of the split (checked by the callers).
SplitAngle SplitHemisphereAngle(double angleDeg, char positiveLetter, char negativeLetter) {
  SplitAngle split;
  char sign = ' ';
  if (SplitDegreesMinutes(angleDeg, kMinuteDecimals, sign, split.degrees, split.minutes) !=
      kStatusOk) {
    return SplitAngle{};
  }
  if (sign == '+') split.letter = positiveLetter;
  if (sign == '-') split.letter = negativeLetter;
  return split;
}

SplitAngle SplitLatitude(double latitudeDeg) { return SplitHemisphereAngle(latitudeDeg, 'N', 'S'); }

SplitAngle SplitLongitude(double longitudeDeg) {
  return SplitHemisphereAngle(longitudeDeg, 'E', 'W');
}

bool IsPrintablePosition(double latitudeDeg, double longitudeDeg, double heightOfEyeM) {
  return IsLatitude(latitudeDeg) && std::isfinite(longitudeDeg) && std::isfinite(heightOfEyeM);
}

EngineStatus RefuseLines(ReportLine* lines, int count) {
  if (lines != nullptr) {
    for (int i = 0; i < count; ++i) lines[i][0] = '\0';
  }
  return kStatusOutOfDomain;
}

// Angles reduced for printing; 0 for a refused one, whose block is refused
// before anything is printed.
double Rounded360(double angleDeg) {
  double rounded = 0.0;
  return RoundAngle360(angleDeg, rounded) == kStatusOk ? rounded : 0.0;
}

// Height of eye in whole feet, rounded half away from zero and kept within
// the printable range.
int16_t HeightInFeet(double heightOfEyeM) {
  const double feet = std::round(heightOfEyeM * kFeetPerMetre);
  return static_cast<int16_t>(std::clamp(feet, -32768.0, 32767.0));
}

const char* TypeName(uint16_t positionType) {
  switch (positionType) {
    case kPositionCelestialFix:
      return "Cel.Fix";
    case kPositionExternalFix:
      return "Ext.Fix";
    case kPositionDr:
      return "DR";
    case kPositionUserDefined:
      return "---";
    default:
      return "       ";
  }
}

void CopyMonth(int16_t month, char (&text)[4]) {
  const char* name = MonthAbbreviation(month - 1);
  std::snprintf(text, sizeof text, "%s", name != nullptr ? name : "???");
}

// Whole seconds of a time split with no decimals (already carried below 59.5).
int16_t WholeSeconds(double seconds) { return static_cast<int16_t>(std::trunc(seconds + 0.5)); }

}  // namespace

EngineStatus RoundAngle360(double angleDeg, double& roundedDeg) {
  roundedDeg = 0.0;
  if (!std::isfinite(angleDeg)) return kStatusOutOfDomain;
  const double reduced = WrapDegrees360(angleDeg);
  roundedDeg = reduced + kHalfPrintedTenth >= kDegreesPerCircle ? 0.0 : reduced;
  return kStatusOk;
}

EngineStatus SplitPositionForReport(const PositionRecord& position, PositionReportParts& parts) {
  if (!IsPositionRecordInDomain(position)) {
    parts = PositionReportParts{};
    parts.latitudeLetter = ' ';
    parts.longitudeLetter = ' ';
    return kStatusOutOfDomain;
  }
  std::snprintf(parts.typeName, sizeof parts.typeName, "%s", TypeName(position.positionType));

  int16_t month = 1;
  double seconds = 0.0;
  char weekday[4];
  SplitJulianToSeconds(position.time, 0, parts.year, month, parts.day, parts.hour, parts.minute,
                       seconds, weekday);
  CopyMonth(month, parts.month);
  parts.seconds = WholeSeconds(seconds);

  const SplitAngle latitude = SplitLatitude(position.latitude);
  parts.latitudeLetter = latitude.letter;
  parts.latitudeDegrees = latitude.degrees;
  parts.latitudeMinutes = latitude.minutes;
  const SplitAngle longitude = SplitLongitude(position.longitude);
  parts.longitudeLetter = longitude.letter;
  parts.longitudeDegrees = longitude.degrees;
  parts.longitudeMinutes = longitude.minutes;

  parts.course = Rounded360(position.course);
  parts.set = Rounded360(position.set);
  return kStatusOk;
}

EngineStatus FormatPositionTimeBlock(double jdUtc, double latitudeDeg, double longitudeDeg,
                                     double heightOfEyeM, int16_t withSeconds, ReportLine* lines) {
  if (lines == nullptr || !std::isfinite(jdUtc) ||
      !IsPrintablePosition(latitudeDeg, longitudeDeg, heightOfEyeM)) {
    return RefuseLines(lines, kPositionTimeBlockLines);
  }
  int16_t year = 0;
  int16_t month = 1;
  int16_t day = 0;
  int16_t hour = 0;
  int16_t minute = 0;
  int16_t seconds = 0;
  if (withSeconds == 0) {
    SplitJulianToMinute(jdUtc, year, month, day, hour, minute);
  } else {
    double rawSeconds = 0.0;
    char weekday[4];
    SplitJulianToSeconds(jdUtc, 0, year, month, day, hour, minute, rawSeconds, weekday);
    seconds = WholeSeconds(rawSeconds);
  }
  char monthName[4];
  CopyMonth(month, monthName);
  const SplitAngle latitude = SplitLatitude(latitudeDeg);
  const SplitAngle longitude = SplitLongitude(longitudeDeg);
  const int16_t feet = HeightInFeet(heightOfEyeM);

  FormatReportLine(lines[0], "                                                    %c   %c",
                   kDegreeMark, kMinuteMark);
  FormatReportLine(lines[1], "                Date: %2hd %3s %4hd         Lat:   %c %02hd %04.1f",
                   day, monthName, year, latitude.letter, latitude.degrees, latitude.minutes);
  if (withSeconds == 0) {
    FormatReportLine(lines[2], "                        h m               Long:  %c%03hd %04.1f",
                     longitude.letter, longitude.degrees, longitude.minutes);
    FormatReportLine(lines[3], "                Time:  %02hd%02hd UTC           Ht:      %3hd ft.",
                     hour, minute, feet);
  } else {
    FormatReportLine(lines[2], "                       h  m  s            Long:  %c%03hd %04.1f",
                     longitude.letter, longitude.degrees, longitude.minutes);
    FormatReportLine(lines[3],
                     "                Time: %02hd %02hd %02hd UTC        Ht:      %3hd ft.", hour,
                     minute, seconds, feet);
  }
  return kStatusOk;
}

EngineStatus FormatSiteBlock(double latitudeDeg, double longitudeDeg, double heightOfEyeM,
                             ReportLine* lines) {
  if (lines == nullptr || !IsPrintablePosition(latitudeDeg, longitudeDeg, heightOfEyeM)) {
    return RefuseLines(lines, kSiteBlockLines);
  }
  const SplitAngle latitude = SplitLatitude(latitudeDeg);
  const SplitAngle longitude = SplitLongitude(longitudeDeg);
  FormatReportLine(lines[0], "                                         %c   %c", kDegreeMark,
                   kMinuteMark);
  FormatReportLine(lines[1], "                               Lat:   %c %02hd %04.1f",
                   latitude.letter, latitude.degrees, latitude.minutes);
  FormatReportLine(lines[2], "                               Long:  %c%03hd %04.1f",
                   longitude.letter, longitude.degrees, longitude.minutes);
  FormatReportLine(lines[3], "                               Ht:      %3hd ft.",
                   HeightInFeet(heightOfEyeM));
  return kStatusOk;
}

EngineStatus FormatCourseSpeedBlock(double courseDeg, double speedKnots, double setDeg,
                                    double driftKnots, int16_t shortForm, ReportLine* lines) {
  if (lines == nullptr || !std::isfinite(courseDeg) || !std::isfinite(speedKnots) ||
      !std::isfinite(setDeg) || !std::isfinite(driftKnots)) {
    return RefuseLines(lines, kCourseSpeedBlockLines);
  }
  if (shortForm != 0) {
    FormatReportLine(lines[0], "                                          %c", kDegreeMark);
    FormatReportLine(lines[1], "                               Course: %05.1f",
                     Rounded360(courseDeg));
    FormatReportLine(lines[2], "                               Speed:  %04.1f kn.", speedKnots);
    return kStatusOk;
  }
  FormatReportLine(lines[0], "                           %c                        %c", kDegreeMark,
                   kDegreeMark);
  FormatReportLine(lines[1], "                Course: %05.1f             Set:   %05.1f",
                   Rounded360(courseDeg), Rounded360(setDeg));
  FormatReportLine(lines[2], "                Speed:   %04.1f kn.         Drift:  %04.1f kn.",
                   speedKnots, driftKnots);
  return kStatusOk;
}

}  // namespace navora
