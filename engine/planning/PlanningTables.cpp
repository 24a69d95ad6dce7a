#include "engine/planning/PlanningTables.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/horizon/AngleFormatting.h"
#include "engine/horizon/HeightOfEye.h"
#include "engine/places/StarCatalogue.h"
#include "engine/position/PositionReport.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr char kSeparator = '|';
constexpr char kDegreeMark = 'o';
constexpr char kMinuteMark = ',';

// Nine characters each, centred, first-magnitude stars in capitals; indexed
// by star number - 1. Polaris closes the list: the selected-stars lookup
// chooses it in high northern latitudes.
constexpr const char* kStarShortNames[kPolarisNumber] = {
    "Alpheratz", "  Ankaa  ", " Schedar ", " Diphda  ", "ACHERNAR ", "  Hamal  ", " Acamar  ",
    " Menkar  ", " Mirfak  ", "ALDEBARAN", "  RIGEL  ", " CAPELLA ", "Bellatrix", " Elnath  ",
    " Alnilam ", "BETELGEU.", " CANOPUS ", " SIRIUS  ", " Adhara  ", " PROCYON ", " POLLUX  ",
    "  Avior  ", "  Suhail ", "Miaplaci.", " Alphard ", " REGULUS ", "  Dubhe  ", "Denebola ",
    " Gienah  ", "  ACRUX  ", " Gacrux  ", " Alioth  ", "  SPICA  ", " Alkaid  ", "  HADAR  ",
    " Menkent ", "ARCTURUS ", "RIG.KENT.", "Zuben'ubi", " Kochab  ", "Alphecca ", " ANTARES ",
    "  Atria  ", "  Sabik  ", " Shaula  ", "Rasalhag.", " Eltanin ", "Kaus Aus.", "   VEGA  ",
    "  Nunki  ", " ALTAIR  ", " Peacock ", "  DENEB  ", "   Enif  ", "Al Na'ir ", "FOMALHAUT",
    " Markab  ", " POLARIS "};

constexpr const char* kBodyTitles[kPlanningBodyCount] = {
    "   Sun    ", "   Moon   ", "  Venus   ", "   Mars   ", " Jupiter  ", "  Saturn  "};

constexpr const char kBlankCell[] = "          ";
constexpr const char kNearSunCell[] = " near Sun ";
constexpr const char kEclipseCell[] = " eclipse  ";

// A star heading different from every real one, so that row 0 prints it.
constexpr int16_t kNoPreviousStar = 1000;

// Light column limits (degrees of the Sun's altitude).
constexpr double kNauticalTwilightDeg = -12.0;
constexpr double kCivilTwilightDeg = -6.0;
// The Sun's cell is printed down to this altitude (degrees).
constexpr double kSunShownDeg = -6.0;
// Elongations (degrees) within which a planet is lost in the Sun's glare.
constexpr double kBrightPlanetGlareDeg = 10.0;  // Venus, Jupiter
constexpr double kFaintPlanetGlareDeg = 15.0;   // Mars, Saturn

constexpr double kArcsecondsPerDegree = 3600.0;
constexpr double kZenithAltitudeDeg = 90.0;

constexpr int kSunIndex = 0;
constexpr int kMoonIndex = 1;

// Eclipse codes: solar 1..3 (2 total), lunar 4..6 (6 total).
constexpr EclipseCode kPartialSolar = 1;
constexpr EclipseCode kTotalSolar = 2;
constexpr EclipseCode kAnnularSolar = 3;
constexpr EclipseCode kPenumbralLunar = 4;
constexpr EclipseCode kTotalLunar = 6;

// Azimuth or hour angle in whole degrees, 360 as 0.
int WholeDegrees360(double angleDeg) {
  double reduced = std::fmod(angleDeg, 360.0);
  if (reduced < 0.0) reduced += 360.0;
  const int whole = static_cast<int>(reduced + 0.5);
  return whole == 360 ? 0 : whole;
}

struct AltitudeParts {
  char sign;  // ' ' or '-'
  int degrees;
  double minutes;
};

AltitudeParts SplitAltitude(double altitudeDeg) {
  char sign = ' ';
  int16_t degrees = 0;
  double minutes = 0.0;
  // The altitude is finite (checked by the callers), so the split cannot fail.
  (void)SplitDegreesMinutes(altitudeDeg, 0, sign, degrees, minutes);
  return {sign == '-' ? '-' : ' ', degrees, minutes};
}

struct RowTime {
  int16_t year, month, day, hour, minute;
};

RowTime SplitRowTime(double jdUtc) {
  RowTime time{};
  SplitJulianToMinute(jdUtc, time.year, time.month, time.day, time.hour, time.minute);
  return time;
}

