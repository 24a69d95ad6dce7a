// Rise/set tables against independent events found by root finding on the
// topocentric altitude (tools/reference/riseset_reference.py). Each table is
// run day by day as the commands run it and read back as printed: every
// tabulated time must lie within one minute of the reference rounded to the
// minute, every symbol must state what the reference finds, and every
// undeterminate mark must fall on a day where the reference's status changes
// or the body passes within a degree of the event's altitude.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/riseset/RiseSetDay.h"
#include "engine/riseset/RiseSetTables.h"
#include "engine/time/Calendar.h"
#include "support/FixtureRows.h"

namespace navora {
namespace {

using testing::FixtureRows;

constexpr double kMinutesPerDay = 1440.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kToleranceMinutes = 1.0;       // after rounding both to the minute
constexpr double kAngleToleranceDeg = 1.0;       // Zn and Hc are printed to whole degrees
constexpr double kPrintedPositionNm = 0.1;        // positions to 0.1'
constexpr double kSameTransitDays = 0.1;
constexpr double kBoundaryMarginDeg = 1.0;
constexpr double kCivilDeg = -6.0;
constexpr double kNauticalDeg = -12.0;
constexpr int kBeforeReferenceDays = 1;           // stationary ship: reference a day early
constexpr int kMaxLines = std::max(kRiseSetHeaderMaxLines, kRiseSetDayMaxLines);

constexpr int kUnused = -9;
const char* const kEventNames[kRiseSetEventCount] = {
    "nautical begin", "civil begin", "rise", "transit", "set", "civil end", "nautical end"};
// Fixture order of the six events that are not the transit.
constexpr int kFixtureEvents[] = {kNauticalTwilightBegin, kCivilTwilightBegin, kRiseEvent,
                                  kSetEvent, kCivilTwilightEnd, kNauticalTwilightEnd};

struct RefEvent {
  int status = kUnused;
  double time = 0.0;  // UT1 Julian date when status is 0
  double azimuth = 0.0, latitude = 0.0, longitude = 0.0;
};

struct RefDay {
  std::array<RefEvent, kRiseSetEventCount> events;
  double transitHc = 0.0;
  int bearsSouth = 0;
  double altLowerBefore = 0.0, altTransit = 0.0, altLowerAfter = 0.0, horizon = 0.0;
};

struct RefRun {
  BodyId body = 0;
  double start = 0.0;
  int days = 0;
  double zone = 0.0, height = 0.0, latitude = 0.0, longitude = 0.0;
  double referenceJd = 0.0, course = 0.0, speed = 0.0;
  std::vector<RefDay> days_;
};

std::map<int, RefRun> LoadRuns(const std::string& file, bool underway) {
  std::map<int, RefRun> runs;
  for (std::istringstream& fields : FixtureRows(NAVORA_FIXTURE_DIR "/riseset/" + file)) {
    std::string row;
    int id = 0;
    fields >> row >> id;
    RefRun& run = runs[id];
    if (row == "run") {
      fields >> run.body >> run.start >> run.days >> run.zone >> run.height >> run.latitude >>
          run.longitude >> run.referenceJd >> run.course >> run.speed;
      continue;
    }
    RefDay day;
    double transitSeconds = 0.0;
    fields >> transitSeconds >> day.transitHc >> day.bearsSouth >> day.altLowerBefore >>
        day.altTransit >> day.altLowerAfter >> day.horizon;
    day.events[kTransitEvent].status = 0;
    day.events[kTransitEvent].time = run.start + transitSeconds / kSecondsPerDay;
    for (int index : kFixtureEvents) {
      RefEvent& e = day.events[index];
      double seconds = 0.0;
      fields >> e.status >> seconds;
      e.time = run.start + seconds / kSecondsPerDay;
      if (index == kRiseEvent || index == kSetEvent) fields >> e.azimuth;
      if (underway) fields >> e.latitude >> e.longitude;
    }
    if (underway) {
      fields >> day.events[kTransitEvent].latitude >> day.events[kTransitEvent].longitude;
    } else {
      for (RefEvent& e : day.events) e.latitude = run.latitude, e.longitude = run.longitude;
    }
    if (fields) run.days_.push_back(day);
  }
  return runs;
}

// One event as printed: a time, or the symbol that fills its field.
struct Printed {
  bool present = false;
  char symbol = 0;  // 0 when a time is printed
  int dayOfMonth = 0, hour = 0, minute = 0;
  double znHc = NAN;  // underway: azimuth or transit altitude
  char bears = 0;     // underway transit: 'S' or 'N'
  double latitude = NAN, longitude = NAN;
};

std::vector<std::string> Words(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  std::string word;
  while (stream >> word) words.push_back(word);
  return words;
}

// A day-of-month word and an "hhmm" word, or the symbol that fills the field;
// false for a symbol.
bool ParseTime(const std::string& day, const std::string& hm, Printed& p) {
  p.present = true;
  if (day[0] < '0' || day[0] > '9') {
    p.symbol = day[0];
    return false;
  }
  p.dayOfMonth = std::stoi(day);
  p.hour = std::stoi(hm.substr(0, 2));
  p.minute = std::stoi(hm.substr(2, 2));
  return true;
}

// A fixed-site row: Sun civil begin, rise, transit, set, civil end; Moon
// rise, transit, set (each with the illumination).
std::array<Printed, kRiseSetEventCount> ParseFixedRow(const std::string& line, BodyId body) {
  std::array<Printed, kRiseSetEventCount> events{};
  const std::vector<std::string> words = Words(line);
  const std::vector<int> order = body == kSun
                                     ? std::vector<int>{kCivilTwilightBegin, kRiseEvent,
                                                        kTransitEvent, kSetEvent, kCivilTwilightEnd}
                                     : std::vector<int>{kRiseEvent, kTransitEvent, kSetEvent};
  const size_t step = body == kSun ? 2 : 3;
  for (size_t k = 0; k < order.size(); ++k) {
    ParseTime(words.at(3 + step * k), words.at(4 + step * k), events[order[k]]);
  }
  return events;
}

bool IsTwilight(int index) {
  return index != kRiseEvent && index != kSetEvent && index != kTransitEvent;
}

double Hemisphere(const std::string& degrees, const std::string& minutes, char negative) {
  const double value = std::stod(degrees.substr(1)) + std::stod(minutes) / 60.0;
  return degrees[0] == negative ? -value : value;
}

// The underway list: the event's name, then its time, Zn/Hc and position.
std::array<Printed, kRiseSetEventCount> ParseUnderway(const ReportLine* lines, int count,
                                                      BodyId body) {
  static const char* const kSunNames[] = {"Beg. Naut. Twi.", "Beg. Civ. Twi.", "Rise",
                                          "Transit (LAN)",   "Set",            "End Civ. Twi.",
                                          "End Naut. Twi."};
  static const char* const kMoonNames[] = {"-", "-", "Rise", "Transit", "Set", "-", "-"};
  std::array<Printed, kRiseSetEventCount> events{};
  for (int k = 0; k < count; ++k) {
    const std::string line = lines[k];
    const size_t nameStart = body == kSun ? 4 : 5, nameWidth = body == kSun ? 15 : 7;
    std::string name = line.substr(nameStart, nameWidth);
    name.erase(name.find_last_not_of(' ') + 1);
    const char* const* names = body == kSun ? kSunNames : kMoonNames;
    const int index = static_cast<int>(std::find(names, names + kRiseSetEventCount, name) - names);
    EXPECT_LT(index, kRiseSetEventCount) << "unknown event line: " << line;
    if (index == kRiseSetEventCount) continue;
    Printed& p = events[index];
    const std::vector<std::string> w = Words(line.substr(nameStart + nameWidth));
    if (!ParseTime(w[0], w[2], p)) continue;
    size_t next = 3;
    if (!IsTwilight(index)) {
      p.znHc = std::stod(w[next]);
      if (index == kTransitEvent) p.bears = w[next].back();
      ++next;
    }
    // A zero latitude prints without its letter.
    if (w[next][0] == 'N' || w[next][0] == 'S') {
      p.latitude = Hemisphere(w[next], w[next + 1], 'S');
    } else {
      p.latitude = std::stod(w[next]) + std::stod(w[next + 1]) / 60.0;
    }
    p.longitude = Hemisphere(w[next + 2], w[next + 3], 'W');
  }
  return events;
}

// UT1 Julian date of a printed time: the day of month taken nearest to the
// expected instant; zone hours east positive.
double PrintedJd(const Printed& p, double expectedUtc, double zone) {
  const double local = expectedUtc + zone / 24.0;
  const int32_t jdn = static_cast<int32_t>(std::floor(local + 0.5));
  for (int32_t offset : {0, -1, 1}) {
    int16_t y = 0, m = 0, d = 0;
    JulianDayToCalendar(jdn + offset, y, m, d);
    if (d == p.dayOfMonth) {
      return CalendarToJulian(y, m, d, static_cast<int16_t>(p.hour),
                              static_cast<int16_t>(p.minute), 0.0) -
             zone / 24.0;
    }
  }
  return NAN;
}

double EventLevel(int index, const RefDay& day) {
  if (index == kCivilTwilightBegin || index == kCivilTwilightEnd) return kCivilDeg;
  if (index == kNauticalTwilightBegin || index == kNauticalTwilightEnd) return kNauticalDeg;
  return day.horizon;
}

// The symbol a reference status stands for in the tables.
char SymbolOf(int index, int status) {
  if (status < 0) return '-';
  return IsTwilight(index) ? '/' : '*';
}

class ReferenceRiseSet : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(OpenDefaultEphemeris(places_.ephemeris), kStatusOk); }

