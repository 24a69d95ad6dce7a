// The sky chart, the selected stars and the planning bodies against an
// independent ERFA/DE405 sky (tools/reference/planning_reference.py) at 20
// instants 1970-2024, latitudes 60 S to 65 N: every body each computation
// gives within 0.1' in altitude and 0.1 degree in azimuth, the chart holding
// exactly the bodies the reference puts above its limits. The largest
// differences are printed for the accuracy notes of the headers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
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

struct RefDirection {
  double altitude = 0.0, azimuth = 0.0, elongation = 0.0, semiDiameter = 0.0;
};

struct RefInstant {
  double jdUtc = 0.0, latitude = 0.0, longitude = 0.0, height = 0.0, lhaAries = 0.0;
  std::map<int, RefDirection> bodies;  // by BodyId
  std::map<int, RefDirection> stars;   // by catalogue number
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
    fields >> number >> d.altitude >> d.azimuth;
    if (kind == "body") {
      fields >> d.elongation >> d.semiDiameter;
      instants.at(id).bodies[number] = d;
    } else {
      instants.at(id).stars[number] = d;
    }
  }
  return instants;
}

double AzimuthDifference(double a, double b) {
  return std::fabs(std::remainder(a - b, 360.0));
}

// Largest differences by kind of body, printed when the test ends.
class Worst {
 public:
  explicit Worst(std::string what) : what_(std::move(what)) {}
  ~Worst() {
    for (const auto& [kind, d] : worst_) {
      std::printf("[%s] %-7s altitude %.4f'  azimuth %.5f deg\n", what_.c_str(), kind.c_str(),
                  d.first * 60.0, d.second);
    }
  }
  void Check(const std::string& kind, const std::string& where, double altitude, double azimuth,
             const RefDirection& ref) {
    const double dAlt = std::fabs(altitude - ref.altitude);
    const double dAz = AzimuthDifference(azimuth, ref.azimuth);
    EXPECT_LE(dAlt, kAltitudeToleranceDeg) << where;
    EXPECT_LE(dAz, kAzimuthToleranceDeg) << where;
    auto& d = worst_[kind];
    d.first = std::max(d.first, dAlt);
    d.second = std::max(d.second, dAz);
  }

 private:
  std::string what_;
  std::map<std::string, std::pair<double, double>> worst_;
};

std::string KindOf(int body) {
  return body == kSun ? "Sun" : body == kMoon ? "Moon" : "planet";
}

std::string Where(size_t instant, const std::string& body) {
  return "instant " + std::to_string(instant) + ", " + body;
}

// Whether the reference puts a direction on the chart: true, false, or
// unknown within the margin of the limit.
std::optional<bool> Charted(const RefDirection& ref, double limitZenithDeg) {
  const double z = 90.0 - ref.altitude;
  if (std::fabs(z - limitZenithDeg) < kLimitMarginDeg) return std::nullopt;
  return z < limitZenithDeg;
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
  Worst worst("sky chart");
  const std::map<std::string, int> planetIds = {
      {"Venus", kVenus}, {"Mars", kMars}, {"Jupiter", kJupiter}, {"Saturn", kSaturn}};
  for (size_t i = 0; i < instants_.size(); ++i) {
    const RefInstant& ref = instants_[i];
    SkyChartLuminary luminaries[kSkyChartMaxLuminaries];
    SkyChartPlanet planets[kSkyChartMaxPlanets];
    SkyChartStar stars[kSkyChartMaxStars];
    int16_t luminaryCount = 0, planetCount = 0, starCount = 0;
    ASSERT_EQ(ComputeSkyChart(places_, ref.jdUtc, 0.0, ref.latitude, ref.longitude, ref.height,
                              luminaries, luminaryCount, planets, planetCount, stars, starCount),
              kStatusOk);

    std::map<int, bool> shown;  // BodyId or 100 + star number
    for (int k = 0; k < luminaryCount; ++k) {
      const SkyChartLuminary& l = luminaries[k];
      const int body = std::string(l.name) == "Sun" ? kSun : kMoon;
      shown[body] = true;
      worst.Check(KindOf(body), Where(i, l.name), 90.0 - l.zenithDistance, l.azimuth,
                  ref.bodies.at(body));
      worst.Check("Sun", Where(i, "Sun of the Moon record"), 90.0 - l.sunZenithDistance,
                  l.sunAzimuth, ref.bodies.at(kSun));
    }
    for (int k = 0; k < planetCount; ++k) {
      const int body = planetIds.at(planets[k].name);
      shown[body] = true;
      worst.Check("planet", Where(i, planets[k].name), 90.0 - planets[k].zenithDistance,
                  planets[k].azimuth, ref.bodies.at(body));
    }
    for (int k = 0; k < starCount; ++k) {
      shown[100 + stars[k].starNumber] = true;
      worst.Check("star", Where(i, stars[k].name), 90.0 - stars[k].zenithDistance,
                  stars[k].azimuth, ref.stars.at(stars[k].starNumber));
    }

    for (const auto& [body, direction] : ref.bodies) {
      const double limit = body == kSun ? kSkyChartSunLimitDeg : kSkyChartBodyLimitDeg;
      if (const auto expected = Charted(direction, limit)) {
        EXPECT_EQ(shown.count(body) == 1, *expected) << Where(i, "body " + std::to_string(body));
      }
    }
    for (const auto& [number, direction] : ref.stars) {
      if (const auto expected = Charted(direction, kSkyChartBodyLimitDeg)) {
        EXPECT_EQ(shown.count(100 + number) == 1, *expected)
            << Where(i, "star " + std::to_string(number));
      }
    }
  }
}

