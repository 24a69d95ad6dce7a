#include "engine/position/DrChecks.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/position/DeadReckoning.h"
#include "engine/position/ReferenceGeodesy.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

using testing::MovingRecord;

constexpr double kSecondDays = 1.0 / 86400.0;

PositionRecord Underway(double time, double latitude, double course, double speedKnots) {
  return MovingRecord(kMotionRhumbLine, time, latitude, -30.0, course, speedKnots);
}

TEST(CheckDrAdvance, FixedSiteIsRefusedWhateverTheTime) {
  const PositionRecord site = MovingRecord(kMotionNone, 2451545.0, 10.0, 10.0, 0.0, 0.0);
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, 2451546.0, site), kDrNoMotion);
  EXPECT_EQ(CheckDrAdvance(kDrCheckAllowSameTime, 2451500.0, site), kDrNoMotion);
}

TEST(CheckDrAdvance, TimeTestAtItsBoundaries) {
  const double t0 = CalendarToJulian(2010, 3, 1, 6, 30, 15.0);
  const PositionRecord position = Underway(t0, 20.0, 90.0, 10.0);
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, t0, position), kDrTimeTooEarly);
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, t0 + 0.4 * kSecondDays, position),
            kDrTimeTooEarly);
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, t0 + kSecondDays, position), kStatusOk);
  EXPECT_EQ(CheckDrAdvance(kDrCheckAllowSameTime, t0, position), kStatusOk);
  EXPECT_EQ(CheckDrAdvance(kDrCheckAllowSameTime, t0 - 0.4 * kSecondDays, position), kStatusOk);
  EXPECT_EQ(CheckDrAdvance(kDrCheckAllowSameTime, t0 - kSecondDays, position), kDrTimeTooEarly);
  // Other modes skip the time test.
  EXPECT_EQ(CheckDrAdvance(7, t0 - 1.0, position), kStatusOk);
}

TEST(CheckDrAdvance, TenDaysAcceptedTenDaysAndOneSecondRefused) {
  const double t0 = CalendarToJulian(2010, 3, 1, 6, 30, 15.0);
  const PositionRecord position = Underway(t0, 20.0, 90.0, 10.0);
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, CalendarToJulian(2010, 3, 11, 6, 30, 15.0),
                           position),
            kStatusOk);
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, CalendarToJulian(2010, 3, 11, 6, 30, 16.0),
                           position),
            kDrBeyondTenDays);
}

TEST(CheckDrAdvance, PolarRegion) {
  const double t0 = 2451545.0;
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, t0 + 1.0, Underway(t0, 79.0, 0.0, 20.0)),
            kDrEntersPolarRegion);
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, t0 + 1.0, Underway(t0, 79.0, 180.0, 20.0)),
            kStatusOk);
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, t0 + 1.0, Underway(t0, -75.0, 200.0, 20.0)),
            kDrEntersPolarRegion);
  // Far over the pole the rhumb line is folded back, yet still refused.
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, t0 + 5.0, Underway(t0, 70.0, 0.0, 30.0)),
            kDrEntersPolarRegion);
}

TEST(CheckDrAdvance, LongitudeChangeLimit) {
  const double t0 = 2451545.0;
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, t0 + 9.0, Underway(t0, 60.0, 90.0, 25.0)),
            kDrLongitudeChangeTooLarge);
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, t0 + 9.0, Underway(t0, 0.0, 270.0, 25.0)),
            kStatusOk);
}

TEST(CheckUnderwayAdvance, FixedSiteChecksOnlyTheBody) {
  const PositionRecord site = MovingRecord(kMotionNone, 2451545.0, -75.0, 10.0, 0.0, 0.0);
  double start = 2451600.3;
  double latitude = 0.0;
  EXPECT_EQ(CheckUnderwayAdvance(site, kSun, start, latitude), kDrSunHighLatitude);
  EXPECT_EQ(latitude, -75.0);
  EXPECT_EQ(start, 2451600.3);
  EXPECT_EQ(CheckUnderwayAdvance(site, kMoon, start, latitude), kDrMoonHighLatitude);

  const PositionRecord lower = MovingRecord(kMotionNone, 2451545.0, 62.0, 10.0, 0.0, 0.0);
  EXPECT_EQ(CheckUnderwayAdvance(lower, kSun, start, latitude), kStatusOk);
  EXPECT_EQ(CheckUnderwayAdvance(lower, kMoon, start, latitude), kDrMoonHighLatitude);
  EXPECT_EQ(CheckUnderwayAdvance(lower, kMars, start, latitude), kStatusOk);
}

TEST(CheckUnderwayAdvance, StartBeforeThePosition) {
  const double t0 = 2451545.25;  // 2000 January 1, 18 h
  const PositionRecord position = Underway(t0, 40.0, 45.0, 12.0);
  double start = t0 - 1.0;
  double latitude = 0.0;
  EXPECT_EQ(CheckUnderwayAdvance(position, kSun, start, latitude), kDrTimeTooEarly);

  // Less than a day early: the table starts at 0 h of the position's day.
  start = t0 - 0.5;
  EXPECT_EQ(CheckUnderwayAdvance(position, kSun, start, latitude), kStatusOk);
  EXPECT_EQ(start, 2451544.5);
  EXPECT_EQ(latitude, 40.0);
}

TEST(CheckUnderwayAdvance, AdvancesTheLatitudeAndStartsAtMidnight) {
  const double t0 = 2451545.25;
  const PositionRecord position = Underway(t0, 40.0, 30.0, 15.0);
  double start = t0 + 2.3;
  double latitude = 0.0;
  EXPECT_EQ(CheckUnderwayAdvance(position, kSun, start, latitude), kStatusOk);
  EXPECT_EQ(start, 2451547.5);
  PositionRecord advanced;
  double latRate = 0.0;
  double lonRate = 0.0;
  AdvanceDeadReckoning(t0 + 2.3, position, advanced, latRate, lonRate);
  // Extrapolated with the rate at the new position, close to the DR latitude.
  EXPECT_NEAR(latitude, advanced.latitude, 0.05);
  EXPECT_GT(latitude, 40.0);

  // A body note still moves the start to midnight.
  const PositionRecord north = Underway(t0, 58.0, 0.0, 5.0);
  start = t0 + 2.3;
  EXPECT_EQ(CheckUnderwayAdvance(north, kMoon, start, latitude), kDrMoonHighLatitude);
  EXPECT_EQ(start, 2451547.5);
  start = t0 + 2.3;
  EXPECT_EQ(CheckUnderwayAdvance(north, kSun, start, latitude), kStatusOk);
}

TEST(CheckUnderwayAdvance, RefusedAdvances) {
  const double t0 = 2451545.25;
  double start = t0 + 10.0 + kSecondDays;
  double latitude = 0.0;
  EXPECT_EQ(CheckUnderwayAdvance(Underway(t0, 10.0, 90.0, 10.0), kSun, start, latitude),
            kDrBeyondTenDays);
  start = t0 + 1.0;
  EXPECT_EQ(CheckUnderwayAdvance(Underway(t0, 79.0, 0.0, 20.0), kSun, start, latitude),
            kDrEntersPolarRegion);
  start = t0 + 9.0;
  EXPECT_EQ(CheckUnderwayAdvance(Underway(t0, 60.0, 90.0, 25.0), kSun, start, latitude),
            kDrLongitudeChangeTooLarge);
  EXPECT_EQ(start, t0 + 9.0);
}

}  // namespace
}  // namespace navora
