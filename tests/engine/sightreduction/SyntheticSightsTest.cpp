// The fix against sights with a known answer. Each scenario (written by
// tools/reference/synthetic_sights.py) holds the log's legs, the sights as the
// log stores them, and the truth: the position at the time of fix, the course
// and speed made good, and each sight's true altitude from the independent
// ERFA/DE405 reference. The whole chain runs as the application runs it:
// reduce only, prune, then solve with course and speed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/horizon/HeightOfEye.h"
#include "engine/sightreduction/FixComputation.h"
#include "engine/sightreduction/SightReduction.h"
#include "support/FixtureRows.h"

namespace navora {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kArcminPerDegree = 60.0;

// Without noise only the 0.1' rounding of hs and the engine's simpler place
// models (0.005') separate the fix from the truth.
constexpr double kInterceptAtTruthToleranceArcmin = 0.056;
constexpr double kOneLegToleranceArcmin = 0.1;
constexpr double kRunningFixToleranceArcmin = 0.2;
constexpr double kCourseToleranceDeg = 1.0;
constexpr double kSpeedToleranceKnots = 0.2;

// The error estimate: Gaussian errors at each sight's grade, and how often the
// printed two-sigma box holds the truth.
constexpr int kTrials = 500;
constexpr uint64_t kSeed = 20240611;
constexpr double kBoxHalfWidthSigmas = 2.0;
constexpr double kLowestCoverage = 0.80;
constexpr double kHighestCoverage = 0.99;

// The prune of the application's driver, degrees.
constexpr double kPruneInterceptDeg = 10.0;

struct Scenario {
  std::string name;
  double timeOfFix = 0.0;
  double ut1MinusUtcAtFix = 0.0;
  double trueLatitude = 0.0, trueLongitude = 0.0;
  double trueCourse = 0.0, trueSpeed = 0.0;
  bool current = false;
  std::vector<PositionRecord> legStarts;
  std::vector<ObservationRecord> sights;
  std::vector<double> trueAltitudes;  // of the observed point, degrees
};

Scenario LoadScenario(const std::filesystem::path& path) {
  Scenario scenario;
  scenario.name = path.stem().string();
  for (std::istringstream& fields : testing::FixtureRows(path.string())) {
    std::string kind;
    fields >> kind;
    if (kind == "fix") {
      int current = 0, legCount = 0;
      fields >> scenario.timeOfFix >> scenario.ut1MinusUtcAtFix >> scenario.trueLatitude >>
          scenario.trueLongitude >> scenario.trueCourse >> scenario.trueSpeed >> current >>
          legCount;
      scenario.current = current != 0;
    } else if (kind == "leg") {
      int index = 0, positionType = 0;
      double time = 0.0, latitude = 0.0, longitude = 0.0, course = 0.0, speed = 0.0;
      fields >> index >> time >> latitude >> longitude >> course >> speed >> positionType;
      scenario.legStarts.push_back(
          MakePositionRecord(kMotionRhumbLine, static_cast<uint16_t>(positionType), time, latitude,
                             longitude, course, speed, 0.0, 0.0));
    } else if (kind == "sight") {
      ObservationRecord sight;
      double trueAltitude = 0.0, trueAzimuth = 0.0;
      fields >> sight.legIndex >> sight.bodyCode >> sight.starNumber >> sight.time >>
          sight.ut1MinusUtc >> sight.temperature >> sight.pressure >> sight.hs >>
          sight.indexCorrection >> sight.heightOfEye >> sight.sigma >> trueAltitude >> trueAzimuth;
      scenario.sights.push_back(sight);
      scenario.trueAltitudes.push_back(trueAltitude);
    }
  }
  return scenario;
}

std::vector<Scenario> LoadScenarios() {
  std::vector<std::filesystem::path> paths;
  for (const auto& entry :
       std::filesystem::directory_iterator(NAVORA_FIXTURE_DIR "/sightreduction")) {
    if (entry.path().filename().string().rfind("synthetic-", 0) == 0) paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());
  std::vector<Scenario> scenarios;
  for (const auto& path : paths) scenarios.push_back(LoadScenario(path));
  return scenarios;
}

// The sextant altitude a navigator reads for a true altitude: Ha solves
// Ho = Ha - R(Ha) / 60, then index correction and dip; rounded to 0.1' as the
// sight dialog takes it.
double SextantAltitude(double trueAltitudeDeg, const ObservationRecord& sight) {
  double apparent = trueAltitudeDeg;
  for (int pass = 0; pass < 50; ++pass) {
    double refraction = 0.0;
    EXPECT_EQ(RefractionMinutes(apparent, sight.temperature, sight.pressure, refraction),
              kStatusOk);
    const double next = trueAltitudeDeg + refraction / kArcminPerDegree;
    if (std::fabs(next - apparent) < 1e-12) break;
    apparent = next;
  }
  const double hs =
      apparent - sight.indexCorrection + DipMinutes(sight.heightOfEye) / kArcminPerDegree;
  return std::round(hs * 600.0) / 600.0;
}

// What Compute Fix and then Calculate Fix do with the arrays.
struct FixRun {
  EngineStatus status = kStatusOk;
  FixSolution fix;
  std::vector<LegRecord> legs;
  std::vector<ReducedObservation> reduced;
};

FixRun ComputeFix(PlaceContext& context, const Scenario& scenario,
                  std::vector<ObservationRecord> sights) {
  FixRun run;
  run.legs.resize(scenario.legStarts.size());
  for (size_t i = 0; i < run.legs.size(); ++i) run.legs[i].start = scenario.legStarts[i];
  std::vector<ReducedObservation>& reduced = run.reduced;
  reduced.resize(sights.size());
  const int fixLeg = static_cast<int>(run.legs.size()) - 1;
  run.status = ReduceSights(context, kReduceOnly, scenario.timeOfFix, scenario.ut1MinusUtcAtFix,
                            run.legs, sights, fixLeg, reduced, run.fix);
  if (run.status != kStatusOk) return run;
  for (size_t i = 0; i < sights.size(); ++i) {
    if (std::fabs(reduced[i].ho - reduced[i].hc) > kPruneInterceptDeg) {
      sights[i].included = 0;
      reduced[i].included = 0;
    }
  }
  run.status = ReduceSights(context, kSolveCourseSpeed, scenario.timeOfFix,
                            scenario.ut1MinusUtcAtFix, run.legs, sights, fixLeg, reduced, run.fix);
  return run;
}

double LongitudeDifferenceDeg(double longitude, double reference) {
  return std::remainder(longitude - reference, 360.0);
}

double PositionErrorArcmin(const FixSolution& fix, const Scenario& scenario) {
  const double north = fix.latitude - scenario.trueLatitude;
  const double east = LongitudeDifferenceDeg(fix.longitude, scenario.trueLongitude) *
                      std::cos(scenario.trueLatitude * kPi / 180.0);
  return std::hypot(north, east) * kArcminPerDegree;
}

// Standard normal deviates by Box-Muller over a generator whose sequence the
// standard fixes, so that every library draws the same trials.
class NormalDeviates {
 public:
  explicit NormalDeviates(uint64_t seed) : engine_(seed) {}
  double Next() {
    if (hasSpare_) {
      hasSpare_ = false;
      return spare_;
    }
    constexpr double kScale = 1.0 / 18446744073709551616.0;  // 2^-64
    const double u1 = (static_cast<double>(engine_()) + 0.5) * kScale;
    const double u2 = static_cast<double>(engine_()) * kScale;
    const double radius = std::sqrt(-2.0 * std::log(u1));
    spare_ = radius * std::sin(2.0 * kPi * u2);
    hasSpare_ = true;
    return radius * std::cos(2.0 * kPi * u2);
  }

