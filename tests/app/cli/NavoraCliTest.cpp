// Runs the navora-cli program that the build puts beside the tests.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "engine/time/TemporaryDirectory.h"

namespace navora {
namespace {

struct Outcome {
  int exitCode = -1;
  std::string output;  // standard output, then the error output
};

// Runs the program with `arguments` in `directory`.
Outcome RunCli(const std::string& arguments, const std::string& directory) {
  const std::filesystem::path program = std::filesystem::current_path() / "navora-cli";
  Outcome outcome;
  if (!std::filesystem::exists(program)) {
    ADD_FAILURE() << program << " is not built";
    return outcome;
  }
  const std::string command =
      "cd '" + directory + "' && '" + program.string() + "' " + arguments + " 2>&1";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot run " << command;
    return outcome;
  }
  char buffer[256];
  size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) outcome.output.append(buffer, count);
  const int status = ::pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

std::string Here() { return std::filesystem::current_path().string(); }

TEST(NavoraCli, HelpListsTheCommands) {
  const Outcome help = RunCli("--help", Here());
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("usage: navora-cli <command>"), std::string::npos) << help.output;
  EXPECT_NE(help.output.find("  check-data "), std::string::npos) << help.output;
}

TEST(NavoraCli, UnknownOrMissingCommandIsAUsageError) {
  const Outcome unknown = RunCli("chart", Here());
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.output.find("unknown command 'chart'"), std::string::npos) << unknown.output;
  EXPECT_EQ(RunCli("", Here()).exitCode, 2);
  EXPECT_EQ(RunCli("check-data extra", Here()).exitCode, 2);
}

TEST(NavoraCli, CheckDataPrintsCoverageAsCalendarDates) {
  const Outcome check = RunCli("check-data", Here());
  EXPECT_EQ(check.exitCode, 0) << check.output;
  EXPECT_NE(check.output.find("Supported      1969 Dec 07 00:00 to 2025 Jan 01 00:00"),
            std::string::npos)
      << check.output;
  EXPECT_NE(check.output.find("1970-2025.eph  1969 Nov 03 00:00 to 2025 Feb 14 00:00"),
            std::string::npos)
      << check.output;
  EXPECT_NE(check.output.find("DeltaT.val     1969 Oct 06 00:00 to 2025 Feb 14 00:00"),
            std::string::npos)
      << check.output;
}

TEST(NavoraCli, CheckDataWithoutFilesTellsAndFails) {
  testing::TemporaryDirectory empty;
  const Outcome check = RunCli("check-data", empty.path());
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_NE(check.output.find("No '.EPH' files were found. You will not \nbe able to do any "
                              "calculations without them. \n"),
            std::string::npos)
      << check.output;
  EXPECT_NE(check.output.find("No 'DeltaT.val' file was found."), std::string::npos);
  EXPECT_NE(check.output.find("1970-2025.eph  not available"), std::string::npos);
  EXPECT_NE(check.output.find("DeltaT.val     not available"), std::string::npos);
}

}  // namespace
}  // namespace navora
