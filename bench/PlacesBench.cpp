// Cost of one geocentric apparent place of the Moon: cold (a new date, so the
// Earth state, nutation and obliquity are recomputed) and warm (the date is
// cached, as for the second body of an almanac line).

#include <benchmark/benchmark.h>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/places/ApparentPlace.h"

namespace {

constexpr double kStartJd = 2459000.5;
// Steps small enough to stay in one ephemeris record for many iterations,
// so that "cold" measures the place computation rather than file reads.
constexpr double kStepDays = 1e-6;

bool OpenEphemeris(benchmark::State& state, navora::PlaceContext& places) {
  if (navora::OpenDefaultEphemeris(places.ephemeris) != navora::kStatusOk) {
    state.SkipWithError("1970-2025.eph not found beside the program");
    return false;
  }
  return true;
}

void MoonPlace(benchmark::State& state, bool newDateEachTime) {
  navora::PlaceContext places;
  if (!OpenEphemeris(state, places)) return;
  double jd = kStartJd;
  double ra = 0.0, dec = 0.0, distance = 0.0, obliquity = 0.0, lightTime = 0.0;
  navora::Vector3 ofDate{}, astrometric{};
  for (auto _ : state) {
    if (newDateEachTime) jd += kStepDays;
    benchmark::DoNotOptimize(navora::GeocentricApparentPlace(places, jd, navora::kMoon, navora::kEarth,
                                                             ra, dec, distance, ofDate,
                                                             astrometric, obliquity, lightTime));
    benchmark::DoNotOptimize(ra);
  }
}

void BM_GeocentricMoonColdCache(benchmark::State& state) { MoonPlace(state, true); }
void BM_GeocentricMoonWarmCache(benchmark::State& state) { MoonPlace(state, false); }

BENCHMARK(BM_GeocentricMoonColdCache);
BENCHMARK(BM_GeocentricMoonWarmCache);

}  // namespace
