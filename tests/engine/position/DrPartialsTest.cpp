#include <gtest/gtest.h>

#include <cmath>

#include "engine/position/DeadReckoning.h"
#include "engine/position/DrPartials.h"
#include "tests/engine/position/PositionTestSupport.h"

namespace navora {
namespace {

using testing::Advance;
using testing::MovingRecord;

constexpr double kT0 = 2451545.0;
constexpr double kDegPerRad = 57.29577951308232;

// Central differences of the advanced position (radians) with respect to
// start latitude, start longitude, course (radians) and speed (km per day).
void NumericalPartials(const PositionRecord& start, double days, DrPartialRow& latRow,
                       DrPartialRow& lonRow) {
  const double steps[4] = {1e-6, 1e-6, 1e-6, 1e-3};
  const double fieldPerUnit[4] = {kDegPerRad, kDegPerRad, kDegPerRad, 1.0};
  double PositionRecord::*fields[4] = {&PositionRecord::latitude, &PositionRecord::longitude,
                                       &PositionRecord::course, &PositionRecord::speedKmPerDay};
  for (int k = 0; k < 4; ++k) {
    PositionRecord plus = start;
    PositionRecord minus = start;
    plus.*fields[k] += steps[k] * fieldPerUnit[k];
    minus.*fields[k] -= steps[k] * fieldPerUnit[k];
    const PositionRecord a = Advance(plus, days);
    const PositionRecord b = Advance(minus, days);
    latRow[k] = (a.latitude - b.latitude) / kDegPerRad / (2.0 * steps[k]);
    lonRow[k] = (a.longitude - b.longitude) / kDegPerRad / (2.0 * steps[k]);
  }
}

// Start latitude, course, speed in knots, days and the sailing expected; the
// cases keep clear of the switch between the sailings.
struct PartialsCase {
  double latitude, course, knots, days;
  uint16_t sailing;
};

TEST(DrPartials, AgreeWithCentralDifferencesInBothSailings) {
  const PartialsCase cases[] = {
      {30.0, 40.0, 15.0, 1.0, kSailingMercator},
      {-52.0, 200.0, 22.0, 1.5, kSailingMercator},
      {65.0, 315.0, 12.0, 2.0, kSailingMercator},
      {5.0, 120.0, 8.0, -0.8, kSailingMercator},
      {30.0, 89.8, 15.0, 1.0, kSailingMidLatitude},
      {-45.0, 250.0, 10.0, 0.05, kSailingMidLatitude},
      {58.0, 270.4, 20.0, 1.0, kSailingMidLatitude},
  };
  for (const PartialsCase& c : cases) {
    const PositionRecord start =
        MovingRecord(kMotionRhumbLine, kT0, c.latitude, -40.0, c.course, c.knots);
    const PositionRecord advanced = Advance(start, c.days);
    ASSERT_EQ(advanced.sailingMethod, c.sailing) << c.latitude << " " << c.course;
    DrPartialRow rows[2];
    DrPartialRow numerical[2];
    ASSERT_EQ(DrPartials(advanced, start, rows[0], rows[1]), kStatusOk);
    NumericalPartials(start, c.days, numerical[0], numerical[1]);
    for (int r = 0; r < 2; ++r) {
      for (int k = 0; k < 4; ++k) {
        const double scale = std::fmax(std::fabs(rows[r][k]), std::fabs(numerical[r][k]));
        EXPECT_NEAR(rows[r][k], numerical[r][k], 1e-6 * scale + 1e-13)
            << c.latitude << " " << c.course << " row " << r << " column " << k;
      }
    }
    EXPECT_EQ(rows[0][1], 0.0);
    EXPECT_EQ(rows[1][1], 1.0);
  }
}

TEST(DrPartials, FixedSiteIsTheIdentityGreatCircleIsZero) {
  for (uint16_t mode : {kMotionNone, kMotionGreatCircle}) {
    const PositionRecord start = MovingRecord(mode, kT0, 10.0, 10.0, 50.0, 12.0);
    DrPartialRow rows[2] = {{9, 9, 9, 9}, {9, 9, 9, 9}};
    ASSERT_EQ(DrPartials(Advance(start, 1.0), start, rows[0], rows[1]), kStatusOk);
    const double identity = mode == kMotionNone ? 1.0 : 0.0;
    EXPECT_EQ(rows[0], (DrPartialRow{identity, 0.0, 0.0, 0.0}));
    EXPECT_EQ(rows[1], (DrPartialRow{0.0, identity, 0.0, 0.0}));
  }
}

}  // namespace
}  // namespace navora
