// Printed almanac tables against independent values computed with the full
// modern models (tools/reference/almanac_reference.py): the tables are run as
// the commands run them, every printed value is read back and compared.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tests/engine/almanac/PrintedTable.h"
#include "support/FixtureRows.h"

namespace navora {
namespace {

using namespace testing;  // the printed-table readers

constexpr double kAngleToleranceArcmin = 0.1;
constexpr double kSizeToleranceArcmin = 0.1;
constexpr double kIlluminationTolerancePercent = 1.0;
constexpr double kHourDays = 1.0 / 24.0;
constexpr double kStarIntervalDays = 1.0 / 720.0;
constexpr double kSameInstantDays = 1e-6;
constexpr int kDateCount = 30;
constexpr int kStarsPrinted = 58;
// Polaris's hour angles: at declination 89.3 degrees an arc on the sky is 77
// times as much hour angle, and the four-term nutation leaves up to 0.13"
// of arc (0.16' of hour angle) in its right ascension.
constexpr double kPolarisHourAngleToleranceArcmin = 0.25;

struct ReferenceValue {
  std::string kind;
  int body = 0;
  double jdUt1 = 0.0, deltaT = 0.0;
  double gha = 0.0, dec = 0.0, sha = 0.0, hp = 0.0, sd = 0.0, illumination = 0.0;
};

std::vector<ReferenceValue> LoadReference() {
  std::vector<ReferenceValue> values;
  const char* const path = NAVORA_FIXTURE_DIR "/almanac/reference-almanac.tsv";
  for (std::istringstream& fields : FixtureRows(path)) {
    ReferenceValue v;
    fields >> v.kind >> v.body >> v.jdUt1 >> v.deltaT >> v.gha >> v.dec >> v.sha >> v.hp >> v.sd >>
        v.illumination;
    if (fields) values.push_back(v);
  }
  return values;
}

class ReferenceAlmanac : public testing::PrintedTableTest {
 protected:
  void SetUp() override {
    PrintedTableTest::SetUp();
    if (HasFatalFailure()) return;
    values_ = LoadReference();
    ASSERT_FALSE(values_.empty()) << "reference-almanac.tsv missing";
  }

  const ReferenceValue* Find(const std::string& kind, int body, double jdUt1) const {
    for (const ReferenceValue& v : values_) {
      if (v.kind == kind && v.body == body && std::fabs(v.jdUt1 - jdUt1) < kSameInstantDays) {
        return &v;
      }
    }
    return nullptr;
  }

  std::vector<double> Days() const {
    std::vector<double> days;
    for (const ReferenceValue& v : values_) {
      if (v.kind == "sunsd") days.push_back(v.jdUt1);
    }
    return days;
  }

