#include "engine/almanac/AlmanacHeading.h"

#include <cmath>

#include "engine/almanac/AlmanacText.h"
#include "engine/horizon/BodyPhysics.h"
#include "engine/places/ApparentPlace.h"
#include "engine/places/AstronomicalConstants.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {


constexpr int16_t kSunMoonAriesLastLine = 9;
constexpr int16_t kPlanetsLastLine = 8;
constexpr int16_t kStarsAtInstantLastLine = 11;
constexpr int16_t kStarsForDayLastLine = 8;

constexpr char kAlmanacTitle[] = "                                    ALMANAC";
constexpr char kBlankLine[] = "    ";
constexpr char kWideBlankLine[] = "     ";
constexpr char kStarsTitle[] = "                              NAVIGATIONAL STARS";

const char* MonthText(const AlmanacTime& time) { return MonthAbbreviation(time.month - 1); }

void WriteText(AlmanacLine& line, const char* text) { FormatAlmanacLine(line, "%s", text); }

// Lines 0..6 shared by both star headings: title, the instant with its time
// marks, and the section title.
void WriteStarsOpening(const AlmanacTime& time, bool withSeconds, AlmanacHeadingLines& lines) {
  WriteText(lines[0], kAlmanacTitle);
  WriteText(lines[1], kBlankLine);
  if (withSeconds) {
    WriteText(lines[2], "                                           h  m  s");
    FormatAlmanacLine(lines[3], "                        %d %3s %2d (%s) %02d %02d %02d UT",
                      time.year, MonthText(time), time.day, time.weekday, time.hour, time.minute,
                      time.second);
  } else {
    WriteText(lines[2], "                                             h  m");
    FormatAlmanacLine(lines[3], "                          %d %3s %2d (%s) %02d %02d UT", time.year,
                      MonthText(time), time.day, time.weekday, time.hour, time.minute);
  }
  WriteText(lines[4], kBlankLine);
  WriteText(lines[5], kStarsTitle);
  WriteText(lines[6], kWideBlankLine);
}

EngineStatus SunMoonAriesHeading(PlaceContext& context, double jdUt1, bool withSeconds, AlmanacHeadingLines& lines,
                                 int16_t& lastLineIndex) {
  const AlmanacTime time = SplitAlmanacTime(jdUt1, withSeconds);
  WriteText(lines[0], kAlmanacTitle);
  WriteText(lines[1], kBlankLine);
  FormatAlmanacLine(lines[2], "                              %d %3s %2d (%s)", time.year,
                    MonthText(time), time.day, time.weekday);
  WriteText(lines[3], kBlankLine);
  WriteText(lines[4], "                                SUN/MOON/ARIES");
  WriteText(lines[5], kBlankLine);

  const double deltaT = context.deltaT.LookupDeltaT(jdUt1);
  if (deltaT <= kDeltaTUnavailable) return kHeadingNoDeltaT;
  double raHours = 0.0, decDeg = 0.0, distance = 0.0, trueObliquity = 0.0, lightTime = 0.0;
  Vector3 positionOfDate{}, astrometric{};
  if (GeocentricApparentPlace(context, jdUt1 + deltaT / kSecondsPerDay, kSun, kEarth, raHours,
                              decDeg, distance, positionOfDate, astrometric, trueObliquity,
                              lightTime) != kStatusOk) {
    return kHeadingNoPlace;
  }
  const double sunSemiDiameter =
      AngularRadius(distance, kBodyRadiusMetres[kSun]) / kArcsecondsPerArcminute;

  const char bar = kAlmanacColumnSeparator, deg = kAlmanacDegreeMark, min = kAlmanacMinuteMark;
  if (withSeconds) {
    FormatAlmanacLine(
        lines[6], "        %c         SUN  %c     %c                MOON                 %c  ARIES",
        bar, min, bar, bar);
    FormatAlmanacLine(lines[7],
                      "   UT   %c     S.D. = %2.1f    %c                                     %c",
                      bar, sunSemiDiameter, bar, bar);
    FormatAlmanacLine(
        lines[8], "        %c  G.H.A.     Dec.   %c  G.H.A.     Dec.    H.P.  S.D.  Ill.%c  G.H.A.",
        bar, bar, bar);
    FormatAlmanacLine(
        lines[9],
        "  h m s %c   %c   %c     %c   %c  %c   %c   %c     %c   %c     %c     %c     %% "
        "%c   %c   %c",
        bar, deg, min, deg, min, bar, deg, min, deg, min, min, min, bar, deg, min);
  } else {
    FormatAlmanacLine(
        lines[6], "       %c        SUN  %c      %c                MOON                 %c  ARIES",
        bar, min, bar, bar);
    FormatAlmanacLine(lines[7],
                      "   UT  %c    S.D. = %2.1f     %c                                     %c",
                      bar, sunSemiDiameter, bar, bar);
    FormatAlmanacLine(
        lines[8], "       %c   GHA       Dec.   %c   GHA       Dec.    H.P.  S.D.  Ill.%c   GHA",
        bar, bar, bar);
    FormatAlmanacLine(
        lines[9],
        "  h  m %c   %c   %c     %c   %c  %c   %c   %c     %c   %c     %c     %c     %% "
        "%c   %c   %c",
        bar, deg, min, deg, min, bar, deg, min, deg, min, min, min, bar, deg, min);
  }
  lastLineIndex = kSunMoonAriesLastLine;
  return kStatusOk;
}