// Adds the date line when the row's day of month differs from the last row's.
void AddDateLineOnNewDay(PlanningTableState& state, const RowTime& time,
                         ReportLine (&lines)[kPlanningRowMaxLines], int& lineCount) {
  if (time.day == state.previousDay) return;
  FormatReportLine(lines[lineCount++], " %02d %3s %4d", time.day,
                   MonthAbbreviation(time.month - 1), time.year);
  state.previousDay = time.day;
}

void ResetState(PlanningTableState& state, double heightOfEyeM) {
  state.previousDay = 0;
  state.previousStars.fill(kNoPreviousStar);
  state.horizonAltitudeDeg = RiseSetAltitude(heightOfEyeM);
}

// Finite and within -90..90 degrees, so that a cell keeps its width.
bool IsAltitude(double altitudeDeg) { return std::fabs(altitudeDeg) <= kZenithAltitudeDeg; }

bool RowArgumentsValid(int rowIndex, double time, double heightOfEyeM) {
  return rowIndex >= 0 && std::isfinite(time) && time >= 0.0 && std::isfinite(heightOfEyeM);
}

EngineStatus Refuse(int& lineCount) {
  lineCount = 0;
  return kStatusOutOfDomain;
}

// ----- star table -------------------------------------------------------

bool StarsValid(const SelectedStarsResult& result) {
  for (const SelectedStarEntry& star : result.stars) {
    const int number = std::abs(star.starNumber);
    if (number < 1 || number > kPolarisNumber || !IsAltitude(star.altitude) ||
        !std::isfinite(star.azimuth)) {
      return false;
    }
  }
  return IsAltitude(result.sunAltitude) && std::isfinite(result.sunSemiDiameter);
}

const char* LightColumn(const SelectedStarsResult& result, double horizonAltitudeDeg) {
  if (result.sunAltitude < kNauticalTwilightDeg) return "   ";
  if (result.sunAltitude < kCivilTwilightDeg) return "NTw";
  const double upperLimb = result.sunAltitude + result.sunSemiDiameter / kArcsecondsPerDegree;
  return upperLimb >= horizonAltitudeDeg ? "Day" : "CTw";
}

void AddStarHeading(const std::array<SelectedStarEntry, kSelectedStarCount>& stars,
                    ReportLine (&lines)[kPlanningRowMaxLines], int& lineCount) {
  char best[kSelectedStarCount][2];
  const char* names[kSelectedStarCount];
  for (int i = 0; i < kSelectedStarCount; ++i) {
    const bool bestThree = stars[i].starNumber < 0;
    best[i][0] = bestThree ? '<' : ' ';
    best[i][1] = bestThree ? '>' : ' ';
    names[i] = kStarShortNames[std::abs(stars[i].starNumber) - 1];
  }
  const char s = kSeparator;
  FormatReportLine(lines[lineCount++],
                   "    %c    %c%c   %c    %c%c   %c    %c%c   %c    %c%c   %c    %c%c   %c"
                   "    %c%c   %c    %c%c   %c",
                   s, best[0][0], best[0][1], s, best[1][0], best[1][1], s, best[2][0], best[2][1],
                   s, best[3][0], best[3][1], s, best[4][0], best[4][1], s, best[5][0],
                   best[5][1], s, best[6][0], best[6][1], s);
  FormatReportLine(lines[lineCount++],
                   "    %c%9.9s%c%9.9s%c%9.9s%c%9.9s%c%9.9s%c%9.9s%c%9.9s%c", s, names[0], s,
                   names[1], s, names[2], s, names[3], s, names[4], s, names[5], s, names[6], s);
  FormatReportLine(lines[lineCount++],
                   " UTC%c  Hc   Zn%c  Hc   Zn%c  Hc   Zn%c  Hc   Zn%c  Hc   Zn%c  Hc   Zn%c"
                   "  Hc   Zn%c",
                   s, s, s, s, s, s, s, s);
  const char o = kDegreeMark;
  const char m = kMinuteMark;
  FormatReportLine(lines[lineCount++],
                   " h m%c %c  %c   %c%c %c  %c   %c%c %c  %c   %c%c %c  %c   %c%c %c  %c   %c%c"
                   " %c  %c   %c%c %c  %c   %c%c",
                   s, o, m, o, s, o, m, o, s, o, m, o, s, o, m, o, s, o, m, o, s, o, m, o, s, o,
                   m, o, s);
}

// ----- bodies table -----------------------------------------------------

