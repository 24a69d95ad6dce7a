#include <gtest/gtest.h>

#include <cmath>

#include "engine/position/DeadReckoning.h"
#include "tests/engine/position/PositionTestSupport.h"

namespace navora {
namespace {

using namespace navora::testing;

constexpr double kT0 = 2451545.0;

TEST(AdvanceDeadReckoning, NoMotionOrNoTimeLeavesThePosition) {
  PositionRecord from = MovingRecord(kMotionRhumbLine, kT0, 12.0, -45.0, 80.0, 12.0);
  double latRate = 1.0;
  PositionRecord to = Advance(from, 0.9e-7, &latRate);
  EXPECT_EQ(to.time, kT0);
  EXPECT_EQ(to.positionType, kPositionCelestialFix);  // an unchanged copy
  EXPECT_EQ(latRate, 0.0);

  from.motionMode = kMotionNone;
  to = Advance(from, 2.0, &latRate);
  EXPECT_EQ(to.latitude, 12.0);
  EXPECT_EQ(to.longitude, -45.0);
  EXPECT_EQ(to.course + to.speed + to.speedKmPerDay + latRate, 0.0);
  EXPECT_EQ(to.positionType, kPositionDr);
}

TEST(AdvanceDeadReckoning, CurrentGivesCourseAndSpeedMadeGood) {
  PositionRecord from = MovingRecord(kMotionRhumbLine, kT0, 20.0, -30.0, 45.0, 10.0);
  from.set = 135.0;
  from.drift = 2.0;
  from.driftKmPerDay = 2.0 * kKmPerDayPerKnot;
  const PositionRecord to = Advance(from, 0.5);
  const double madeGood = 45.0 + std::atan(0.2) * 57.29577951308232;  // about 056.3
  EXPECT_NEAR(to.course, madeGood, 1e-9);
  EXPECT_NEAR(to.speed, std::sqrt(104.0), 1e-9);  // about 10.2 knots
  EXPECT_EQ(to.set, 135.0);
  EXPECT_EQ(to.driftKmPerDay, from.driftKmPerDay);
  double lat2 = 0.0;
  double lon2 = 0.0;
  kRhumb.Direct(20.0, -30.0, madeGood, std::sqrt(104.0) * 12.0 * kMetresPerMile, lat2, lon2);
  EXPECT_LT(SeparationNm(to.latitude, to.longitude, lat2, lon2), 0.02);

  // A current that cancels the ship's way leaves a defined course.
  from.set = 225.0;
  from.drift = from.speed;
  from.driftKmPerDay = from.speedKmPerDay;
  EXPECT_EQ(Advance(from, 1.0).course, 0.0);
}

// Runs up to 600 miles between 70 S and 70 N, many across 180 degrees,
// against an independent rhumb-line solution on the same ellipsoid.
TEST(AdvanceDeadReckoning, RhumbLineAgreesWithIndependentSolution) {
  int runs[2] = {0, 0};
  for (double lat1 = -60.0; lat1 <= 60.0; lat1 += 7.5) {
    for (double course = 0.0; course < 360.0; course += 7.0) {
      for (double track : {course, course + 89.6 - std::fmod(course, 90.0)}) {
        for (double miles : {3.0, 15.0, 80.0, 250.0, 600.0}) {
          for (double days : {0.25, 2.5}) {
            const PositionRecord to = Advance(
                MovingRecord(kMotionRhumbLine, kT0, lat1, 176.0, track, miles / (24.0 * days)),
                days);
            double lat2 = 0.0;
            double lon2 = 0.0;
            kRhumb.Direct(lat1, 176.0, track, miles * kMetresPerMile, lat2, lon2);
            const double errorNm = SeparationNm(to.latitude, to.longitude, lat2, lon2);
            ASSERT_LT(errorNm, 0.02) << lat1 << " " << track << " " << miles << " " << days;
            ASSERT_LE(std::fabs(to.longitude), 180.0);
            ++runs[to.sailingMethod];
          }
        }
      }
    }
  }
  EXPECT_GT(runs[kSailingMidLatitude], 100);
  EXPECT_GT(runs[kSailingMercator], 1000);
}

// The great circle is sailed on a sphere of the local radius with geodetic
// latitudes: the distance run matches the geodesic closely, while the track
// leans off the geodesic by up to about 0.2 degree of azimuth.
TEST(AdvanceDeadReckoning, GreatCircleAgreesWithTheGeodesic) {
  for (double lat1 = -60.0; lat1 <= 60.0; lat1 += 7.5) {
    for (double course = 0.0; course < 360.0; course += 10.0) {
      for (double miles : {10.0, 300.0, 1500.0, 3000.0}) {
        const PositionRecord to =
            Advance(MovingRecord(kMotionGreatCircle, kT0, lat1, 170.0, course, miles / 96.0), 4.0);
        double metres = 0.0;
        double azimuth1 = 0.0;
        double azimuth2 = 0.0;
        kGeodesic.Inverse(lat1, 170.0, to.latitude, to.longitude, metres, azimuth1, azimuth2);
        const double fraction = std::fabs(metres / kMetresPerMile - miles) / miles;
        ASSERT_LT(fraction, 0.002) << lat1 << " " << course << " " << miles;
        ASSERT_LT(AngleGap(azimuth1, course), 0.25) << lat1 << " " << course << " " << miles;
        ASSERT_LT(AngleGap(to.course, azimuth2), 0.25) << lat1 << " " << course << " " << miles;
        ASSERT_LE(std::fabs(to.longitude), 180.0);
      }
    }
  }
}

TEST(AdvanceDeadReckoning, RatesAreTheTimeDerivativesAtTheNewPosition) {
  const double h = 1e-4;
  for (uint16_t mode : {kMotionRhumbLine, kMotionGreatCircle}) {
    // The great circle's sphere changes its radius along the track, by a
    // fraction of the order of the flattening.
    const double relative = mode == kMotionRhumbLine ? 1e-5 : 5e-3;
    for (double course : {0.0, 20.0, 90.0, 135.0, 260.0}) {
      const PositionRecord from = MovingRecord(mode, kT0, 35.0, 140.0, course, 18.0);
      double rate[2] = {0.0, 0.0};
      Advance(from, 1.5, &rate[0], &rate[1]);
      const PositionRecord later = Advance(from, 1.5 + h);
      const PositionRecord earlier = Advance(from, 1.5 - h);
      const double numerical[2] = {(later.latitude - earlier.latitude) / (2.0 * h),
                                   (later.longitude - earlier.longitude) / (2.0 * h)};
      for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(rate[i], numerical[i], relative * (std::fabs(rate[i]) + 0.01))
            << mode << " " << course << " " << i;
      }
    }
  }
}

TEST(AdvanceDeadReckoning, RunningBackInTimeRetracesTheTrack) {
  for (uint16_t mode : {kMotionRhumbLine, kMotionGreatCircle}) {
    for (double course : {0.0, 50.0, 91.0, 200.0, 315.0}) {
      // A great circle is run back along its own course at the new point.
      const PositionRecord ahead = Advance(MovingRecord(mode, kT0, -25.0, 60.0, course, 15.0), 2.0);
      const PositionRecord back = Advance(ahead, -2.0);
      EXPECT_LT(SeparationNm(back.latitude, back.longitude, -25.0, 60.0), 0.01) << mode << course;
    }
  }
}

TEST(AdvanceDeadReckoning, OverThePoleComesDownTheOtherMeridian) {
  const PositionRecord rhumb =
      Advance(MovingRecord(kMotionRhumbLine, kT0, 89.0, 10.0, 0.0, 20.0), 1.0);
  EXPECT_NEAR(rhumb.latitude, 83.0, 0.05);
  EXPECT_NEAR(rhumb.longitude, -170.0, 1e-9);

  const PositionRecord great =
      Advance(MovingRecord(kMotionGreatCircle, kT0, 85.0, 30.0, 0.0, 25.0), 1.0);
  double lat2 = 0.0;
  double lon2 = 0.0;
  kGeodesic.Direct(85.0, 30.0, 0.0, 600.0 * kMetresPerMile, lat2, lon2);
  EXPECT_NEAR(great.latitude, lat2, 0.001);
  EXPECT_EQ(great.longitude, -150.0);
  EXPECT_EQ(great.course, 180.0);
}

}  // namespace
}  // namespace navora
