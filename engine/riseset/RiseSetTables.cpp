#include "engine/riseset/RiseSetTables.h"

#include <cmath>

#include "engine/horizon/AngleFormatting.h"
#include "engine/position/PositionReport.h"
#include "engine/time/Calendar.h"
#include "engine/time/TimeConstants.h"

namespace navora {
namespace {

constexpr char kDegreeMark = kReportSymbols[0];
constexpr char kMinuteMark = kReportSymbols[1];
constexpr char kBlankLine[] = "     ";

constexpr double kMinutesPerHour = 60.0;
constexpr int16_t kMinuteDecimals = 1;

// The reference position block of an underway heading prints its time to
// the second: the list starts after that instant.
constexpr int16_t kReferenceWithSeconds = 1;
constexpr int16_t kShortCourseSpeed = 1;

// Status fields of the fixed-site rows.
constexpr char kAboveField[] = "** ****";
constexpr char kBelowField[] = "-- ----";
constexpr char kAllNightField[] = "// ////";
constexpr char kUndeterminateField[] = "?? ????";
constexpr char kMoonAboveField[] = "** **** ***";
constexpr char kMoonBelowField[] = "-- ---- ---";
constexpr char kMoonUndeterminateField[] = "?? ???? ???";

// A text field of a report line; the longest is a Moon row's time with its
// percentage.
constexpr size_t kFieldBytes = 24;
using Field = char[kFieldBytes];

bool IsMoving(const PositionRecord& reference) { return reference.motionMode == kMotionRhumbLine; }

bool IsTableBody(BodyId body) { return body == kSun || body == kMoon; }

bool IsTableMotionMode(const PositionRecord& reference) {
  return reference.motionMode == kMotionNone || reference.motionMode == kMotionRhumbLine;
}

// UT1 instant of an event to UTC Julian date.
double EventUtc(const RiseSetEvent& event, double ut1MinusUtcSeconds) {
  return event.time - ut1MinusUtcSeconds / kSecondsPerDay;
}

// An event's instant split in tabular time (UTC + zone) to the minute.
struct TabularTime {
  int16_t year = 0;
  int16_t month = 0;
  int16_t day = 0;
  int16_t hour = 0;
  int16_t minute = 0;
  const char* monthName = "";
};

TabularTime SplitTabular(const RiseSetEvent& event, double ut1MinusUtcSeconds,
                         float timeZoneHours) {
  TabularTime t;
  const double jd = EventUtc(event, ut1MinusUtcSeconds) + timeZoneHours / kHoursPerDay;
  SplitJulianToMinute(jd, t.year, t.month, t.day, t.hour, t.minute);
  const char* name = MonthAbbreviation(t.month - 1);
  t.monthName = name != nullptr ? name : "";
  return t;
}

// The heading line that states the zone: the sign turns tabular time back
// into UTC.
void FormatTabularTimeLine(float timeZoneHours, ReportLine& line) {
  const char sign = timeZoneHours > 0.0f ? '-' : '+';
  const double zoneHours = std::fabs(static_cast<double>(timeZoneHours));
  int hours = static_cast<int>(zoneHours);
  double minutes = (zoneHours - hours) * kMinutesPerHour;
  if (std::round(minutes) >= kMinutesPerHour) {
    ++hours;
    minutes = 0.0;
  }
  FormatReportLine(line, "                         Tabular Time %c %02dh %02.0fm = UTC", sign,
                   hours, minutes);
}

void CopyBodyLine(BodyId body, ReportLine& line) {
  CopyReportLine(body == kSun ? "                                     Sun"
                              : "                                     Moon",
                 line);
}

// Column headings of a fixed-site table from line `next` on; returns the count.
uint16_t FormatFixedColumns(BodyId body, ReportLine* lines, uint16_t next) {
  if (body == kSun) {
    CopyReportLine("                      Begin                Transit                 End",
                   lines[next++]);
    CopyReportLine("         Date         Civil        Rise     (LAN)       Set       Civil",
                   lines[next++]);
    CopyReportLine("                     Twilight                                    Twilight",
                   lines[next++]);
    CopyReportLine(kBlankLine, lines[next++]);
    CopyReportLine("                      d  h m     d  h m     d  h m     d  h m     d  h m",
                   lines[next++]);
    return next;
  }
  CopyReportLine("           Date            Rise   Ill.      Transit Ill.        Set   Ill.",
                 lines[next++]);
  CopyReportLine(kBlankLine, lines[next++]);
  FormatReportLine(lines[next++],
                   "                           d  h m   %%        d  h m   %%        d  h m   %%");
  return next;
}

uint16_t FormatUnderwayColumns(BodyId body, ReportLine* lines, uint16_t next) {
  if (body == kSun) {
    CopyReportLine("    Event                       Time     Zn/Hc       Lat           Long",
                   lines[next++]);
    FormatReportLine(
        lines[next++],
        "                                 h m        %c        %c   %c          %c   %c",
        kDegreeMark, kDegreeMark, kMinuteMark, kDegreeMark, kMinuteMark);
    return next;
  }
  CopyReportLine("     Event             Time       Zn/Hc     Lat         Long       Ill.",
                 lines[next++]);
  FormatReportLine(lines[next++],
                   "                            h m      %c      %c   %c        %c   %c       %%",
                   kDegreeMark, kDegreeMark, kMinuteMark, kDegreeMark, kMinuteMark);
  return next;
}

// ---- Fixed-site rows ----

void FormatDateField(const TabularTime& t, Field& field) {
  std::snprintf(field, sizeof field, "%02d %3s %4i", t.day, t.monthName, t.year);
}

void FormatTimeField(const TabularTime& t, Field& field) {
  std::snprintf(field, sizeof field, "%2.2i %2.2i%2.2i", t.day, t.hour, t.minute);
}

const char* RiseSetSymbol(EventStatus status) {
  if (status == kEventUndeterminate) return kUndeterminateField;
  return status < 0 ? kBelowField : kAboveField;
}

const char* TwilightSymbol(EventStatus status) {
  if (status == kEventUndeterminate) return kUndeterminateField;
  return status < 0 ? kBelowField : kAllNightField;
}

const char* MoonSymbol(EventStatus status) {
  if (status == kEventUndeterminate) return kMoonUndeterminateField;
  return status < 0 ? kMoonBelowField : kMoonAboveField;
}

// A Sun column: the time, or the symbol of a status that has none.
void FormatSunField(const RiseSetEvent& event, int index, double dut1, float zone, Field& field) {
  const bool twilight = index != kRiseEvent && index != kTransitEvent && index != kSetEvent;
  const bool hasTime = index == kTransitEvent ? event.status >= 0 : event.status == kEventOccurs;
  if (hasTime) {
    FormatTimeField(SplitTabular(event, dut1, zone), field);
    return;
  }
  const char* symbol = index == kTransitEvent ? kBelowField
                       : twilight             ? TwilightSymbol(event.status)
                                              : RiseSetSymbol(event.status);
  std::snprintf(field, sizeof field, "%s", symbol);
}

void FormatMoonField(const RiseSetEvent& event, int index, double percent, double dut1, float zone,
                     Field& field) {
  const bool hasTime = index == kTransitEvent ? event.status >= 0 : event.status == kEventOccurs;
  if (hasTime) {
    const TabularTime t = SplitTabular(event, dut1, zone);
    std::snprintf(field, sizeof field, "%2.2i %2.2i%2.2i %3.0f", t.day, t.hour, t.minute, percent);
    return;
  }
  std::snprintf(field, sizeof field, "%s",
                index == kTransitEvent ? kMoonBelowField : MoonSymbol(event.status));
}

void FormatFixedRow(const RiseSetDay& day, BodyId body, double dut1, float zone, ReportLine& line) {
  const auto& e = day.events;
  Field date;
  FormatDateField(SplitTabular(e[kTransitEvent], dut1, zone), date);
  if (body == kSun) {
    Field civilBegin, rise, transit, set, civilEnd;
    FormatSunField(e[kCivilTwilightBegin], kCivilTwilightBegin, dut1, zone, civilBegin);
    FormatSunField(e[kRiseEvent], kRiseEvent, dut1, zone, rise);
    FormatSunField(e[kTransitEvent], kTransitEvent, dut1, zone, transit);
    FormatSunField(e[kSetEvent], kSetEvent, dut1, zone, set);
    FormatSunField(e[kCivilTwilightEnd], kCivilTwilightEnd, dut1, zone, civilEnd);
    FormatReportLine(line, "      %11s    %7s    %7s    %7s    %7s    %7s", date, civilBegin, rise,
                     transit, set, civilEnd);
    return;
  }
  Field fields[3];
  for (int k = 0; k < 3; ++k) {
    const int index = kRiseEvent + k;
    FormatMoonField(e[index], index, day.moonIlluminationPercent[k], dut1, zone, fields[k]);
  }
  FormatReportLine(line, "        %11s       %11s       %11s       %11s", date, fields[0],
                   fields[1], fields[2]);
}

// ---- Underway lists ----

constexpr const char* kSunEventNames[kRiseSetEventCount] = {
    "Beg. Naut. Twi.", "Beg. Civ. Twi.", "Rise", "Transit (LAN)", "Set",
    "End Civ. Twi.",   "End Naut. Twi."};
constexpr const char* kMoonEventNames[kRiseSetEventCount] = {"",    "", "Rise", "Transit",
                                                             "Set", "", ""};

bool IsTwilightEvent(int index) {
  return index != kRiseEvent && index != kTransitEvent && index != kSetEvent;
}

// Whether the list line shows the event's time (else its status symbol).
bool ListsTime(const RiseSetEvent& event, int index) {
  return event.status == kEventOccurs || (index == kTransitEvent && event.status > 0);
}

char SymbolCharacter(EventStatus status, int index) {
  if (status == kEventUndeterminate) return '?';
  if (status < 0) return '-';
  return IsTwilightEvent(index) ? '/' : '*';
}

// Whole degrees, rounded half up as the tables round.
int RoundedDegrees(double value) { return static_cast<int>(std::trunc(value + 0.5)); }

void FormatZnHc(const RiseSetEvent& event, int index, Field& field) {
  if (index == kTransitEvent) {
    std::snprintf(field, sizeof field, "%02d%c", RoundedDegrees(event.value),
                  event.bearsSouth == 1 ? 'S' : 'N');
  } else if (IsTwilightEvent(index)) {
    std::snprintf(field, sizeof field, "%3s", " ");
  } else {
    std::snprintf(field, sizeof field, "%03d", RoundedDegrees(event.value));
  }
}

char HemisphereLetter(char sign, char positive, char negative) {
  if (sign == '+') return positive;
  if (sign == '-') return negative;
  return ' ';
}

void FormatLatitudeField(double latitudeDeg, Field& field) {
  char sign = ' ';
  int16_t degrees = 0;
  double minutes = 0.0;
  (void)SplitDegreesMinutes(latitudeDeg, kMinuteDecimals, sign, degrees, minutes);
  std::snprintf(field, sizeof field, "%c%02d %04.1f", HemisphereLetter(sign, 'N', 'S'), degrees,
                minutes);
}

void FormatLongitudeField(double longitudeDeg, Field& field) {
  const double reduced = std::remainder(longitudeDeg, 360.0);  // [-180, 180]
  char sign = ' ';
  int16_t degrees = 0;
  double minutes = 0.0;
  (void)SplitDegreesMinutes(reduced, kMinuteDecimals, sign, degrees, minutes);
  std::snprintf(field, sizeof field, "%c%03d %04.1f", HemisphereLetter(sign, 'E', 'W'), degrees,
                minutes);
}

struct ListFields {
  Field time;
  Field znHc;
  Field latitude;
  Field longitude;
};

ListFields FormatListFields(const RiseSetEvent& event, int index, BodyId body, double dut1,
                            float zone) {
  ListFields f;
  const TabularTime t = SplitTabular(event, dut1, zone);
  std::snprintf(f.time, sizeof f.time,
                body == kSun ? "%02d %3s   %02d%02d" : "%02d %3s    %02d%02d", t.day, t.monthName,
                t.hour, t.minute);
  FormatZnHc(event, index, f.znHc);
  FormatLatitudeField(event.latitude, f.latitude);
  FormatLongitudeField(event.longitude, f.longitude);
  return f;
}

void FormatSunListLine(const RiseSetEvent& event, int index, double dut1, float zone,
                       ReportLine& line) {
  const char* name = kSunEventNames[index];
  if (!ListsTime(event, index)) {
    const char c = SymbolCharacter(event.status, index);
    const char s3[] = {c, c, c, '\0'};
    const char s4[] = {c, c, c, c, '\0'};
    FormatReportLine(line, "    %-15s    %3s%3s%3s%4s      %3s      %4s%4s      %3s%3s%3s", name,
                     s3, s3, s3, s4, s3, s4, s4, s3, s3, s3);
    return;
  }
  const ListFields f = FormatListFields(event, index, kSun, dut1, zone);
  FormatReportLine(line,
                   index == kTransitEvent ? "    %-15s    %13s       %3s     %8s      %9s"
                                          : "    %-15s    %13s      %3s      %8s      %9s",
                   name, f.time, f.znHc, f.latitude, f.longitude);
}

void FormatMoonListLine(const RiseSetEvent& event, int index, double percent, double dut1,
                        float zone, ReportLine& line) {
  const char* name = kMoonEventNames[index];
  if (!ListsTime(event, index)) {
    const char c = SymbolCharacter(event.status, index);
    const char s3[] = {c, c, c, '\0'};
    const char s4[] = {c, c, c, c, '\0'};
    FormatReportLine(line, "     %-7s     %3s%3s    %4s    %3s    %4s%4s    %3s%3s%3s    %3s", name,
                     s3, s3, s4, s3, s4, s4, s3, s3, s3, s3);
    return;
  }
  const ListFields f = FormatListFields(event, index, kMoon, dut1, zone);
  FormatReportLine(line,
                   index == kTransitEvent ? "     %-7s     %14s     %3s   %8s    %9s    %3d"
                                          : "     %-7s     %14s    %3s    %8s    %9s    %3d",
                   name, f.time, f.znHc, f.latitude, f.longitude, RoundedDegrees(percent));
}

// Events `first`..`last` of the body's list.
struct ListRange {
  int first = 0;
  int last = 0;
};

ListRange BodyEvents(BodyId body) {
  return body == kSun ? ListRange{0, kRiseSetEventCount - 1} : ListRange{kRiseEvent, kSetEvent};
}

bool IsAfterReference(const RiseSetEvent& event, const PositionRecord& reference, double dut1) {
  return EventUtc(event, dut1) > reference.time;
}

// The first event of the day's list: the first real event after the
// reference time, preceded by the continuous states that lead into it so the
// navigator sees why nothing earlier is listed.
int FirstListedEvent(const RiseSetDay& day, BodyId body, const PositionRecord& reference,
                     double dut1) {
  const auto& e = day.events;
  const ListRange range = BodyEvents(body);
  int first = -1;
  for (int i = range.first; i <= range.last && first < 0; ++i) {
    if (e[i].status >= 0 && IsAfterReference(e[i], reference, dut1)) first = i;
  }
  if (body == kMoon) {
    const bool transitAfterContinuousRise = first == kTransitEvent && e[kRiseEvent].status > 0;
    return first < 0 || transitAfterContinuousRise ? kRiseEvent : first;
  }
  if (first < 0) return range.first;
  if (first > 0 && first < kSetEvent) {
    while (first > 0 && e[first - 1].status > 0) --first;
  }
  return first;
}

bool AnyEventAfterReference(const RiseSetDay& day, BodyId body, const PositionRecord& reference,
                            double dut1) {
  const ListRange range = BodyEvents(body);
  for (int i = range.first; i <= range.last; ++i) {
    if (IsAfterReference(day.events[i], reference, dut1)) return true;
  }
  return false;
}

}  // namespace

EngineStatus FormatRiseSetHeader(RiseSetCarryState& carry, BodyId body,
                                 const PositionRecord& reference, float timeZoneHours,
                                 double heightOfEyeM, uint16_t& lineCount, ReportLine* lines) {
  carry.newTable = true;
  lineCount = 0;
  if (!IsTableBody(body)) return kRiseSetHeaderBadBody;
  if (!IsTableMotionMode(reference)) return kRiseSetHeaderBadMotionMode;
  if (lines == nullptr || !std::isfinite(timeZoneHours)) return kStatusOutOfDomain;

  uint16_t next = 0;
  if (!IsMoving(reference)) {
    CopyReportLine("                                  FIXED SITE", lines[next++]);
    CopyBodyLine(body, lines[next++]);
    CopyReportLine(kBlankLine, lines[next++]);
    const EngineStatus site =
        FormatSiteBlock(reference.latitude, reference.longitude, heightOfEyeM, lines + next);
    if (site != kStatusOk) return site;
    next += kSiteBlockLines;
    CopyReportLine(kBlankLine, lines[next++]);
    FormatTabularTimeLine(timeZoneHours, lines[next++]);
    CopyReportLine(kBlankLine, lines[next++]);
    lineCount = FormatFixedColumns(body, lines, next);
    return kStatusOk;
  }
  CopyReportLine("                                   UNDERWAY", lines[next++]);
  CopyBodyLine(body, lines[next++]);
  CopyReportLine(kBlankLine, lines[next++]);
  CopyReportLine("                              Reference Position", lines[next++]);
  CopyReportLine(kBlankLine, lines[next++]);
  const EngineStatus position =
      FormatPositionTimeBlock(reference.time, reference.latitude, reference.longitude, heightOfEyeM,
                              kReferenceWithSeconds, lines + next);
  if (position != kStatusOk) return position;
  next += kPositionTimeBlockLines;
  const EngineStatus course = FormatCourseSpeedBlock(reference.course, reference.speed, 0.0, 0.0,
                                                     kShortCourseSpeed, lines + next);
  if (course != kStatusOk) return course;
  next += kCourseSpeedBlockLines;
  CopyReportLine(kBlankLine, lines[next++]);
  FormatTabularTimeLine(timeZoneHours, lines[next++]);
  CopyReportLine(kBlankLine, lines[next++]);
  lineCount = FormatUnderwayColumns(body, lines, next);
  return kStatusOk;
}

EngineStatus WriteRiseSetDay(const RiseSetDay& day, BodyId body, const PositionRecord& reference,
                             double ut1MinusUtc, float timeZoneHours, uint16_t& lineCount,
                             ReportLine* lines) {
  lineCount = 0;
  if (lines == nullptr || !IsTableBody(body) || !IsTableMotionMode(reference)) {
    return kStatusOutOfDomain;
  }
  if (!IsMoving(reference)) {
    FormatFixedRow(day, body, ut1MinusUtc, timeZoneHours, lines[0]);
    lineCount = 1;
    return kStatusOk;
  }
  if (!AnyEventAfterReference(day, body, reference, ut1MinusUtc)) return kRiseSetNoListedEvent;
  const int last = BodyEvents(body).last;
  for (int i = FirstListedEvent(day, body, reference, ut1MinusUtc); i <= last; ++i) {
    if (body == kSun) {
      FormatSunListLine(day.events[i], i, ut1MinusUtc, timeZoneHours, lines[lineCount]);
    } else {
      FormatMoonListLine(day.events[i], i, day.moonIlluminationPercent[i - kRiseEvent], ut1MinusUtc,
                         timeZoneHours, lines[lineCount]);
    }
    ++lineCount;
  }
  return kStatusOk;
}

}  // namespace navora
