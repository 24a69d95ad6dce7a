#include <gtest/gtest.h>

#include "engine/position/DrChecks.h"
#include "engine/time/Calendar.h"
#include "tests/engine/position/PositionTestSupport.h"

namespace navora {
namespace {

using testing::MovingRecord;

constexpr double kSecondDays = 1.0 / 86400.0;
constexpr double kT0 = 2451545.25;  // 2000 January 1, 18 h

PositionRecord Underway(double latitude, double course, double speedKnots, double time = kT0) {
  return MovingRecord(kMotionRhumbLine, time, latitude, -30.0, course, speedKnots);
}

TEST(CheckDrAdvance, TimeTestAtItsBoundaries) {
  const PositionRecord p = Underway(20.0, 90.0, 10.0);
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, kT0, p), kDrTimeTooEarly);
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, kT0 + 0.4 * kSecondDays, p), kDrTimeTooEarly);
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, kT0 + kSecondDays, p), kStatusOk);
  EXPECT_EQ(CheckDrAdvance(kDrCheckAllowSameTime, kT0, p), kStatusOk);
  EXPECT_EQ(CheckDrAdvance(kDrCheckAllowSameTime, kT0 - 0.4 * kSecondDays, p), kStatusOk);
  EXPECT_EQ(CheckDrAdvance(kDrCheckAllowSameTime, kT0 - kSecondDays, p), kDrTimeTooEarly);
  EXPECT_EQ(CheckDrAdvance(7, kT0 - 1.0, p), kStatusOk);  // other modes skip the time test

  PositionRecord site = p;
  site.motionMode = kMotionNone;
  EXPECT_EQ(CheckDrAdvance(kDrCheckRequireLaterTime, kT0 + 1.0, site), kDrNoMotion);
}

TEST(CheckDrAdvance, TenDaysAcceptedTenDaysAndOneSecondRefused) {
  const PositionRecord p = Underway(20.0, 90.0, 10.0, CalendarToJulian(2010, 3, 1, 6, 30, 15.0));
  EXPECT_EQ(CheckDrAdvance(1, CalendarToJulian(2010, 3, 11, 6, 30, 15.0), p), kStatusOk);
  EXPECT_EQ(CheckDrAdvance(1, CalendarToJulian(2010, 3, 11, 6, 30, 16.0), p), kDrBeyondTenDays);
}

TEST(CheckDrAdvance, PolarRegionAndLongitudeChange) {
  EXPECT_EQ(CheckDrAdvance(1, kT0 + 1.0, Underway(79.0, 0.0, 20.0)), kDrEntersPolarRegion);
  EXPECT_EQ(CheckDrAdvance(1, kT0 + 1.0, Underway(79.0, 180.0, 20.0)), kStatusOk);
  EXPECT_EQ(CheckDrAdvance(1, kT0 + 1.0, Underway(-75.0, 200.0, 20.0)), kDrEntersPolarRegion);
  // Far over the pole the rhumb line is folded back, yet still refused.
  EXPECT_EQ(CheckDrAdvance(1, kT0 + 5.0, Underway(70.0, 0.0, 30.0)), kDrEntersPolarRegion);
  EXPECT_EQ(CheckDrAdvance(1, kT0 + 9.0, Underway(60.0, 90.0, 25.0)), kDrLongitudeChangeTooLarge);
  EXPECT_EQ(CheckDrAdvance(1, kT0 + 9.0, Underway(0.0, 270.0, 25.0)), kStatusOk);
}

TEST(CheckUnderwayAdvance, FixedSiteChecksOnlyTheBody) {
  PositionRecord site = MovingRecord(kMotionNone, kT0, -75.0, 10.0, 0.0, 0.0);
  double start = kT0 + 40.3;
  double latitude = 0.0;
  EXPECT_EQ(CheckUnderwayAdvance(site, kSun, start, latitude), kDrSunHighLatitude);
  EXPECT_EQ(latitude, -75.0);
  EXPECT_EQ(start, kT0 + 40.3);
  site.latitude = 62.0;
  EXPECT_EQ(CheckUnderwayAdvance(site, kSun, start, latitude), kStatusOk);
  EXPECT_EQ(CheckUnderwayAdvance(site, kMoon, start, latitude), kDrMoonHighLatitude);
  EXPECT_EQ(CheckUnderwayAdvance(site, kMars, start, latitude), kStatusOk);
}

TEST(CheckUnderwayAdvance, TableStartsAtMidnightOfItsDay) {
  const PositionRecord p = Underway(40.0, 30.0, 15.0);
  double start = kT0 - 1.0;
  double latitude = 0.0;
  EXPECT_EQ(CheckUnderwayAdvance(p, kSun, start, latitude), kDrTimeTooEarly);
  // Less than a day early: the position's own day, at its latitude.
  start = kT0 - 0.5;
  EXPECT_EQ(CheckUnderwayAdvance(p, kSun, start, latitude), kStatusOk);
  EXPECT_EQ(start, 2451544.5);
  EXPECT_EQ(latitude, 40.0);
  // Later: about the latitude the rhumb line reaches by then (51.948).
  start = kT0 + 2.3;
  EXPECT_EQ(CheckUnderwayAdvance(p, kSun, start, latitude), kStatusOk);
  EXPECT_EQ(start, 2451547.5);
  EXPECT_NEAR(latitude, 51.948, 0.05);
  // A body note still moves the start to midnight.
  start = kT0 + 2.3;
  EXPECT_EQ(CheckUnderwayAdvance(Underway(58.0, 0.0, 5.0), kMoon, start, latitude),
            kDrMoonHighLatitude);
  EXPECT_EQ(start, 2451547.5);
}

TEST(CheckUnderwayAdvance, RefusedAdvances) {
  double start = kT0 + 10.0 + kSecondDays;
  double latitude = 0.0;
  EXPECT_EQ(CheckUnderwayAdvance(Underway(10.0, 90.0, 10.0), kSun, start, latitude),
            kDrBeyondTenDays);
  start = kT0 + 1.0;
  EXPECT_EQ(CheckUnderwayAdvance(Underway(79.0, 0.0, 20.0), kSun, start, latitude),
            kDrEntersPolarRegion);
  start = kT0 + 9.0;
  EXPECT_EQ(CheckUnderwayAdvance(Underway(60.0, 90.0, 25.0), kSun, start, latitude),
            kDrLongitudeChangeTooLarge);
  EXPECT_EQ(start, kT0 + 9.0);
}

}  // namespace
}  // namespace navora
