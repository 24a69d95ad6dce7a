#include "engine/places/SiderealArguments.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "engine/time/DeltaT.h"
#include "engine/time/SiderealTime.h"

namespace navora {
namespace {

// 2000 January 1 12h UT1.
constexpr double kJ2000Ut1 = 2451545.0;
constexpr double kBeforeDeltaTTable = 2415020.5;

double HoursApart(double a, double b) { return std::remainder(a - b, 24.0); }

TEST(PrepareTimeArguments, DerivesTtAndSiderealTimes) {
  double gmst = 0.0, gast = 0.0, jdTt = 0.0, equationOfEquinoxes = 0.0;
  ASSERT_EQ(PrepareTimeArguments(kJ2000Ut1, gmst, gast, jdTt, equationOfEquinoxes), kStatusOk);
  EXPECT_NEAR((jdTt - kJ2000Ut1) * 86400.0, LookupDeltaT(kJ2000Ut1), 1e-4);
  EXPECT_NEAR(gmst, 18.697374558, 1e-8);  // 18h 41m 50.548s
  // Nutation in longitude near -13.9 arcsec then: the equinox lags by 0.85 s.
  EXPECT_NEAR(equationOfEquinoxes, -12.77, 0.4);
  EXPECT_NEAR(HoursApart(gast, gmst) * 54000.0, equationOfEquinoxes, 1e-6);
}

TEST(LocalApparentSiderealTime, AddsLongitudeAndToleratesMissingDeltaT) {
  double gmst = 0.0, gast = 0.0, jdTt = 0.0, equationOfEquinoxes = 0.0;
  ASSERT_EQ(PrepareTimeArguments(kJ2000Ut1, gmst, gast, jdTt, equationOfEquinoxes), kStatusOk);
  EXPECT_NEAR(LocalApparentSiderealTime(kJ2000Ut1, 0.0), gast, 1e-12);
  EXPECT_NEAR(HoursApart(LocalApparentSiderealTime(kJ2000Ut1, -75.0), gast), -5.0, 1e-12);

  // Outside the Delta T table the almanac is refused, but a fixed Delta T
  // stands in here: still the mean time plus at most 1.2 s of nutation.
  EXPECT_EQ(PrepareTimeArguments(kBeforeDeltaTTable, gmst, gast, jdTt, equationOfEquinoxes),
            kTimeArgumentsNoDeltaT);
  const double last = LocalApparentSiderealTime(kBeforeDeltaTTable, 30.0);
  EXPECT_GE(last, 0.0);
  EXPECT_LT(last, 24.0);
  double localMean = 0.0, withoutNutation = 0.0;
  ComputeSiderealTime(kBeforeDeltaTTable, 30.0, 0.0, localMean, withoutNutation);
  EXPECT_LT(std::fabs(HoursApart(last, localMean)) * 3600.0, 1.2);
  EXPECT_GT(std::fabs(HoursApart(last, localMean)) * 3600.0, 0.0);
}

// Without "DeltaT.val" beside the program the sight-reduction plot must still
// get a sidereal time, and the almanac must be refused.
TEST(SiderealArguments, MissingDeltaTFile) {
  double first = 0.0, lastJd = 0.0;
  if (GetDeltaTCoverage(first, lastJd) == kStatusOk) {
    GTEST_SKIP() << "the table is already open in this process";
  }
  const std::filesystem::path home = std::filesystem::current_path();
  const std::filesystem::path empty =
      std::filesystem::temp_directory_path() / ("navora-no-deltat-" + std::to_string(getpid()));
  std::filesystem::create_directories(empty);
  std::filesystem::current_path(empty);

  double gmst = 0.0, gast = 0.0, jdTt = 0.0, equationOfEquinoxes = 0.0;
  EXPECT_EQ(PrepareTimeArguments(kJ2000Ut1, gmst, gast, jdTt, equationOfEquinoxes),
            kTimeArgumentsNoDeltaT);
  const double last = LocalApparentSiderealTime(kJ2000Ut1, 0.0);

  std::filesystem::current_path(home);
  std::filesystem::remove(empty);
  ASSERT_EQ(PrepareTimeArguments(kJ2000Ut1, gmst, gast, jdTt, equationOfEquinoxes), kStatusOk);
  EXPECT_NEAR(HoursApart(last, gast) * 3600.0, 0.0, 1e-6);
}

}  // namespace
}  // namespace navora