TEST_F(ReferencePlanningTest, SelectedStarsAndSunMatchTheReference) {
  Worst worst("selected stars");
  double worstSemiDiameter = 0.0;
  for (size_t i = 0; i < instants_.size(); ++i) {
    const RefInstant& ref = instants_[i];
    SelectedStarsResult result;
    ASSERT_EQ(SelectedStarsAt(places_, ref.jdUtc, 0.0, ref.latitude, ref.longitude, ref.height,
                              result),
              kStatusOk);
    for (const SelectedStarEntry& star : result.stars) {
      const int number = std::abs(star.starNumber);
      worst.Check("star", Where(i, "star " + std::to_string(number)), star.altitude,
                  star.azimuth, ref.stars.at(number));
    }
    const RefDirection& sun = ref.bodies.at(kSun);
    worst.Check("Sun", Where(i, "Sun"), result.sunAltitude, sun.azimuth, sun);
    const double dSd = std::fabs(result.sunSemiDiameter - sun.semiDiameter);
    EXPECT_LE(dSd, kSemiDiameterToleranceArcsec) << Where(i, "Sun SD");
    worstSemiDiameter = std::max(worstSemiDiameter, dSd);
  }
  std::printf("[selected stars] Sun SD %.4f\"\n", worstSemiDiameter);
}

TEST_F(ReferencePlanningTest, PlanningBodiesMatchTheReference) {
  Worst worst("planning bodies");
  double worstElongation = 0.0, worstLha = 0.0, worstSemiDiameter = 0.0;
  for (size_t i = 0; i < instants_.size(); ++i) {
    const RefInstant& ref = instants_[i];
    PlanningBodiesResult result;
    ASSERT_EQ(PlanningBodiesAt(places_, ref.jdUtc, 0.0, ref.latitude, ref.longitude, ref.height,
                               result),
              kStatusOk);
    const double dLha = AzimuthDifference(result.lhaAries, ref.lhaAries);
    EXPECT_LE(dLha, kAltitudeToleranceDeg) << Where(i, "LHA Aries");
    worstLha = std::max(worstLha, dLha);
    for (const PlanningBodyEntry& entry : result.bodies) {
      const RefDirection& body = ref.bodies.at(entry.body);
      const std::string where = Where(i, "body " + std::to_string(entry.body));
      worst.Check(KindOf(entry.body), where, entry.altitude, entry.azimuth, body);
      const double dElongation = std::fabs(entry.elongation - body.elongation);
      EXPECT_LE(dElongation, kAltitudeToleranceDeg) << where;
      worstElongation = std::max(worstElongation, dElongation);
    }
    const double dSd = std::fabs(result.moonSemiDiameter - ref.bodies.at(kMoon).semiDiameter);
    EXPECT_LE(dSd, kSemiDiameterToleranceArcsec) << Where(i, "Moon SD");
    worstSemiDiameter = std::max(worstSemiDiameter, dSd);
    EXPECT_EQ(result.eclipse, kNoEclipse) << Where(i, "eclipse");
  }
  std::printf("[planning bodies] elongation %.4f'  LHA Aries %.4f'  Moon SD %.4f\"\n",
              worstElongation * 60.0, worstLha * 60.0, worstSemiDiameter);
}

}  // namespace
}  // namespace navora