 private:
  std::mt19937_64 engine_;
  double spare_ = 0.0;
  bool hasSpare_ = false;
};

class SyntheticSightsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(OpenDefaultEphemeris(context_.ephemeris), kStatusOk);
    scenarios_ = LoadScenarios();
    ASSERT_GE(scenarios_.size(), 9u);
  }

  PlaceContext context_;
  std::vector<Scenario> scenarios_;
};

// Separates the reduction from the fix: seen from the true track, every sight
// of the fix leg must show an intercept no larger than the rounding of hs.
TEST_F(SyntheticSightsTest, InterceptsAtTheTruePositionAreOnlyTheRoundingOfHs) {
  for (const Scenario& scenario : scenarios_) {
    SCOPED_TRACE(scenario.name);
    LegRecord truth;
    truth.reduction = MakePositionRecord(
        kMotionRhumbLine, kPositionCelestialFix, scenario.timeOfFix, scenario.trueLatitude,
        scenario.trueLongitude, scenario.trueCourse, scenario.trueSpeed, 0.0, 0.0);
    std::vector<ObservationRecord> sights = scenario.sights;
    std::vector<ReducedObservation> reduced(sights.size());
    CorrectObservedAltitudes(sights, reduced);
    const size_t fixLeg = scenario.legStarts.size() - 1;
    for (size_t i = 0; i < sights.size(); ++i) {
      if (sights[i].legIndex != fixLeg) continue;
      ASSERT_EQ(ReduceObservation(context_, sights[i], truth, truth, scenario.ut1MinusUtcAtFix,
                                  reduced[i]),
                kStatusOk);
      EXPECT_LT(std::fabs(reduced[i].ho - reduced[i].hc) * kArcminPerDegree,
                kInterceptAtTruthToleranceArcmin)
          << "sight " << i << " body " << sights[i].bodyCode << "/" << sights[i].starNumber;
    }
  }
}

