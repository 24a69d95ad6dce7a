#include <gtest/gtest.h>

#include <string>

#include "tests/app/cli/CliRun.h"

namespace navora {
namespace {

using testing::CliRun;
using testing::ReadFile;
using testing::TemporaryDirectory;

class LogPositionCommand : public ::testing::Test {
 protected:
  CliRun Log(const std::string& arguments) {
    return testing::RunCli("log " + arguments + " --voyage-dir '" + voyage_.path() + "'");
  }
  void Expect(const std::string& arguments, int exitCode) {
    const CliRun run = Log(arguments);
    EXPECT_EQ(run.exitCode, exitCode) << arguments << ": " << run.err;
  }
  std::string Logs() { return ReadFile(voyage_.File("navora.evt")) + Log("show").out; }

  TemporaryDirectory voyage_;
};

constexpr char kFirstFix[] =
    "new-fix --time 2024-04-01T12:00:30 --lat 49N30.5 --lon 004W15.2 --course 90 --speed 6.5";
constexpr char kFix[] =
    "external-fix --time 2024-04-01T18:00 --lat 49N10 --lon 004W00 --course 200 --speed 5";

TEST_F(LogPositionCommand, AScriptedVoyageKeepsBothLogs) {
  Expect(kFirstFix, 0);
  // Without --save only the report: nothing is logged.
  const std::string before = Logs();
  const CliRun preview = Log("update-dr --time 2024-04-01T14:00 --course 120 --speed 7");
  ASSERT_EQ(preview.exitCode, 0) << preview.err;
  EXPECT_EQ(preview.out.substr(0, preview.out.find('\n')),
            "                                  UPDATE DR");
  EXPECT_EQ(Logs(), before);

  Expect("update-dr --time 2024-04-01T14:00 --course 120 --speed 7 --save", 0);
  Expect("update-dr --time 2024-04-01T15:00 --save", 0);  // no change: text log only
  Expect("update-dr --time 2024-04-01T16:00 --course 180 --save", 0);
  const CliRun fix = Log(std::string(kFix) + " --save");
  ASSERT_EQ(fix.exitCode, 0) << fix.err;
  EXPECT_NE(fix.out.find("                      Set: 271.8     Drift: 02.5 kn  \n"
                         "                      TMG: 154.1     SMG:   03.8 kn  \n"),
            std::string::npos)
      << fix.out;
  const CliRun entries = Log("entries");
  EXPECT_EQ(entries.out.substr(entries.out.rfind('\n', entries.out.size() - 2) + 1, 41),
            "     216  fix                External Fix");
  Expect("correct-position --offset 216 --time 2024-04-01T18:00 --lat 49N11 --lon 004W01 "
         "--course 200 --speed 5",
         0);
  // Only the fix and the DR updates since the last fix can be changed.
  Expect("delete-position --offset 144", 1);
  Expect("delete-position --offset 216", 0);
  EXPECT_EQ(Log("show").out, ReadFile(std::string(NAVORA_FIXTURE_DIR) +
                                      "/position/voyage_text_log.txt"));
  // The event log byte for byte: the entries, their sequence numbers, the
  // correction in place and the deletion mark.
  EXPECT_EQ(ReadFile(voyage_.File("navora.evt")),
            ReadFile(std::string(NAVORA_FIXTURE_DIR) + "/position/voyage_event_log.evt"));
}

TEST_F(LogPositionCommand, RefusalsLogNothing) {
  Expect(kFirstFix, 0);
  const std::string before = Logs();
  struct Case {
    const char* arguments;
    const char* said;
  };
  for (const Case& c : {
           Case{"update-dr --time 2024-04-01T12:00:30 --save", "reference position( 01 Apr 2024"},
           Case{"update-dr --time 2024-04-11T12:00:31 --save", "more than 10 days"},
           Case{"external-fix --time 2024-04-01T11:00 --lat 49N10 --lon 004W00 --course 200 "
                "--speed 5 --save",
                "reference position( 01 Apr 2024"},
           Case{"correct-position --offset 72 --time 2024-04-01T18:00 --lat 1 --lon 1 --course 1 "
                "--speed 1",
                "no fix or DR update since the last fix at offset 72"},
           Case{"delete-position --offset 0", "An error occurred while\n writing to the log."},
       }) {
    const CliRun run = Log(c.arguments);
    EXPECT_EQ(run.exitCode, 1) << c.arguments;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << c.arguments << ": " << run.err;
  }
  EXPECT_EQ(Logs(), before);
}

TEST_F(LogPositionCommand, BadArgumentsAreOneLineAndExit2) {
  for (const char* arguments : {
           "update-dr", "update-dr --time 2024-04-01T14:00 --lat 1",
           "update-dr --time 2024-04-01T14:00 --course 360",
           "external-fix --time 2024-04-01T14:00 --lat 80N00 --lon 1 --course 1 --speed 1",
           "external-fix --time 2024-04-01T14:00 --lat 1 --lon 1 --course 1",
           "correct-position --offset -3 --time 2024-04-01T14:00 --lat 1 --lon 1 --course 1 "
           "--speed 1",
           "delete-position", "delete-position --offset 7x", "delete-position --offset 0 --save",
       }) {
    const CliRun run = Log(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << arguments << ": " << run.err;
  }
}

}  // namespace
}  // namespace navora