  // Runs one table of the fixture as the commands run it and checks each day.
  void RunTable(const RefRun& run, bool underway, bool stationary, const std::string& label) {
    const PositionRecord reference =
        underway ? MakePositionRecord(kMotionRhumbLine, kPositionDr,
                                      stationary ? run.start - kBeforeReferenceDays
                                                 : run.referenceJd,
                                      run.latitude, run.longitude, run.course,
                                      stationary ? 0.0 : run.speed, 0.0, 0.0)
                 : MakePositionRecord(kMotionNone, kPositionExternalFix, run.start, run.latitude,
                                      run.longitude, 0.0, 0.0, 0.0, 0.0);
    referenceTime_ = reference.time;
    const float zone = static_cast<float>(run.zone);
    RiseSetTableState table;
    ReportLine lines[kMaxLines];
    uint16_t lineCount = 0;
    ASSERT_EQ(FormatRiseSetHeader(table.carry, run.body, reference, zone, run.height, lineCount,
                                  lines),
              kStatusOk);
    double startUtc = run.start;
    for (int day = 0; day < run.days;) {
      double transitUtc = 0.0, rate = 0.0;
      const EngineStatus status =
          ComputeRiseSetDay(places_, table, startUtc, 0.0, zone, run.body, run.height, reference,
                            transitUtc, lineCount, lines, rate);
      const std::string where = label + " day " + std::to_string(day);
      if (underway && status == kRiseSetNoEventAfterReference) {
        startUtc = transitUtc + 1.0;
        continue;
      }
      ASSERT_EQ(status, kStatusOk) << where;
      const RefDay* ref = Match(run, transitUtc);
      ASSERT_NE(ref, nullptr) << where << ": no reference transit near " << transitUtc;
      const std::array<Printed, kRiseSetEventCount> printed =
          underway ? ParseUnderway(lines, lineCount, run.body)
                   : ParseFixedRow(lines[0], run.body);
      CheckDay(run, *ref, printed, underway, where);
      startUtc = transitUtc + 1.0;
      ++day;
    }
  }

