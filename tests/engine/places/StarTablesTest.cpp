#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <fstream>
#include <limits>
#include <numbers>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/places/SelectedStars.h"
#include "engine/places/StarCatalogue.h"

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

using Seven = std::array<int16_t, kSelectedStarCount>;

constexpr int kBandCount = kSelectedStarsBandCount - 1;
constexpr double kDegToRad = std::numbers::pi / 180.0;

Seven Lookup(double latitude, double lha, EngineStatus& status) {
  int16_t numbers[kSelectedStarCount] = {};
  status = LookupSelectedStars(latitude, lha, numbers);
  Seven seven{};
  std::copy(std::begin(numbers), std::end(numbers), seven.begin());
  return seven;
}

Seven Lookup(double latitude, double lha) {
  EngineStatus status = -1;
  const Seven seven = Lookup(latitude, lha, status);
  EXPECT_EQ(status, kStatusOk) << latitude << " " << lha;
  return seven;
}

Seven RowStars(int row) {
  Seven seven{};
  std::copy(std::begin(kSelectedStarsRows[row].stars), std::end(kSelectedStarsRows[row].stars),
            seven.begin());
  return seven;
}

int FirstRow(int band) { return kSelectedStarsBands[band].firstRow - 1; }
int EndRow(int band) { return kSelectedStarsBands[band + 1].firstRow - 1; }
int RowEnd(int row) {
  const int next = kSelectedStarsRows[row + 1].lhaStart;
  return next == 0 ? 360 : next;
}

TEST(SelectedStarsTable, BandsHaveTheirFixedStartsAndCloseTheRows) {
  const uint16_t starts[kSelectedStarsBandCount] = {
      0,   4,   7,   9,   10,  14,  17,  18,  19,  20,  23,  24,  26,  29,  30,  33,  34,  35,
      36,  37,  39,  40,  41,  43,  44,  45,  47,  49,  50,  51,  52,  53,  54,  55,  56,  57,
      59,  61,  62,  63,  64,  65,  66,  68,  69,  70,  71,  74,  79,  80,  81,  82,  83,  84,
      85,  87,  89,  90,  91,  95,  97,  99,  100, 103, 104, 105, 110, 111, 114, 115, 120, 125,
      130, 135, 140, 143, 144, 145, 150, 155, 157, 159, 164, 169, 174, 179};
  for (int band = 0; band < kSelectedStarsBandCount; ++band) {
    EXPECT_EQ(kSelectedStarsBands[band].bandStart, starts[band]) << band;
  }
  EXPECT_EQ(kSelectedStarsBands[0].firstRow, 1);
  EXPECT_EQ(kSelectedStarsBands[kBandCount].firstRow, kSelectedStarsRowCount);
  for (int band = 0; band < kBandCount; ++band) {
    EXPECT_LT(FirstRow(band), EndRow(band)) << band;
  }
  const SelectedStarsRow& closing = kSelectedStarsRows[kSelectedStarsRowCount - 1];
  EXPECT_EQ(closing.lhaStart, 360);
  EXPECT_TRUE(std::all_of(std::begin(closing.stars), std::end(closing.stars),
                          [](int8_t s) { return s == 0; }));
}

TEST(SelectedStarsTable, EveryBandCoversTheCircleWithSevenStarsThreeMarked) {
  for (int band = 0; band < kBandCount; ++band) {
    SCOPED_TRACE(band);
    EXPECT_EQ(kSelectedStarsRows[FirstRow(band)].lhaStart, 0);
    for (int row = FirstRow(band); row < EndRow(band); ++row) {
      SCOPED_TRACE(row);
      const SelectedStarsRow& r = kSelectedStarsRows[row];
      EXPECT_EQ(r.zero, 0);
      EXPECT_LT(r.lhaStart, RowEnd(row));
      std::set<int> distinct;
      int marked = 0;
      for (int8_t s : r.stars) {
        EXPECT_GE(std::abs(s), 1);
        EXPECT_LE(std::abs(s), kPolarisNumber);  // navigational stars and Polaris only
        distinct.insert(std::abs(s));
        marked += s < 0;
      }
      EXPECT_EQ(distinct.size(), 7u);
      EXPECT_EQ(marked, 3);
      if (row > FirstRow(band)) {  // consecutive degrees with one selection form one row
        Seven previous = RowStars(row - 1), current = RowStars(row);
        for (auto* seven : {&previous, &current}) {
          for (int16_t& s : *seven) s = static_cast<int16_t>(std::abs(s));
          std::sort(seven->begin(), seven->end());
        }
        EXPECT_NE(previous, current);
      }
    }
  }
}

TEST(SelectedStarsTable, AlmanacRowsAppearVerbatim) {
  const int band0 = FirstRow(0);
  ASSERT_EQ(EndRow(0) - band0, 3);
  EXPECT_EQ(kSelectedStarsRows[band0].lhaStart, 0);
  EXPECT_EQ(RowStars(band0), (Seven{27, 21, -12, 1, -53, 49, -37}));
  EXPECT_EQ(kSelectedStarsRows[band0 + 1].lhaStart, 60);
  EXPECT_EQ(RowStars(band0 + 1), (Seven{-37, 26, 21, -12, 1, -53, 49}));
  EXPECT_EQ(kSelectedStarsRows[band0 + 2].lhaStart, 270);
  EXPECT_EQ(RowStars(band0 + 2), (Seven{-12, 1, -53, 49, -37, 27, 21}));

  const int band84 = FirstRow(84);
  EXPECT_EQ(kSelectedStarsRows[band84].lhaStart, 0);
  EXPECT_EQ(RowEnd(band84), 30);
  EXPECT_EQ(RowStars(band84), (Seven{5, -18, 23, 30, -38, 52, -56}));
}

