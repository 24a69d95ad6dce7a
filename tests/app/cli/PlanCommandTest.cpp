#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "tests/app/cli/CliRun.h"

namespace navora {
namespace {

using testing::CliRun;
using testing::TemporaryDirectory;

size_t LineCount(const std::string& text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

int32_t ReadInt32(const std::string& bytes, size_t offset) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return static_cast<int32_t>(value);
}

TEST(PlanCommand, ScriptedVoyage) {
  TemporaryDirectory voyage;
  const std::string dir = " --voyage-dir '" + voyage.path() + "'";
  ASSERT_EQ(testing::RunCli("log new-fix --time 2024-06-21T18:00 --lat 48N30 --lon 005W12"
                            " --course 245 --speed 12" + dir)
                .exitCode,
            0);

  const CliRun stars = testing::RunCli(
      "plan selected-stars --twilight evening --date 2024-06-21 --precision --grade poor" + dir);
  ASSERT_EQ(stars.exitCode, 0) << stars.err;
  EXPECT_EQ(stars.out.rfind("                            SIGHT PLANNING - STARS\n", 0), 0u);
  EXPECT_NE(stars.out.find("\n2028|"), std::string::npos) << "sunset from sea level";
  EXPECT_NE(stars.out.find("EXPECTED FIX PRECISION, POOR SIGHTS"), std::string::npos);
  EXPECT_NE(stars.out.find("     All seven stars          +/-"), std::string::npos);

  const std::string spp = voyage.path() + "/evening.spp";
  const CliRun chart =
      testing::RunCli("plan sky-chart --time 2024-06-21T21:30 --spp '" + spp + "'" + dir);
  ASSERT_EQ(chart.exitCode, 0) << chart.err;
  EXPECT_EQ(chart.out.rfind("Sky chart 2024-06-21T21:30:00 UTC at 48N12.3 006W09.1\n", 0), 0u);
  // The file's counts are the printed bodies, its total their sum.
  const std::string bytes = testing::ReadFile(spp);
  ASSERT_GE(bytes.size(), 20u);
  const int32_t luminaries = ReadInt32(bytes, 0), planets = ReadInt32(bytes, 4),
                starCount = ReadInt32(bytes, 8);
  EXPECT_EQ(ReadInt32(bytes, 12), luminaries + planets + starCount);
  EXPECT_EQ(LineCount(chart.out), 2u + static_cast<size_t>(luminaries + planets + starCount));
  // The seven selected stars carry their marks in the last column.
  int marked = 0;
  for (size_t end = chart.out.find('\n'); end != std::string::npos;
       end = chart.out.find('\n', end + 1)) {
    const char mark = chart.out[end - 1];
    marked += chart.out.compare(end - 3, 2, "  ") == 0 && (mark == '7' || mark == '3');
  }
  EXPECT_EQ(marked, 7);

  const struct {
    std::string arguments;
    int exitCode;
    const char* error;
  } cases[] = {
      {"plan sky-chart --time 2024-06-21T21:30 --twilight evening --date 2024-06-21", 2,
       "either --time or --twilight"},
      {"plan selected-stars --twilight dusk --date 2024-06-21", 2, "expected morning or evening"},
      {"plan selected-stars --time 2024-06-21T21:30 --grade good", 2, "--grade needs --precision"},
      {"plan sky-chart --time 2024-06-21T21:30 --precision", 2, "unknown argument '--precision'"},
      {"plan selected-stars --time 2024-06-21T21:30 --lat 40N", 2, "--lat and --lon go together"},
      {"plan selected-stars --time 2024-06-20T12:00" + dir, 1,
       "The time must be later than that for the"},
      {"plan sky-chart --time 2024-06-21T21:30 --spp /nonexistent/dir/x.spp" + dir, 1,
       "cannot write"},
  };
  for (const auto& c : cases) {
    const CliRun run = testing::RunCli(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
    EXPECT_NE(run.err.find(c.error), std::string::npos) << c.arguments << ": " << run.err;
  }

  // A quick look needs no voyage.
  const CliRun quick = testing::RunCli(
      "plan sky-chart --twilight morning --date 2024-03-20 --lat 33S52 --lon 151E12");
  ASSERT_EQ(quick.exitCode, 0) << quick.err;
  EXPECT_EQ(quick.out.rfind("Sky chart 2024-03-19T18:5", 0), 0u) << quick.out.substr(0, 60);
}

}  // namespace
}  // namespace navora
