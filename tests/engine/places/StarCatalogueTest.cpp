#include "engine/places/StarCatalogue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <numbers>
#include <fstream>
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

TEST(StarCatalogue, NumberingOfNavigationalStarsAndPolaris) {
  for (int number = 1; number <= kNavigationalStarCount; ++number) {
    EXPECT_EQ(Star(number).almanacNumber, number) << Star(number).name;
  }
  EXPECT_STREQ(Star(kPolarisNumber).name, "POLARIS");
  EXPECT_EQ(Star(kPolarisNumber).almanacNumber, 0);
  EXPECT_NEAR(Star(kPolarisNumber).decDeg, 89.26, 0.01);
  for (int number = kPolarisNumber + 1; number <= kStarCount; ++number) {
    EXPECT_EQ(Star(number).almanacNumber, 0) << Star(number).name;
  }
  EXPECT_STREQ(Star(5).name, "ACHERNAR");
  EXPECT_STREQ(Star(38).name, "RIGIL KENT.");
  EXPECT_STREQ(Star(57).name, "Markab");
}

TEST(StarCatalogue, NamesAreTerminatedAndFurtherStarsAlphabetical) {
  for (const StarEntry& star : kStarCatalogue) {
    ASSERT_LT(strnlen(star.name, sizeof star.name), sizeof star.name);
    EXPECT_GT(std::strlen(star.name), 0u);
  }
  EXPECT_STREQ(Star(59).name, "Albireo");
  EXPECT_STREQ(Star(164).name, "Wezen ");
  EXPECT_STREQ(Star(173).name, "Zeta TAU");
  for (int number = 60; number <= kStarCount; ++number) {
    EXPECT_LT(LowerCase(Star(number - 1).name), LowerCase(Star(number).name));
  }
}

TEST(StarCatalogue, ValuesArePhysicallyPlausible) {
  for (const StarEntry& star : kStarCatalogue) {
    SCOPED_TRACE(star.name);
    EXPECT_GE(star.raHours, 0.0);
    EXPECT_LT(star.raHours, 24.0);
    EXPECT_LE(std::abs(star.decDeg), 90.0);
    EXPECT_GE(star.parallax, 0.0);
    EXPECT_LT(star.parallax, 0.8);  // nothing is nearer than the Centauri system
    EXPECT_LT(std::abs(star.radialVelocity), 100.0);
    EXPECT_GT(star.magnitude, -1.5);
    EXPECT_LT(star.magnitude, 3.7);
  }
}

// Hand-copied from the catalogue sources, independent of the generator.
TEST(StarCatalogue, SpotValues) {
  const StarEntry& sirius = Star(18);
  EXPECT_STREQ(sirius.name, "SIRIUS");
  EXPECT_DOUBLE_EQ(sirius.raHours, 6.7524641667);
  EXPECT_DOUBLE_EQ(sirius.decDeg, -16.7161083333);
  EXPECT_DOUBLE_EQ(sirius.pmRa, -3.847);
  EXPECT_DOUBLE_EQ(sirius.pmDec, -120.53);
  EXPECT_DOUBLE_EQ(sirius.parallax, 0.3751);
  EXPECT_DOUBLE_EQ(sirius.radialVelocity, -7.6);
  EXPECT_DOUBLE_EQ(sirius.magnitude, -1.46);

  const StarEntry& alnilam = Star(15);
  EXPECT_EQ(alnilam.parallax, 0.0);

  // Beta HYI (HR 98): 00 25 45.1, -77 15 15, proper motion +2.215"/yr of great circle in RA.
  const StarEntry& betaHyi = Star(85);
  EXPECT_STREQ(betaHyi.name, "Beta HYI");
  EXPECT_NEAR(betaHyi.raHours, (25.0 + 45.1 / 60.0) / 60.0, 1e-9);
  EXPECT_NEAR(betaHyi.decDeg, -(77.0 + 15.0 / 60.0 + 15.0 / 3600.0), 1e-9);
  const double cosDec = std::cos(betaHyi.decDeg * std::numbers::pi / 180.0);
  EXPECT_NEAR(betaHyi.pmRa * 15.0 * cosDec / 100.0, 2.215, 0.001);
}

std::vector<std::vector<std::string>> ReadTable(const std::string& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in.good()) << path;
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::stringstream split(line);
    std::string field;
    while (std::getline(split, field, '\t')) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

void ExpectEntryMatches(const StarEntry& star, const std::vector<std::string>& row,
                        size_t firstValue) {
  SCOPED_TRACE(row[1]);
  ASSERT_EQ(row.size(), firstValue + 7);
  EXPECT_EQ(std::string(star.name), row[1]);
  const double values[] = {star.raHours,  star.decDeg,         star.pmRa,     star.pmDec,
                           star.parallax, star.radialVelocity, star.magnitude};
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(values[i], std::stod(row[firstValue + i])) << "column " << firstValue + i;
  }
}

TEST(StarCatalogue, TableReproducesTheDataFiles) {
  const std::string data = std::string(NAVORA_SOURCE_DIR) + "/tools/data/";
  const auto navigational = ReadTable(data + "stars-001-058.tsv");
  const auto further = ReadTable(data + "stars-059-173.tsv");
  ASSERT_EQ(navigational.size(), 58u);
  ASSERT_EQ(further.size(), 115u);
  for (const auto& row : navigational) {
    const int number = std::stoi(row[0]);
    EXPECT_EQ(Star(number).almanacNumber, std::stoi(row[2]));
    ExpectEntryMatches(Star(number), row, 3);
  }
  for (const auto& row : further) {
    ExpectEntryMatches(Star(std::stoi(row[0])), row, 3);
  }
}

}  // namespace
}  // namespace navora
