#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/app/cli/CliRun.h"

namespace navora {
namespace {

using testing::CliRun;
using testing::ReadFile;
using testing::TemporaryDirectory;

constexpr char kHeader[] =
    "time,body,limb,hs_deg,hs_min,ic_min,height_ft,temp_c,press_mb,dut1_s,quality\n";
constexpr char kAdd[] =
    "add --time 2024-04-01T13:05:20 --body Sun --limb lower --hs 35 12.4 --ic -1.5 "
    "--height-ft 10 --temp 12 --pressure 1012 --quality good";

class SightsCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    const CliRun fix = Run("log",
                           "new-fix --time 2024-04-01T12:00:30 --lat 49N30.5 "
                           "--lon 004W15.2 --course 90 --speed 6.5");
    ASSERT_EQ(fix.exitCode, 0) << fix.err;
  }
  CliRun Run(const std::string& command, const std::string& arguments) {
    return testing::RunCli(command + " " + arguments + " --voyage-dir '" + voyage_.path() + "'");
  }
  CliRun Sights(const std::string& arguments) { return Run("sights", arguments); }
  std::string Csv(const std::string& rows, const std::string& name = "sights.csv") {
    const std::string path = voyage_.File(name);
    std::ofstream(path) << kHeader << rows;
    return path;
  }
  std::string Logs() { return ReadFile(voyage_.File("navora.evt")) + Run("log", "show").out; }

  TemporaryDirectory voyage_;
};

TEST_F(SightsCommand, AScriptedRunKeepsBothLogs) {
  const CliRun added = Sights(kAdd);
  ASSERT_EQ(added.exitCode, 0) << added.err;
  EXPECT_EQ(added.out,
            "                                 SIGHT RECORDER\n"
            " \n"
            "               01 Apr 2024\n"
            " Body              UTC         hs      IC   Temp  Press   Ht  UT1-UTC  Quality\n"
            "                  h  m  s    o   ,      ,     C     mb    ft      s\n"
            "Sun (Lower)      13:05:20   35 12.4   -1.5  +12   1012    10    +0.0   Good   \n");
  const CliRun imported = Sights("import '" +
                                 Csv("2024-04-01T15:00:00,vega,,45,0.0,0.5,10,11,1010,,average\n"
                                     "2024-04-01T15:10:00,58,,50,30.0,0.5,10,11,1010,0.2,poor\n") +
                                 "'");
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_NE(imported.out.find("VEGA             15:00:00   45 00.0   +0.5  +11   1010    10    "
                              "+0.0   Average\n"
                              "POLARIS          15:10:00   50 30.0   +0.5  +11   1010    10    "
                              "+0.2   Poor   \n"),
            std::string::npos)
      << imported.out;

  const CliRun listed = Sights("list");
  ASSERT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_NE(listed.out.find("    1        72    1  Sun (Lower)      2024-04-01T13:05:20\n"
                            "    2       160    1  VEGA             2024-04-01T15:00:00\n"
                            "    3       248    1  POLARIS          2024-04-01T15:10:00\n"),
            std::string::npos)
      << listed.out;

  const CliRun corrected = Sights("correct --offset 160 --hs 45 10.0 --quality good");
  ASSERT_EQ(corrected.exitCode, 0) << corrected.err;
  EXPECT_NE(corrected.out.find("VEGA             15:00:00   45 10.0   +0.5  +11   1010    10    "
                               "+0.0   Good   "),
            std::string::npos)
      << corrected.out;
  const CliRun deleted = Sights("delete --offset 72");
  ASSERT_EQ(deleted.exitCode, 0) << deleted.err;
  const std::string log = Run("log", "show").out;
  for (const CliRun* run : {&added, &imported, &corrected, &deleted}) {
    EXPECT_NE(log.find(run->out), std::string::npos) << run->out;
  }
  const std::string entries = Run("log", "entries").out;
  EXPECT_NE(entries.find("      72  deleted-sight      Sun (Lower)"), std::string::npos) << entries;
  EXPECT_NE(Sights("list").out.find("    1       160    1  VEGA"), std::string::npos);
}

TEST_F(SightsCommand, RefusalsRecordNothing) {
  ASSERT_EQ(Sights(kAdd).exitCode, 0);
  const std::string before = Logs();
  std::string bad;
  for (int i = 0; i < 25; ++i) bad += "2024-04-01T15:00:00,Sun,upper,30,0,0,10,10,1010,,good\n";
  struct Case {
    std::string arguments;
    const char* said;
  };
  const Case cases[] = {
      {"import '" +
           Csv("2024-04-01T15:00:00,Sun,upper,30,0,0,10,10,1010,,good\n"
               "2024-04-01T15:05:00,Sun,upper,90,0.1,0,10,10,1010,,good\n") +
           "'",
       "sights.csv line 3: The hs must be less than\nor equal to 90 degrees."},
      {"import '" + Csv(bad, "many.csv") + "'", "holds 25 sights; only 24 more"},
      {"import '" + Csv("2024-04-01T15:00:00,Sun,upper,30,0\n", "short.csv") + "'",
       "line 2: expected 11"},
      {"add --time 2024-04-01T13:05:20 --body Pluto --hs 35 12.4 --ic 0 --height-ft 10 --temp 12 "
       "--pressure 1012 --quality good",
       "Please select the observed body."},
      {"correct --offset 0 --hs 1 0", "no sight since the last fix at offset 0"},
      {"delete --offset 73", "no sight since the last fix at offset 73"},
  };
  for (const Case& c : cases) {
    const CliRun run = Sights(c.arguments);
    EXPECT_EQ(run.exitCode, 1) << c.arguments << ": " << run.err;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.out, "") << c.arguments;
  }
  EXPECT_EQ(Logs(), before);
  for (const char* arguments : {
           "add --time 2024-04-01T13:05:20 --body Sun",
           "add --time 2024-04-01T13:05 --body Vega --limb upper --hs 35 12.4 --ic 0 "
           "--height-ft 10 --temp 12 --pressure 1012 --quality good",
           "add --time 2024-04-01T13:05 --body Sun --hs 35 --ic 0 --height-ft 10 --temp 12 "
           "--pressure 1012 --quality good",
           "correct --offset 72",
           "delete",
           "list --offset 72",
           "import",
       }) {
    const CliRun run = Sights(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments << ": " << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << arguments << ": " << run.err;
  }
  EXPECT_EQ(Logs(), before);
}

}  // namespace
}  // namespace navora
