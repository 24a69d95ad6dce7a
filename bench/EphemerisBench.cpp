// GetBodyState throughput from the shipped ephemeris, run from the directory
// of the data files.

#include <benchmark/benchmark.h>

#include "engine/ephemeris/EphemerisReader.h"
#include "engine/time/DeltaT.h"

namespace navora {
namespace {

constexpr double kStepDays = 32.0;
constexpr double kFirstDate = 2451545.0;  // inside a record, not at its edges

bool OpenShippedEphemeris(benchmark::State& state, EphemerisReader& reader) {
  double first = 0.0, last = 0.0;
  if (reader.OpenEphemerisFile("1970-2025.eph", first, last) != 0) {
    state.SkipWithError("1970-2025.eph not found in the working directory");
    return false;
  }
  return true;
}

// Dates inside one record: the record is cached, only the polynomials are
// re-evaluated because the time changes each call.
void BM_GetBodyStateSameRecord(benchmark::State& state) {
  EphemerisReader reader;
  if (!OpenShippedEphemeris(state, reader)) return;
  Vector3 position{}, velocity{};
  double jd = kFirstDate;
  for (auto _ : state) {
    benchmark::DoNotOptimize(reader.GetBodyState(jd, kMoon, kOriginBarycentre, position, velocity));
    benchmark::DoNotOptimize(position);
    benchmark::DoNotOptimize(velocity);
    jd += 1e-3;
    if (jd > kFirstDate + 10.0) jd = kFirstDate;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetBodyStateSameRecord);

// Every call lands in another record, so each one reads 7200 bytes.
void BM_GetBodyStateAcrossRecords(benchmark::State& state) {
  EphemerisReader reader;
  if (!OpenShippedEphemeris(state, reader)) return;
  Vector3 position{}, velocity{};
  double jd = kFirstDate;
  for (auto _ : state) {
    benchmark::DoNotOptimize(reader.GetBodyState(jd, kMoon, kOriginBarycentre, position, velocity));
    benchmark::DoNotOptimize(position);
    benchmark::DoNotOptimize(velocity);
    jd += 7 * kStepDays + 0.37;
    if (jd > kFirstDate + 3000.0) jd -= 3000.0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetBodyStateAcrossRecords);

// Opening checks the header, the size and every record (dates and finite
// coefficients): the price of refusing a damaged copy before it is used.
void BM_OpenEphemerisFile(benchmark::State& state) {
  EphemerisReader reader;
  for (auto _ : state) {
    if (!OpenShippedEphemeris(state, reader)) return;
  }
}
BENCHMARK(BM_OpenEphemerisFile)->Unit(benchmark::kMillisecond);

// Opening reads and checks the whole table (size, order, spacing, values).
void BM_OpenDeltaTTable(benchmark::State& state) {
  for (auto _ : state) {
    DeltaTTable table;
    if (table.Open() != kStatusOk) {
      state.SkipWithError("DeltaT.val not found in the working directory");
      return;
    }
  }
}
BENCHMARK(BM_OpenDeltaTTable)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace navora
