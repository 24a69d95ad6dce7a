#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/riseset/RiseSetTables.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr double kLatitude = 49.5;
constexpr double kLongitude = -4.25;

double Utc(int hour, int minute, double second = 0.0) {
  return CalendarToJulian(2004, 6, 21, hour, minute, second);
}

PositionRecord Site() {
  return MakePositionRecord(kMotionNone, kPositionExternalFix, Utc(0, 0), kLatitude, kLongitude,
                            0.0, 0.0, 0.0, 0.0);
}

PositionRecord Underway(double time) {
  return MakePositionRecord(kMotionRhumbLine, kPositionDr, time, kLatitude, kLongitude, 270.0, 6.5,
                            0.0, 0.0);
}

// A summer day of the Sun at the site, every event occurring; times UTC
// (UT1-UTC 0 unless a test says otherwise).
RiseSetDay SunDay() {
  RiseSetDay day;
  const double times[kRiseSetEventCount] = {Utc(3, 20),  Utc(4, 12),  Utc(4, 53), Utc(12, 5),
                                            Utc(19, 17), Utc(19, 58), Utc(20, 50)};
  for (int i = 0; i < kRiseSetEventCount; ++i) {
    day.events[i] = RiseSetEvent{times[i], kEventOccurs, 0.0, 0, kLatitude, kLongitude};
  }
  day.events[kRiseEvent].value = 49.4;
  day.events[kTransitEvent].value = 63.6;
  day.events[kTransitEvent].bearsSouth = 1;
  day.events[kSetEvent].value = 310.6;
  return day;
}

RiseSetDay MoonDay() {
  RiseSetDay day = SunDay();
  for (int i :
       {kNauticalTwilightBegin, kCivilTwilightBegin, kCivilTwilightEnd, kNauticalTwilightEnd}) {
    day.events[i].status = kEventBelow;
    day.events[i].time = -day.events[kTransitEvent].time;
  }
  day.events[kRiseEvent].time = Utc(4, 0);
  day.events[kRiseEvent].value = 95.0;
  day.events[kTransitEvent].time = Utc(10, 0);
  day.events[kTransitEvent].value = 29.5;
  day.events[kSetEvent].time = Utc(17, 0);
  day.events[kSetEvent].value = 265.0;
  day.events[kSetEvent].latitude = 0.0;
  day.events[kSetEvent].longitude = 185.0;  // printed reduced into [-180, 180]
  day.moonIlluminationPercent = {45.4, 50.0, 54.6};
  return day;
}

// Gives the event a status; one without a time carries the transit's negated.
void SetStatus(RiseSetDay& day, int index, EventStatus status) {
  day.events[index].status = status;
  if (index != kTransitEvent && status != kEventOccurs) {
    day.events[index].time = -day.events[kTransitEvent].time;
  }
}

std::vector<std::string> Header(BodyId body, const PositionRecord& reference, float zone) {
  RiseSetCarryState carry;
  carry.newTable = false;
  ReportLine lines[kRiseSetHeaderMaxLines];
  uint16_t count = 0;
  EXPECT_EQ(FormatRiseSetHeader(carry, body, reference, zone, 0.0, count, lines), kStatusOk);
  EXPECT_TRUE(carry.newTable);
  return std::vector<std::string>(lines, lines + count);
}

std::vector<std::string> Day(const RiseSetDay& day, BodyId body, const PositionRecord& reference,
                             double dut1 = 0.0, float zone = 0.0f) {
  ReportLine lines[kRiseSetDayMaxLines];
  uint16_t count = 0;
  EXPECT_EQ(WriteRiseSetDay(day, body, reference, dut1, zone, count, lines), kStatusOk);
  return std::vector<std::string>(lines, lines + count);
}

// Full headings are in the golden tables; here what they do not show.
TEST(RiseSetHeader, UnderwayMoonColumnsAndLineCounts) {
  const std::vector<std::string> moon = Header(kMoon, Underway(Utc(4, 30)), 0.0f);
  ASSERT_EQ(moon.size(), static_cast<size_t>(kRiseSetHeaderMaxLines));
  EXPECT_EQ(moon[15], "     Event             Time       Zn/Hc     Lat         Long       Ill.");
  EXPECT_EQ(moon[16], "                            h m      o      o   ,        o   ,       %");
  EXPECT_EQ(Header(kMoon, Site(), 0.0f).size(), 13u);
}

