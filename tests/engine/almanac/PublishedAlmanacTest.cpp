// Printed almanac tables against the official almanac pages transcribed in
// tests/fixtures/almanac: the Nautical Almanac's daily pages of 2021 January
// 1-3 and the Air Almanac's Sun and Aries of 2023 January 1 (its Moon,
// printed to the whole minute, is not used). The pages are
// tabulated in UT1; the rows are asked for at the UTC instant that makes
// their printed time the page's UT1 hour.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tests/engine/almanac/PrintedTable.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

using namespace testing;  // the printed-table readers

constexpr double kHourDays = 1.0 / 24.0;
// Both sides are printed to 0.1', so one unit of the last place is allowed;
// the margin only absorbs the binary representation of the printed tenths.
constexpr double kPageToleranceArcmin = 0.1 + 1e-9;
// The Nautical Almanac shifts the Sun's GHA by up to 0.15' so that its
// hourly differences need no correction; the Air Almanac does not.
constexpr double kAdjustedSunGhaToleranceArcmin = 0.25;
constexpr double kMagnitudeTolerance = 0.1 + 1e-9;
constexpr double kPhaseTolerancePercent = 1.0;

// UT1 - UTC of the pages' headers, seconds.
constexpr double kNauticalDut1 = -0.1746;
constexpr double kAirDut1 = -0.0199;

constexpr char kNauticalPages[] = NAVORA_FIXTURE_DIR "/almanac/nautical-almanac-2021-01-01.txt";

// A page angle: degrees and minutes with a leading '-' for the south.
double PageAngle(const std::string& degrees, const std::string& minutes) {
  const double magnitude =
      std::fabs(std::atof(degrees.c_str())) + std::atof(minutes.c_str()) / 60.0;
  return degrees[0] == '-' ? -magnitude : magnitude;
}

// The fields between column separators of a page line, split into words.
std::vector<std::vector<std::string>> PageFields(const std::string& line) {
  std::vector<std::vector<std::string>> fields;
  size_t start = 0;
  while (start <= line.size()) {
    size_t end = line.find('|', start);
    if (end == std::string::npos) end = line.size();
    fields.push_back(PrintedWords(line.substr(start, end - start)));
    start = end + 1;
  }
  return fields;
}

bool IsHourRow(const std::vector<std::vector<std::string>>& fields) {
  return fields.size() > 3 && fields[0].size() == 1 &&
         fields[0][0].find_first_not_of("0123456789") == std::string::npos;
}

std::vector<std::string> ReadLines(const char* path) {
  std::vector<std::string> lines;
  std::ifstream stream(path);
  std::string line;
  while (std::getline(stream, line)) lines.push_back(line);
  return lines;
}

class PublishedAlmanac : public PrintedTableTest {
 protected:
  // The row of a kind for a page's UT1 hour.
  std::string RowAtUt1(int16_t year, int16_t month, int16_t day, int16_t hour, double dut1,
                       AlmanacKind kind) {
    const double jdUt1 = CalendarToJulian(year, month, day, hour, 0, 0.0);
    return Row(jdUt1 - dut1 / 86400.0, dut1, kind, 1, kHourDays);
  }

  // A printed angle against the page's degrees and minutes words at `at`.
  void CheckAngle(const std::string& column, double printed, const std::vector<std::string>& words,
                  size_t at, double tolerance, const std::string& where) {
    Check(column, ArcminDifference(printed, PageAngle(words[at], words[at + 1])), tolerance, where);
  }
};

