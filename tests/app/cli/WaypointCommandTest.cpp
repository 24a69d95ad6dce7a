#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/log/EventLog.h"
#include "tests/app/cli/CliRun.h"

namespace navora {
namespace {

using testing::CliRun;
using testing::TemporaryDirectory;

// A fix at 2009 June 18 08:30 UTC, 49 30.0 N 004 15.0 W, course 250 at 12
// knots, with a current of 1.5 knots setting 090.
void WriteVoyage(const std::string& directory) {
  EventLog log;
  ASSERT_EQ(SetEventLogDirectory(log, (directory + "/").c_str()), 0);
  ASSERT_EQ(OpenEventLog(log), 2);
  ASSERT_EQ(AppendPositionEntry(log, MakePositionRecord(kMotionRhumbLine, kPositionExternalFix,
                                                        2455000.5 + 8.5 / 24.0, 49.5, -4.25, 250.0,
                                                        12.0, 90.0, 1.5)),
            0);
  CloseEventLog(log);
}

TEST(WaypointCommand, ReportsRefusesAndRejects) {
  TemporaryDirectory voyage;
  WriteVoyage(voyage.path());
  const std::string dir = " --voyage-dir '" + voyage.path() + "'";
  // Reviewed golden report; NAVORA_UPDATE_GOLDEN=1 rewrites it.
  const std::string reportPath = std::string(NAVORA_FIXTURE_DIR) + "/waypoint/cli_report.txt";
  const std::string report = testing::ReadFile(reportPath);
  struct Case {
    const char* what;
    std::string arguments;
    int exitCode;
    std::string out;
    std::string errStart;
  } cases[] = {
      {"report",
       "waypoint --depart 2009-06-18T14:00 --arrive 2009-06-19T06:30:15 --lat 48N00.0"
       " --lon 007W30.5" +
           dir,
       0, report, ""},
      {"arrival before departure",
       "waypoint --depart 2009-06-18T14:00 --arrive 2009-06-18T13:59 --lat 48N00 --lon -7.5" + dir,
       1, "", "Arrival time at waypoint is earlier \nthan or equal to the departure time.\n"},
      {"no voyage",
       "waypoint --depart 2009-06-18T14:00 --arrive 2009-06-19T00:00 --lat 48"
       " --lon -7.5 --voyage-dir '" +
           voyage.File("none") + "'",
       1, "", "navora-cli waypoint: the voyage log holds no position"},
      {"latitude beyond 80",
       "waypoint --depart 2009-06-18T14:00 --arrive 2009-06-19T00:00"
       " --lat 80N00 --lon -7.5" +
           dir,
       2, "", "navora-cli waypoint: --lat '80N00': must be below 80 degrees;"},
  };
  for (const Case& c : cases) {
    const CliRun run = testing::RunCli(c.arguments);
    if (std::getenv("NAVORA_UPDATE_GOLDEN") != nullptr && c.exitCode == 0) {
      std::ofstream(reportPath, std::ios::binary) << run.out;
      continue;
    }
    EXPECT_EQ(run.exitCode, c.exitCode) << c.what << ": " << run.err;
    EXPECT_EQ(run.out, c.out) << c.what;
    EXPECT_EQ(run.err.substr(0, c.errStart.size()), c.errStart) << c.what;
    if (c.exitCode == 2) {
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.what << ": one line";
    }
  }
}

}  // namespace
}  // namespace navora