TEST(RiseSetHeader, TabularTimeSignAndMinuteCarry) {
  const struct {
    float zone;
    const char* text;
  } cases[] = {
      {5.5f, "- 05h 30m"},
      {0.0f, "+ 00h 00m"},
      {-12.75f, "+ 12h 45m"},
      {5.9999f, "- 06h 00m"},  // the minutes round to 60
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Header(kSun, Site(), c.zone)[8],
              std::string("                         Tabular Time ") + c.text + " = UTC")
        << c.zone;
  }
}

TEST(RiseSetHeader, RefusesBodyAndMotionButStartsTheTable) {
  PositionRecord greatCircle = Site();
  greatCircle.motionMode = kMotionGreatCircle;
  const struct {
    BodyId body;
    PositionRecord reference;
    EngineStatus status;
  } cases[] = {{kVenus, Site(), kRiseSetHeaderBadBody},
               {kSun, greatCircle, kRiseSetHeaderBadMotionMode}};
  for (const auto& c : cases) {
    RiseSetCarryState carry;
    carry.newTable = false;
    ReportLine lines[kRiseSetHeaderMaxLines];
    uint16_t count = 9;
    EXPECT_EQ(FormatRiseSetHeader(carry, c.body, c.reference, 0.0f, 0.0, count, lines), c.status);
    EXPECT_TRUE(carry.newTable);
    EXPECT_EQ(count, 0);
  }
}

TEST(RiseSetFixedRow, SunSymbolForms) {
  const struct {
    EventStatus statuses[5];  // civil begin to civil end
    const char* fields;
  } cases[] = {
      {{0, 0, 0, 0, 0}, "21 0412    21 0453    21 1205    21 1917    21 1958"},
      // High summer: twilight all night, always up, LAN still timed.
      {{1, 1, 1, 1, 1}, "// ////    ** ****    21 1205    ** ****    // ////"},
      {{999, 999, 0, 0, 0}, "?? ????    ?? ????    21 1205    21 1917    21 1958"},
      {{0, 0, 0, 999, 999}, "21 0412    21 0453    21 1205    ?? ????    ?? ????"},
      {{-1, -1, -1, -1, -1}, "-- ----    -- ----    -- ----    -- ----    -- ----"},
      {{-1, -1, kTransitInCivilDark, -1, -1},
       "-- ----    -- ----    -- ----    -- ----    -- ----"},
      {{-1, -1, kTransitInNauticalDark, -1, -1},
       "-- ----    -- ----    -- ----    -- ----    -- ----"},
  };
  for (const auto& c : cases) {
    RiseSetDay day = SunDay();
    for (int i = kCivilTwilightBegin; i <= kCivilTwilightEnd; ++i)
      SetStatus(day, i, c.statuses[i - kCivilTwilightBegin]);
    const std::vector<std::string> row = Day(day, kSun, Site());
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0], std::string("      21 Jun 2004    ") + c.fields);
  }
}

TEST(RiseSetFixedRow, TabularTimeRemovesUt1MinusUtcAndAddsTheZone) {
  RiseSetDay day = SunDay();
  // 23:29:29.2 UTC is 23:29:30.1 UT1: only the UTC instant prints as 23:59 + 30 min.
  day.events[kTransitEvent].time = Utc(23, 29, 29.2 + 0.9);
  for (int i : {kCivilTwilightBegin, kRiseEvent, kSetEvent, kCivilTwilightEnd}) {
    SetStatus(day, i, kEventAbove);
  }
  EXPECT_EQ(Day(day, kSun, Site(), 0.9, 0.5f)[0],
            "      21 Jun 2004    // ////    ** ****    21 2359    ** ****    // ////");
  // The date is the transit's tabular date: one more minute crosses midnight.
  day.events[kTransitEvent].time = Utc(23, 30, 0.9);
  EXPECT_EQ(Day(day, kSun, Site(), 0.9, 0.5f)[0],
            "      22 Jun 2004    // ////    ** ****    22 0000    ** ****    // ////");
}

TEST(RiseSetFixedRow, MoonFormsCarryTheIllumination) {
  const struct {
    EventStatus statuses[3];  // rise, transit, set
    const char* fields;
  } cases[] = {
      {{0, 0, 0}, "21 0400  45       21 1000  50       21 1700  55"},
      {{999, 0, -1}, "?? ???? ???       21 1000  50       -- ---- ---"},
      {{1, 1, 1}, "** **** ***       21 1000  50       ** **** ***"},
      {{-1, -1, -1}, "-- ---- ---       -- ---- ---       -- ---- ---"},
  };
  for (const auto& c : cases) {
    RiseSetDay day = MoonDay();
    for (int i = kRiseEvent; i <= kSetEvent; ++i) SetStatus(day, i, c.statuses[i - kRiseEvent]);
    EXPECT_EQ(Day(day, kMoon, Site())[0], std::string("        21 Jun 2004       ") + c.fields);
  }
}

