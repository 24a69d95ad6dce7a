// The sky chart, the selected stars and the planning bodies against an
// independent ERFA/DE405 sky (tools/reference/planning_reference.py) at 20
// instants 1970-2024, latitudes 60 S to 65 N: every body each computation
// gives within 0.1' in altitude and 0.1 degree in azimuth, the chart holding
// exactly the bodies the reference puts above its limits.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/horizon/SightPlanningChecks.h"
#include "engine/planning/PlanningInstant.h"
#include "engine/planning/SkyChart.h"
#include "support/FixtureRows.h"

namespace navora {
namespace {

constexpr double kAltitudeToleranceDeg = 0.1 / 60.0;
constexpr double kAzimuthToleranceDeg = 0.1;
constexpr double kSemiDiameterToleranceArcsec = 0.1;
// Bodies this close to a chart limit may fall either side of it.
constexpr double kLimitMarginDeg = 0.01;
constexpr int kStarKey = 100;  // chart keys: BodyId, or kStarKey + star number

struct RefDirection {
  double altitude = 0.0, azimuth = 0.0, elongation = 0.0, semiDiameter = 0.0;
};

struct RefInstant {
  double jdUtc = 0.0, latitude = 0.0, longitude = 0.0, height = 0.0, lhaAries = 0.0;
  std::map<int, RefDirection> sky;  // by chart key
};

std::vector<RefInstant> LoadInstants() {
  std::vector<RefInstant> instants;
  for (std::istringstream& fields :
       testing::FixtureRows(NAVORA_FIXTURE_DIR "/planning/reference-bodies.tsv")) {
    std::string kind;
    size_t id = 0;
    fields >> kind >> id;
    if (kind == "instant") {
      instants.resize(id + 1);
      RefInstant& in = instants[id];
      fields >> in.jdUtc >> in.latitude >> in.longitude >> in.height >> in.lhaAries;
      continue;
    }
    int number = 0;
    RefDirection d;
    fields >> number >> d.altitude >> d.azimuth >> d.elongation >> d.semiDiameter;
    instants.at(id).sky[kind == "body" ? number : kStarKey + number] = d;
  }
  return instants;
}

double AngleDifference(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

void ExpectDirection(double altitude, double azimuth, const RefDirection& ref,
                     const std::string& where) {
  EXPECT_NEAR(altitude, ref.altitude, kAltitudeToleranceDeg) << where;
  EXPECT_LE(AngleDifference(azimuth, ref.azimuth), kAzimuthToleranceDeg) << where;
}

class ReferencePlanningTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(OpenDefaultEphemeris(places_.ephemeris), kStatusOk);
    instants_ = LoadInstants();
    ASSERT_EQ(instants_.size(), 20u);
  }

  PlaceContext places_;
  std::vector<RefInstant> instants_;
};

TEST_F(ReferencePlanningTest, SkyChartHoldsEveryBodyAboveItsLimitWhereTheReferenceHasIt) {
  const std::map<std::string, int> keys = {{"Sun", kSun},         {"Moon", kMoon},
                                           {"Venus", kVenus},     {"Mars", kMars},
                                           {"Jupiter", kJupiter}, {"Saturn", kSaturn}};
  for (size_t i = 0; i < instants_.size(); ++i) {
    const RefInstant& ref = instants_[i];
    const std::string at = "instant " + std::to_string(i) + ", ";
    SkyChartLuminary luminaries[kSkyChartMaxLuminaries];
    SkyChartPlanet planets[kSkyChartMaxPlanets];
    SkyChartStar stars[kSkyChartMaxStars];
    int16_t luminaryCount = 0, planetCount = 0, starCount = 0;
    ASSERT_EQ(ComputeSkyChart(places_, ref.jdUtc, 0.0, ref.latitude, ref.longitude, ref.height,
                              luminaries, luminaryCount, planets, planetCount, stars, starCount),
              kStatusOk);

    std::set<int> shown;
    const auto check = [&](int key, const char* name, double zenithDistance, double azimuth) {
      shown.insert(key);
      ExpectDirection(90.0 - zenithDistance, azimuth, ref.sky.at(key), at + name);
    };
    for (const SkyChartLuminary& l : std::span(luminaries, luminaryCount)) {
      check(keys.at(l.name), l.name, l.zenithDistance, l.azimuth);
      ExpectDirection(90.0 - l.sunZenithDistance, l.sunAzimuth, ref.sky.at(kSun),
                      at + "Sun of the " + l.name + " record");
    }
    for (const SkyChartPlanet& p : std::span(planets, planetCount)) {
      check(keys.at(p.name), p.name, p.zenithDistance, p.azimuth);
    }
    for (const SkyChartStar& s : std::span(stars, starCount)) {
      check(kStarKey + s.starNumber, s.name, s.zenithDistance, s.azimuth);
    }

    for (const auto& [key, direction] : ref.sky) {
      const double limit = key == kSun ? kSkyChartSunLimitDeg : kSkyChartBodyLimitDeg;
      const double beyond = 90.0 - direction.altitude - limit;
      if (std::fabs(beyond) < kLimitMarginDeg) continue;
      EXPECT_EQ(shown.count(key) == 1, beyond < 0.0) << at << "key " << key;
    }
  }
}

TEST_F(ReferencePlanningTest, SelectedStarsAndPlanningBodiesMatchTheReference) {
  for (size_t i = 0; i < instants_.size(); ++i) {
    const RefInstant& ref = instants_[i];
    const std::string at = "instant " + std::to_string(i) + ", ";
    const RefDirection& sun = ref.sky.at(kSun);
    SelectedStarsResult selected;
    ASSERT_EQ(
        SelectedStarsAt(places_, ref.jdUtc, 0.0, ref.latitude, ref.longitude, ref.height, selected),
        kStatusOk);
    for (const SelectedStarEntry& star : selected.stars) {
      const int number = std::abs(star.starNumber);
      ExpectDirection(star.altitude, star.azimuth, ref.sky.at(kStarKey + number),
                      at + "star " + std::to_string(number));
    }
    EXPECT_NEAR(selected.sunAltitude, sun.altitude, kAltitudeToleranceDeg) << at;
    EXPECT_NEAR(selected.sunSemiDiameter, sun.semiDiameter, kSemiDiameterToleranceArcsec) << at;

    PlanningBodiesResult bodies;
    ASSERT_EQ(
        PlanningBodiesAt(places_, ref.jdUtc, 0.0, ref.latitude, ref.longitude, ref.height, bodies),
        kStatusOk);
    EXPECT_LE(AngleDifference(bodies.lhaAries, ref.lhaAries), kAltitudeToleranceDeg) << at;
    for (const PlanningBodyEntry& entry : bodies.bodies) {
      const RefDirection& body = ref.sky.at(entry.body);
      const std::string where = at + "body " + std::to_string(entry.body);
      ExpectDirection(entry.altitude, entry.azimuth, body, where);
      EXPECT_NEAR(entry.elongation, body.elongation, kAltitudeToleranceDeg) << where;
    }
    EXPECT_NEAR(bodies.moonSemiDiameter, ref.sky.at(kMoon).semiDiameter,
                kSemiDiameterToleranceArcsec)
        << at;
    EXPECT_EQ(bodies.eclipse, kNoEclipse) << at;
  }
}

}  // namespace
}  // namespace navora
