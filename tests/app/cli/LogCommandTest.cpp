#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/log/EventLog.h"
#include "tests/app/cli/CliRun.h"

namespace navora {
namespace {

using testing::CliRun;
using testing::ReadFile;
using testing::TemporaryDirectory;

// A fix and a sight (160 bytes), then `torn` bytes of an append that never
// completed.
void WriteTornLog(const std::string& directory, const std::string& torn) {
  std::filesystem::create_directories(directory);
  EventLog log;
  ASSERT_EQ(SetEventLogDirectory(log, (directory + "/").c_str()), 0);
  ASSERT_EQ(OpenEventLog(log), 2);
  ASSERT_EQ(AppendPositionEntry(log, MakePositionRecord(kMotionNone, kPositionExternalFix,
                                                        2460400.5, 50, -4, 180, 6, 0, 0)),
            0);
  ASSERT_EQ(AppendSightEntry(log, DefaultObservationRecord()), 0);
  CloseEventLog(log);
  std::ofstream(directory + "/navora.evt", std::ios::binary | std::ios::app) << torn;
}

TEST(LogCommand, RepairCutsTheTornTailAndKeepsACopy) {
  TemporaryDirectory voyage;
  const std::string torn(40, '\x02');
  WriteTornLog(voyage.path(), torn);
  const std::string log = voyage.File("navora.evt");
  const std::string before = ReadFile(log);

  const CliRun run = testing::RunCli("log repair --voyage-dir '" + voyage.path() + "'");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, log + " ended in a torn entry; repaired.\n"
                           "kept: 2 entries, 160 bytes\n"
                           "cut:  40 bytes at byte 160\n"
                           "copy: " + log + ".torn-1 (the file as it was)\n");
  EXPECT_EQ(ReadFile(log + ".torn-1"), before);
  EXPECT_EQ(ReadFile(log), before.substr(0, 160));

  // Whole now: said so, nothing changed.
  const CliRun again = testing::RunCli("log repair --voyage-dir '" + voyage.path() + "'");
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(again.out, log + " is whole: 2 entries, 160 bytes; nothing was changed.\n");
  EXPECT_FALSE(std::filesystem::exists(log + ".torn-2"));
}

// The option wins over NAVORA_VOYAGE_DIR, which wins over the per-user data
// directory ($XDG_DATA_HOME, else $HOME/.local/share).
TEST(LogCommand, VoyageDirectoryComesFromOptionVariableOrUserDataDirectory) {
  TemporaryDirectory scratch;
  const std::string savedHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  const std::string option = scratch.File("option");
  const std::string variable = scratch.File("variable");
  const std::string xdg = scratch.File("xdg");
  const std::string home = scratch.File("home");
  for (const std::string& directory :
       {option, variable, xdg + "/navora", home + "/.local/share/navora"}) {
    WriteTornLog(directory, std::string(1, '\0'));
  }
  struct Case {
    const char* variable;
    const char* xdgDataHome;
    std::string arguments;
    std::string repaired;
  };
  for (const Case& c : {Case{"", "", "--voyage-dir '" + option + "'", option},
                        Case{variable.c_str(), xdg.c_str(), "", variable},
                        Case{"", xdg.c_str(), "", xdg + "/navora"},
                        Case{"", "", "", home + "/.local/share/navora"}}) {
    setenv("NAVORA_VOYAGE_DIR", c.variable, 1);
    setenv("XDG_DATA_HOME", c.xdgDataHome, 1);
    setenv("HOME", home.c_str(), 1);
    const CliRun run = testing::RunCli("log repair " + c.arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with(c.repaired + "/navora.evt ended in a torn entry")) << run.out;
  }
  unsetenv("NAVORA_VOYAGE_DIR");
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", savedHome.c_str(), 1);
}

TEST(LogCommand, DamageBeforeTheEndAndUsageErrorsAreRefused) {
  TemporaryDirectory voyage;
  WriteTornLog(voyage.path(), "");
  const std::string log = voyage.File("navora.evt");
  std::string damaged = ReadFile(log);
  damaged[72] = 9;  // the sight's kind word
  std::ofstream(log, std::ios::binary) << damaged;
  const CliRun run = testing::RunCli("log repair --voyage-dir '" + voyage.path() + "'");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "navora-cli log repair: " + log +
                         " is damaged at byte 72 of 160 (1 whole entries before it), not only"
                         " in a torn last entry; it was left unchanged\n");
  EXPECT_EQ(ReadFile(log), damaged);

  const CliRun missing = testing::RunCli("log repair --voyage-dir '" + voyage.File("none") + "'");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos) << missing.err;

  for (const char* arguments : {"log", "log check", "log repair --voyage-dir", "log repair -x"}) {
    const CliRun usage = testing::RunCli(arguments);
    EXPECT_EQ(usage.exitCode, 2) << arguments;
    EXPECT_NE(usage.err.find("usage: navora-cli log repair"), std::string::npos) << arguments;
  }
  const CliRun help = testing::RunCli("log --help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.starts_with("usage: navora-cli log repair")) << help.out;
}

}  // namespace
}  // namespace navora