EngineStatus PlanetsHeading(PlaceContext& context, double jdUt1, bool withSeconds, AlmanacHeadingLines& lines,
                            int16_t& lastLineIndex) {
  const AlmanacTime time = SplitAlmanacTime(jdUt1, withSeconds);
  WriteText(lines[0], kAlmanacTitle);
  WriteText(lines[1], kBlankLine);
  FormatAlmanacLine(lines[2], "                               %d %3s %2d (%s)", time.year,
                    MonthText(time), time.day, time.weekday);
  WriteText(lines[3], kBlankLine);

  // Magnitudes change slowly: one value for the whole date, at 0h UT.
  const double jd0 = CalendarToJulian(time.year, time.month, time.day, 0, 0, 0.0);
  const double deltaT = context.deltaT.LookupDeltaT(jd0);
  if (deltaT <= kDeltaTUnavailable) return kHeadingNoDeltaT;
  const double jdTt0 = jd0 + deltaT / kSecondsPerDay;
  double magnitudes[kAlmanacPlanetCount] = {};
  for (int k = 0; k < kAlmanacPlanetCount; ++k) {
    // A planet without a magnitude law prints blanks; a missing place stops.
    if (ComputePlanetMagnitude(context, kAlmanacPlanetBodies[k], jdTt0, magnitudes[k]) ==
        kAlmanacNoPlace) {
      return kHeadingNoPlace;
    }
  }
  MagnitudeText venusText;
  FormatMagnitudeText(magnitudes[0], venusText);

  WriteText(lines[4], "                                    PLANETS");
  WriteText(lines[5], kWideBlankLine);
  const char bar = kAlmanacColumnSeparator, deg = kAlmanacDegreeMark, min = kAlmanacMinuteMark;
  if (withSeconds) {
    FormatAlmanacLine(
        lines[6],
        "  UT  %c    VENUS %4s   %c     MARS %+2.1f   %c  JUPITER %+2.1f   %c   SATURN %+2.1f", bar,
        venusText, bar, magnitudes[1], bar, magnitudes[2], bar, magnitudes[3]);
    FormatAlmanacLine(
        lines[7], "      %c   GHA      Dec. %c   GHA      Dec. %c  GHA       Dec. %c   GHA    Dec.",
        bar, bar, bar, bar);
    FormatAlmanacLine(
        lines[8],
        " h m s%c  %c   %c    %c   %c %c  %c   %c    %c   %c %c  %c   %c    %c   %c %c  %c"
        "   %c    %c   %c",
        bar, deg, min, deg, min, bar, deg, min, deg, min, bar, deg, min, deg, min, bar, deg, min,
        deg, min);
  } else {
    FormatAlmanacLine(
        lines[6],
        "  UT %c    VENUS %4s   %c     MARS %+2.1f   %c  JUPITER %+2.1f   %c   SATURN %+2.1f", bar,
        venusText, bar, magnitudes[1], bar, magnitudes[2], bar, magnitudes[3]);
    FormatAlmanacLine(
        lines[7],
        "     %c   GHA      Dec. %c  GHA       Dec. %c  GHA       Dec. %c  GHA       Dec.", bar,
        bar, bar, bar);
    FormatAlmanacLine(
        lines[8],
        " h  m%c  %c   %c    %c   %c %c  %c   %c    %c   %c %c  %c   %c    %c   %c %c  %c"
        "   %c    %c   %c",
        bar, deg, min, deg, min, bar, deg, min, deg, min, bar, deg, min, deg, min, bar, deg, min,
        deg, min);
  }
  lastLineIndex = kPlanetsLastLine;
  return kStatusOk;
}

