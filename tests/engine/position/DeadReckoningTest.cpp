#include "engine/position/DeadReckoning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/position/ReferenceGeodesy.h"

namespace navora {
namespace {

using testing::DirectionDifference;
using testing::kMetresPerNauticalMile;
using testing::MovingRecord;
using testing::ReferenceGeodesic;
using testing::ReferenceRhumb;
using testing::SeparationNm;

constexpr double kStartJd = 2451545.0;

PositionRecord Advance(const PositionRecord& from, double days, double& latRate,
                       double& lonRate) {
  PositionRecord to;
  AdvanceDeadReckoning(from.time + days, from, to, latRate, lonRate);
  return to;
}

PositionRecord Advance(const PositionRecord& from, double days) {
  double latRate = 0.0;
  double lonRate = 0.0;
  return Advance(from, days, latRate, lonRate);
}

TEST(AdvanceDeadReckoning, WithinTimeToleranceCopiesTheRecord) {
  PositionRecord from = MovingRecord(kMotionRhumbLine, kStartJd, 12.0, -45.0, 80.0, 12.0);
  from.positionType = kPositionCelestialFix;
  from.sailingMethod = kSailingMidLatitude;
  for (double days : {0.0, 0.9e-7, -0.9e-7}) {
    double latRate = 1.0;
    double lonRate = 1.0;
    const PositionRecord to = Advance(from, days, latRate, lonRate);
    EXPECT_EQ(to.time, from.time);
    EXPECT_EQ(to.latitude, from.latitude);
    EXPECT_EQ(to.longitude, from.longitude);
    EXPECT_EQ(to.positionType, kPositionCelestialFix);
    EXPECT_EQ(to.sailingMethod, kSailingMidLatitude);
    EXPECT_EQ(latRate, 0.0);
    EXPECT_EQ(lonRate, 0.0);
  }
  EXPECT_EQ(Advance(from, 1.1e-7).positionType, kPositionDr);
}

TEST(AdvanceDeadReckoning, FixedSiteStaysAndLosesCourseAndSpeed) {
  PositionRecord from = MovingRecord(kMotionNone, kStartJd, 40.0, 10.0, 90.0, 15.0);
  from.set = 30.0;
  from.drift = 1.5;
  from.driftKmPerDay = 1.5 * kKmPerDayPerKnot;
  double latRate = 1.0;
  double lonRate = 1.0;
  const PositionRecord to = Advance(from, 2.0, latRate, lonRate);
  EXPECT_EQ(to.latitude, 40.0);
  EXPECT_EQ(to.longitude, 10.0);
  EXPECT_EQ(to.course, 0.0);
  EXPECT_EQ(to.speed, 0.0);
  EXPECT_EQ(to.speedKmPerDay, 0.0);
  EXPECT_EQ(to.set, 30.0);
  EXPECT_EQ(to.drift, 1.5);
  EXPECT_EQ(to.positionType, kPositionDr);
  EXPECT_DOUBLE_EQ(to.time, kStartJd + 2.0);
  EXPECT_EQ(latRate, 0.0);
  EXPECT_EQ(lonRate, 0.0);
}

TEST(AdvanceDeadReckoning, DueEastKeepsTheLatitudeWithMidLatitudeSailing) {
  const PositionRecord from = MovingRecord(kMotionRhumbLine, kStartJd, 30.0, 0.0, 90.0, 10.0);
  double latRate = 0.0;
  double lonRate = 0.0;
  const PositionRecord to = Advance(from, 1.0, latRate, lonRate);
  EXPECT_EQ(to.sailingMethod, kSailingMidLatitude);
  EXPECT_NEAR(to.latitude, 30.0, 1e-12);
  double lat2 = 0.0;
  double lon2 = 0.0;
  ReferenceRhumb().Direct(30.0, 0.0, 90.0, 240.0 * kMetresPerNauticalMile, lat2, lon2);
  EXPECT_NEAR(to.longitude, lon2, 1e-6);
  EXPECT_NEAR(latRate, 0.0, 1e-12);
  EXPECT_NEAR(lonRate, lon2, 1e-6);  // a day's run at a steady rate
}

TEST(AdvanceDeadReckoning, CurrentGivesCourseAndSpeedMadeGood) {
  PositionRecord from = MovingRecord(kMotionRhumbLine, kStartJd, 20.0, -30.0, 45.0, 10.0);
  from.set = 135.0;
  from.drift = 2.0;
  from.driftKmPerDay = 2.0 * kKmPerDayPerKnot;
  const PositionRecord to = Advance(from, 0.5);
  const double expectedCourse = 45.0 + std::atan(0.2) * 57.29577951308232;
  EXPECT_NEAR(to.course, expectedCourse, 1e-9);
  EXPECT_NEAR(to.course, 56.3, 0.05);
  EXPECT_NEAR(to.speed, std::sqrt(104.0), 1e-9);
  EXPECT_NEAR(to.speedKmPerDay, std::sqrt(104.0) * kKmPerDayPerKnot, 1e-9);
  EXPECT_EQ(to.set, 135.0);
  EXPECT_EQ(to.drift, 2.0);
  EXPECT_EQ(to.driftKmPerDay, from.driftKmPerDay);

  // The track is the rhumb line of the course made good.
  double lat2 = 0.0;
  double lon2 = 0.0;
  ReferenceRhumb().Direct(20.0, -30.0, expectedCourse,
                          std::sqrt(104.0) * 12.0 * kMetresPerNauticalMile, lat2, lon2);
  EXPECT_LT(SeparationNm(to.latitude, to.longitude, lat2, lon2), 0.02);
}

TEST(AdvanceDeadReckoning, CurrentAloneAndCancelledMotion) {
  PositionRecord drifting = MovingRecord(kMotionRhumbLine, kStartJd, 0.0, 0.0, 0.0, 0.0);
  drifting.set = 270.0;
  drifting.drift = 3.0;
  drifting.driftKmPerDay = 3.0 * kKmPerDayPerKnot;
  const PositionRecord west = Advance(drifting, 1.0);
  EXPECT_NEAR(west.course, 270.0, 1e-9);
  EXPECT_LT(west.longitude, -1.19);

  PositionRecord cancelled = drifting;
  cancelled.course = 90.0;
  cancelled.speed = 3.0;
  cancelled.speedKmPerDay = 3.0 * kKmPerDayPerKnot;
  double latRate = 1.0;
  double lonRate = 1.0;
  const PositionRecord still = Advance(cancelled, 1.0, latRate, lonRate);
  EXPECT_NEAR(still.latitude, 0.0, 1e-9);
  EXPECT_NEAR(still.longitude, 0.0, 1e-9);
  EXPECT_NEAR(still.speed, 0.0, 1e-9);
  EXPECT_FALSE(std::isnan(still.course));
  EXPECT_NEAR(lonRate, 0.0, 1e-9);
}

TEST(AdvanceDeadReckoning, RhumbLineAcrossTheDateLineIsReduced) {
  for (const double course : {90.0, 60.0}) {
    const PositionRecord from = MovingRecord(kMotionRhumbLine, kStartJd, 10.0, 179.0, course, 20.0);
    const PositionRecord to = Advance(from, 1.0);
    EXPECT_LT(to.longitude, -170.0) << course;
    EXPECT_GE(to.longitude, -180.0) << course;
    double lat2 = 0.0;
    double lon2 = 0.0;
    ReferenceRhumb().Direct(10.0, 179.0, course, 480.0 * kMetresPerNauticalMile, lat2, lon2);
    EXPECT_LT(SeparationNm(to.latitude, to.longitude, lat2, lon2), 0.02) << course;
  }
  const PositionRecord westward = MovingRecord(kMotionRhumbLine, kStartJd, -10.0, -179.5, 270.0, 20.0);
  EXPECT_GT(Advance(westward, 1.0).longitude, 170.0);
}

// Runs up to 600 miles between 70 S and 70 N on a grid of courses, against an
// independent rhumb-line solution on the same ellipsoid.
TEST(AdvanceDeadReckoning, RhumbLineAgreesWithIndependentSolution) {
  double worstNm = 0.0;
  int midLatitudeRuns = 0;
  int mercatorRuns = 0;
  for (double lat1 = -60.0; lat1 <= 60.0; lat1 += 7.5) {
    for (double course = 0.0; course < 360.0; course += 7.0) {
      for (double course2 : {course, course + 89.6 - std::fmod(course, 90.0)}) {
        for (double distanceNm : {3.0, 15.0, 80.0, 250.0, 600.0}) {
          for (double days : {0.25, 1.0, 2.5}) {
            const double speed = distanceNm / (24.0 * days);
            const PositionRecord from =
                MovingRecord(kMotionRhumbLine, kStartJd, lat1, -20.0, course2, speed);
            const PositionRecord to = Advance(from, days);
            double lat2 = 0.0;
            double lon2 = 0.0;
            ReferenceRhumb().Direct(lat1, -20.0, course2, distanceNm * kMetresPerNauticalMile,
                                    lat2, lon2);
            const double errorNm = SeparationNm(to.latitude, to.longitude, lat2, lon2);
            worstNm = std::max(worstNm, errorNm);
            ASSERT_LT(errorNm, 0.02) << lat1 << " " << course2 << " " << distanceNm << " " << days;
            ASSERT_LT(std::fabs(to.latitude - lat2), 0.01);
            ASSERT_LT(DirectionDifference(to.longitude, lon2), 0.01);
            (to.sailingMethod == kSailingMidLatitude ? midLatitudeRuns : mercatorRuns)++;
          }
        }
      }
    }
  }
  EXPECT_GT(midLatitudeRuns, 100);
  EXPECT_GT(mercatorRuns, 1000);
  RecordProperty("WorstRhumbAdvanceNm", std::to_string(worstNm));
}

TEST(AdvanceDeadReckoning, RatesAreTheTimeDerivativesAtTheNewPosition) {
  const double step = 1e-4;
  for (uint16_t mode : {kMotionRhumbLine, kMotionGreatCircle}) {
    for (double course : {20.0, 135.0, 260.0, 0.0}) {
      const PositionRecord from = MovingRecord(mode, kStartJd, 35.0, 140.0, course, 18.0);
      double latRate = 0.0;
      double lonRate = 0.0;
      Advance(from, 1.5, latRate, lonRate);
      const PositionRecord later = Advance(from, 1.5 + step);
      const PositionRecord earlier = Advance(from, 1.5 - step);
      // The great circle's sphere changes its radius along the track, by a
      // fraction of the order of the flattening.
      const double relative = mode == kMotionRhumbLine ? 1e-5 : 5e-3;
      EXPECT_NEAR(latRate, (later.latitude - earlier.latitude) / (2.0 * step),
                  relative * (std::fabs(latRate) + 0.01))
          << mode << " " << course;
      EXPECT_NEAR(lonRate, (later.longitude - earlier.longitude) / (2.0 * step),
                  relative * (std::fabs(lonRate) + 0.01))
          << mode << " " << course;
    }
  }
}

TEST(AdvanceDeadReckoning, RunningBackInTimeRetracesTheTrack) {
  for (uint16_t mode : {kMotionRhumbLine, kMotionGreatCircle}) {
    for (double course : {0.0, 50.0, 91.0, 200.0, 315.0}) {
      const PositionRecord from = MovingRecord(mode, kStartJd, -25.0, 60.0, course, 15.0);
      // A great circle is run back along its own course at the new point.
      const PositionRecord ahead = Advance(from, 2.0);
      const PositionRecord back = Advance(ahead, -2.0);
      EXPECT_LT(SeparationNm(back.latitude, back.longitude, -25.0, 60.0), 0.01)
          << mode << " " << course;
    }
  }
}

TEST(AdvanceDeadReckoning, MercatorSailingOverThePoleFoldsTheLatitude) {
  const PositionRecord from = MovingRecord(kMotionRhumbLine, kStartJd, 89.0, 10.0, 0.0, 20.0);
  const PositionRecord to = Advance(from, 1.0);
  EXPECT_EQ(to.sailingMethod, kSailingMercator);
  EXPECT_LT(to.latitude, 90.0);
  EXPECT_GT(to.latitude, 80.0);
  EXPECT_NEAR(to.longitude, -170.0, 1e-9);
}

// The great circle is sailed on a sphere of the local radius with geodetic
// latitudes: the distance run matches the geodesic closely, while the track
// leans off the geodesic by up to about 0.2 degree of azimuth.
TEST(AdvanceDeadReckoning, GreatCircleAgreesWithTheGeodesic) {
  double worstDistanceFraction = 0.0;
  double worstAzimuth = 0.0;
  double worstPositionFraction = 0.0;
  for (double lat1 = -60.0; lat1 <= 60.0; lat1 += 7.5) {
    for (double course = 0.0; course < 360.0; course += 10.0) {
      for (double distanceNm : {10.0, 300.0, 1500.0, 3000.0}) {
        const double days = 4.0;
        const double speed = distanceNm / (24.0 * days);
        const PositionRecord from =
            MovingRecord(kMotionGreatCircle, kStartJd, lat1, 170.0, course, speed);
        const PositionRecord to = Advance(from, days);
        double runMetres = 0.0;
        double azimuth1 = 0.0;
        double azimuth2 = 0.0;
        ReferenceGeodesic().Inverse(lat1, 170.0, to.latitude, to.longitude, runMetres, azimuth1,
                                    azimuth2);
        const double distanceFraction =
            std::fabs(runMetres / kMetresPerNauticalMile - distanceNm) / distanceNm;
        double lat2 = 0.0;
        double lon2 = 0.0;
        ReferenceGeodesic().Direct(lat1, 170.0, course, distanceNm * kMetresPerNauticalMile, lat2,
                                   lon2);
        const double positionFraction =
            SeparationNm(to.latitude, to.longitude, lat2, lon2) / distanceNm;
        worstDistanceFraction = std::max(worstDistanceFraction, distanceFraction);
        worstAzimuth = std::max(worstAzimuth, DirectionDifference(azimuth1, course));
        worstPositionFraction = std::max(worstPositionFraction, positionFraction);
        ASSERT_LT(distanceFraction, 0.002) << lat1 << " " << course << " " << distanceNm;
        ASSERT_LT(positionFraction, 0.004) << lat1 << " " << course << " " << distanceNm;
        ASSERT_LE(std::fabs(to.longitude), 180.0);
        ASSERT_EQ(to.sailingMethod, kSailingMercator);
        ASSERT_DOUBLE_EQ(to.speed, speed);
      }
    }
  }
  EXPECT_LT(worstAzimuth, 0.25);
  RecordProperty("WorstGreatCircleDistanceFraction", std::to_string(worstDistanceFraction));
  RecordProperty("WorstGreatCircleAzimuthDeg", std::to_string(worstAzimuth));
  RecordProperty("WorstGreatCirclePositionFraction", std::to_string(worstPositionFraction));
}

TEST(AdvanceDeadReckoning, GreatCircleOverThePoleComesDownTheOtherMeridian) {
  for (double course : {0.0, 0.5}) {
    const PositionRecord from = MovingRecord(kMotionGreatCircle, kStartJd, 85.0, 30.0, course, 25.0);
    const PositionRecord to = Advance(from, 1.0);
    double lat2 = 0.0;
    double lon2 = 0.0;
    double azi2 = 0.0;
    ReferenceGeodesic().Direct(85.0, 30.0, course, 600.0 * kMetresPerNauticalMile, lat2, lon2,
                               azi2);
    EXPECT_LT(SeparationNm(to.latitude, to.longitude, lat2, lon2), 1.2) << course;
    EXPECT_LT(DirectionDifference(to.course, azi2), 0.6) << course;
  }
}

TEST(AdvanceDeadReckoning, GreatCircleAlongTheMeridianUsesTheMeridianArc) {
  for (double course : {0.0, 180.0, 360.0}) {
    const PositionRecord from = MovingRecord(kMotionGreatCircle, kStartJd, 20.0, -70.0, course, 25.0);
    const PositionRecord to = Advance(from, 2.0);
    double lat2 = 0.0;
    double lon2 = 0.0;
    ReferenceGeodesic().Direct(20.0, -70.0, course, 1200.0 * kMetresPerNauticalMile, lat2, lon2);
    EXPECT_EQ(to.longitude, -70.0);
    EXPECT_NEAR(to.latitude, lat2, 0.002) << course;
    EXPECT_EQ(to.course, course);
  }
}

}  // namespace
}  // namespace navora
