// The selected-stars and planets tables: golden tables from hand-made rows
// that cross midnight, change the star order and set, pass through every
// light column and every special cell, and the refusal of damaged rows.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/planning/PlanningTables.h"
#include "engine/time/Calendar.h"
#include "tests/engine/planning/PlanningGolden.h"

namespace navora {
namespace {

// h0 = -42.52' at 16 m: the Sun at -0.9 degrees shows only its upper limb.
constexpr double kHeightOfEyeM = 16.0;
constexpr double kSunSemiDiameter = 960.0;   // arcseconds
constexpr double kMoonSemiDiameter = 900.0;  // arcseconds

double At(int16_t day, int16_t hour, int16_t minute) {
  return CalendarToJulian(2024, 3, day, hour, minute, 0.0);
}

std::string Join(const ReportLine* lines, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::string(lines[i]) + "\n";
  return text;
}

// The header of `kind`, then each row as `format(state, index, lines, count)`
// prints it.
template <typename Format>
std::string Table(int kind, size_t rows, Format format) {
  ReportLine lines[kPlanningRowMaxLines];
  int count = 0;
  EXPECT_EQ(FormatPlanningHeader(kind, 50.5, -4.25, kHeightOfEyeM, lines, count), kStatusOk);
  std::string table = Join(lines, count);
  PlanningTableState state;
  for (size_t i = 0; i < rows; ++i) {
    EXPECT_EQ(format(state, static_cast<int>(i), lines, count), kStatusOk) << "row " << i;
    table += Join(lines, count);
  }
  return table;
}

struct StarRow {
  double time;
  SelectedStarEntry stars[kSelectedStarCount];
  double sunAltitude;
};

TEST(PlanningTables, StarTableRepeatsDateAndHeadingWhereTheyChange) {
  const std::vector<StarRow> rows = {
      // First row: date and heading; 359.6 prints 000 but sorts last; the Sun at -13.
      {At(19, 23, 50),
       {{-18, 25.51, 210.4}, {20, 40.2, 240.7}, {-26, 55.0, 120.2}, {21, 62.3, 359.6},
        {-37, 18.0, 85.0}, {49, 33.9999, 30.5}, {12, 70.9, 5.5}},
       -13.0},
      // Same stars and order: no heading; nautical twilight.
      {At(19, 23, 54),
       {{-18, 26.0, 211.4}, {20, 39.5, 241.2}, {-26, 54.1, 121.0}, {21, 61.9, 359.9},
        {-37, 18.6, 85.7}, {49, 33.1, 31.0}, {12, 70.2, 6.2}},
       -8.0},
      // Stars 18 and 20 swap azimuth order: heading again; civil twilight.
      {At(19, 23, 58),
       {{-18, 26.4, 241.3}, {20, 38.8, 241.0}, {-26, 53.2, 121.8}, {21, 61.4, 359.8},
        {-37, 19.2, 86.4}, {49, 32.3, 31.5}, {12, 69.5, 6.9}},
       -5.0},
      // Next day; Polaris replaces Capella: date line and heading; the
      // centre below h0 but the upper limb above it.
      {At(20, 0, 2),
       {{-18, 26.9, 242.0}, {20, 38.1, 241.6}, {-26, 52.4, 122.6}, {21, 60.9, 0.9},
        {-37, 19.8, 87.1}, {49, 31.6, 32.0}, {58, 45.0, 0.5}},
       -0.9},
      // Same stars: civil twilight with the upper limb below h0.
      {At(20, 0, 6),
       {{-18, 27.3, 242.6}, {20, 37.4, 242.2}, {-26, 51.6, 123.4}, {21, 60.4, 1.6},
        {-37, 20.4, 87.8}, {49, 30.8, 32.5}, {58, 45.0, 0.5}},
       -1.2},
  };
  const std::string table = Table(kPlanningHeaderStars, rows.size(),
                                  [&rows](PlanningTableState& state, int i, auto& lines,
                                          int& count) {
                                    SelectedStarsResult result;
                                    result.time = rows[i].time;
                                    std::copy(std::begin(rows[i].stars), std::end(rows[i].stars),
                                              result.stars.begin());
                                    result.sunAltitude = rows[i].sunAltitude;
                                    result.sunSemiDiameter = kSunSemiDiameter;
                                    return FormatSelectedStarsRow(state, i, result, kHeightOfEyeM,
                                                                  lines, count);
                                  });
  EXPECT_EQ(table, testing::PlanningGolden("selected_stars.txt", table));
}

struct BodyRow {
  double time;
  double lhaAries;
  double altitude[kPlanningBodyCount];
  double elongation[kPlanningBodyCount];
  EclipseCode eclipse;
};

TEST(PlanningTables, BodiesTableShowsGlareEclipsesAndBodiesAboveTheHorizon) {
  const std::vector<BodyRow> rows = {
      // Total solar eclipse; Venus 9 degrees from the Sun though high, Mars
      // 14 (near Sun), Jupiter 14 (shown); Saturn below; LHA 359.6 prints 000.
      {At(19, 23, 58), 359.6, {40.5, 40.4, 60.0, 30.0, 30.0, -5.0}, {0, 0.3, 9, 14, 14, 40},
       2},
      // Next day; total lunar eclipse with the Sun down; a planet just below
      // the sea horizon but above h0; Mars exactly 15 degrees from the Sun.
      {At(20, 0, 2), 0.6, {-7.0, 20.0, -0.6, 25.0, 35.0, 50.0}, {0, 179.8, 40, 15, 10.5, 15.5},
       6},
      // Partial solar eclipse with the Sun at -6; the Moon's upper limb up.
      {At(20, 0, 6), 360.0, {-6.0, -0.9, 10.0, 10.0, 10.0, 10.0}, {0, 0.4, 45, 90, 120, 150},
       1},
      // A penumbral eclipse of a Moon below the horizon: no mark.
      {At(20, 0, 10), 2.6, {-20.0, -1.0, 10.0, 10.0, 10.0, 10.0}, {0, 179.0, 45, 90, 120, 150},
       4},
      // Partial lunar eclipse of a Moon that is up.
      {At(20, 0, 14), 3.6, {-20.0, 10.0, 10.0, 10.0, 10.0, 10.0}, {0, 179.0, 45, 90, 120, 150},
       5},
  };
  const double magnitudes[kPlanningBodyCount] = {1.0, 0.4, -4.1, 1.3, -2.0, 0.9};
  const std::string table = Table(
      kPlanningHeaderBodies, rows.size(),
      [&](PlanningTableState& state, int i, auto& lines, int& count) {
        PlanningBodiesResult result;
        result.time = rows[i].time;
        result.lhaAries = rows[i].lhaAries;
        for (int b = 0; b < kPlanningBodyCount; ++b) {
          result.bodies[b] = {kPlanningBodies[b], rows[i].altitude[b], 100.0 + 20.0 * b + 0.7 * i,
                              magnitudes[b], rows[i].elongation[b]};
        }
        result.moonSemiDiameter = kMoonSemiDiameter;
        result.eclipse = rows[i].eclipse;
        return FormatPlanningBodiesRow(state, i, result, kHeightOfEyeM, lines, count);
      });
  EXPECT_EQ(table, testing::PlanningGolden("planning_bodies.txt", table));
}

TEST(PlanningTables, DamagedRowsAndUnknownHeadingsPrintNothing) {
  SelectedStarsResult good;
  good.time = At(19, 23, 50);
  for (int i = 0; i < kSelectedStarCount; ++i) good.stars[i] = {int16_t(i + 1), 30.0, 50.0 * i};
  PlanningBodiesResult goodBodies;
  goodBodies.time = good.time;
  for (int b = 0; b < kPlanningBodyCount; ++b) goodBodies.bodies[b].body = kPlanningBodies[b];

  // Each case damages both tables' rows: row index, height, or one value.
  using Damage = void (*)(SelectedStarsResult&, PlanningBodiesResult&, int&, double&);
  const Damage cases[] = {
      [](SelectedStarsResult&, PlanningBodiesResult&, int& row, double&) { row = -1; },
      [](SelectedStarsResult&, PlanningBodiesResult&, int&, double& height) { height = NAN; },
      [](SelectedStarsResult& s, PlanningBodiesResult& b, int&, double&) { s.time = b.time = NAN; },
      [](SelectedStarsResult& s, PlanningBodiesResult& b, int&, double&) {
        s.stars[3].altitude = b.bodies[3].altitude = 90.5;
      },
      [](SelectedStarsResult& s, PlanningBodiesResult& b, int&, double&) {
        s.stars[6].azimuth = b.bodies[5].azimuth = INFINITY;
      },
      [](SelectedStarsResult& s, PlanningBodiesResult& b, int&, double&) {
        s.sunAltitude = b.lhaAries = NAN;
      },
      [](SelectedStarsResult& s, PlanningBodiesResult& b, int&, double&) {
        s.stars[0].starNumber = 0;
        std::swap(b.bodies[2], b.bodies[3]);
      },
      [](SelectedStarsResult& s, PlanningBodiesResult& b, int&, double&) {
        s.stars[2].starNumber = -59;
        b.bodies[4].elongation = NAN;
      },
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SelectedStarsResult stars = good;
    PlanningBodiesResult bodies = goodBodies;
    int row = 0;
    double height = 0.0;
    cases[i](stars, bodies, row, height);
    PlanningTableState state;
    ReportLine lines[kPlanningRowMaxLines];
    int starLines = -1;
    int bodyLines = -1;
    EXPECT_EQ(FormatSelectedStarsRow(state, row, stars, height, lines, starLines),
              kStatusOutOfDomain) << i;
    EXPECT_EQ(FormatPlanningBodiesRow(state, row, bodies, height, lines, bodyLines),
              kStatusOutOfDomain) << i;
    EXPECT_EQ(starLines + bodyLines, 0) << i;
  }

  ReportLine header[kPlanningHeaderMaxLines];
  int count = -1;
  EXPECT_EQ(FormatPlanningHeader(kPlanningHeaderStars, NAN, 0.0, 0.0, header, count),
            kStatusOutOfDomain);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(FormatPlanningHeader(2, 0.0, 0.0, 0.0, header, count), kStatusOk);
  EXPECT_EQ(count, 0);
}

}  // namespace
}  // namespace navora