const std::string kSunRise =
    "    Rise               21 Jun   0453      049      N49 30.0      W004 15.0";
const std::string kSunTransit =
    "    Transit (LAN)      21 Jun   1205       64S     N49 30.0      W004 15.0";
const std::string kSunSet =
    "    Set                21 Jun   1917      311      N49 30.0      W004 15.0";
const std::string kSunCivilEnd =
    "    End Civ. Twi.      21 Jun   1958               N49 30.0      W004 15.0";
const std::string kSunNauticalEnd =
    "    End Naut. Twi.     21 Jun   2050               N49 30.0      W004 15.0";

TEST(RiseSetUnderwayList, SunStartsAfterTheReferenceTime) {
  EXPECT_EQ(
      Day(SunDay(), kSun, Underway(Utc(4, 30))),
      (std::vector<std::string>{kSunRise, kSunTransit, kSunSet, kSunCivilEnd, kSunNauticalEnd}));
  // After the set no step back: the twilight ends alone.
  EXPECT_EQ(Day(SunDay(), kSun, Underway(Utc(19, 30))),
            (std::vector<std::string>{kSunCivilEnd, kSunNauticalEnd}));
  // Nothing left after the reference time: refused, nothing listed.
  ReportLine lines[kRiseSetDayMaxLines];
  uint16_t count = 5;
  EXPECT_EQ(WriteRiseSetDay(SunDay(), kSun, Underway(Utc(21, 0)), 0.0, 0.0f, count, lines),
            kRiseSetNoListedEvent);
  EXPECT_EQ(count, 0);
}

TEST(RiseSetUnderwayList, SunStepsBackOverContinuousEvents) {
  RiseSetDay day = SunDay();
  SetStatus(day, kNauticalTwilightBegin, kEventAbove);
  SetStatus(day, kCivilTwilightBegin, kEventUndeterminate);
  const std::vector<std::string> lines = Day(day, kSun, Underway(Utc(4, 30)));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "    Beg. Naut. Twi.    /////////////      ///      ////////      /////////");
  EXPECT_EQ(lines[1], "    Beg. Civ. Twi.     ?????????????      ???      ????????      ?????????");
  EXPECT_EQ(lines[2], kSunRise);

  // A dark day: nothing qualifies, so the whole day is listed from its start.
  RiseSetDay dark = SunDay();
  for (int i = 0; i < kRiseSetEventCount; ++i) SetStatus(dark, i, kEventBelow);
  SetStatus(dark, kTransitEvent, kTransitInNauticalDark);
  const std::vector<std::string> darkLines = Day(dark, kSun, Underway(Utc(0, 0)));
  ASSERT_EQ(darkLines.size(), 7u);
  EXPECT_EQ(darkLines[3],
            "    Transit (LAN)      -------------      ---      --------      ---------");
}

TEST(RiseSetUnderwayList, MoonListsFromTheRiseWhenTheRiseIsContinuous) {
  const std::string rise = "     Rise        21 Jun    0400    095    N49 30.0    W004 15.0     45";
  const std::string transit =
      "     Transit     21 Jun    1000     30S   N49 30.0    W004 15.0     50";
  const std::string set = "     Set         21 Jun    1700    265     00 00.0    W175 00.0     55";
  EXPECT_EQ(Day(MoonDay(), kMoon, Underway(Utc(6, 0))), (std::vector<std::string>{transit, set}));

  RiseSetDay upAllDay = MoonDay();
  SetStatus(upAllDay, kRiseEvent, kEventAbove);
  EXPECT_EQ(
      Day(upAllDay, kMoon, Underway(Utc(6, 0))),
      (std::vector<std::string>{
          "     Rise        ******    ****    ***    ********    *********    ***", transit, set}));

  RiseSetDay noSet = MoonDay();
  SetStatus(noSet, kSetEvent, kEventBelow);
  EXPECT_EQ(Day(noSet, kMoon, Underway(Utc(3, 0)))[2],
            "     Set         ------    ----    ---    --------    ---------    ---");
}

}  // namespace
}  // namespace navora
