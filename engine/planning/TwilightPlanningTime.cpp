#include "engine/planning/TwilightPlanningTime.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "engine/position/ReportLine.h"
#include "engine/riseset/RiseSetDay.h"
#include "engine/riseset/RiseSetTables.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

// The days searched: the chosen day and the next. A day whose events all lie
// before the reference time is passed over, up to the ten days the dead
// reckoning accepts after a reference.
constexpr int kDaysWanted = 2;
constexpr int kMaxDayPasses = 12;
constexpr double kDaysBetweenSearches = 1.0;
// Only the first lines are read, as a navigator would read the table.
constexpr int kLinesExamined = 9;

// Columns of an underway event line: "    %-15s    " then the time field
// "dd Mon   hhmm" (or the symbol characters of an event without a time).
constexpr size_t kNameColumn = 4;
constexpr size_t kNameWidth = 15;
constexpr size_t kTimeColumn = kNameColumn + kNameWidth + 4;
constexpr size_t kMonthColumn = kTimeColumn + 3;
constexpr size_t kHourColumn = kTimeColumn + 9;
constexpr size_t kTimeWidth = 13;

constexpr double kHoursPerDay = 24.0;
constexpr double kDegreesPerZoneHour = 15.0;
constexpr double kMorningLeadDays = 1.0 / kHoursPerDay;  // an hour before sunrise
constexpr int kMonthsPerYear = 12;

// Up to kDaysWanted days of the Sun's underway list, in order.
struct CollectedLines {
  ReportLine lines[kDaysWanted * kRiseSetDayMaxLines];
  int count = 0;
};

EngineStatus CollectEventLines(PlaceContext& places, double dateUtc, PositionRecord reference,
                               double ut1MinusUtc, double heightOfEyeM, CollectedLines& out) {
  reference.motionMode = kMotionRhumbLine;
  RiseSetTableState table;
  double startUtc = dateUtc;
  int days = 0;
  for (int pass = 0; pass < kMaxDayPasses && days < kDaysWanted; ++pass) {
    double transitUtc = 0.0;
    double hourAngleRate = 0.0;
    uint16_t lineCount = 0;
    const EngineStatus status =
        ComputeRiseSetDay(places, table, startUtc, ut1MinusUtc, 0.0f, kSun, heightOfEyeM,
                          reference, transitUtc, lineCount, out.lines + out.count, hourAngleRate);
    if (status == kStatusOk) {
      out.count += lineCount;
      ++days;
    } else if (status != kRiseSetNoEventAfterReference) {
      return kTwilightComputationFailed;
    }
    startUtc = transitUtc + kDaysBetweenSearches;
  }
  return kStatusOk;
}

std::string_view EventName(const ReportLine& line) {
  const std::string_view text(line);
  if (text.size() < kNameColumn + kNameWidth) return {};
  std::string_view name = text.substr(kNameColumn, kNameWidth);
  name.remove_suffix(name.size() - (name.find_last_not_of(' ') + 1));
  return name;
}

// The status of an event line without a time, 0 for a timed line.
EngineStatus SymbolStatus(const ReportLine& line) {
  switch (line[kTimeColumn]) {
    case '*':
      return kTwilightSunAlwaysUp;
    case '-':
      return kTwilightSunAlwaysDown;
    case '?':
      return kTwilightUndeterminate;
    default:
      return kStatusOk;
  }
}

int MonthOfAbbreviation(std::string_view name) {
  for (int index = 0; index < kMonthsPerYear; ++index) {
    const char* month = MonthAbbreviation(index);
    if (month != nullptr && name == month) return index + 1;
  }
  return 0;
}

int TwoDigits(const char* text) {
  const bool digits = text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9';
  return digits ? (text[0] - '0') * 10 + (text[1] - '0') : -1;
}

// The UTC Julian date of a timed line. The line names no year: it is the one
// that puts the event nearest the chosen date (the search spans days).
bool EventTimeOfLine(const ReportLine& line, double dateUtc, double& eventUtc) {
  const std::string_view text(line);
  if (text.size() < kTimeColumn + kTimeWidth) return false;
  const int day = TwoDigits(line + kTimeColumn);
  const int month = MonthOfAbbreviation(text.substr(kMonthColumn, 3));
  const int hour = TwoDigits(line + kHourColumn);
  const int minute = TwoDigits(line + kHourColumn + 2);
  if (day < 1 || month == 0 || hour < 0 || minute < 0) return false;
  int16_t year = 0, chosenMonth = 0, chosenDay = 0;
  JulianDayToCalendar(static_cast<int32_t>(std::floor(dateUtc + 0.5)), year, chosenMonth,
                      chosenDay);
  double best = 0.0;
  for (int offset = -1; offset <= 1; ++offset) {
    const double jd = CalendarToJulian(static_cast<int16_t>(year + offset),
                                       static_cast<int16_t>(month), static_cast<int16_t>(day),
                                       static_cast<int16_t>(hour), static_cast<int16_t>(minute), 0.0);
    if (offset == -1 || std::fabs(jd - dateUtc) < std::fabs(best - dateUtc)) best = jd;
  }
  eventUtc = best;
  return true;
}

// 0 h UTC of the date of jd.
double DayStart(double jd) { return std::floor(jd - 0.5) + 0.5; }

}  // namespace

// The chosen date is the ship's date: an event belongs to it when its time in
// the zone of the reference longitude (whole hours) falls on that date. Far
// east a morning's sunrise lies on the previous UTC date, so the UTC date
// alone would pass over the very sunrise asked for.
EngineStatus FindTwilightPlanningTime(PlaceContext& places, double dateUtc, bool morning,
                                      const PositionRecord& reference, double ut1MinusUtc,
                                      double heightOfEyeM, double& planningTimeUtc) {
  planningTimeUtc = 0.0;
  CollectedLines collected;
  const EngineStatus status =
      CollectEventLines(places, dateUtc, reference, ut1MinusUtc, heightOfEyeM, collected);
  if (status != kStatusOk) return status;

  const std::string_view wanted = morning ? "Rise" : "Set";
  const double zoneDays = std::round(reference.longitude / kDegreesPerZoneHour) / kHoursPerDay;
  const double chosenDay = DayStart(dateUtc);
  const int examined = collected.count < kLinesExamined ? collected.count : kLinesExamined;
  for (int i = 0; i < examined; ++i) {
    const ReportLine& line = collected.lines[i];
    if (EventName(line) != wanted) continue;
    if (const EngineStatus symbol = SymbolStatus(line); symbol != kStatusOk) return symbol;
    double eventUtc = 0.0;
    if (!EventTimeOfLine(line, dateUtc, eventUtc)) return kTwilightNoEventLine;
    const double zoneDay = DayStart(eventUtc + zoneDays);
    if (zoneDay < chosenDay) continue;
    // The chosen date's event came before the reference time.
    if (zoneDay > chosenDay) return kTwilightAfterChosenDay;
    planningTimeUtc = morning ? eventUtc - kMorningLeadDays : eventUtc;
    return kStatusOk;
  }
  return kTwilightNoEventLine;
}

}  // namespace navora
