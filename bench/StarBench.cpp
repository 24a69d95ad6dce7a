// Cost of one star's apparent place: with the date cached, as for the stars
// after the first in a sight-planning or almanac pass, and with a new date
// each time (Earth state, nutation and obliquity recomputed).

#include <benchmark/benchmark.h>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/places/StarCatalogue.h"
#include "engine/places/StarPlace.h"

namespace {

constexpr double kStartJd = 2459000.5;
// Small steps keep the Earth inside one ephemeris record, so that a new date
// costs the place computation rather than file reads.
constexpr double kStepDays = 1e-6;

void StarPlace(benchmark::State& state, bool newDateEachTime) {
  navora::PlaceContext places;
  if (navora::OpenDefaultEphemeris(places.ephemeris) != navora::kStatusOk) {
    state.SkipWithError("1970-2025.eph not found beside the program");
    return;
  }
  double jd = kStartJd;
  int index = 0;
  double ra = 0.0, dec = 0.0, obliquity = 0.0;
  navora::Vector3 unitVector{};
  for (auto _ : state) {
    if (newDateEachTime) jd += kStepDays;
    const navora::StarEntry& star = navora::kStarCatalogue[index];
    index = (index + 1) % navora::kStarCount;
    benchmark::DoNotOptimize(navora::StarApparentPlace(places, jd, navora::kEarth, star.raHours, star.decDeg, star.pmRa, star.pmDec, star.parallax,
        star.radialVelocity, ra, dec, unitVector, obliquity));
    benchmark::DoNotOptimize(ra);
  }
}

void BM_StarApparentPlaceCachedDate(benchmark::State& state) { StarPlace(state, false); }
void BM_StarApparentPlaceNewDate(benchmark::State& state) { StarPlace(state, true); }

BENCHMARK(BM_StarApparentPlaceCachedDate);
BENCHMARK(BM_StarApparentPlaceNewDate);

}  // namespace
