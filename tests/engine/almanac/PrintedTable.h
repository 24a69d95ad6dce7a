#pragma once

// Reads values back from printed almanac lines, so that tests check what a
// navigator would read off the page rather than the unrounded numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "engine/almanac/AlmanacHeading.h"
#include "engine/almanac/AlmanacRow.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/places/PlaceContext.h"

namespace navora::testing {

inline constexpr const char* kPrintedPlanetNames[] = {"Venus", "Mars", "Jupiter", "Saturn"};

// Tables computed over the shipped ephemeris, read back as printed.
class PrintedTableTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(OpenDefaultEphemeris(places_.ephemeris), kStatusOk); }

  std::string Row(double jdUtc, double dut1, AlmanacKind kind, int16_t star,
                         double interval) {
    AlmanacLine line = "";
    EXPECT_EQ(ComputeAlmanacRow(places_, jdUtc, dut1, kind, star, interval, line), kStatusOk);
    return line;
  }

  std::vector<std::string> Heading(double jdUtc, double dut1, AlmanacKind kind,
                                          double interval) {
    AlmanacHeadingLines lines;
    int16_t last = -1;
    EXPECT_EQ(ComputeAlmanacHeading(places_, jdUtc, dut1, kind, interval, lines, last), kStatusOk);
    return std::vector<std::string>(lines, lines + last + 1);
  }

  static void Check(const std::string& column, double difference, double tolerance,
                    const std::string& where) {
    EXPECT_LE(std::fabs(difference), tolerance) << column << " at " << where;
  }

  PlaceContext places_;
};

// Whitespace-separated words of a line, column separators counted as blanks.
inline std::vector<std::string> PrintedWords(const std::string& line) {
  std::string spaced = line;
  std::replace(spaced.begin(), spaced.end(), '|', ' ');
  std::istringstream stream(spaced);
  std::vector<std::string> words;
  std::string word;
  while (stream >> word) words.push_back(word);
  return words;
}

// Degrees from a degrees word (a declination's carries its hemisphere
// letter, "N23" or "S05") and a minutes word.
inline double PrintedAngle(const std::string& degreesWord, const std::string& minutesWord) {
  double sign = 1.0;
  std::string digits = degreesWord;
  if (!digits.empty() && (digits[0] == 'N' || digits[0] == 'S')) {
    if (digits[0] == 'S') sign = -1.0;
    digits.erase(0, 1);
  }
  return sign * (std::atof(digits.c_str()) + std::atof(minutesWord.c_str()) / 60.0);
}

// Difference of two angles in arc-minutes, across the 0/360 wrap.
inline double ArcminDifference(double angleDeg, double referenceDeg) {
  return std::remainder(angleDeg - referenceDeg, 360.0) * 60.0;
}

// Sun, Moon and Aries of a printed row.
struct PrintedSunMoonAries {
  std::string time;
  double sunGha, sunDec, moonGha, moonDec, hp, sd, illumination, ariesGha;
};

// The words of a body row, a time printed "hh mm" made one word "hh:mm".
inline std::vector<std::string> BodyRowWords(const std::string& line, size_t valueWords) {
  std::vector<std::string> w = PrintedWords(line);
  if (w.size() == valueWords + 2) {
    w[0] += ":" + w[1];
    w.erase(w.begin() + 1);
  }
  return w;
}

inline bool ParseSunMoonAriesRow(const std::string& line, PrintedSunMoonAries& row) {
  const std::vector<std::string> w = BodyRowWords(line, 13);
  if (w.size() != 14) return false;
  row.time = w[0];
  row.sunGha = PrintedAngle(w[1], w[2]);
  row.sunDec = PrintedAngle(w[3], w[4]);
  row.moonGha = PrintedAngle(w[5], w[6]);
  row.moonDec = PrintedAngle(w[7], w[8]);
  row.hp = std::atof(w[9].c_str());
  row.sd = std::atof(w[10].c_str());
  row.illumination = std::atof(w[11].c_str());
  row.ariesGha = PrintedAngle(w[12], w[13]);
  return true;
}

struct PrintedPlanets {
  double gha[4], dec[4];
};

inline bool ParsePlanetsRow(const std::string& line, PrintedPlanets& row) {
  const std::vector<std::string> w = BodyRowWords(line, 16);
  if (w.size() != 17) return false;
  for (int k = 0; k < 4; ++k) {
    row.gha[k] = PrintedAngle(w[1 + 4 * k], w[2 + 4 * k]);
    row.dec[k] = PrintedAngle(w[3 + 4 * k], w[4 + 4 * k]);
  }
  return true;
}

// A star row: the name occupies a fixed 12-character column, the rest are
// words (number or "--", SHA, [GHA,] Dec).
struct PrintedStar {
  std::string name;
  double sha = 0.0, gha = 0.0, dec = 0.0;
};

inline constexpr size_t kStarNameColumnAtInstant = 8;
inline constexpr size_t kStarNameColumnForDay = 9;
inline constexpr size_t kStarNameWidth = 12;

inline bool ParseStarRow(const std::string& line, bool withGha, PrintedStar& row) {
  const size_t column = withGha ? kStarNameColumnAtInstant : kStarNameColumnForDay;
  if (line.size() < column + kStarNameWidth) return false;
  row.name = line.substr(column, kStarNameWidth);
  row.name.erase(row.name.find_last_not_of(' ') + 1);
  const std::vector<std::string> w = PrintedWords(line.substr(column + kStarNameWidth));
  if (w.size() != (withGha ? 7u : 5u)) return false;
  row.sha = PrintedAngle(w[1], w[2]);
  if (withGha) {
    row.gha = PrintedAngle(w[3], w[4]);
    row.dec = PrintedAngle(w[5], w[6]);
  } else {
    row.dec = PrintedAngle(w[3], w[4]);
  }
  return true;
}

}  // namespace navora::testing
