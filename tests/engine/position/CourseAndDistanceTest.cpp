#include "engine/position/CourseAndDistance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/position/DeadReckoning.h"
#include "engine/position/ReferenceGeodesy.h"

namespace navora {
namespace {

using testing::DirectionDifference;
using testing::kMetresPerKm;
using testing::kMetresPerNauticalMile;
using testing::MovingRecord;
using testing::ReferenceGeodesic;
using testing::ReferenceRhumb;

constexpr double kKmPerNauticalMile = 1.852;

TEST(CourseAndDistance, NoRouteGivesNothing) {
  for (int16_t route : {kRouteNone, int16_t{3}, int16_t{-1}}) {
    double course = 5.0;
    double distance = 5.0;
    CourseAndDistance(route, 10.0, 20.0, 30.0, 40.0, course, distance);
    EXPECT_EQ(course, 0.0);
    EXPECT_EQ(distance, 0.0);
  }
}

// Endpoints of rhumb lines up to 600 miles between 70 S and 70 N, solved
// back against the independent solution.
TEST(CourseAndDistance, RhumbLineAgreesWithIndependentSolution) {
  double worstNm = 0.0;
  double worstCourse = 0.0;
  for (double lat1 = -62.0; lat1 <= 62.0; lat1 += 6.2) {
    for (double azimuth = 0.0; azimuth < 360.0; azimuth += 5.0) {
      for (double azimuth2 : {azimuth, azimuth + 89.7 - std::fmod(azimuth, 90.0)}) {
        for (double distanceNm : {5.0, 40.0, 200.0, 600.0}) {
          double lat2 = 0.0;
          double lon2 = 0.0;
          ReferenceRhumb().Direct(lat1, 175.0, azimuth2, distanceNm * kMetresPerNauticalMile, lat2,
                                  lon2);
          double metres = 0.0;
          double referenceCourse = 0.0;
          ReferenceRhumb().Inverse(lat1, 175.0, lat2, lon2, metres, referenceCourse);
          double course = 0.0;
          double distanceKm = 0.0;
          CourseAndDistance(kRouteRhumbLine, lat1, 175.0, lat2, lon2, course, distanceKm);
          const double errorNm = std::fabs(distanceKm * kMetresPerKm - metres) / kMetresPerNauticalMile;
          const double courseError = DirectionDifference(course, referenceCourse);
          worstNm = std::max(worstNm, errorNm);
          worstCourse = std::max(worstCourse, courseError);
          ASSERT_LT(errorNm, 0.02) << lat1 << " " << azimuth2 << " " << distanceNm;
          ASSERT_LT(courseError, 0.01) << lat1 << " " << azimuth2 << " " << distanceNm;
          ASSERT_GE(course, 0.0);
          ASSERT_LE(course, 360.0);
        }
      }
    }
  }
  RecordProperty("WorstRhumbDistanceNm", std::to_string(worstNm));
  RecordProperty("WorstRhumbCourseDeg", std::to_string(worstCourse));
}

TEST(CourseAndDistance, RhumbLineSpecialDirections) {
  double course = 0.0;
  double distance = 0.0;
  CourseAndDistance(kRouteRhumbLine, 45.0, 10.0, 45.0, 9.0, course, distance);
  EXPECT_EQ(course, 270.0);
  double metres = 0.0;
  double azimuth = 0.0;
  ReferenceRhumb().Inverse(45.0, 10.0, 45.0, 9.0, metres, azimuth);
  EXPECT_NEAR(distance, metres / kMetresPerKm, 1e-6);

  CourseAndDistance(kRouteRhumbLine, 45.0, 10.0, 44.9, 10.0, course, distance);
  EXPECT_EQ(course, 180.0);
  ReferenceRhumb().Inverse(45.0, 10.0, 44.9, 10.0, metres, azimuth);
  EXPECT_NEAR(distance, metres / kMetresPerKm, 1e-6);

  CourseAndDistance(kRouteRhumbLine, 45.0, 10.0, 45.0, 10.0, course, distance);
  EXPECT_EQ(distance, 0.0);
}

// Across 180 degrees the short way round is taken, whichever sailing the
// northing selects.
TEST(CourseAndDistance, RhumbLineAcrossTheDateLine) {
  for (double lat2 : {10.5, 12.0}) {
    double course = 0.0;
    double distanceKm = 0.0;
    CourseAndDistance(kRouteRhumbLine, 10.0, 179.0, lat2, -179.0, course, distanceKm);
    double metres = 0.0;
    double azimuth = 0.0;
    ReferenceRhumb().Inverse(10.0, 179.0, lat2, -179.0, metres, azimuth);
    EXPECT_LT(course, 90.0) << lat2;
    EXPECT_NEAR(course, azimuth, 0.01) << lat2;
    EXPECT_NEAR(distanceKm, metres / kMetresPerKm, 0.02 * kKmPerNauticalMile) << lat2;
  }
}

TEST(CourseAndDistance, InvertsTheRhumbLineAdvance) {
  for (double course : {10.0, 95.0, 181.0, 300.0}) {
    const PositionRecord from = MovingRecord(kMotionRhumbLine, 2451545.0, -35.0, 20.0, course, 16.0);
    PositionRecord to;
    double latRate = 0.0;
    double lonRate = 0.0;
    AdvanceDeadReckoning(from.time + 1.25, from, to, latRate, lonRate);
    double backCourse = 0.0;
    double distanceKm = 0.0;
    CourseAndDistance(kRouteRhumbLine, from.latitude, from.longitude, to.latitude, to.longitude,
                      backCourse, distanceKm);
    EXPECT_NEAR(backCourse, course, 0.001) << course;
    EXPECT_NEAR(distanceKm, from.speedKmPerDay * 1.25, 0.01) << course;
  }
}

// Tracks up to 4800 miles, ten days at 20 knots; the single mid-track radius
// of curvature loses accuracy on longer ones.
TEST(CourseAndDistance, GreatCircleAgreesWithTheGeodesic) {
  const double longestTrackM = 4800.0 * kMetresPerNauticalMile;
  double worstFraction = 0.0;
  double worstCourse = 0.0;
  for (double lat1 = -60.0; lat1 <= 60.0; lat1 += 10.0) {
    for (double lat2 = -60.0; lat2 <= 60.0; lat2 += 10.0) {
      for (double lon2 : {-170.0, -100.0, -45.0, -3.0, 0.4, 7.0, 60.0, 120.0, 179.0}) {
        if (lat1 == lat2 && std::fabs(lon2) < 1.0) continue;
        double course = 0.0;
        double distanceKm = 0.0;
        CourseAndDistance(kRouteGreatCircle, lat1, 0.0, lat2, lon2, course, distanceKm);
        double metres = 0.0;
        double azimuth1 = 0.0;
        double azimuth2 = 0.0;
        ReferenceGeodesic().Inverse(lat1, 0.0, lat2, lon2, metres, azimuth1, azimuth2);
        if (metres > longestTrackM) continue;
        const double fraction = std::fabs(distanceKm * kMetresPerKm - metres) / metres;
        worstFraction = std::max(worstFraction, fraction);
        worstCourse = std::max(worstCourse, DirectionDifference(course, azimuth1));
        ASSERT_LT(fraction, 0.002) << lat1 << " " << lat2 << " " << lon2;
        ASSERT_LT(DirectionDifference(course, azimuth1), 0.25) << lat1 << " " << lat2 << " " << lon2;
      }
    }
  }
  RecordProperty("WorstGreatCircleDistanceFraction", std::to_string(worstFraction));
  RecordProperty("WorstGreatCircleCourseDeg", std::to_string(worstCourse));
}

TEST(CourseAndDistance, GreatCircleMeridianAndDateLine) {
  double course = 0.0;
  double distanceKm = 0.0;
  CourseAndDistance(kRouteGreatCircle, 10.0, 30.0, -5.0, 30.0, course, distanceKm);
  EXPECT_EQ(course, 180.0);
  double metres = 0.0;
  ReferenceGeodesic().Inverse(10.0, 30.0, -5.0, 30.0, metres);
  EXPECT_NEAR(distanceKm, metres / kMetresPerKm, 1e-4 * metres / kMetresPerKm);

  CourseAndDistance(kRouteGreatCircle, 50.0, -179.0, 50.0, 179.0, course, distanceKm);
  EXPECT_GT(course, 270.0);
  ReferenceGeodesic().Inverse(50.0, -179.0, 50.0, 179.0, metres);
  EXPECT_NEAR(distanceKm, metres / kMetresPerKm, 0.002 * metres / kMetresPerKm);
}

// Short tracks keep their course: the external fix takes the set of the
// current from positions a few miles apart.
TEST(CourseAndDistance, GreatCircleShortTrackKeepsItsCourse) {
  double course = 0.0;
  double distanceKm = 0.0;
  const double dlat = 0.001;
  CourseAndDistance(kRouteGreatCircle, 40.0, -70.0, 40.0 + dlat, -70.0 + dlat, course,
                    distanceKm);
  double metres = 0.0;
  double azimuth1 = 0.0;
  double azimuth2 = 0.0;
  ReferenceGeodesic().Inverse(40.0, -70.0, 40.0 + dlat, -70.0 + dlat, metres, azimuth1, azimuth2);
  EXPECT_NEAR(course, azimuth1, 0.25);
  EXPECT_NEAR(distanceKm, metres / kMetresPerKm, 0.002 * metres / kMetresPerKm);
}

}  // namespace
}  // namespace navora