  const RefDay* Match(const RefRun& run, double transitUtc) const {
    for (const RefDay& d : run.days_) {
      if (std::fabs(d.events[kTransitEvent].time - transitUtc) < kSameTransitDays) return &d;
    }
    return nullptr;
  }

  // A day where "undeterminate" is the honest answer: the reference's status
  // of the event pair changes from one day to the next, or the body passes
  // within a degree of the event's altitude at a culmination.
  static bool IsBoundaryDay(const RefRun& run, const RefDay& day, int index) {
    const double level = EventLevel(index, day);
    const double lower = index < kTransitEvent ? day.altLowerBefore : day.altLowerAfter;
    if (std::fabs(day.altTransit - level) < kBoundaryMarginDeg ||
        std::fabs(lower - level) < kBoundaryMarginDeg) {
      return true;
    }
    const int pair = kRiseSetEventCount - 1 - index;
    const std::ptrdiff_t at = &day - run.days_.data();
    for (std::ptrdiff_t other : {at - 1, at + 1}) {
      if (other < 0 || other >= std::ssize(run.days_)) continue;
      for (int i : {index, pair}) {
        if (run.days_[other].events[i].status != day.events[index].status) return true;
      }
    }
    return day.events[pair].status != day.events[index].status;
  }

  void CheckDay(const RefRun& run, const RefDay& ref,
                const std::array<Printed, kRiseSetEventCount>& printed, bool underway,
                const std::string& where) {
    for (int index = 0; index < kRiseSetEventCount; ++index) {
      const RefEvent& e = ref.events[index];
      const Printed& p = printed[index];
      const std::string at = where + " " + kEventNames[index];
      if (e.status == kUnused) {
        EXPECT_FALSE(p.present) << at;
        continue;
      }
      if (!p.present) {
        // Fixed sites print no nautical twilight; underway the list opens at
        // the first event after the reference time.
        const bool expected = (!underway && (index == kNauticalTwilightBegin ||
                                             index == kNauticalTwilightEnd)) ||
                              (underway && (e.status != 0 || e.time <= referenceTime_));
        EXPECT_TRUE(expected) << at << ": not printed";
        continue;
      }
      if (p.symbol == '?') {
        EXPECT_TRUE(IsBoundaryDay(run, ref, index)) << at << ": undeterminate away from a boundary";
        continue;
      }
      if (index == kTransitEvent) {
        const bool below = ref.altTransit < ref.horizon;
        EXPECT_EQ(p.symbol == '-', below) << at << ": transit altitude " << ref.altTransit;
        if (p.symbol == 0) CheckTime(p, e.time, run.zone, at);
        if (underway && p.symbol == 0) CheckUnderwayValues(run, ref, e, p, index, at);
        continue;
      }
      if (e.status != 0) {
        EXPECT_EQ(p.symbol, SymbolOf(index, e.status)) << at << ": reference status " << e.status;
        continue;
      }
      ASSERT_EQ(p.symbol, 0) << at << ": reference event at " << e.time;
      CheckTime(p, e.time, run.zone, at);
      if (underway) CheckUnderwayValues(run, ref, e, p, index, at);
    }
  }