TEST_F(PublishedAlmanac, NauticalAlmanacDailyPagesOf2021January1To3) {
  const std::vector<std::string> page = ReadLines(kNauticalPages);
  ASSERT_FALSE(page.empty());

  int hourRows = 0;
  for (const std::string& text : page) {
    const auto fields = PageFields(text);
    if (!IsHourRow(fields)) continue;
    const int16_t day = static_cast<int16_t>(1 + hourRows / 24);
    const int16_t hour = static_cast<int16_t>(std::atoi(fields[0][0].c_str()));
    ASSERT_EQ(hour, hourRows % 24) << text;
    ASSERT_EQ(fields[1].size(), 4u);
    ASSERT_EQ(fields[2].size(), 7u);

    const std::string sunMoon = RowAtUt1(2021, 1, day, hour, kNauticalDut1, kAlmanacSunMoonAries);
    PrintedSunMoonAries row{};
    ASSERT_TRUE(ParseSunMoonAriesRow(sunMoon, row)) << sunMoon;
    char printedHour[16];
    std::snprintf(printedHour, sizeof printedHour, "%02d:00", hour);
    EXPECT_EQ(row.time, printedHour) << sunMoon;
    const std::string where = "Jan " + std::to_string(day) + " " + printedHour;
    CheckAngle("Sun GHA (NA, adjusted)", row.sunGha, fields[1], 0, kAdjustedSunGhaToleranceArcmin,
               where);
    CheckAngle("Sun Dec", row.sunDec, fields[1], 2, kPageToleranceArcmin, where);
    CheckAngle("Moon GHA", row.moonGha, fields[2], 0, kPageToleranceArcmin, where);
    CheckAngle("Moon Dec", row.moonDec, fields[2], 3, kPageToleranceArcmin, where);
    Check("Moon HP", row.hp - std::atof(fields[2][6].c_str()), kPageToleranceArcmin, where);
    CheckAngle("Aries GHA", row.ariesGha, fields[3], 0, kPageToleranceArcmin, where);

    const std::string planetsLine = RowAtUt1(2021, 1, day, hour, kNauticalDut1, kAlmanacPlanets);
    PrintedPlanets planets{};
    ASSERT_TRUE(ParsePlanetsRow(planetsLine, planets)) << planetsLine;
    for (int k = 0; k < kAlmanacPlanetCount; ++k) {
      const auto& field = fields[4 + k];
      ASSERT_EQ(field.size(), 4u) << text;
      const std::string name = kPrintedPlanetNames[k];
      CheckAngle(name + " GHA", planets.gha[k], field, 0, kPageToleranceArcmin, where);
      CheckAngle(name + " Dec", planets.dec[k], field, 2, kPageToleranceArcmin, where);
    }
    ++hourRows;
  }
  EXPECT_EQ(hourRows, 72);
}

// Semi-diameters, the Moon's phase and the planets' magnitudes are given
// once for the page, for its middle day.
TEST_F(PublishedAlmanac, NauticalAlmanacDailyValuesOfTheMiddleDay) {
  const std::vector<std::string> page = ReadLines(kNauticalPages);
  double sunSd = 0.0, moonSd = 0.0, phase = 0.0;
  double magnitudes[kAlmanacPlanetCount] = {};
  for (const std::string& text : page) {
    std::sscanf(text.c_str(), "   |  SD %lf d %*f |                SD %lf", &sunSd, &moonSd);
    const size_t phaseAt = text.find("Phase");
    if (phaseAt != std::string::npos) phase = std::atof(text.c_str() + phaseAt + 5);
    if (text.rfind("UT |", 0) == 0) {
      const auto fields = PageFields(text);
      for (int k = 0; k < kAlmanacPlanetCount; ++k) {
        magnitudes[k] = std::atof(fields[4 + k].at(1).c_str());
      }
    }
  }
  ASSERT_GT(sunSd, 0.0);
  ASSERT_GT(moonSd, 0.0);
  ASSERT_GT(phase, 0.0);

  const double middleDay = CalendarToJulian(2021, 1, 2, 0, 0, 0.0) - kNauticalDut1 / 86400.0;
  const std::string sdLine =
      Heading(middleDay, kNauticalDut1, kAlmanacSunMoonAries, kHourDays).at(7);
  double printedSunSd = 0.0;
  ASSERT_EQ(std::sscanf(sdLine.c_str(), "   UT  | S.D. = %lf", &printedSunSd), 1) << sdLine;
  Check("Sun SD", printedSunSd - sunSd, kPageToleranceArcmin, sdLine);

  const std::string noon = RowAtUt1(2021, 1, 2, 12, kNauticalDut1, kAlmanacSunMoonAries);
  PrintedSunMoonAries row{};
  ASSERT_TRUE(ParseSunMoonAriesRow(noon, row));
  Check("Moon SD", row.sd - moonSd, kPageToleranceArcmin, noon);
  Check("Moon phase (percent)", row.illumination - phase, kPhaseTolerancePercent, noon);

  const std::string magnitudeLine =
      Heading(middleDay, kNauticalDut1, kAlmanacPlanets, kHourDays).at(6);
  const std::vector<std::string> words = PrintedWords(magnitudeLine);
  ASSERT_EQ(words.size(), 9u) << magnitudeLine;
  for (int k = 0; k < kAlmanacPlanetCount; ++k) {
    Check(std::string(kPrintedPlanetNames[k]) + " magnitude",
          std::atof(words[2 + 2 * k].c_str()) - magnitudes[k], kMagnitudeTolerance, magnitudeLine);
  }
}