TEST_F(SyntheticSightsTest, FixLandsOnTheTruePositionAndTrack) {
  for (const Scenario& scenario : scenarios_) {
    SCOPED_TRACE(scenario.name);
    ASSERT_FALSE(scenario.sights.empty());
    const FixRun run = ComputeFix(context_, scenario, scenario.sights);
    ASSERT_EQ(run.status, kStatusOk);
    const double error = PositionErrorArcmin(run.fix, scenario);
    const double courseError = std::remainder(run.fix.course - scenario.trueCourse, 360.0);
    const double speedError = run.fix.speed - scenario.trueSpeed;
    EXPECT_LT(error,
              scenario.legStarts.size() == 1 ? kOneLegToleranceArcmin : kRunningFixToleranceArcmin);
    if (scenario.current) {
      // Without course and speed unknowns the current would stay in the fix.
      EXPECT_EQ(run.legs.back().solveCourseSpeed, 1);
      EXPECT_GT(run.fix.sigmaSpeed, 0.0);
      EXPECT_LT(std::fabs(courseError), kCourseToleranceDeg);
      EXPECT_LT(std::fabs(speedError), kSpeedToleranceKnots);
    }
  }
}

// One sight included: the fix lies on its line of position, with no error
// estimate and no course or speed to solve.
TEST_F(SyntheticSightsTest, OneSightFixIsOnItsLineOfPosition) {
  const Scenario& scenario =
      *std::find_if(scenarios_.begin(), scenarios_.end(),
                    [](const Scenario& s) { return s.legStarts.size() == 1; });
  std::vector<ObservationRecord> sights = scenario.sights;
  for (size_t i = 1; i < sights.size(); ++i) sights[i].included = 0;
  const FixRun run = ComputeFix(context_, scenario, sights);
  ASSERT_EQ(run.status, kStatusOk);
  EXPECT_NEAR(run.reduced[0].ho, run.reduced[0].hc, 1e-5);  // a metre
  EXPECT_GT(PositionErrorArcmin(run.fix, scenario), 0.5) << "not the full fix";
  EXPECT_EQ(run.legs[0].solveCourseSpeed, 0);
  EXPECT_EQ(run.fix.sigmaLatitude, 0.0);
  EXPECT_EQ(run.fix.sigmaCourse, 0.0);
  EXPECT_EQ(run.fix.sigmaUnitWeight, 0.0);
}

TEST_F(SyntheticSightsTest, TwoSigmaBoxHoldsTheTruthAsOftenAsTheGradesSay) {
  NormalDeviates deviates(kSeed);
  for (const Scenario& scenario : scenarios_) {
    SCOPED_TRACE(scenario.name);
    int insideBoth = 0;
    for (int trial = 0; trial < kTrials; ++trial) {
      std::vector<ObservationRecord> sights = scenario.sights;
      for (size_t i = 0; i < sights.size(); ++i) {
        sights[i].hs = SextantAltitude(
            scenario.trueAltitudes[i] + sights[i].sigma * deviates.Next(), sights[i]);
      }
      const FixRun run = ComputeFix(context_, scenario, sights);
      ASSERT_EQ(run.status, kStatusOk) << "trial " << trial;
      const double north = std::fabs(run.fix.latitude - scenario.trueLatitude);
      const double east =
          std::fabs(LongitudeDifferenceDeg(run.fix.longitude, scenario.trueLongitude));
      insideBoth += north <= kBoxHalfWidthSigmas * run.fix.sigmaLatitude &&
                    east <= kBoxHalfWidthSigmas * run.fix.sigmaLongitude;
    }
    const double both = static_cast<double>(insideBoth) / kTrials;
    EXPECT_GE(both, kLowestCoverage);
    EXPECT_LE(both, kHighestCoverage);
  }
}

}  // namespace
}  // namespace navora
