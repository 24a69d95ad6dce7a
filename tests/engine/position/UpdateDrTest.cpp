#include "engine/position/UpdateDr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/time/Calendar.h"
#include "tests/engine/position/PositionGolden.h"
#include "tests/engine/position/PositionTestSupport.h"

namespace navora {
namespace {

using namespace navora::testing;

const double kT0 = CalendarToJulian(2024, 4, 1, 12, 0, 30.0);

// The new leg starts where the rhumb line of the old one ends, whatever the
// direction: meridians, the equator and the 180th meridian give a position.
TEST(ComputeUpdateDr, AdvancesAlongTheOldLegAndStartsTheNewOne) {
  struct Case {
    const char* name;
    double latitude, longitude, course, speed, hours;
  };
  const Case cases[] = {
      {"oblique", 49.5, -4.25, 235.0, 6.5, 7.5},
      {"north along a meridian", -10.0, 20.0, 0.0, 12.0, 30.0},
      {"south along a meridian", 60.0, 20.0, 180.0, 12.0, 30.0},
      {"east along the equator", 0.0, 100.0, 90.0, 18.0, 48.0},
      {"west across 180 degrees", -35.0, -179.9, 270.0, 15.0, 20.0},
      {"east across 180 degrees", 35.0, 179.95, 89.9, 15.0, 20.0},
      {"no time", 12.0, 45.0, 30.0, 10.0, 0.0},
      {"no speed", 12.0, 45.0, 30.0, 0.0, 20.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PositionRecord reference =
        MovingRecord(kMotionRhumbLine, kT0, c.latitude, c.longitude, c.course, c.speed);
    reference.positionType = kPositionExternalFix;
    reference.set = 123.0;  // carried, not applied: no drift
    PositionRecord updated;
    ASSERT_EQ(ComputeUpdateDr(kT0 + c.hours / 24.0, 359.96, 7.25, reference, updated), kStatusOk);
    double latitude = 0.0, longitude = 0.0;
    kRhumb.Direct(c.latitude, c.longitude, c.course, c.speed * c.hours * kMetresPerMile, latitude,
                  longitude);
    EXPECT_LT(SeparationNm(updated.latitude, updated.longitude, latitude, longitude), 0.01);
    EXPECT_LE(std::fabs(updated.longitude), 180.0);
    EXPECT_EQ(updated.positionType, kPositionDr);
    EXPECT_EQ(updated.time, kT0 + c.hours / 24.0);
    EXPECT_EQ(updated.course, 359.96);
    EXPECT_EQ(updated.speed, 7.25);
    EXPECT_DOUBLE_EQ(updated.speedKmPerDay, 7.25 * kKmPerDayPerKnot);
    EXPECT_EQ(updated.set, 123.0);
  }
}

TEST(ComputeUpdateDr, RefusesAnEarlierTimeAndValuesThatAreNotNumbers) {
  const PositionRecord reference = MovingRecord(kMotionRhumbLine, kT0, 49.5, -4.25, 90.0, 6.0);
  PositionRecord nonFinite = reference;
  nonFinite.latitude = std::numeric_limits<double>::quiet_NaN();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    double time, course, speed;
    PositionRecord from;
    EngineStatus status;
  };
  const Case cases[] = {
      {"one second early", kT0 - 1.0 / 86400.0, 90.0, 6.0, reference, kUpdateDrTimeBeforeReference},
      {"time not a number", nan, 90.0, 6.0, reference, kStatusOutOfDomain},
      {"infinite course", kT0 + 1.0, inf, 6.0, reference, kStatusOutOfDomain},
      {"negative speed", kT0 + 1.0, 90.0, -1.0, reference, kStatusOutOfDomain},
      {"reference not a position", kT0 + 1.0, 90.0, 6.0, nonFinite, kStatusOutOfDomain},
  };
  for (const Case& c : cases) {
    PositionRecord updated;
    updated.latitude = 7.0;
    EXPECT_EQ(ComputeUpdateDr(c.time, c.course, c.speed, c.from, updated), c.status) << c.name;
    EXPECT_EQ(updated.latitude, 7.0) << c.name << ": left alone";
  }
}

// The reference (a fix at 0.0 latitude: no hemisphere letter) and an update
// whose course of 359.96 prints as 000.0.
TEST(FormatUpdateDrReport, MatchesTheGoldenReport) {
  PositionRecord reference = MovingRecord(kMotionRhumbLine, kT0, 0.0, -4.25, 90.0, 6.5);
  reference.positionType = kPositionExternalFix;
  PositionRecord updated;
  ASSERT_EQ(ComputeUpdateDr(kT0 + 0.25, 359.96, 12.0, reference, updated), kStatusOk);
  ReportLine lines[kUpdateDrReportLines];
  ASSERT_EQ(FormatUpdateDrReport(reference, updated, lines), kStatusOk);
  const std::string report = JoinLines(lines, kUpdateDrReportLines);
  EXPECT_EQ(report, GoldenReport("update_dr.txt", report));

  PositionRecord damaged = updated;
  damaged.latitude = 91.0;
  EXPECT_EQ(FormatUpdateDrReport(reference, damaged, lines), kStatusOutOfDomain);
  EXPECT_EQ(lines[0][0], '\0');
}

}  // namespace
}  // namespace navora
