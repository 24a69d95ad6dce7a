#include "engine/sightreduction/FixReportLines.h"

#include <cmath>
#include <cstring>

#include "engine/common/Angles.h"
#include "engine/horizon/AngleFormatting.h"
#include "engine/position/PositionBlocks.h"
#include "engine/position/PositionReport.h"
#include "engine/time/Calendar.h"

namespace navora {

namespace {

constexpr char kDegreeMark = kReportSymbols[0];
constexpr char kMinuteMark = kReportSymbols[1];
constexpr int16_t kMinuteDecimals = 1;
constexpr int16_t kWholeSeconds = 0;

// Error bars below half the last printed decimal print as 0.0 and are left out.
constexpr double kPrintedBar = 0.05;

constexpr char kSolutionTitle[] = "                                   Solution";
constexpr char kSpeedWarning[] = "                        WARNING: Speed exceeds %2.0f kn.";

// What Ho and Hc stand for, by the first four characters of the body name.
struct LimbNote {
  const char* prefixes[2];
  const char* text;
};
constexpr size_t kLimbPrefixLength = 4;
constexpr LimbNote kLimbNotes[kMaxLimbNotes] = {
    {{"Sun ", "Moon"}, "NOTE: Ho,Hc of Sun & Moon are topocentric positions of the limb."},
    {{"Venu", "Mars"},
     "NOTE: Ho,Hc of Venus & Mars are topocentric positions of the center of light."},
};

// A value held at its ceiling, and the mark printed after it.
struct Capped {
  double value;
  char mark;
};

Capped CapAt(double value, double ceiling) {
  return value > ceiling ? Capped{ceiling, kCeilingMark} : Capped{value, ' '};
}

// The magnitude of an altitude in degrees and minutes (Ho and Hc print unsigned).
struct UnsignedAngle {
  int16_t degrees = 0;
  double minutes = 0.0;
};

UnsignedAngle SplitMagnitude(double altitudeDeg) {
  UnsignedAngle split;
  char sign = ' ';
  static_cast<void>(SplitDegreesMinutes(std::fabs(altitudeDeg), kMinuteDecimals, sign,
                                        split.degrees, split.minutes));  // checked by the caller
  return split;
}

const char* MonthText(int16_t month) {
  const char* text = MonthAbbreviation(month - 1);
  return text == nullptr ? "???" : text;
}

}  // namespace

EngineStatus FormatReducedHeader(double timeUtc, ReportLine* lines) {
  if (lines == nullptr || !std::isfinite(timeUtc) || timeUtc < 0.0) return kStatusOutOfDomain;
  int16_t year = 0, month = 1, day = 0, hour = 0, minute = 0;
  double seconds = 0.0;
  char weekday[4];
  SplitJulianToSeconds(timeUtc, kWholeSeconds, year, month, day, hour, minute, seconds, weekday);
  CopyReportLine(" ", lines[0]);
  FormatReportLine(lines[1], "            %02d %3s %4d", day, MonthText(month), year);
  CopyReportLine("  Body           UTC    Latitude  Longitude    Ho       Hc        a     Zn",
                 lines[2]);
  FormatReportLine(lines[3],
                   "               h  m  s    %c   %c      %c   %c    %c   %c    %c   %c      %c"
                   "       %c",
                   kDegreeMark, kMinuteMark, kDegreeMark, kMinuteMark, kDegreeMark, kMinuteMark,
                   kDegreeMark, kMinuteMark, kMinuteMark, kDegreeMark);
  return kStatusOk;
}

EngineStatus FormatReducedLine(const ReducedObservation& sight, ReportLine& line) {
  line[0] = '\0';
  // The assumed position as a record, so that time and position split as every report's.
  const PositionRecord assumed =
      MakePositionRecord(kMotionNone, kPositionDr, sight.time, sight.drLatitude, sight.drLongitude,
                         0.0, 0.0, 0.0, 0.0);
  PositionReportParts p;
  double zn = 0.0;
  if (SplitPositionForReport(assumed, p) != kStatusOk || !IsLatitude(sight.ho) ||
      !IsLatitude(sight.hc) || RoundAngle360(sight.zn, zn) != kStatusOk) {
    return kStatusOutOfDomain;
  }
  const UnsignedAngle ho = SplitMagnitude(sight.ho);
  const UnsignedAngle hc = SplitMagnitude(sight.hc);
  const double intercept = (sight.ho - sight.hc) * kArcminutesPerDegree;
  Capped a = CapAt(std::fabs(intercept), kInterceptCeilingArcmin);
  if (a.mark == ' ') a.mark = intercept > 0.0 ? 'T' : intercept < 0.0 ? 'A' : ' ';
  const bool excluded = sight.included == 0;
  // The name is bounded by its array, should a damaged record lack the terminator.
  constexpr int kNameChars = static_cast<int>(kReducedBodyNameBytes) - 1;
  FormatReportLine(line,
                   "%c%-12.*s %02d:%02d:%02.0f  %c%02d %04.1f  %c%03d %04.1f  %02d %04.1f  %02d "
                   "%04.1f %6.1f%c  %05.1f%c",
                   excluded ? '[' : ' ', kNameChars, sight.bodyName, p.hour, p.minute, p.seconds,
                   p.latitudeLetter, p.latitudeDegrees, p.latitudeMinutes, p.longitudeLetter,
                   p.longitudeDegrees, p.longitudeMinutes, ho.degrees, ho.minutes, hc.degrees,
                   hc.minutes, a.value, a.mark, zn, excluded ? ']' : ' ');
  return kStatusOk;
}

void FormatLimbNote(const char* bodyName, ReportLine* notes, int& noteCount) {
  for (const LimbNote& note : kLimbNotes) {
    bool matches = false;
    for (const char* prefix : note.prefixes) {
      matches = matches || std::strncmp(bodyName, prefix, kLimbPrefixLength) == 0;
    }
    if (!matches) continue;
    for (int i = 0; i < noteCount; ++i) {
      if (std::strcmp(notes[i], note.text) == 0) return;
    }
    CopyReportLine(note.text, notes[noteCount++]);
    return;
  }
}

EngineStatus FormatSolutionBlock(const PositionRecord& lastFix, const PositionRecord& reference,
                                 const PositionRecord& drAtFix, const PositionRecord& newFix,
                                 const FixSolution& fix, ReportLine* lines, int& lineCount) {
  lineCount = 0;
  if (lines == nullptr) return kStatusOutOfDomain;
  CopyReportLine(" ", lines[0]);
  CopyReportLine(kSolutionTitle, lines[1]);
  CopyReportLine(" ", lines[2]);
  constexpr int kTitleLines = 3;
  if (FormatFixComparisonBlock(lastFix, reference, drAtFix, newFix, 2.0 * fix.sigmaLatitude,
                               2.0 * fix.sigmaLongitude, lines + kTitleLines) != kStatusOk) {
    return kStatusOutOfDomain;
  }
  int count = kTitleLines + kFixComparisonBlockLines;
  if (newFix.speed > kSpeedCeilingKnots) {
    CopyReportLine(" ", lines[count++]);
    FormatReportLine(lines[count++], kSpeedWarning, kSpeedCeilingKnots);
  }
  lineCount = count;
  return kStatusOk;
}

EngineStatus FormatSolutionCourseSpeed(double courseDeg, double sigmaCourseDeg, double speedKnots,
                                       double sigmaSpeedKnots, ReportLine* lines, int& lineCount) {
  lineCount = 0;
  double course = 0.0;
  if (lines == nullptr || RoundAngle360(courseDeg, course) != kStatusOk ||
      !std::isfinite(sigmaCourseDeg) || !std::isfinite(speedKnots) ||
      !std::isfinite(sigmaSpeedKnots)) {
    return kStatusOutOfDomain;
  }
  if (sigmaCourseDeg == 0.0 && sigmaSpeedKnots == 0.0) return kStatusOk;  // not solved
  const double courseBar = std::fabs(2.0 * sigmaCourseDeg);
  const Capped speedBar = CapAt(std::fabs(2.0 * sigmaSpeedKnots), kSpeedCeilingKnots);
  const Capped speed = CapAt(speedKnots, kSpeedCeilingKnots);
  if (courseBar <= kPrintedBar && speedBar.value <= kPrintedBar) {
    FormatReportLine(lines[0], "                                 %c", kDegreeMark);
    FormatReportLine(lines[1],
                     "             Solution Course: %05.1f     Solution Speed: %04.1f kn %c",
                     course, speed.value, speed.mark);
    lineCount = 2;
  } else if (speed.mark == ' ') {
    FormatReportLine(lines[0], "                         %c         %c", kDegreeMark, kDegreeMark);
    FormatReportLine(lines[1],
                     "     Solution Course: %05.1f +/- %05.1f    Solution Speed: %04.1f +/- %04.1f "
                     "kn %c",
                     course, courseBar, speed.value, speedBar.value, speedBar.mark);
    lineCount = 2;
  } else {
    FormatReportLine(lines[0], "                            %c         %c", kDegreeMark,
                     kDegreeMark);
    FormatReportLine(lines[1],
                     "        Solution Course: %05.1f +/- %05.1f    Solution Speed: %04.1f kn %c",
                     course, courseBar, speed.value, speed.mark);
    FormatReportLine(lines[2], "                  WARNING: Solution speed exceeds %2.0f kn.",
                     kSpeedCeilingKnots);
    lineCount = 3;
  }
  return kStatusOk;
}

EngineStatus FormatSolutionTable(const FixSolution& fix, ReportLine* lines, int& lineCount) {
  lineCount = 0;
  const PositionRecord record =
      MakePositionRecord(kMotionNone, kPositionCelestialFix, fix.time, fix.latitude, fix.longitude,
                         fix.course, fix.speed, 0.0, 0.0);
  PositionReportParts p;
  if (lines == nullptr || SplitPositionForReport(record, p) != kStatusOk ||
      !std::isfinite(fix.sigmaLatitude) || !std::isfinite(fix.sigmaLongitude)) {
    return kStatusOutOfDomain;
  }
  const Capped speed = CapAt(fix.speed, kSpeedCeilingKnots);
  int count = 0;
  CopyReportLine(" ", lines[count++]);
  CopyReportLine(kSolutionTitle, lines[count++]);
  CopyReportLine(" ", lines[count++]);
  CopyReportLine("            Date        UTC      Latitude    Longitude  Course   Speed",
                 lines[count++]);
  FormatReportLine(lines[count++],
                   "                      h  m  s      %c   %c        %c   %c       %c     kn",
                   kDegreeMark, kMinuteMark, kDegreeMark, kMinuteMark, kDegreeMark);
  FormatReportLine(lines[count++],
                   "        %02d %3s %4d  %02d:%02d:%02.0f    %c%02d %04.1f    %c%03d %04.1f   "
                   "%05.1f   %4.1f%c",
                   p.day, p.month, p.year, p.hour, p.minute, p.seconds, p.latitudeLetter,
                   p.latitudeDegrees, p.latitudeMinutes, p.longitudeLetter, p.longitudeDegrees,
                   p.longitudeMinutes, p.course, speed.value, speed.mark);
  const double latitudeBar = std::fabs(2.0 * fix.sigmaLatitude);
  const double longitudeBar = std::fabs(2.0 * fix.sigmaLongitude);
  if (latitudeBar > kPrintedErrorDeg || longitudeBar > kPrintedErrorDeg) {
    FormatReportLine(lines[count++], "                               +/-%7.1f  +/- %7.1f",
                     latitudeBar * kArcminutesPerDegree, longitudeBar * kArcminutesPerDegree);
  }
  if (speed.mark != ' ') {
    CopyReportLine(" ", lines[count++]);
    FormatReportLine(lines[count++], kSpeedWarning, kSpeedCeilingKnots);
  }
  lineCount = count;
  return kStatusOk;
}

}  // namespace navora