EngineStatus StarsAtInstantHeading(PlaceContext& context, double jdUt1, bool withSeconds, AlmanacHeadingLines& lines,
                                   int16_t& lastLineIndex) {
  WriteStarsOpening(SplitAlmanacTime(jdUt1, withSeconds), withSeconds, lines);

  double ariesGha = 0.0;
  if (ComputeAriesAlmanac(context, jdUt1, ariesGha) != kStatusOk) return kHeadingNoTimeArguments;
  AlmanacAngle aries{};
  if (SplitAlmanacAngle(ariesGha, aries) != kStatusOk) return kHeadingNoPlace;
  FormatAlmanacLine(lines[7], "                                             %c   %c",
                    kAlmanacDegreeMark, kAlmanacMinuteMark);
  FormatAlmanacLine(lines[8], "                            GHA of ARIES = %3d %04.1f",
                    aries.degrees, aries.minutes);
  WriteText(lines[9], kBlankLine);
  WriteText(lines[10], "            NAME          No.       SHA            GHA          Dec.");
  FormatAlmanacLine(lines[11],
                    "                                    %c   %c         %c   %c         %c   %c",
                    kAlmanacDegreeMark, kAlmanacMinuteMark, kAlmanacDegreeMark, kAlmanacMinuteMark,
                    kAlmanacDegreeMark, kAlmanacMinuteMark);
  lastLineIndex = kStarsAtInstantLastLine;
  return kStatusOk;
}

EngineStatus StarsForDayHeading(double jdNoon, AlmanacHeadingLines& lines, int16_t& lastLineIndex) {
  WriteStarsOpening(SplitAlmanacTime(jdNoon, false), false, lines);
  WriteText(lines[7], "             NAME              No.           SHA               Dec.");
  FormatAlmanacLine(lines[8],
                    "                                             %c   %c             %c   %c",
                    kAlmanacDegreeMark, kAlmanacMinuteMark, kAlmanacDegreeMark, kAlmanacMinuteMark);
  lastLineIndex = kStarsForDayLastLine;
  return kStatusOk;
}

}  // namespace

EngineStatus ComputeAlmanacHeading(PlaceContext& context, double jdUtc, double dut1Seconds, AlmanacKind kind,
                                   double intervalDays, AlmanacHeadingLines& lines,
                                   int16_t& lastLineIndex) {
  if (kind < kAlmanacSunMoonAries || kind > kAlmanacStarForDay) return kHeadingBadKind;
  // Written so that a value that is not a number is refused as well.
  if (!(std::fabs(dut1Seconds) <= kAlmanacMaxDut1Seconds)) return kHeadingBadDut1;

  const double jdUt1 = jdUtc + dut1Seconds / kSecondsPerDay;
  const bool withSeconds = IntervalBelowOneMinute(intervalDays);
  switch (kind) {
    case kAlmanacSunMoonAries:
      return SunMoonAriesHeading(context, jdUt1, withSeconds, lines, lastLineIndex);
    case kAlmanacPlanets:
      return PlanetsHeading(context, jdUt1, withSeconds, lines, lastLineIndex);
    case kAlmanacStarAtInstant:
      return StarsAtInstantHeading(context, jdUt1, withSeconds, lines, lastLineIndex);
    default:
      // The day's star positions are those of 12h UT, the whole Julian date.
      return StarsForDayHeading(std::trunc(jdUt1 + 0.5), lines, lastLineIndex);
  }
}

}  // namespace navora
