#include <gtest/gtest.h>

#include <cmath>

#include "engine/position/CourseAndDistance.h"
#include "tests/engine/position/PositionTestSupport.h"

namespace navora {
namespace {

using namespace navora::testing;

struct Solution {
  double course = 0.0;
  double metres = 0.0;
};

Solution Solve(int16_t route, double lat1, double lon1, double lat2, double lon2) {
  Solution s;
  EXPECT_EQ(CourseAndDistance(route, lat1, lon1, lat2, lon2, s.course, s.metres), kStatusOk);
  s.metres *= 1000.0;
  return s;
}

// The rhumb-line cases below run due north, south, east and west as well;
// no great-circle case there runs along a meridian.
TEST(CourseAndDistance, NoRouteAndGreatCircleAlongAMeridian) {
  for (int16_t route : {kRouteNone, int16_t{3}}) {
    const Solution s = Solve(route, 10.0, 20.0, 30.0, 40.0);
    EXPECT_EQ(s.course + s.metres, 0.0);
  }
  const Solution s = Solve(kRouteGreatCircle, 10.0, 30.0, -5.0, 30.0);
  double metres = 0.0;
  kGeodesic.Inverse(10.0, 30.0, -5.0, 30.0, metres);
  EXPECT_EQ(s.course, 180.0);
  EXPECT_NEAR(s.metres, metres, 1e-4 * metres);
}

// Endpoints of rhumb lines up to 600 miles between 70 S and 70 N, many
// across 180 degrees, solved back against the independent solution.
TEST(CourseAndDistance, RhumbLineAgreesWithIndependentSolution) {
  for (double lat1 = -62.0; lat1 <= 62.0; lat1 += 6.2) {
    for (double azimuth = 0.0; azimuth < 360.0; azimuth += 5.0) {
      for (double track : {azimuth, azimuth + 89.7 - std::fmod(azimuth, 90.0)}) {
        for (double miles : {5.0, 40.0, 200.0, 600.0}) {
          double lat2 = 0.0;
          double lon2 = 0.0;
          double metres = 0.0;
          double course = 0.0;
          kRhumb.Direct(lat1, 175.0, track, miles * kMetresPerMile, lat2, lon2);
          kRhumb.Inverse(lat1, 175.0, lat2, lon2, metres, course);
          const Solution s = Solve(kRouteRhumbLine, lat1, 175.0, lat2, lon2);
          const double errorNm = std::fabs(s.metres - metres) / kMetresPerMile;
          ASSERT_LT(errorNm, 0.02) << lat1 << " " << track << " " << miles;
          ASSERT_LT(AngleGap(s.course, course), 0.01) << lat1 << " " << track << " " << miles;
        }
      }
    }
  }
}

// Tracks up to 4800 miles, ten days at 20 knots; the single mid-track radius
// of curvature loses accuracy on longer ones.
TEST(CourseAndDistance, GreatCircleAgreesWithTheGeodesic) {
  for (double lat1 = -60.0; lat1 <= 60.0; lat1 += 10.0) {
    for (double lat2 = -60.0; lat2 <= 60.0; lat2 += 10.0) {
      for (double lon2 : {-170.0, -100.0, -45.0, -3.0, 0.01, 0.4, 7.0, 60.0, 120.0, 179.0}) {
        double metres = 0.0;
        double azimuth1 = 0.0;
        double azimuth2 = 0.0;
        kGeodesic.Inverse(lat1, 179.5, lat2, lon2 + 179.5, metres, azimuth1, azimuth2);
        if (metres > 4800.0 * kMetresPerMile) continue;
        const Solution s = Solve(kRouteGreatCircle, lat1, 179.5, lat2, lon2 + 179.5);
        const double fraction = std::fabs(s.metres - metres) / metres;
        ASSERT_LT(fraction, 0.002) << lat1 << " " << lat2 << " " << lon2;
        ASSERT_LT(AngleGap(s.course, azimuth1), 0.25) << lat1 << " " << lat2 << " " << lon2;
      }
    }
  }
}

}  // namespace
}  // namespace navora