TEST_F(PublishedAlmanac, NauticalAlmanacStarsOfThePage) {
  const std::vector<std::string> page = ReadLines(kNauticalPages);
  std::map<std::string, PrintedStar> printed;
  const double middleDay = CalendarToJulian(2021, 1, 2, 0, 0, 0.0);
  for (int16_t star = 1; star < kAlmanacLastStar; ++star) {
    const std::string line = Row(middleDay, 0.0, kAlmanacStarForDay, star, kHourDays);
    PrintedStar row;
    ASSERT_TRUE(ParseStarRow(line, false, row)) << line;
    printed[row.name] = row;
  }
  // The page spells one name without the apostrophe and the blank.
  const std::map<std::string, std::string> pageSpelling = {{"Alnair", "Al Na'ir"}};

  int compared = 0;
  bool inStars = false;
  for (const std::string& text : page) {
    if (text.rfind("Star", 0) == 0) inStars = true;
    const auto fields = PageFields(text);
    if (!inStars || fields.size() < 2 || fields[1].size() != 4 || fields[0].empty()) continue;
    std::string name = text.substr(0, text.find('|'));
    name.erase(name.find_last_not_of(' ') + 1);
    if (name == "Star") continue;
    if (pageSpelling.count(name)) name = pageSpelling.at(name);
    ASSERT_TRUE(printed.count(name)) << "no printed star named " << name;
    const PrintedStar& row = printed.at(name);
    CheckAngle("Star SHA", row.sha, fields[1], 0, kPageToleranceArcmin, name);
    CheckAngle("Star Dec", row.dec, fields[1], 2, kPageToleranceArcmin, name);
    ++compared;
  }
  EXPECT_EQ(compared, 57);
}

TEST_F(PublishedAlmanac, AirAlmanacSunAndAriesOf2023January1) {
  const std::vector<std::string> page =
      ReadLines(NAVORA_FIXTURE_DIR "/almanac/air-almanac-2023-01-01.txt");
  int hourRows = 0;
  for (const std::string& text : page) {
    const auto fields = PageFields(text);
    if (!IsHourRow(fields)) continue;
    const int16_t hour = static_cast<int16_t>(std::atoi(fields[0][0].c_str()));
    ASSERT_EQ(fields[1].size(), 4u);
    const std::string line = RowAtUt1(2023, 1, 1, hour, kAirDut1, kAlmanacSunMoonAries);
    PrintedSunMoonAries row{};
    ASSERT_TRUE(ParseSunMoonAriesRow(line, row)) << line;
    const std::string where = "hour " + std::to_string(hour) + ": " + line;
    CheckAngle("AA Sun GHA", row.sunGha, fields[1], 0, kPageToleranceArcmin, where);
    CheckAngle("AA Sun Dec", row.sunDec, fields[1], 2, kPageToleranceArcmin, where);
    CheckAngle("AA Aries GHA", row.ariesGha, fields[3], 0, kPageToleranceArcmin, where);
    ++hourRows;
  }
  EXPECT_EQ(hourRows, 24);
}

}  // namespace
}  // namespace navora
