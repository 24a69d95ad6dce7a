// The almanac commands as the worksheet runs them, to a sink that drops the
// lines: a leap year of hourly Sun/Moon/Aries and planet rows, and the "All"
// page of one day.

#include <benchmark/benchmark.h>

#include <string_view>

#include "app/bridge/DataFileChecks.h"
#include "app/bridge/RecordingNotice.h"
#include "app/tasks/AlmanacTasks.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

class NullReportSink : public ReportSink {
 public:
  void AppendLine(std::string_view line) override { benchmark::DoNotOptimize(line.data()); }
};

constexpr double kHourDays = 1.0 / 24.0;
constexpr int32_t kHoursInLeapYear = 366 * 24;

// Runs `command` once per iteration; fails the benchmark if it does not
// complete (data files missing, a date refused).
template <typename Request>
void RunAlmanacCommand(benchmark::State& state,
                       TaskOutcome (*command)(TaskContext&, const Request&),
                       const Request& request) {
  RecordingNotice notice;
  PlaceContext places;
  if (!CheckDataFilesAtStartup(notice, places)) {
    state.SkipWithError("the data files are missing or damaged");
    return;
  }
  NullReportSink sink;
  TaskContext context{notice, sink, places};
  for (auto _ : state) {
    if (command(context, request) != TaskOutcome::kCompleted) {
      state.SkipWithError("the almanac command did not complete");
      return;
    }
  }
}

void BM_SunMoonAriesYearHourly(benchmark::State& state) {
  RunAlmanacCommand(state, RunSunMoonAriesAlmanac,
                    AlmanacTableRequest{CalendarToJulian(2024, 1, 1, 0, 0, 0.0), kHoursInLeapYear,
                                        kHourDays});
  state.counters["rows"] = kHoursInLeapYear;
}
BENCHMARK(BM_SunMoonAriesYearHourly)->Unit(benchmark::kMillisecond);

void BM_PlanetsYearHourly(benchmark::State& state) {
  RunAlmanacCommand(state, RunPlanetsAlmanac,
                    AlmanacTableRequest{CalendarToJulian(2024, 1, 1, 0, 0, 0.0), kHoursInLeapYear,
                                        kHourDays});
  state.counters["rows"] = kHoursInLeapYear;
}
BENCHMARK(BM_PlanetsYearHourly)->Unit(benchmark::kMillisecond);

void BM_AllPageOneDay(benchmark::State& state) {
  RunAlmanacCommand(state, RunAllAlmanac, AlmanacDayRequest{CalendarToJulian(2000, 1, 1, 0, 0, 0.0)});
}
BENCHMARK(BM_AllPageOneDay)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace navora
