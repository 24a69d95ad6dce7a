#include "engine/places/StarCatalogue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace navora {
namespace {

const StarEntry& Star(int number) { return kStarCatalogue[number - 1]; }

std::string LowerCase(const char* text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Fields of a tab-separated star list, header skipped.
std::vector<std::vector<std::string>> ReadTable(const std::string& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in.good()) << path;
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

// Each entry is its data-file row, blanks in names included; almanac numbers
// run 1..57 and are 0 for Polaris and the further stars.
TEST(StarCatalogue, TableReproducesTheDataFiles) {
  const std::string data = std::string(NAVORA_SOURCE_DIR) + "/tools/data/";
  std::vector<std::vector<std::string>> rows = ReadTable(data + "stars-001-058.tsv");
  const auto further = ReadTable(data + "stars-059-173.tsv");
  ASSERT_EQ(rows.size(), 58u);
  ASSERT_EQ(further.size(), 115u);
  rows.insert(rows.end(), further.begin(), further.end());
  for (int number = 1; number <= kStarCount; ++number) {
    const std::vector<std::string>& row = rows[number - 1];
    const StarEntry& star = Star(number);
    SCOPED_TRACE(row[1]);
    ASSERT_EQ(row.size(), 10u);
    EXPECT_EQ(std::stoi(row[0]), number);
    EXPECT_EQ(std::string(star.name), row[1]);
    EXPECT_EQ(star.almanacNumber, number <= kNavigationalStarCount ? number : 0);
    const double values[] = {star.raHours,  star.decDeg,         star.pmRa,     star.pmDec,
                             star.parallax, star.radialVelocity, star.magnitude};
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(values[i], std::stod(row[3 + i])) << "column " << i;
  }
  EXPECT_STREQ(Star(kPolarisNumber).name, "POLARIS");
}

TEST(StarCatalogue, FurtherStarsAlphabeticalAndValuesPlausible) {
  for (int number = kPolarisNumber + 2; number <= kStarCount; ++number) {
    EXPECT_LT(LowerCase(Star(number - 1).name), LowerCase(Star(number).name));
  }
  for (const StarEntry& star : kStarCatalogue) {
    SCOPED_TRACE(star.name);
    EXPECT_TRUE(star.raHours >= 0.0 && star.raHours < 24.0);
    EXPECT_LE(std::abs(star.decDeg), 90.0);
    EXPECT_TRUE(star.parallax >= 0.0 && star.parallax < 0.8);  // none nearer than Centauri
    EXPECT_LT(std::abs(star.radialVelocity), 100.0);
    EXPECT_TRUE(star.magnitude > -1.5 && star.magnitude < 3.7);
  }
}

// Beta HYI (HR 98) by hand from the source catalogue: 00 25 45.1, -77 15 15,
// proper motion +2.215"/yr of great circle in right ascension.
TEST(StarCatalogue, ProperMotionInRightAscensionIsSecondsOfTimePerCentury) {
  const StarEntry& betaHyi = Star(85);
  EXPECT_STREQ(betaHyi.name, "Beta HYI");
  EXPECT_NEAR(betaHyi.raHours, (25.0 + 45.1 / 60.0) / 60.0, 1e-9);
  EXPECT_NEAR(betaHyi.decDeg, -(77.0 + 15.0 / 60.0 + 15.0 / 3600.0), 1e-9);
  const double cosDec = std::cos(betaHyi.decDeg * std::numbers::pi / 180.0);
  EXPECT_NEAR(betaHyi.pmRa * 15.0 * cosDec / 100.0, 2.215, 0.001);
}

}  // namespace
}  // namespace navora
