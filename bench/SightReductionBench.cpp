// Cost of a full fix at the largest size the program takes: 25 sights over 4
// legs (the synthetic four-leg scenario of the tests), reduced at the DR
// positions and then solved with course and speed, as Compute Fix and
// Calculate Fix run it. Target: under 2 ms for both calls.

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/sightreduction/FixComputation.h"
#include "support/FixtureRows.h"

namespace {

struct FixInput {
  double timeOfFix = 0.0;
  double ut1MinusUtcAtFix = 0.0;
  std::vector<navora::LegRecord> legs;
  std::vector<navora::ObservationRecord> sights;
};

// The log's legs and sights of a synthetic scenario; the truth is not needed.
FixInput ReadScenario(const std::string& path) {
  FixInput input;
  for (std::istringstream& fields : navora::testing::FixtureRows(path)) {
    std::string kind;
    fields >> kind;
    if (kind == "fix") {
      fields >> input.timeOfFix >> input.ut1MinusUtcAtFix;
    } else if (kind == "leg") {
      int index = 0, positionType = 0;
      double time = 0.0, latitude = 0.0, longitude = 0.0, course = 0.0, speed = 0.0;
      fields >> index >> time >> latitude >> longitude >> course >> speed >> positionType;
      navora::LegRecord leg;
      leg.start = navora::MakePositionRecord(navora::kMotionRhumbLine,
                                             static_cast<uint16_t>(positionType), time, latitude,
                                             longitude, course, speed, 0.0, 0.0);
      input.legs.push_back(leg);
    } else if (kind == "sight") {
      navora::ObservationRecord sight;
      fields >> sight.legIndex >> sight.bodyCode >> sight.starNumber >> sight.time >>
          sight.ut1MinusUtc >> sight.temperature >> sight.pressure >> sight.hs >>
          sight.indexCorrection >> sight.heightOfEye >> sight.sigma;
      input.sights.push_back(sight);
    }
  }
  return input;
}

void FullFix(benchmark::State& state, bool solve) {
  navora::PlaceContext places;
  if (navora::OpenDefaultEphemeris(places.ephemeris) != navora::kStatusOk) {
    state.SkipWithError("1970-2025.eph not found beside the program");
    return;
  }
  const FixInput input =
      ReadScenario(NAVORA_FIXTURE_DIR "/sightreduction/synthetic-running-4-legs-2021.tsv");
  if (input.sights.size() != 25 || input.legs.size() != 4) {
    state.SkipWithError("the four-leg scenario of 25 sights was not found");
    return;
  }
  const int fixLeg = static_cast<int>(input.legs.size()) - 1;
  for (auto _ : state) {
    std::vector<navora::LegRecord> legs = input.legs;
    std::vector<navora::ObservationRecord> sights = input.sights;
    std::vector<navora::ReducedObservation> reduced(sights.size());
    navora::FixSolution fix;
    navora::EngineStatus status =
        navora::ReduceSights(places, navora::kReduceOnly, input.timeOfFix,
                             input.ut1MinusUtcAtFix, legs, sights, fixLeg, reduced, fix);
    if (solve && status == navora::kStatusOk) {
      status = navora::ReduceSights(places, navora::kSolveCourseSpeed, input.timeOfFix,
                                    input.ut1MinusUtcAtFix, legs, sights, fixLeg, reduced, fix);
    }
    if (status != navora::kStatusOk) {
      state.SkipWithError("the fix failed");
      return;
    }
    benchmark::DoNotOptimize(fix);
  }
}

void BM_ReduceOnly25Sights4Legs(benchmark::State& state) { FullFix(state, false); }
void BM_ReduceAndSolve25Sights4Legs(benchmark::State& state) { FullFix(state, true); }

BENCHMARK(BM_ReduceOnly25Sights4Legs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReduceAndSolve25Sights4Legs)->Unit(benchmark::kMicrosecond);

}  // namespace
