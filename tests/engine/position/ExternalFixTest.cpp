#include "engine/position/ExternalFix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/position/CourseAndDistance.h"
#include "engine/position/PositionBlocks.h"
#include "engine/time/Calendar.h"
#include "tests/engine/position/PositionGolden.h"
#include "tests/engine/position/PositionTestSupport.h"

namespace navora {
namespace {

using namespace navora::testing;

const double kT0 = CalendarToJulian(2024, 4, 1, 12, 0, 30.0);
constexpr double kHour = 1.0 / 24.0;

PositionRecord Fix(double time, double latitude, double longitude, double course, double speed) {
  return MakePositionRecord(kMotionNone, kPositionExternalFix, time, latitude, longitude, course,
                            speed, 0.0, 0.0);
}

// Scenarios between 70 S and 70 N, across the 180th meridian, over 1 to 12
// hours: the fix is put where an independent solution carries the DR by a
// known current, and the current and the run since the last fix are read
// back with the independent inverse of the motion mode.
TEST(ComputeExternalFix, AgreesWithAnIndependentGeodesyLibrary) {
  int compared = 0;
  for (uint16_t mode : {kMotionRhumbLine, kMotionGreatCircle}) {
    for (double latitude = -70.0; latitude <= 70.0; latitude += 17.5) {
      for (double longitude : {-179.5, -60.0, 0.0, 95.0, 179.7}) {
        for (double hours : {1.0, 4.5, 12.0}) {
          for (double set : {0.0, 90.0, 213.0}) {
            const double course = std::fmod(latitude * 7.0 + longitude + 400.0, 360.0);
            const double drift = 0.5 + std::fabs(latitude) / 35.0;  // 0.5 to 2.5 kn
            // The ship sails only 1 hour on a great circle, so the run stays in the test's band.
            const double speed = mode == kMotionRhumbLine ? 8.0 : 4.0;
            PositionRecord lastFix = MovingRecord(mode, kT0, latitude, longitude, course, speed);
            const PositionRecord dr = Advance(lastFix, hours * kHour);
            double fixLatitude = 0.0, fixLongitude = 0.0, azi = 0.0;
            const double runM = drift * hours * kMetresPerMile;
            if (mode == kMotionRhumbLine) {
              kRhumb.Direct(dr.latitude, dr.longitude, set, runM, fixLatitude, fixLongitude);
            } else {
              kGeodesic.Direct(dr.latitude, dr.longitude, set, runM, fixLatitude, fixLongitude,
                               azi);
            }
            PositionRecord drAtFix = dr;
            drAtFix.motionMode = mode;
            const PositionRecord fix = Fix(dr.time, fixLatitude, fixLongitude, 0.0, 0.0);
            ExternalFixResult r;
            ASSERT_EQ(ComputeCurrentAndMadeGood(fix, drAtFix, lastFix, r.setDeg, r.driftKnots,
                                                r.courseMadeGoodDeg, r.speedMadeGoodKnots),
                      kStatusOk);
            double metres = 0.0, currentAzimuth = 0.0, madeGoodAzimuth = 0.0, madeGoodM = 0.0;
            if (mode == kMotionRhumbLine) {
              kRhumb.Inverse(dr.latitude, dr.longitude, fixLatitude, fixLongitude, metres,
                             currentAzimuth);
              kRhumb.Inverse(latitude, longitude, fixLatitude, fixLongitude, madeGoodM,
                             madeGoodAzimuth);
            } else {
              kGeodesic.Inverse(dr.latitude, dr.longitude, fixLatitude, fixLongitude, metres,
                                currentAzimuth, azi);
              kGeodesic.Inverse(latitude, longitude, fixLatitude, fixLongitude, madeGoodM,
                                madeGoodAzimuth, azi);
            }
            const double knots = metres / kMetresPerMile / hours;
            const double madeGoodKnots = madeGoodM / kMetresPerMile / hours;
            SCOPED_TRACE(::testing::Message() << mode << " " << latitude << " " << longitude << " "
                                              << hours << " " << set);
            ASSERT_LT(AngleGap(r.setDeg, currentAzimuth), 0.5);
            ASSERT_LT(std::fabs(r.driftKnots - knots), 0.05);
            ASSERT_LT(AngleGap(r.courseMadeGoodDeg, madeGoodAzimuth), 0.5);
            ASSERT_LT(std::fabs(r.speedMadeGoodKnots - madeGoodKnots), 0.05);
            ++compared;
          }
        }
      }
    }
  }
  EXPECT_EQ(compared, 2 * 9 * 5 * 3 * 3);
}

// The short runs, the refusals, and the directions that could divide by
// zero (no distance, meridians, the equator, 180 degrees): always numbers.
TEST(ComputeCurrentAndMadeGood, GivesNumbersOrRefusesOnEveryPath) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    double lastLatitude, lastLongitude, drLatitude, drLongitude, fixLatitude, fixLongitude;
    double hours;        // from the last fix to the new one
    double drLagHours;   // the DR's time before the fix's
    EngineStatus status;
    bool current, madeGood;  // set/drift and course/speed made good worked out
  };
  const Case cases[] = {
      {"no distance anywhere", 10, 20, 10, 20, 10, 20, 3, 0, kStatusOk, true, true},
      {"meridian north", 10, 20, 10.5, 20, 10.6, 20, 3, 0, kStatusOk, true, true},
      {"meridian south", 10, 20, 9.5, 20, 9.4, 20, 3, 0, kStatusOk, true, true},
      {"along the equator", 0, 20, 0, 20.5, 0, 20.6, 3, 0, kStatusOk, true, true},
      {"across 180 degrees", -30, 179.8, -30, -179.9, -30.05, -179.8, 3, 0, kStatusOk, true, true},
      {"30 minutes: no current", 10, 20, 10.05, 20, 10.06, 20, 0.5, 0, kCurrentRunTooShort, false,
       true},
      {"30 seconds: nothing", 10, 20, 10, 20, 10.001, 20, 30.0 / 3600, 0, kMadeGoodRunTooShort,
       false, false},
      {"no time at all", 10, 20, 10, 20, 10, 20, 0, 0, kMadeGoodRunTooShort, false, false},
      {"DR at another time", 10, 20, 10, 20, 10, 20, 3, 0.1, kCurrentTimesDiffer, false, false},
      {"fix before the last fix", 10, 20, 10, 20, 10, 20, -0.1, 0, kCurrentFixBeforeLastFix, false,
       false},
      {"fix not a number", 10, 20, 10, 20, nan, 20, 3, 0, kStatusOutOfDomain, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const double fixTime = kT0 + c.hours * kHour;
    const PositionRecord last =
        MovingRecord(kMotionRhumbLine, kT0, c.lastLatitude, c.lastLongitude, 0, 0);
    const PositionRecord dr = MovingRecord(kMotionRhumbLine, fixTime - c.drLagHours * kHour,
                                           c.drLatitude, c.drLongitude, 0, 0);
    const PositionRecord fix = Fix(fixTime, c.fixLatitude, c.fixLongitude, 0, 0);
    double values[4] = {-1, -1, -1, -1};
    EXPECT_EQ(ComputeCurrentAndMadeGood(fix, dr, last, values[0], values[1], values[2], values[3]),
              c.status);
    for (double value : values) EXPECT_TRUE(std::isfinite(value));
    if (!c.current) {
      EXPECT_EQ(values[0] + values[1], 0.0);
    }
    if (!c.madeGood) {
      EXPECT_EQ(values[2] + values[3], 0.0);
    } else if (c.fixLatitude != c.lastLatitude) {
      EXPECT_GT(values[3], 0.0);
    }
  }
}

TEST(ComputeExternalFix, StatusesOfTheFixAndOfItsCurrent) {
  const PositionRecord reference = MovingRecord(kMotionRhumbLine, kT0, 49.5, -4.25, 90, 6);
  const PositionRecord laterFix = MovingRecord(kMotionRhumbLine, kT0 + 1.0, 49.5, -4.25, 90, 6);
  struct Case {
    const char* name;
    double fixTime;
    PositionRecord lastFix;
    EngineStatus status;
  };
  const Case cases[] = {
      {"two hours on", kT0 + 2 * kHour, reference, kStatusOk},
      {"at the reference time", kT0, reference, kStatusOk},
      {"before the reference", kT0 - kHour, reference, kExternalFixBeforeReference},
      {"before the last fix", kT0 + kHour, laterFix,
       kExternalFixCurrentFailed + kCurrentFixBeforeLastFix},
  };
  for (const Case& c : cases) {
    ExternalFixResult result;
    EXPECT_EQ(ComputeExternalFix(Fix(c.fixTime, 49.6, -4.0, 10, 5), reference, c.lastFix, result),
              c.status)
        << c.name;
    if (c.status == kStatusOk) {
      EXPECT_EQ(result.drAtFix.time, c.fixTime);
      EXPECT_EQ(result.drAtFix.positionType, kPositionDr);
      EXPECT_EQ(result.drAtFix.course, 90.0) << "the course steered, not the one made good";
    }
  }
}

// The reports of the edge cases, byte for byte.
TEST(FormatExternalFixReport, MatchesTheGoldenReports) {
  // Read back from the log, the last fix moves along its rhumb line.
  PositionRecord lastFix = MovingRecord(kMotionRhumbLine, kT0, 49.5, -4.25, 235.0, 6.5);
  lastFix.positionType = kPositionExternalFix;
  struct Case {
    const char* golden;
    double hours;
    double fixLatitude, fixLongitude, fixCourse, fixSpeed;
  };
  const Case cases[] = {
      // A current of about 1.2 kn; a new course of 359.96 prints as 000.0.
      {"external_fix.txt", 6.0, 49.1, -4.95, 359.96, 7.0},
      // About 12 kn of drift: printed as 10.0+ with its warning.
      {"external_fix_drift.txt", 2.0, 49.777, -4.5217, 180.0, 8.0},
      // Made good over 50 kn, and a new speed of 60 kn: both printed as 50.0+.
      {"external_fix_fast.txt", 1.0, 48.5, -4.25, 180.0, 60.0},
      // 30 minutes: course and speed made good only; 30 seconds: neither.
      {"external_fix_30min.txt", 0.5, 49.45, -4.3, 235.0, 6.5},
      {"external_fix_30s.txt", 30.0 / 3600, 49.5, -4.25, 235.0, 6.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    const PositionRecord fix =
        Fix(kT0 + c.hours * kHour, c.fixLatitude, c.fixLongitude, c.fixCourse, c.fixSpeed);
    ExternalFixResult result;
    ASSERT_EQ(ComputeExternalFix(fix, lastFix, lastFix, result), kStatusOk);
    ReportLine lines[kMaxExternalFixReportLines];
    int count = 0;
    ASSERT_EQ(FormatExternalFixReport(fix, lastFix, lastFix, result, lines, count), kStatusOk);
    const std::string report = JoinLines(lines, count);
    EXPECT_EQ(report, GoldenReport(c.golden, report));
    for (int i = 0; i < count; ++i) EXPECT_LE(std::string(lines[i]).size(), 78u);
  }
}

// The celestial fix prints its standard errors beside the new fix.
TEST(FormatFixComparisonBlock, PrintsStandardErrorsOnlyWhenTheyShow) {
  const PositionRecord a = Fix(kT0, -12.25, 151.5, 10.0, 5.0);
  const PositionRecord b = Fix(kT0 + kHour, -12.2, 151.6, 10.0, 5.0);
  ReportLine lines[kFixComparisonBlockLines];
  ASSERT_EQ(FormatFixComparisonBlock(a, a, b, b, 0.0125, 0.0201, lines), kStatusOk);
  const std::string block = JoinLines(lines, kFixComparisonBlockLines);
  EXPECT_EQ(block, GoldenReport("fix_comparison_errors.txt", block));
  ASSERT_EQ(FormatFixComparisonBlock(a, a, b, b, 0.0008, -0.0008, lines), kStatusOk);
  EXPECT_EQ(std::string(lines[7]).find("+/-"), std::string::npos);
  EXPECT_EQ(FormatFixComparisonBlock(a, a, b, b, std::nan(""), 0.0, lines), kStatusOutOfDomain);
}

TEST(FormatCurrentBlock, WritesOnlyWhatShows) {
  struct Case {
    double drift, speedMadeGood;
    int lines;
  };
  for (const Case& c : {Case{0.04, 0.04, 0}, Case{0.05, 0.04, 2}, Case{0.04, 0.05, 2},
                        Case{0.05, 0.05, 3}, Case{10.01, 50.01, 6}, Case{0.0, 50.01, 4}}) {
    ReportLine lines[kMaxCurrentBlockLines];
    int count = -1;
    ASSERT_EQ(FormatCurrentBlock(359.97, c.drift, 0.0, c.speedMadeGood, lines, count), kStatusOk);
    EXPECT_EQ(count, c.lines) << c.drift << " " << c.speedMadeGood;
  }
}

}  // namespace
}  // namespace navora
