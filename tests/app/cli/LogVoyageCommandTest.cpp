#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/common/ObservationRecord.h"
#include "engine/log/EventLog.h"
#include "engine/sightreduction/BodyNames.h"
#include "engine/time/Calendar.h"
#include "tests/app/cli/CliRun.h"

namespace navora {
namespace {

using testing::CliRun;
using testing::ReadFile;
using testing::TemporaryDirectory;

double Jd(int16_t year, int16_t month, int16_t day, int16_t hour, int16_t minute) {
  return CalendarToJulian(year, month, day, hour, minute, 0.0);
}

class LogVoyageCommand : public ::testing::Test {
 protected:
  CliRun Log(const std::string& arguments) {
    return testing::RunCli("log " + arguments + " --voyage-dir '" + voyage_.path() + "'");
  }
  std::string File(const std::string& name) const { return voyage_.File(name); }

  TemporaryDirectory voyage_;
};

constexpr char kFirstFix[] =
    "new-fix --time 2024-04-01T12:00:30 --lat 49N30.5 --lon 004W15.2 --course 90 --speed 6.5";
constexpr char kFirstEntry[] =
    "                                 INITIAL FIX\n"
    " \n"
    "            Date        UTC      Latitude   Longitude   Course  Speed\n"
    "                       h  m  s     o   ,       o   ,       o     kn.\n"
    "         01 Apr 2024  12:00:30   N49 30.5   W004 15.2   090.0   06.5\n";

TEST_F(LogVoyageCommand, AVoyageIsStartedCommentedListedAndArchived) {
  CliRun run = Log(kFirstFix);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, kFirstEntry);
  EXPECT_EQ(run.err, "");

  run = Log("comment 'Landfall at dawn.'");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "\nCOMMENT:\nLandfall at dawn.\n");

  const std::string separator(78, '-');
  run = Log("show");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, std::string(kFirstEntry) + separator + "\n\nCOMMENT:\nLandfall at dawn.\n" +
                         separator + "\n");
  const std::string firstText = ReadFile(File("navora.slf"));

  // A non-empty log is archived only when the navigator says so.
  const std::string second = "new-fix --time 2024-04-20T06:15 --lat -33.5 --lon 151.25";
  run = Log(second);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("This action will archive the current\nlog and set up the program for"
                         " a new\ninitial fix. Do you want to continue?\n"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("give --yes to archive it"), std::string::npos) << run.err;
  EXPECT_EQ(ReadFile(File("navora.slf")), firstText);
  EXPECT_FALSE(std::filesystem::exists(File("log00000.saf")));

  run = Log(second + " --yes");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find(" Archiving current log in file " + File("log00000.saf") + "."),
            std::string::npos)
      << run.err;
  EXPECT_EQ(ReadFile(File("log00000.saf")), firstText);

  run = Log("entries");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "       0  fix                External Fix        2  2024-04-20T06:15:00  33S30.0  "
            "151E15.0\n");

  // Sights are listed by the name of the body observed.
  {
    EventLog log;
    ASSERT_EQ(SetEventLogDirectory(log, (voyage_.path() + "/").c_str()), kStatusOk);
    ASSERT_EQ(OpenEventLog(log), kStatusOk);
    const double time = Jd(2024, 4, 20, 8, 0);
    constexpr uint16_t kSirius = 18, kAverage = 2;
    ASSERT_EQ(
        AppendSightEntry(log, MakeObservationRecord(0, kBodyCodeStar, kSirius, time, 0.0, 10.0,
                                                    1010.0, 0.0, 30.0, 0.0, 3.0, kAverage)),
        kStatusOk);
  }
  run = Log("entries");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("  sight              SIRIUS "), std::string::npos) << run.out;
}

TEST_F(LogVoyageCommand, EmptyVoyageShowsNothing) {
  for (const char* subcommand : {"show", "entries"}) {
    const CliRun run = Log(subcommand);
    EXPECT_EQ(run.exitCode, 0) << subcommand << run.err;
    EXPECT_EQ(run.out, "") << subcommand;
  }
}

// A bad argument is one line on the error output and exit 2, and leaves the
// voyage directory empty.
TEST_F(LogVoyageCommand, BadArgumentsAreOneLineAndExit2) {
  const std::string fix = "new-fix --time 2024-04-01T12:00 --lat 49N30.5 --lon 004W15.2";
  struct Case {
    std::string arguments;
    const char* said;
  };
  for (const Case& c : {
           Case{"new-fix --lat 1 --lon 1", "needs --time, --lat and --lon"},
           Case{"new-fix --time 2024-04-01 --lat 1 --lon 1", "--time '2024-04-01'"},
           Case{"new-fix --time 2024-04-01T12:00 --lat 80N00 --lon 1", "below 80 degrees"},
           Case{"new-fix --time 2024-04-01T12:00 --lat 1 --lon 004E60", "minutes must be below 60"},
           Case{fix + " --course 360", "--course '360'"},
           Case{fix + " --speed 100", "--speed '100'"},
           Case{fix + " --speed", "--speed needs a value"},
           Case{fix + " extra", "unexpected argument 'extra'"},
           Case{"comment ''", "the comment is empty"},
           Case{"comment one two", "comment takes one TEXT"},
           Case{"show --yes", "unknown option '--yes'"},
           Case{"entries --time 2024-04-01T12:00", "unknown option '--time'"},
           Case{"voyage", "unknown subcommand 'voyage'"},
       }) {
    const CliRun run = Log(c.arguments);
    EXPECT_EQ(run.exitCode, 2) << c.arguments;
    EXPECT_EQ(run.out, "") << c.arguments;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.arguments << ": " << run.err;
  }
  EXPECT_TRUE(std::filesystem::is_empty(voyage_.path()));
}

}  // namespace
}  // namespace navora
