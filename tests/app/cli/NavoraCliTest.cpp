// Runs the navora-cli program that the build puts beside the tests.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

struct Outcome {
  int exitCode = -1;
  std::string output;  // standard and error output
};

Outcome RunCli(const std::string& arguments, const std::string& directory = ".") {
  const std::filesystem::path program = std::filesystem::current_path() / "navora-cli";
  Outcome outcome;
  std::FILE* pipe = ::popen(
      ("cd '" + directory + "' && '" + program.string() + "' " + arguments + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return outcome;
  char buffer[256];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    outcome.output.append(buffer, n);
  const int status = ::pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

bool Contains(const Outcome& outcome, const std::string& text) {
  return outcome.output.find(text) != std::string::npos;
}

TEST(NavoraCli, HelpListsCommandsAndMistakesAreUsageErrors) {
  const Outcome help = RunCli("--help");
  EXPECT_EQ(help.exitCode, 0) << help.output;
  EXPECT_TRUE(Contains(help, "\n  check-data ")) << help.output;
  const Outcome unknown = RunCli("chart");
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(Contains(unknown, "unknown command 'chart'")) << unknown.output;
  EXPECT_EQ(RunCli("").exitCode, 2);
  EXPECT_EQ(RunCli("check-data extra").exitCode, 2);
}

TEST(NavoraCli, CheckDataPrintsCoverageAsCalendarDates) {
  const Outcome check = RunCli("check-data");
  EXPECT_EQ(check.exitCode, 0) << check.output;
  EXPECT_TRUE(Contains(check, "Supported      1969 Dec 07 00:00 to 2025 Jan 01 00:00\n"))
      << check.output;
  EXPECT_TRUE(Contains(check, "1970-2025.eph  1969 Nov 03 00:00 to 2025 Feb 14 00:00\n"))
      << check.output;
  EXPECT_TRUE(Contains(check, "DeltaT.val     1969 Oct 06 00:00 to 2025 Feb 14 00:00\n"))
      << check.output;
}

TEST(NavoraCli, CheckDataWithoutFilesTellsAndFails) {
  testing::TemporaryDirectory empty;
  const Outcome check = RunCli("check-data", empty.path());
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_TRUE(Contains(check,
                       "No '.EPH' files were found. You will not \nbe able to do any "
                       "calculations without them. \n"))
      << check.output;
  EXPECT_TRUE(Contains(check, "No 'DeltaT.val' file was found."));
  EXPECT_TRUE(Contains(check, "1970-2025.eph  not available\nDeltaT.val     not available\n"));
}

}  // namespace
}  // namespace navora