bool BodiesValid(const PlanningBodiesResult& result) {
  for (int i = 0; i < kPlanningBodyCount; ++i) {
    const PlanningBodyEntry& body = result.bodies[i];
    if (body.body != kPlanningBodies[i] || !IsAltitude(body.altitude) ||
        !std::isfinite(body.azimuth) || !std::isfinite(body.magnitudeOrIllumination) ||
        !std::isfinite(body.elongation)) {
      return false;
    }
  }
  return std::isfinite(result.lhaAries) && std::isfinite(result.moonSemiDiameter);
}

void FormatBodyCell(const PlanningBodyEntry& body, ReportLine& cell) {
  const AltitudeParts altitude = SplitAltitude(body.altitude);
  FormatReportLine(cell, "%c%02d %02.0f %03d", altitude.sign, altitude.degrees, altitude.minutes,
                   WholeDegrees360(body.azimuth));
}

double GlareLimitDeg(BodyId body) {
  return body == kVenus || body == kJupiter ? kBrightPlanetGlareDeg : kFaintPlanetGlareDeg;
}

// The six cells and the eclipse mark of one row.
char FormatBodyCells(const PlanningBodiesResult& result, double horizonAltitudeDeg,
                     ReportLine (&cells)[kPlanningBodyCount]) {
  char mark = ' ';
  const PlanningBodyEntry& sun = result.bodies[kSunIndex];
  if (sun.altitude >= kSunShownDeg) {
    if (result.eclipse >= kPartialSolar && result.eclipse <= kAnnularSolar) mark = 'S';
    if (result.eclipse == kTotalSolar) {
      CopyReportLine(kEclipseCell, cells[kSunIndex]);
    } else {
      FormatBodyCell(sun, cells[kSunIndex]);
    }
  } else {
    CopyReportLine(kBlankCell, cells[kSunIndex]);
  }

  const PlanningBodyEntry& moon = result.bodies[kMoonIndex];
  if (moon.altitude + result.moonSemiDiameter / kArcsecondsPerDegree < horizonAltitudeDeg) {
    CopyReportLine(kBlankCell, cells[kMoonIndex]);
  } else {
    if (result.eclipse >= kPenumbralLunar && result.eclipse <= kTotalLunar) mark = 'M';
    if (result.eclipse == kTotalLunar) {
      CopyReportLine(kEclipseCell, cells[kMoonIndex]);
    } else {
      FormatBodyCell(moon, cells[kMoonIndex]);
    }
  }

  for (int i = kMoonIndex + 1; i < kPlanningBodyCount; ++i) {
    const PlanningBodyEntry& planet = result.bodies[i];
    if (planet.altitude < horizonAltitudeDeg) {
      CopyReportLine(kBlankCell, cells[i]);
    } else if (planet.elongation <= GlareLimitDeg(planet.body)) {
      CopyReportLine(kNearSunCell, cells[i]);
    } else {
      FormatBodyCell(planet, cells[i]);
    }
  }
  return mark;
}

void AddBodiesHeading(const PlanningBodiesResult& result,
                      ReportLine (&lines)[kPlanningRowMaxLines], int& lineCount) {
  const char s = kSeparator;
  const auto value = [&result](int i) { return result.bodies[i].magnitudeOrIllumination; };
  FormatReportLine(lines[lineCount++], "    %cAries%c%10s%c%10s%c%10s%c%10s%c%10s%c%10s%c", s, s,
                   kBodyTitles[0], s, kBodyTitles[1], s, kBodyTitles[2], s, kBodyTitles[3], s,
                   kBodyTitles[4], s, kBodyTitles[5], s);
  FormatReportLine(lines[lineCount++],
                   "    %c     %c          %c %3.0f%% ill.%c %+4.1f mag.%c %+4.1f mag.%c"
                   " %+4.1f mag.%c %+4.1f mag.%c",
                   s, s, s, value(1), s, value(2), s, value(3), s, value(4), s, value(5), s);
  FormatReportLine(lines[lineCount++],
                   " UTC%c LHA %c   Hc   Zn%c   Hc   Zn%c   Hc   Zn%c   Hc   Zn%c   Hc   Zn%c"
                   "   Hc   Zn%c",
                   s, s, s, s, s, s, s, s);
  const char o = kDegreeMark;
  const char m = kMinuteMark;
  FormatReportLine(lines[lineCount++],
                   " h m%c   %c %c  %c  %c   %c%c  %c  %c   %c%c  %c  %c   %c%c  %c  %c   %c%c"
                   "  %c  %c   %c%c  %c  %c   %c%c",
                   s, o, s, o, m, o, s, o, m, o, s, o, m, o, s, o, m, o, s, o, m, o, s, o, m, o,
                   s);
}

}  // namespace

