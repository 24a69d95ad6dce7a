#include <gtest/gtest.h>

#include <string>

#include "tests/app/cli/CliRun.h"

namespace navora {
namespace {

using testing::CliRun;
using testing::RunCli;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(NavoraCli, HelpListsCommandsAndMistakesAreUsageErrors) {
  const CliRun help = RunCli("--help");
  EXPECT_EQ(help.exitCode, 0) << help.err;
  EXPECT_TRUE(Contains(help.out, "\n  check-data ")) << help.out;
  const CliRun unknown = RunCli("chart");
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(Contains(unknown.err, "unknown command 'chart'")) << unknown.err;
  EXPECT_EQ(RunCli("").exitCode, 2);
  EXPECT_EQ(RunCli("check-data extra").exitCode, 2);
}

TEST(NavoraCli, CheckDataPrintsCoverageAsCalendarDates) {
  const CliRun check = RunCli("check-data");
  EXPECT_EQ(check.exitCode, 0) << check.err;
  EXPECT_TRUE(Contains(check.out, "Supported      1969 Dec 07 00:00 to 2025 Jan 01 00:00\n"));
  EXPECT_TRUE(Contains(check.out, "1970-2025.eph  1969 Nov 03 00:00 to 2025 Feb 14 00:00\n"));
  EXPECT_TRUE(Contains(check.out, "DeltaT.val     1969 Oct 06 00:00 to 2025 Feb 14 00:00\n"))
      << check.out;
}

TEST(NavoraCli, CheckDataWithoutFilesTellsAndFails) {
  testing::TemporaryDirectory empty;
  const CliRun check = testing::RunCliIn(empty.path(), "check-data");
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_TRUE(Contains(check.err, "No 'DeltaT.val' file was found.")) << check.err;
  EXPECT_TRUE(Contains(check.out, "1970-2025.eph  not available\nDeltaT.val     not available\n"));
}

}  // namespace
}  // namespace navora