  std::vector<ReferenceValue> values_;
};

std::string Where(double jd) { return "JD " + std::to_string(jd); }

TEST_F(ReferenceAlmanac, SunMoonAriesTablesOfAFullDay) {
  const std::vector<double> days = Days();
  ASSERT_EQ(days.size(), static_cast<size_t>(kDateCount));
  int rows = 0;
  for (const double day : days) {
    const std::string sdLine = Heading(day, 0.0, kAlmanacSunMoonAries, kHourDays).at(7);
    double sunSd = 0.0;
    ASSERT_EQ(std::sscanf(sdLine.c_str(), "   UT  | S.D. = %lf", &sunSd), 1) << sdLine;
    Check("Sun SD (arcmin)", sunSd - Find("sunsd", kSun, day)->sd, kSizeToleranceArcmin,
          Where(day));

    for (int i = 0; i < 24; ++i) {
      const double jd = day + i * kHourDays;
      const std::string line = Row(jd, 0.0, kAlmanacSunMoonAries, 1, kHourDays);
      PrintedSunMoonAries row{};
      ASSERT_TRUE(ParseSunMoonAriesRow(line, row)) << line;
      char hour[8];
      std::snprintf(hour, sizeof hour, "%02d:00", i);
      EXPECT_EQ(row.time, hour);

      const ReferenceValue* sun = Find("sun", kSun, jd);
      const ReferenceValue* moon = Find("moon", kMoon, jd);
      const ReferenceValue* aries = Find("aries", 0, jd);
      ASSERT_TRUE(sun && moon && aries) << Where(jd);
      const std::string where = Where(jd) + ": " + line;
      Check("Sun GHA (arcmin)", ArcminDifference(row.sunGha, sun->gha), kAngleToleranceArcmin,
            where);
      Check("Sun Dec (arcmin)", ArcminDifference(row.sunDec, sun->dec), kAngleToleranceArcmin,
            where);
      Check("Moon GHA (arcmin)", ArcminDifference(row.moonGha, moon->gha), kAngleToleranceArcmin,
            where);
      Check("Moon Dec (arcmin)", ArcminDifference(row.moonDec, moon->dec), kAngleToleranceArcmin,
            where);
      Check("Moon HP (arcmin)", row.hp - moon->hp, kSizeToleranceArcmin, where);
      Check("Moon SD (arcmin)", row.sd - moon->sd, kSizeToleranceArcmin, where);
      Check("Moon Ill. (percent)", row.illumination - moon->illumination,
            kIlluminationTolerancePercent, where);
      Check("Aries GHA (arcmin)", ArcminDifference(row.ariesGha, aries->gha), kAngleToleranceArcmin,
            where);
      ++rows;
    }
  }
  EXPECT_EQ(rows, kDateCount * 24);
}

TEST_F(ReferenceAlmanac, PlanetTablesOfAFullDayAtTheCentreOfLight) {
  int rows = 0;
  for (const double day : Days()) {
    for (int i = 0; i < 24; ++i) {
      const double jd = day + i * kHourDays;
      const std::string line = Row(jd, 0.0, kAlmanacPlanets, 1, kHourDays);
      PrintedPlanets row{};
      ASSERT_TRUE(ParsePlanetsRow(line, row)) << line;
      for (int k = 0; k < kAlmanacPlanetCount; ++k) {
        const ReferenceValue* planet = Find("planet", kAlmanacPlanetBodies[k], jd);
        ASSERT_NE(planet, nullptr) << Where(jd);
        const std::string where = Where(jd) + ": " + line;
        const std::string name = kPrintedPlanetNames[k];
        Check(name + " GHA (arcmin)", ArcminDifference(row.gha[k], planet->gha),
              kAngleToleranceArcmin, where);
        Check(name + " Dec (arcmin)", ArcminDifference(row.dec[k], planet->dec),
              kAngleToleranceArcmin, where);
      }
      ++rows;
    }
  }
  EXPECT_EQ(rows, kDateCount * 24);
}

TEST_F(ReferenceAlmanac, StarTablesAtAnInstantAndForTheDay) {
  int rows = 0;
  for (const double day : Days()) {
    // The instant of the star table at an instant is that of the reference.
    double instant = 0.0;
    for (const ReferenceValue& v : values_) {
      if (v.kind == "star" && v.jdUt1 >= day && v.jdUt1 < day + 1.0) instant = v.jdUt1;
    }
    ASSERT_GT(instant, 0.0);

    const std::string ariesLine =
        Heading(instant, 0.0, kAlmanacStarAtInstant, kStarIntervalDays).at(8);
    const std::vector<std::string> ariesWords = PrintedWords(ariesLine);
    ASSERT_EQ(ariesWords.size(), 6u) << ariesLine;
    Check("Aries GHA (arcmin)",
          ArcminDifference(PrintedAngle(ariesWords[4], ariesWords[5]),
                           Find("aries", 0, instant)->gha),
          kAngleToleranceArcmin, Where(instant) + ": " + ariesLine);

    for (int16_t star = 1; star <= kStarsPrinted; ++star) {
      const ReferenceValue* atInstant = Find("star", star, instant);
      const ReferenceValue* forDay = Find("starday", star, day + 0.5);
      ASSERT_TRUE(atInstant && forDay);

      std::string line = Row(instant, 0.0, kAlmanacStarAtInstant, star, kStarIntervalDays);
      PrintedStar row;
      ASSERT_TRUE(ParseStarRow(line, true, row)) << line;
      const bool polaris = star == kAlmanacLastStar;
      const std::string prefix = polaris ? "Polaris " : "Star ";
      const double hourAngleTolerance =
          polaris ? kPolarisHourAngleToleranceArcmin : kAngleToleranceArcmin;
      std::string where = Where(instant) + ": " + line;
      Check(prefix + "SHA (arcmin)", ArcminDifference(row.sha, atInstant->sha), hourAngleTolerance,
            where);
      Check(prefix + "GHA (arcmin)", ArcminDifference(row.gha, atInstant->gha), hourAngleTolerance,
            where);
      Check(prefix + "Dec (arcmin)", ArcminDifference(row.dec, atInstant->dec),
            kAngleToleranceArcmin, where);

      // The day's table is asked for at 0h and must show the values of 12h.
      line = Row(day, 0.0, kAlmanacStarForDay, star, kHourDays);
      ASSERT_TRUE(ParseStarRow(line, false, row)) << line;
      where = Where(day) + ": " + line;
      Check(prefix + "SHA day (arcmin)", ArcminDifference(row.sha, forDay->sha), hourAngleTolerance,
            where);
      Check(prefix + "Dec day (arcmin)", ArcminDifference(row.dec, forDay->dec),
            kAngleToleranceArcmin, where);
      ++rows;
    }
  }
  EXPECT_EQ(rows, kDateCount * kStarsPrinted);
}

}  // namespace
}  // namespace navora
