// NAVORA_UPDATE_GOLDEN=1 rewrites the golden tables.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/app/cli/CliRun.h"

namespace navora {
namespace {

using testing::CliRun;
using testing::TemporaryDirectory;

std::string Golden(const char* name) {
  return std::string(NAVORA_FIXTURE_DIR) + "/riseset/" + name;
}

size_t LineCount(const std::string& text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(RiseSetCommand, GoldenTables) {
  TemporaryDirectory voyage;
  const std::string dir = " --voyage-dir '" + voyage.path() + "'";
  const CliRun started = testing::RunCli(
      "log new-fix --time 2004-06-20T11:00 --lat 49N30.0 --lon 004W15.0 --course 250 --speed 12" +
      dir);
  ASSERT_EQ(started.exitCode, 0) << started.err;

  const struct {
    const char* golden;
    std::string arguments;
    size_t lines;
  } cases[] = {
      {"fixed-sun.txt",
       "riseset fixed --body sun --lat 49N30.0 --lon 004W15.0 --date 2004-06-20 --days 3"
       " --tz +01:00 --height-ft 10",
       15 + 3},
      // Three days asked for give four rows.
      {"moon.txt",
       "riseset fixed --body moon --lat 33S52.0 --lon 151E12.0 --date 2004-06-20 --days 3"
       " --tz +10:00",
       13 + 4},
      {"underway.txt",
       "riseset underway --body sun --date 2004-06-20 --days 2 --tz -04:00 --height-ft 15" + dir,
       17 + 4 + 7},
  };
  for (const auto& c : cases) {
    const CliRun run = testing::RunCli(c.arguments);
    ASSERT_EQ(run.exitCode, 0) << c.golden << ": " << run.err;
    EXPECT_EQ(LineCount(run.out), c.lines) << c.golden;
    if (std::getenv("NAVORA_UPDATE_GOLDEN") != nullptr) {
      std::ofstream(Golden(c.golden), std::ios::binary) << run.out;
      continue;
    }
    EXPECT_EQ(run.out, testing::ReadFile(Golden(c.golden))) << c.golden;
  }
}

TEST(RiseSetCommand, RefusesAndRejects) {
  TemporaryDirectory empty;
  const std::string site = "riseset fixed --body sun --lat 10 --lon 20 --date 2004-06-20";
  const struct {
    const char* what;
    std::string arguments;
    int exitCode;
    std::string errStart;
  } cases[] = {
      {"UT1-UTC at its limit", site + " --dut1 0.9", 0, ""},
      {"UT1-UTC beyond it", site + " --dut1 0.91", 2,
       "navora-cli riseset: --dut1 '0.91': must be from -0.9 to 0.9;"},
      {"zone beyond 14 hours", site + " --tz +14:01", 2, "navora-cli riseset: --tz '+14:01'"},
      {"a planet", "riseset fixed --body venus --lat 10 --lon 20 --date 2004-06-20", 2,
       "navora-cli riseset: --body 'venus'"},
      {"a site option underway", "riseset underway --body sun --date 2004-06-20 --lat 10", 2,
       "navora-cli riseset: unknown argument '--lat'"},
      {"no voyage",
       "riseset underway --body sun --date 2004-06-20 --voyage-dir '" + empty.path() + "'", 1,
       "navora-cli riseset underway: no voyage in this directory"},
  };
  for (const auto& c : cases) {
    const CliRun run = testing::RunCli(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.what << ": " << run.err;
    EXPECT_EQ(run.err.substr(0, c.errStart.size()), c.errStart) << c.what;
    if (c.exitCode != 0) {
      EXPECT_TRUE(run.out.empty()) << c.what;
    }
  }
}

}  // namespace
}  // namespace navora
