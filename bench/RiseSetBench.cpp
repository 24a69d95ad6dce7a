// A month of fixed-site rise/set tables, Sun and Moon, as the worksheet runs
// them (heading, then each day from the previous transit + 1 day); and, for
// scale, the independent Python reference computing the same two tables
// (tools/reference/riseset_reference.py --bench, processor time, one run).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/riseset/RiseSetDay.h"
#include "engine/riseset/RiseSetTables.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr int kTableDays = 31;
constexpr double kSiteLatitude = 50.5;
constexpr double kSiteLongitude = -4.2;
constexpr int kMaxLines = std::max(kRiseSetHeaderMaxLines, kRiseSetDayMaxLines);

// Both tables; false when a day fails.
bool RunMonth(PlaceContext& places, double startUtc) {
  const PositionRecord site = MakePositionRecord(kMotionNone, kPositionExternalFix, startUtc,
                                                 kSiteLatitude, kSiteLongitude, 0.0, 0.0, 0.0, 0.0);
  ReportLine lines[kMaxLines];
  uint16_t lineCount = 0;
  for (BodyId body : {kSun, kMoon}) {
    RiseSetTableState table;
    if (FormatRiseSetHeader(table.carry, body, site, 0.0f, 0.0, lineCount, lines) != kStatusOk) {
      return false;
    }
    double start = startUtc;
    for (int day = 0; day < kTableDays; ++day) {
      double transitUtc = 0.0, rate = 0.0;
      if (ComputeRiseSetDay(places, table, start, 0.0, 0.0f, body, 0.0, site, transitUtc,
                            lineCount, lines, rate) != kStatusOk) {
        return false;
      }
      benchmark::DoNotOptimize(lines[0][0]);
      start = transitUtc + 1.0;
    }
  }
  return true;
}

void BM_RiseSetFixedSiteMonth(benchmark::State& state) {
  PlaceContext places;
  if (OpenDefaultEphemeris(places.ephemeris) != kStatusOk) {
    state.SkipWithError("1970-2025.eph not found beside the program");
    return;
  }
  const double start = CalendarToJulian(2021, 3, 1, 0, 0, 0.0);
  for (auto _ : state) {
    if (!RunMonth(places, start)) {
      state.SkipWithError("a rise/set day failed");
      return;
    }
  }
  state.counters["days"] = 2 * kTableDays;
}
BENCHMARK(BM_RiseSetFixedSiteMonth)->Unit(benchmark::kMillisecond);

// The reference script reports its own processor time, which is what is
// timed here; without the system Python and ERFA the benchmark is skipped.
void BM_RiseSetPythonReferenceMonth(benchmark::State& state) {
  char command[512];
  std::snprintf(command, sizeof command,
                "/usr/bin/python3 %s/tools/reference/riseset_reference.py --bench %d 2>/dev/null",
                NAVORA_SOURCE_DIR, kTableDays);
  for (auto _ : state) {
    FILE* pipe = popen(command, "r");
    double seconds = -1.0;
    if (pipe != nullptr) {
      char text[256] = "";
      if (std::fgets(text, sizeof text, pipe) != nullptr) {
        const char* colon = std::strchr(text, ':');
        if (colon != nullptr) seconds = std::strtod(colon + 1, nullptr);
      }
      pclose(pipe);
    }
    if (seconds <= 0.0) {
      state.SkipWithError("the Python reference did not run");
      return;
    }
    state.SetIterationTime(seconds);
  }
  state.counters["days"] = 2 * kTableDays;
}
BENCHMARK(BM_RiseSetPythonReferenceMonth)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace navora
