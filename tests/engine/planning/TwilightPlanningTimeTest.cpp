// The twilight planning time read from the Sun's underway rise/set list: an
// hour before sunrise (going back across midnight), sunset, the ship's date
// far east and far west, and the refusals a navigator must see.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/planning/TwilightPlanningTime.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

double Utc(int year, int month, int day, int hour = 0, int minute = 0) {
  return CalendarToJulian(static_cast<int16_t>(year), static_cast<int16_t>(month),
                          static_cast<int16_t>(day), static_cast<int16_t>(hour),
                          static_cast<int16_t>(minute), 0.0);
}

std::string MinuteText(double jd) {
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  SplitJulianToMinute(jd, year, month, day, hour, minute);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", year, month, day, hour, minute);
  return text;
}

struct TwilightCase {
  const char* what;
  double dateUtc;
  bool morning;
  PositionRecord reference;
  EngineStatus status;
  const char* planningTime;  // UTC, "" when refused
  double ut1MinusUtc = 0.0;
};

PositionRecord Ship(double time, double latitude, double longitude, double course = 0.0,
                    double speed = 0.0) {
  return MakePositionRecord(kMotionRhumbLine, kPositionExternalFix, time, latitude, longitude,
                            course, speed, 0.0, 0.0);
}

TEST(TwilightPlanningTimeTest, PlanningTimesAndRefusals) {
  PlaceContext places;
  ASSERT_EQ(OpenDefaultEphemeris(places.ephemeris), kStatusOk);
  const TwilightCase cases[] = {
      {"sunrise 05:30 UTC near Greenwich", Utc(2024, 3, 20), true,
       Ship(Utc(2024, 3, 19, 18), 0.0, 8.5), kStatusOk, "2024-03-20 04:30"},
      {"sunrise 00:20 UTC, the hour before it on the previous day", Utc(2024, 3, 20), true,
       Ship(Utc(2024, 3, 19, 12), 10.0, 86.1), kStatusOk, "2024-03-19 23:20"},
      {"far east: the ship's sunrise on the previous UTC date", Utc(2024, 3, 20), true,
       Ship(Utc(2024, 3, 19, 12), -33.0, 151.0, 45.0, 12.0), kStatusOk, "2024-03-19 18:54"},
      {"far west: sunset on the next UTC date", Utc(2024, 3, 20), false,
       Ship(Utc(2024, 3, 20), 21.0, -158.0, 270.0, 15.0), kStatusOk, "2024-03-21 05:15"},
      {"evening on the reference's own date", Utc(1985, 11, 2), false,
       Ship(Utc(1985, 11, 2, 9), 50.0, -5.0, 200.0, 10.0), kStatusOk, "1985-11-02 17:01"},
      {"the chosen day's sunrise came before the reference", Utc(2024, 3, 20), true,
       Ship(Utc(2024, 3, 20, 9), 0.0, 7.5), kTwilightAfterChosenDay, ""},
      {"midsummer at 75 N: no sunrise", Utc(2010, 6, 21), true, Ship(Utc(2010, 6, 20), 75.0, 20.0),
       kTwilightSunAlwaysUp, ""},
      {"midwinter at 75 N: no sunset", Utc(2010, 12, 21), false,
       Ship(Utc(2010, 12, 20), 75.0, 20.0), kTwilightSunAlwaysDown, ""},
      // A failed rise/set computation is not taken for a missing event.
      {"UT1 - UTC beyond 0.9 s", Utc(2024, 3, 20), true, Ship(Utc(2024, 3, 19), 0.0, 7.5),
       kTwilightComputationFailed, "", 1.5},
  };
  for (const TwilightCase& c : cases) {
    double planningTime = -1.0;
    EXPECT_EQ(FindTwilightPlanningTime(places, c.dateUtc, c.morning, c.reference, c.ut1MinusUtc,
                                       0.0, planningTime),
              c.status)
        << c.what;
    if (c.status == kStatusOk) {
      EXPECT_EQ(MinuteText(planningTime), c.planningTime) << c.what;
    } else {
      EXPECT_EQ(planningTime, 0.0) << c.what;
    }
  }
}

}  // namespace
}  // namespace navora
