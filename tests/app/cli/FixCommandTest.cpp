// navora-cli fix at the end of a scripted voyage: an initial fix, sights on
// three legs with two course changes, the fix saved into both logs. The
// sights are the "running-3-legs-2008" scenario of
// tools/reference/synthetic_sights.py (ERFA and DE405 altitudes from the true
// track; the log's first fix 4' N and 5' E of the truth), so the fix must land
// on the true position.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "app/cli/CliArguments.h"
#include "tests/app/cli/CliRun.h"

namespace navora {
namespace {

using testing::CliRun;
using testing::ReadFile;
using testing::TemporaryDirectory;

constexpr char kHeader[] =
    "time,body,limb,hs_deg,hs_min,ic_min,height_ft,temp_c,press_mb,dut1_s,quality\n";

// Each leg: the command that starts it and the sights taken on it.
struct ScriptedLeg {
  const char* start;
  const char* sights;
};
constexpr ScriptedLeg kVoyage[] = {
    {"log new-fix --time 2008-03-10T18:30 --lat 45S04.0 --lon 149E52.9 --course 20 --speed 14",
     "2008-03-10T19:05:00,42,,71,35.4,1.5,60,16,1003,-0.1,good\n"
     "2008-03-10T19:07:00,33,,39,33.6,1.5,60,16,1003,-0.1,good\n"
     "2008-03-10T19:09:30,38,,67,52.6,1.5,60,16,1003,-0.1,average\n"
     "2008-03-10T19:11:45,44,,59,35.4,1.5,60,16,1003,-0.1,good\n"
     "2008-03-10T19:14:20,24,,35,38.5,1.5,60,16,1003,-0.1,good\n"},
    {"log update-dr --time 2008-03-10T22:00 --course 95 --speed 15 --save",
     "2008-03-10T22:30:00,Sun,lower,27,16.0,1.5,60,16,1003,-0.1,good\n"
     "2008-03-10T23:00:10,Venus,,52,19.9,1.5,60,16,1003,-0.1,average\n"
     "2008-03-11T01:00:00,Sun,upper,47,18.9,1.5,60,16,1003,-0.1,good\n"
     "2008-03-11T01:30:30,Moon,upper,13,11.6,1.5,60,16,1003,-0.1,good\n"},
    {"log update-dr --time 2008-03-11T03:00 --course 170 --speed 11 --save",
     "2008-03-11T04:00:00,Sun,lower,41,18.8,1.5,60,16,1003,-0.1,good\n"
     "2008-03-11T06:00:40,Sun,upper,23,51.6,1.5,60,16,1003,-0.1,poor\n"
     "2008-03-11T09:05:00,5,,45,4.4,1.5,60,16,1003,-0.1,good\n"
     "2008-03-11T09:07:10,7,,50,58.7,1.5,60,16,1003,-0.1,good\n"
     "2008-03-11T09:09:20,11,,48,54.5,1.5,60,16,1003,-0.1,average\n"
     "2008-03-11T09:11:30,18,,61,20.6,1.5,60,16,1003,-0.1,good\n"
     "2008-03-11T09:13:40,22,,69,24.8,1.5,60,16,1003,-0.1,good\n"},
};
// The true position at the last sight, the time of fix.
constexpr double kTrueLatitude = -45.465873949;
constexpr double kTrueLongitude = 152.403594167;

class FixCommand : public ::testing::Test {
 protected:
  CliRun Run(const std::string& arguments) {
    return testing::RunCli(arguments + " --voyage-dir '" + voyage_.path() + "'");
  }
  void SailTheVoyage() {
    for (const ScriptedLeg& leg : kVoyage) {
      const CliRun started = Run(leg.start);
      ASSERT_EQ(started.exitCode, 0) << leg.start << "\n" << started.err;
      const std::string csv = voyage_.File("sights.csv");
      std::ofstream(csv) << kHeader << leg.sights;
      const CliRun imported = Run("sights import '" + csv + "'");
      ASSERT_EQ(imported.exitCode, 0) << imported.err;
    }
  }

  TemporaryDirectory voyage_;
};

TEST_F(FixCommand, AScriptedVoyageEndsInALoggedFixOnTheTruePosition) {
  SailTheVoyage();
  const CliRun unchosen = Run("fix");
  EXPECT_EQ(unchosen.exitCode, 2);
  EXPECT_NE(unchosen.err.find("give --time first|average|last"), std::string::npos);

  const CliRun fixed = Run("fix --time last --save --srp '" + voyage_.File("fix.srp") + "'");
  ASSERT_EQ(fixed.exitCode, 0) << fixed.err;
  EXPECT_EQ(fixed.out.rfind("                                CELESTIAL FIX\n", 0), 0u);
  EXPECT_NE(fixed.out.find("NOTE: Ho,Hc of Sun & Moon are topocentric positions of the limb."),
            std::string::npos);
  EXPECT_EQ(ReadFile(voyage_.File("fix.srp")).substr(0, 4), std::string("\3srp"));

  // The fix is the event log's last entry, at the time of the last sight.
  const std::string entries = Run("log entries").out;
  std::istringstream last(entries.substr(entries.rfind('\n', entries.size() - 2) + 1));
  std::string offset, kind, type, fixWord, sequence, time, latitude, longitude, error;
  last >> offset >> kind >> type >> fixWord >> sequence >> time >> latitude >> longitude;
  EXPECT_EQ(kind + " " + type + " " + fixWord, "fix Celestial Fix");
  EXPECT_EQ(time, "2008-03-11T09:13:40");
  double fixLatitude = 0.0, fixLongitude = 0.0;
  ASSERT_TRUE(ParseLatitude(latitude, fixLatitude, error)) << latitude;
  ASSERT_TRUE(ParseLongitude(longitude, fixLongitude, error)) << longitude;
  // Printed to 0.1': the fix within 0.1' of the truth, plus the rounding.
  EXPECT_NEAR(fixLatitude, kTrueLatitude, 0.15 / 60);
  EXPECT_NEAR((fixLongitude - kTrueLongitude) * std::cos(kTrueLatitude * M_PI / 180), 0.0,
              0.15 / 60);

  // The text log has the sights' tables and the short form of the fix.
  const std::string text = Run("log show").out;
  EXPECT_NE(text.find("SIGHT RECORDER"), std::string::npos);
  EXPECT_NE(text.find("            Date        UTC      Latitude    Longitude  Course   Speed"),
            std::string::npos);

  // A new leg starts from the fix: no sight follows it.
  const CliRun again = Run("fix --time last");
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_NE(again.err.find("There are no observations to be plotted."), std::string::npos);
}

}  // namespace
}  // namespace navora
