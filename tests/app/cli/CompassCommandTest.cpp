#include <gtest/gtest.h>

#include <string>

#include "tests/app/cli/CliRun.h"

namespace navora {
namespace {

using testing::CliRun;
using testing::TemporaryDirectory;

TEST(CompassCommand, PlansAndDeterminesAlongTheVoyage) {
  TemporaryDirectory voyage;
  const std::string dir = " --voyage-dir '" + voyage.path() + "'";
  const CliRun started = testing::RunCli(
      "log new-fix --time 2024-03-15T12:00 --lat 49N30.0 --lon 004W15.0 --course 245 --speed 12" +
      dir);
  ASSERT_EQ(started.exitCode, 0) << started.err;

  // Eight hours at 12 knots on 245 from the fix.
  const CliRun plan = testing::RunCli("compass plan --time 2024-03-15T20:00" + dir);
  ASSERT_EQ(plan.exitCode, 0) << plan.err;
  EXPECT_NE(plan.out.find("GYRO/COMPASS ERROR - PLANNING\n"), std::string::npos);
  EXPECT_NE(plan.out.find("Lat:   N 48 49.5\n"), std::string::npos);
  EXPECT_NE(plan.out.find("Course: 245.0\n"), std::string::npos);
  EXPECT_NE(plan.out.find("   Moon   --     248.8     003.8     51\n"), std::string::npos);

  const CliRun error = testing::RunCli(
      "compass error --time 2024-03-15T20:00:30 --body 58 --bearing 90 --relative --heading 270" +
      dir);
  ASSERT_EQ(error.exitCode, 0) << error.err;
  EXPECT_NE(error.out.find("Body:               POLARIS\n"), std::string::npos);
  EXPECT_NE(error.out.find("Observed Azimuth:   360.0\n"), std::string::npos);
  EXPECT_NE(error.out.find("Exact Azimuth:      359.1\n"), std::string::npos);
  EXPECT_NE(error.out.find("Gyro/Compass Error:   0.9W\n"), std::string::npos);

  const struct {
    std::string arguments;
    int exitCode;
    const char* errStart;
  } kRefused[] = {
      {"compass error --time 2024-03-15T20:00 --body mercury --bearing 10" + dir, 2,
       "navora-cli compass: --body 'mercury'"},
      {"compass error --time 2024-03-15T20:00 --body sun --bearing 360" + dir, 2,
       "navora-cli compass: --bearing '360'"},
      {"compass error --time 2024-03-15T20:00 --body sun --bearing 10 --relative" + dir, 2,
       "navora-cli compass: --relative and --heading go together"},
      {"compass plan --time 2024-03-26T12:01" + dir, 1, ""},  // beyond 10 days
  };
  for (const auto& c : kRefused) {
    const CliRun run = testing::RunCli(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
    EXPECT_EQ(run.err.rfind(c.errStart, 0), 0u) << run.err;
  }
}

}  // namespace
}  // namespace navora
