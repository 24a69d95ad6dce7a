// Complete almanac tables against reviewed golden files: the text the
// worksheet receives, with "\n" for "\r\n". After a deliberate change of the
// almanac values, rerun with NAVORA_UPDATE_GOLDEN=1 to rewrite them, then
// review the difference column by column before committing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "app/tasks/AlmanacTasks.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

constexpr double kHour = 1.0 / 24.0;
constexpr double kSecond = 1.0 / 86400.0;

using testing::Jd;
using AlmanacGolden = testing::AlmanacTaskFixture;

TEST_F(AlmanacGolden, CompleteTables) {
  struct Case {
    const char* file;
    std::function<TaskOutcome()> run;
  };
  const Case cases[] = {
      // The heading repeated across midnight, to the minute.
      {"sun_moon_aries_to_minute.txt",
       [&] { return RunSunMoonAriesAlmanac(context, {Jd(1999, 12, 31, 22), 5, kHour}); }},
      {"sun_moon_aries_with_seconds.txt",
       [&] { return RunSunMoonAriesAlmanac(context, {Jd(2003, 6, 15, 12), 4, 30 * kSecond}); }},
      {"planets_to_minute.txt",
       [&] { return RunPlanetsAlmanac(context, {Jd(2010, 3, 20, 22), 4, kHour}); }},
      {"planets_with_seconds.txt",
       [&] { return RunPlanetsAlmanac(context, {Jd(2018, 7, 27, 23, 59, 30), 4, 15 * kSecond}); }},
      // Polaris without a number.
      {"stars_at_instant.txt", [&] { return RunStarsAlmanac(context, {Jd(2015, 9, 1, 3, 25)}); }},
      {"all_2000_01_01.txt", [&] { return RunAllAlmanac(context, {Jd(2000, 1, 1)}); }},
  };
  const bool update = std::getenv("NAVORA_UPDATE_GOLDEN") != nullptr;
  for (const Case& c : cases) {
    sink.text.clear();
    ASSERT_EQ(c.run(), TaskOutcome::kCompleted) << c.file;
    EXPECT_TRUE(notice.shown.empty()) << c.file;
    const std::string path = std::string(NAVORA_FIXTURE_DIR) + "/tasks/" + c.file;
    if (update) {
      std::ofstream(path, std::ios::binary) << sink.text;
      continue;
    }
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << "missing " << path;
    std::ostringstream golden;
    golden << file.rdbuf();
    EXPECT_EQ(sink.text, golden.str()) << c.file;
  }
}

}  // namespace
}  // namespace navora
