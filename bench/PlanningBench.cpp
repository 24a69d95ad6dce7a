// The selected-stars command's tables: the 16 planning instants 4 minutes
// apart, first the seven selected stars at each, then the Sun, Moon and
// planets at each, at one position.

#include <benchmark/benchmark.h>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/planning/PlanningInstant.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr double kLatitude = 50.5;
constexpr double kLongitude = -4.2;
constexpr double kHeightOfEyeM = 12.0;

void BM_SelectedStarsTables(benchmark::State& state) {
  PlaceContext places;
  if (OpenDefaultEphemeris(places.ephemeris) != kStatusOk) {
    state.SkipWithError("1970-2025.eph not found beside the program");
    return;
  }
  const double start = CalendarToJulian(2021, 3, 1, 18, 0, 0.0);
  for (auto _ : state) {
    SelectedStarsResult stars[kPlanningInstantCount];
    PlanningBodiesResult bodies[kPlanningInstantCount];
    for (int k = 0; k < kPlanningInstantCount; ++k) {
      if (SelectedStarsAt(places, start + k * kPlanningStepDays, 0.0, kLatitude, kLongitude,
                          kHeightOfEyeM, stars[k]) != kStatusOk) {
        state.SkipWithError("selected stars failed");
        return;
      }
    }
    for (int k = 0; k < kPlanningInstantCount; ++k) {
      if (PlanningBodiesAt(places, start + k * kPlanningStepDays, 0.0, kLatitude, kLongitude,
                           kHeightOfEyeM, bodies[k]) != kStatusOk) {
        state.SkipWithError("planning bodies failed");
        return;
      }
    }
    benchmark::DoNotOptimize(stars);
    benchmark::DoNotOptimize(bodies);
  }
}
BENCHMARK(BM_SelectedStarsTables)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace navora