EngineStatus FormatPlanningHeader(int kind, double latitude, double longitude,
                                  double heightOfEyeM, ReportLine (&lines)[kPlanningHeaderMaxLines],
                                  int& lineCount) {
  lineCount = 0;
  if (kind == kPlanningHeaderStars) {
    CopyReportLine("                            SIGHT PLANNING - STARS", lines[0]);
    CopyReportLine(" ", lines[1]);
    if (const EngineStatus status = FormatSiteBlock(latitude, longitude, heightOfEyeM, &lines[2])) {
      return status;
    }
    lineCount = 2 + kSiteBlockLines;
  } else if (kind == kPlanningHeaderBodies) {
    CopyReportLine("                              SUN, MOON, PLANETS", lines[0]);
    CopyReportLine(" ", lines[1]);
    lineCount = 2;
  }
  return kStatusOk;
}

EngineStatus FormatSelectedStarsRow(PlanningTableState& state, int rowIndex,
                                    const SelectedStarsResult& result, double heightOfEyeM,
                                    ReportLine (&lines)[kPlanningRowMaxLines], int& lineCount) {
  lineCount = 0;
  if (!RowArgumentsValid(rowIndex, result.time, heightOfEyeM) || !StarsValid(result)) {
    return Refuse(lineCount);
  }
  if (rowIndex == 0) ResetState(state, heightOfEyeM);

  std::array<int, kSelectedStarCount> order;
  for (int i = 0; i < kSelectedStarCount; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&result](int a, int b) {
    return result.stars[a].azimuth < result.stars[b].azimuth;
  });
  std::array<SelectedStarEntry, kSelectedStarCount> stars;
  std::array<int16_t, kSelectedStarCount> numbers;
  for (int i = 0; i < kSelectedStarCount; ++i) {
    stars[i] = result.stars[order[i]];
    numbers[i] = stars[i].starNumber;
  }

  const RowTime time = SplitRowTime(result.time);
  AddDateLineOnNewDay(state, time, lines, lineCount);
  if (numbers != state.previousStars) {
    AddStarHeading(stars, lines, lineCount);
    state.previousStars = numbers;
  }

  AltitudeParts altitude[kSelectedStarCount];
  int azimuth[kSelectedStarCount];
  for (int i = 0; i < kSelectedStarCount; ++i) {
    altitude[i] = SplitAltitude(stars[i].altitude);
    azimuth[i] = WholeDegrees360(stars[i].azimuth);
  }
  const char s = kSeparator;
  FormatReportLine(lines[lineCount++],
                   "%02d%02d%c%02d %02.0f %03d%c%02d %02.0f %03d%c%02d %02.0f %03d%c%02d %02.0f "
                   "%03d%c%02d %02.0f %03d%c%02d %02.0f %03d%c%02d %02.0f %03d%c%3s",
                   time.hour, time.minute, s, altitude[0].degrees, altitude[0].minutes, azimuth[0],
                   s, altitude[1].degrees, altitude[1].minutes, azimuth[1], s,
                   altitude[2].degrees, altitude[2].minutes, azimuth[2], s, altitude[3].degrees,
                   altitude[3].minutes, azimuth[3], s, altitude[4].degrees, altitude[4].minutes,
                   azimuth[4], s, altitude[5].degrees, altitude[5].minutes, azimuth[5], s,
                   altitude[6].degrees, altitude[6].minutes, azimuth[6], s,
                   LightColumn(result, state.horizonAltitudeDeg));
  return kStatusOk;
}

EngineStatus FormatPlanningBodiesRow(PlanningTableState& state, int rowIndex,
                                     const PlanningBodiesResult& result, double heightOfEyeM,
                                     ReportLine (&lines)[kPlanningRowMaxLines], int& lineCount) {
  lineCount = 0;
  if (!RowArgumentsValid(rowIndex, result.time, heightOfEyeM) || !BodiesValid(result)) {
    return Refuse(lineCount);
  }
  if (rowIndex == 0) ResetState(state, heightOfEyeM);

  const RowTime time = SplitRowTime(result.time);
  AddDateLineOnNewDay(state, time, lines, lineCount);
  if (rowIndex == 0) AddBodiesHeading(result, lines, lineCount);

  ReportLine cells[kPlanningBodyCount];
  const char mark = FormatBodyCells(result, state.horizonAltitudeDeg, cells);
  const char s = kSeparator;
  FormatReportLine(lines[lineCount++],
                   "%02d%02d%c %03d %c%10s%c%10s%c%10s%c%10s%c%10s%c%10s%c%c", time.hour,
                   time.minute, s, WholeDegrees360(result.lhaAries), s, cells[0], s, cells[1], s,
                   cells[2], s, cells[3], s, cells[4], s, cells[5], s, mark);
  return kStatusOk;
}

}  // namespace navora
