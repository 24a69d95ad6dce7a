// navora-cli almanac: the worksheet's text on standard output, the user's
// messages on the error output.

#include <gtest/gtest.h>

#include <string>

#include "tests/app/cli/CliRun.h"

namespace navora {
namespace {

using testing::CliRun;
using testing::ReadFile;

CliRun RunAlmanac(const std::string& arguments, const std::string& directory = ".") {
  return testing::RunCli("almanac " + arguments, directory);
}

std::string Golden(const std::string& name) {
  return ReadFile(std::string(NAVORA_FIXTURE_DIR) + "/tasks/" + name);
}

TEST(AlmanacCommand, DefaultAllPageIsTheWorksheetText) {
  const CliRun run = RunAlmanac("all");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, Golden("all_2000_01_01.txt"));

  const CliRun crlf = RunAlmanac("all --crlf --date 2000-01-01");
  std::string expected;
  for (const char c : run.out) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(crlf.out, expected);
}

TEST(AlmanacCommand, OptionsReachTheTables) {
  EXPECT_EQ(RunAlmanac("sun-moon-aries --date 1999-12-31 --time 22:00 --count 5").out,
            Golden("sun_moon_aries_to_minute.txt"));
  EXPECT_EQ(
      RunAlmanac("sun-moon-aries --date 2003-06-15 --time 12:00:00 --count 4 --interval 30s").out,
      Golden("sun_moon_aries_with_seconds.txt"));
  EXPECT_EQ(RunAlmanac("stars --date 2015-09-01 --time 03:25").out, Golden("stars_at_instant.txt"));
  // Seconds are dropped unless the table steps by seconds.
  EXPECT_EQ(RunAlmanac("planets --date 2010-03-20 --time 22:00:45 --count 4 --interval 60m").out,
            Golden("planets_to_minute.txt"));
}

// Nobody answers the truncation question: OK is taken and the cut is told.
TEST(AlmanacCommand, TableBeyondTheRangeIsTruncatedAndSaysSo) {
  const CliRun run = RunAlmanac("sun-moon-aries --date 2024-12-31 --time 20:00 --count 24");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(run.err.starts_with("The number of repetitions you requested \nextends beyond"));
  EXPECT_TRUE(run.err.ends_with("request.\n\n(answered OK: no one to ask)\n"
                                "navora-cli almanac: the table is cut to 4 rows\n"))
      << run.err;
  EXPECT_NE(run.out.find("\n 23 00 |"), std::string::npos);
  EXPECT_EQ(run.out.find("\n 00 00 |"), std::string::npos);
}

TEST(AlmanacCommand, RefusedEntriesShowTheDialogMessages) {
  struct Case {
    const char* arguments;
    const char* message;
  };
  for (const Case c :
       {Case{"all --date 2001-02-29", "Please enter an integer between 1 and 28.\n"},
        Case{"stars --date 2030-01-01", "Please select a year.\n\n"},
        Case{"planets --date 2000-13-01", "Please select a month.\n\n"},
        Case{"planets --count 1000", "Please enter an integer between 1 and 999.\n"}}) {
    const CliRun run = RunAlmanac(c.arguments);
    EXPECT_EQ(run.exitCode, 1) << c.arguments;
    EXPECT_TRUE(run.err.starts_with(c.message)) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.out, "") << c.arguments;
  }
}

TEST(AlmanacCommand, UsageErrorsExitWithTwo) {
  for (const char* arguments :
       {"", "moon", "all --time 12:00", "stars --count 3", "stars --time 03:25:10",
        "planets --interval 5x", "planets --interval h", "planets --count -3", "all --date 2000-1",
        "all --date", "all --verbose"}) {
    const CliRun run = RunAlmanac(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments;
    EXPECT_NE(run.err.find("usage: navora-cli almanac"), std::string::npos) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
  }
  const CliRun help = RunAlmanac("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.starts_with("usage: navora-cli almanac")) << help.out;
}

TEST(AlmanacCommand, MissingDataFilesStopBeforeAnyTable) {
  testing::TemporaryDirectory empty;
  const CliRun run = testing::RunCliIn(empty.path(), "almanac all");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("No '.EPH' files were found. You will not \nbe able to do any "
                         "calculations without them. \n"),
            std::string::npos)
      << run.err;
}

}  // namespace
}  // namespace navora
