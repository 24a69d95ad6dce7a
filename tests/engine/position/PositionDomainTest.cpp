#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/position/CourseAndDistance.h"
#include "engine/position/DeadReckoning.h"
#include "engine/position/DrChecks.h"
#include "engine/position/DrPartials.h"
#include "engine/position/GreatCircleDestination.h"
#include "engine/position/PositionReport.h"
#include "tests/engine/position/PositionTestSupport.h"

namespace navora {
namespace {

using testing::MovingRecord;

constexpr double kT0 = 2451545.0;

// Latitudes beyond a pole and non-finite values: every operation refuses
// them with kStatusOutOfDomain and leaves no NaN in its outputs.
constexpr double kBadLatitudes[] = {95.0, -90.0001, NAN, INFINITY, -INFINITY};
constexpr double kNonFinite[] = {NAN, INFINITY, -INFINITY};

bool AllFinite(std::initializer_list<double> values) {
  for (const double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

bool IsFiniteRecord(const PositionRecord& r) {
  return AllFinite({r.time, r.course, r.speed, r.speedKmPerDay, r.set, r.drift, r.driftKmPerDay,
                    r.latitude, r.longitude});
}

TEST(PositionDomain, CourseAndDistance) {
  for (const int16_t route : {kRouteRhumbLine, kRouteGreatCircle}) {
    for (const double bad : kBadLatitudes) {
      const double ends[][4] = {{bad, 10.0, 20.0, 30.0}, {20.0, 10.0, bad, 30.0}};
      for (const auto& e : ends) {
        double course = -1.0, km = -1.0;
        EXPECT_EQ(CourseAndDistance(route, e[0], e[1], e[2], e[3], course, km), kStatusOutOfDomain)
            << route << " " << bad;
        EXPECT_EQ(course + km, 0.0);
      }
    }
    for (const double bad : kNonFinite) {
      double course = -1.0, km = -1.0;
      EXPECT_EQ(CourseAndDistance(route, 20.0, bad, 30.0, 40.0, course, km), kStatusOutOfDomain);
      EXPECT_EQ(CourseAndDistance(route, 20.0, 10.0, 30.0, bad, course, km), kStatusOutOfDomain);
    }
    // The poles belong to the domain and give finite answers.
    for (const double lat1 : {90.0, -90.0, 10.0}) {
      for (const double lat2 : {90.0, -90.0, -35.0}) {
        double course = -1.0, km = -1.0;
        EXPECT_EQ(CourseAndDistance(route, lat1, 10.0, lat2, 200.0, course, km), kStatusOk);
        EXPECT_TRUE(AllFinite({course, km})) << route << " " << lat1 << " " << lat2;
      }
    }
  }
}

TEST(PositionDomain, DeadReckoningAndItsChecks) {
  const PositionRecord good = MovingRecord(kMotionRhumbLine, kT0, 20.0, -30.0, 45.0, 12.0);
  std::vector<PositionRecord> bad;
  for (const double lat : kBadLatitudes) {
    bad.push_back(good);
    bad.back().latitude = lat;
  }
  for (const double value : kNonFinite) {
    for (double PositionRecord::*field :
         {&PositionRecord::longitude, &PositionRecord::course, &PositionRecord::speedKmPerDay,
          &PositionRecord::set, &PositionRecord::driftKmPerDay, &PositionRecord::time}) {
      bad.push_back(good);
      bad.back().*field = value;
    }
  }
  for (const PositionRecord& from : bad) {
    for (const uint16_t mode : {kMotionRhumbLine, kMotionGreatCircle}) {
      PositionRecord start = from;
      start.motionMode = mode;
      PositionRecord to;
      double latRate = -1.0, lonRate = -1.0;
      EXPECT_EQ(AdvanceDeadReckoning(kT0 + 1.0, start, to, latRate, lonRate), kStatusOutOfDomain)
          << from.latitude << " " << from.longitude << " " << from.time;
      EXPECT_TRUE(IsFiniteRecord(to) && latRate == 0.0 && lonRate == 0.0);
      EXPECT_EQ(CheckDrAdvance(kDrCheckAllowSameTime, kT0 + 1.0, start), kStatusOutOfDomain);
      double tableStart = kT0 + 1.0, latitude = -1.0;
      EXPECT_EQ(CheckUnderwayAdvance(start, kSun, tableStart, latitude), kStatusOutOfDomain);
      EXPECT_EQ(latitude, 0.0);
      DrPartialRow rows[2] = {{9, 9, 9, 9}, {9, 9, 9, 9}};
      EXPECT_EQ(DrPartials(start, good, rows[0], rows[1]), kStatusOutOfDomain);
      EXPECT_EQ(DrPartials(good, start, rows[0], rows[1]), kStatusOutOfDomain);
      EXPECT_EQ(rows[0], (DrPartialRow{0.0, 0.0, 0.0, 0.0}));
    }
  }
  // A rhumb line at a speed that runs off the number line.
  PositionRecord runaway = good;
  runaway.speedKmPerDay = 1e300;
  PositionRecord to;
  double latRate = -1.0, lonRate = -1.0;
  EXPECT_EQ(AdvanceDeadReckoning(kT0 + 1.0, runaway, to, latRate, lonRate), kStatusOutOfDomain);
  EXPECT_TRUE(IsFiniteRecord(to) && latRate == 0.0 && lonRate == 0.0);
  for (const double target : kNonFinite) {
    PositionRecord to;
    double latRate = 0.0, lonRate = 0.0;
    EXPECT_EQ(AdvanceDeadReckoning(target, good, to, latRate, lonRate), kStatusOutOfDomain);
    EXPECT_EQ(CheckDrAdvance(kDrCheckAllowSameTime, target, good), kStatusOutOfDomain);
    double tableStart = target, latitude = 0.0;
    EXPECT_EQ(CheckUnderwayAdvance(good, kSun, tableStart, latitude), kStatusOutOfDomain);
  }
  // From a pole the advance and its partials stay finite.
  for (const double pole : {90.0, -90.0}) {
    for (const uint16_t mode : {kMotionRhumbLine, kMotionGreatCircle}) {
      const PositionRecord start = MovingRecord(mode, kT0, pole, 0.0, 135.0, 12.0);
      PositionRecord to;
      double latRate = 0.0, lonRate = 0.0;
      EXPECT_EQ(AdvanceDeadReckoning(kT0 + 1.0, start, to, latRate, lonRate), kStatusOk);
      EXPECT_TRUE(IsFiniteRecord(to) && AllFinite({latRate, lonRate})) << pole << " " << mode;
    }
  }
}

TEST(PositionDomain, GreatCircleDestination) {
  PositionRecord start = MovingRecord(kMotionGreatCircle, kT0, 20.0, 10.0, 60.0, 0.0);
  for (const double lat : kBadLatitudes) {
    start.latitude = lat;
    double lat2 = -1.0, lon2 = -1.0, course = -1.0;
    EXPECT_EQ(GreatCircleDestination(start, 5.0, lat2, lon2, course), kStatusOutOfDomain);
    EXPECT_EQ(lat2 + lon2 + course, 0.0);
  }
  start.latitude = 20.0;
  for (const double bad : kNonFinite) {
    double lat2 = 0.0, lon2 = 0.0, course = 0.0;
    EXPECT_EQ(GreatCircleDestination(start, bad, lat2, lon2, course), kStatusOutOfDomain);
  }
  // Along a meridian past a pole there is no position to give.
  start.latitude = 85.0;
  start.course = 0.0;
  double lat2 = 0.0, lon2 = 0.0, course = 0.0;
  EXPECT_EQ(GreatCircleDestination(start, 10.0, lat2, lon2, course), kStatusOutOfDomain);
  EXPECT_EQ(GreatCircleDestination(start, 5.0, lat2, lon2, course), kStatusOk);
  EXPECT_EQ(lat2, 90.0);
}

TEST(PositionDomain, ReportBlocksPrintNothingForABadPosition) {
  ReportLine lines[kPositionTimeBlockLines];
  for (const double lat : kBadLatitudes) {
    std::memset(lines, 'x', sizeof lines);
    EXPECT_EQ(FormatPositionTimeBlock(kT0, lat, 10.0, 2.0, 0, lines), kStatusOutOfDomain);
    for (const ReportLine& line : lines) EXPECT_STREQ(line, "");
    EXPECT_EQ(FormatSiteBlock(lat, 10.0, 2.0, lines), kStatusOutOfDomain);
    PositionRecord position = MovingRecord(kMotionRhumbLine, kT0, lat, 10.0, 45.0, 10.0);
    PositionReportParts parts;
    EXPECT_EQ(SplitPositionForReport(position, parts), kStatusOutOfDomain);
    EXPECT_TRUE(AllFinite({parts.seconds, parts.latitudeMinutes, parts.longitudeMinutes,
                           parts.course, parts.set}));
    EXPECT_EQ(parts.latitudeLetter, ' ');
  }
  for (const double bad : kNonFinite) {
    EXPECT_EQ(FormatPositionTimeBlock(bad, 10.0, 10.0, 2.0, 1, lines), kStatusOutOfDomain);
    EXPECT_EQ(FormatPositionTimeBlock(kT0, 10.0, bad, 2.0, 1, lines), kStatusOutOfDomain);
    EXPECT_EQ(FormatSiteBlock(10.0, 10.0, bad, lines), kStatusOutOfDomain);
    EXPECT_EQ(FormatCourseSpeedBlock(bad, 10.0, 0.0, 0.0, 1, lines), kStatusOutOfDomain);
    EXPECT_EQ(FormatCourseSpeedBlock(90.0, 10.0, 0.0, bad, 0, lines), kStatusOutOfDomain);
    for (int i = 0; i < kCourseSpeedBlockLines; ++i) EXPECT_STREQ(lines[i], "");
    double rounded = -1.0;
    EXPECT_EQ(RoundAngle360(bad, rounded), kStatusOutOfDomain);
    EXPECT_EQ(rounded, 0.0);
  }
  EXPECT_EQ(FormatSiteBlock(10.0, 10.0, 2.0, nullptr), kStatusOutOfDomain);
  EXPECT_EQ(FormatPositionTimeBlock(kT0, -90.0, 10.0, 2.0, 0, lines), kStatusOk);
  EXPECT_STREQ(lines[1], "                Date:  1 Jan 2000         Lat:   S 90 00.0");
}

}  // namespace
}  // namespace navora