struct Horizon {
  double altitude;
  double azimuth;
};

// Catalogue place moved by proper motion to 2010, seen from a latitude.
Horizon HorizonOf(int starNumber, double latitude, double lhaAries) {
  const StarEntry& star = kStarCatalogue[starNumber - 1];
  const double centuries = 0.1;
  const double raDeg = (star.raHours + star.pmRa * centuries / 3600.0) * 15.0;
  const double dec = (star.decDeg + star.pmDec * centuries / 3600.0) * kDegToRad;
  const double phi = latitude * kDegToRad;
  const double t = (lhaAries - raDeg) * kDegToRad;
  const double altitude =
      std::asin(std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(t));
  const double azimuth =
      std::atan2(-std::cos(dec) * std::sin(t),
                 std::sin(dec) * std::cos(phi) - std::cos(dec) * std::sin(phi) * std::cos(t));
  return {altitude / kDegToRad, std::fmod(azimuth / kDegToRad + 360.0, 360.0)};
}

double AzimuthDifference(double a, double b) {
  const double d = std::fabs(a - b);
  return std::min(d, 360.0 - d);
}

// At each row's middle LHA and its band's middle latitude the seven stars are
// up and the marked three give a fix: above 15 degrees, 60 degrees apart.
// The almanac's own rows pass this rule as well.
TEST(SelectedStarsTable, RowsAreObservableAtTheirMiddle) {
  for (int band = 0; band < kBandCount; ++band) {
    const double firstLatitude = 89 - kSelectedStarsBands[band].bandStart;
    const double lastLatitude = 89 - (kSelectedStarsBands[band + 1].bandStart - 1);
    const double latitude = (firstLatitude + lastLatitude) / 2.0;
    for (int row = FirstRow(band); row < EndRow(band); ++row) {
      SCOPED_TRACE(testing::Message() << "band " << band << " row " << row);
      const double lha = (kSelectedStarsRows[row].lhaStart + RowEnd(row) - 1) / 2.0;
      std::vector<Horizon> marked;
      for (int8_t s : kSelectedStarsRows[row].stars) {
        const Horizon h = HorizonOf(std::abs(s), latitude, lha);
        EXPECT_GT(h.altitude, 0.0) << "star " << int{s};
        if (s < 0) marked.push_back(h);
      }
      ASSERT_EQ(marked.size(), 3u);
      for (size_t i = 0; i < 3; ++i) {
        EXPECT_GT(marked[i].altitude, 15.0);
        EXPECT_GE(AzimuthDifference(marked[i].azimuth, marked[(i + 1) % 3].azimuth), 60.0);
      }
    }
  }
}

TEST(LookupSelectedStars, LatitudeRoundsHalvesAwayFromZero) {
  const Seven band0 = RowStars(FirstRow(0));
  EXPECT_EQ(Lookup(89.4, 10.0), band0);
  EXPECT_EQ(Lookup(85.6, 10.0), band0);  // rounds to 86, the band's last latitude

  for (double outside : {89.6, -89.5, std::numeric_limits<double>::quiet_NaN()}) {
    EngineStatus status = -1;
    EXPECT_EQ(Lookup(outside, 10.0, status), Seven{}) << outside;
    EXPECT_EQ(status, 1) << outside;
  }

  EXPECT_EQ(Lookup(-0.4, 0.0), RowStars(FirstRow(56)));
  EXPECT_EQ(Lookup(-0.6, 0.0), RowStars(FirstRow(57)));
  EXPECT_EQ(Lookup(-89.4, 0.0), RowStars(FirstRow(84)));
}

TEST(LookupSelectedStars, HourAngleRoundsAndWraps) {
  const int first = FirstRow(0);
  EXPECT_EQ(Lookup(88.0, 359.6), RowStars(first));
  EXPECT_EQ(Lookup(88.0, -0.4), RowStars(first));
  EXPECT_EQ(Lookup(88.0, 59.4), RowStars(first));
  EXPECT_EQ(Lookup(88.0, 59.5), RowStars(first + 1));
  EXPECT_EQ(Lookup(88.0, 269.6), RowStars(first + 2));
  EXPECT_EQ(Lookup(88.0, 359.4), RowStars(first + 2));
  EXPECT_EQ(Lookup(88.0, 720.0 + 100.0), RowStars(first + 1));
  EXPECT_EQ(Lookup(88.0, -80.0), RowStars(first + 2));

  EngineStatus status = -1;
  Lookup(40.0, std::numeric_limits<double>::infinity(), status);
  EXPECT_EQ(status, 1);
}

// Every whole degree of every band finds the row that covers it, also when
// consecutive calls change band (the lookup remembers the last band).
TEST(LookupSelectedStars, EveryDegreeFindsItsRow) {
  for (int latitude = 89; latitude >= -89; --latitude) {
    const int bandValue = 89 - latitude;
    int band = 0;
    while (kSelectedStarsBands[band + 1].bandStart <= bandValue) ++band;
    for (int lha = 0; lha < 360; lha += 7) {
      int row = FirstRow(band);
      while (RowEnd(row) <= lha) ++row;
      ASSERT_EQ(Lookup(latitude, lha), RowStars(row)) << latitude << " " << lha;
      ASSERT_EQ(Lookup(-latitude, lha), Lookup(-latitude, lha + 360.0));
    }
  }
}

}  // namespace
}  // namespace navora