  static void CheckTime(const Printed& p, double refJd, double zone, const std::string& at) {
    const double printedJd = PrintedJd(p, refJd, zone);
    ASSERT_TRUE(std::isfinite(printedJd)) << at;
    const double difference =
        std::round(printedJd * kMinutesPerDay) - std::round(refJd * kMinutesPerDay);
    EXPECT_LE(std::fabs(difference), kToleranceMinutes) << at << ": reference " << refJd;
  }

  static void CheckUnderwayValues(const RefRun& run, const RefDay& ref, const RefEvent& e,
                                  const Printed& p, int index, const std::string& at) {
    if (index == kTransitEvent) {
      EXPECT_NEAR(p.znHc, ref.transitHc, kAngleToleranceDeg) << at << " Hc";
      EXPECT_EQ(p.bears, ref.bearsSouth ? 'S' : 'N') << at;
    } else if (index == kRiseEvent || index == kSetEvent) {
      const double dz = std::remainder(p.znHc - e.azimuth, 360.0);
      EXPECT_LE(std::fabs(dz), kAngleToleranceDeg) << at << " Zn " << e.azimuth;
    }
    // The ship moves while the printed minute and the reference differ.
    const double printedJd = PrintedJd(p, e.time, run.zone);
    const double tolerance =
        kPrintedPositionNm + run.speed * (std::fabs(printedJd - e.time) * 24.0 + 1.0 / 120.0);
    const double dLat = (p.latitude - e.latitude) * 60.0;
    const double dLon = std::remainder(p.longitude - e.longitude, 360.0) * 60.0 *
                        std::cos(e.latitude * std::numbers::pi / 180.0);
    EXPECT_LE(std::hypot(dLat, dLon), tolerance) << at << " position " << p.latitude << " "
                                                 << p.longitude;
  }

  PlaceContext places_;
  double referenceTime_ = 0.0;
};

std::string RunLabel(const RefRun& run, int id) {
  char text[96];
  std::snprintf(text, sizeof text, "run %d %s lat %.1f lon %.1f jd %.1f", id,
                run.body == kSun ? "Sun" : "Moon", run.latitude, run.longitude, run.start);
  return text;
}

// Sites from 60 S to 65 N over 1970-2024, each Sun table also run as a
// stationary ship, whose list carries the nautical twilight.
TEST_F(ReferenceRiseSet, FixedSites) {
  const std::map<int, RefRun> runs = LoadRuns("reference-fixed.tsv", false);
  ASSERT_GT(runs.size(), 1000u);
  for (const auto& [id, run] : runs) {
    RunTable(run, false, false, RunLabel(run, id));
    if (run.body == kSun) RunTable(run, true, true, RunLabel(run, id) + " stationary");
  }
}

// Ships on rhumb lines: across the date line, north into the midnight Sun,
// westward in the southern ocean.
TEST_F(ReferenceRiseSet, UnderwayTracks) {
  const std::map<int, RefRun> runs = LoadRuns("reference-underway.tsv", true);
  ASSERT_EQ(runs.size(), 6u);
  for (const auto& [id, run] : runs) RunTable(run, true, false, RunLabel(run, id));
}

}  // namespace
}  // namespace navora
