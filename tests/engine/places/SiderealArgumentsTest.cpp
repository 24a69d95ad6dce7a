#include "engine/places/SiderealArguments.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/time/SiderealTime.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

// 2000 January 1 12h UT1.
constexpr double kJ2000Ut1 = 2451545.0;
constexpr double kBeforeDeltaTTable = 2415020.5;

double HoursApart(double a, double b) { return std::remainder(a - b, 24.0); }

// Outside the Delta T table the almanac is refused, but a fixed Delta T
// stands in for the sidereal time: still the mean time plus at most 1.2 s
// of nutation.
TEST(LocalApparentSiderealTime, AddsLongitudeAndToleratesDatesWithoutDeltaT) {
  DeltaTTable deltaT;
  double gmst = 0.0, gast = 0.0, jdTt = 0.0, equationOfEquinoxes = 0.0;
  ASSERT_EQ(PrepareTimeArguments(deltaT, kJ2000Ut1, gmst, gast, jdTt, equationOfEquinoxes), kStatusOk);
  EXPECT_NEAR(HoursApart(LocalApparentSiderealTime(deltaT, kJ2000Ut1, -75.0), gast), -5.0, 1e-12);

  EXPECT_EQ(PrepareTimeArguments(deltaT, kBeforeDeltaTTable, gmst, gast, jdTt, equationOfEquinoxes),
            kTimeArgumentsNoDeltaT);
  const double last = LocalApparentSiderealTime(deltaT, kBeforeDeltaTTable, 30.0);
  EXPECT_TRUE(last >= 0.0 && last < 24.0);
  double localMean = 0.0, withoutNutation = 0.0;
  ComputeSiderealTime(kBeforeDeltaTTable, 30.0, 0.0, localMean, withoutNutation);
  EXPECT_LT(std::fabs(HoursApart(last, localMean)) * 3600.0, 1.2);
  EXPECT_GT(std::fabs(HoursApart(last, localMean)) * 3600.0, 0.0);
}

// Without "DeltaT.val" beside the program the sight-reduction plot must still
// get a sidereal time, and the almanac must be refused.
TEST(SiderealArguments, MissingDeltaTFile) {
  double gmst = 0.0, gast = 0.0, jdTt = 0.0, equationOfEquinoxes = 0.0;
  testing::TemporaryDirectory empty;
  DeltaTTable missing(empty.File("DeltaT.val"));
  EXPECT_EQ(PrepareTimeArguments(missing, kJ2000Ut1, gmst, gast, jdTt, equationOfEquinoxes),
            kTimeArgumentsNoDeltaT);
  const double last = LocalApparentSiderealTime(missing, kJ2000Ut1, 0.0);
  DeltaTTable shipped;
  ASSERT_EQ(PrepareTimeArguments(shipped, kJ2000Ut1, gmst, gast, jdTt, equationOfEquinoxes),
            kStatusOk);
  EXPECT_NEAR(HoursApart(last, gast) * 3600.0, 0.0, 1e-6);
}

}  // namespace
}  // namespace navora
