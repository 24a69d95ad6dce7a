#include "app/cli/PlanCommand.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "app/bridge/ConsoleNotice.h"
#include "app/bridge/DataDirectory.h"
#include "app/bridge/DataFileChecks.h"
#include "app/bridge/LogEntryBridge.h"
#include "app/cli/CliArguments.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOptions.h"
#include "app/cli/CliOutput.h"
#include "app/cli/VoyageLogs.h"
#include "app/tasks/PlanningCourse.h"
#include "app/tasks/SightTasks.h"

namespace navora {
namespace {

constexpr char kUsage[] =
    "usage: navora-cli plan sky-chart (--time T | --twilight morning|evening --date D)\n"
    "                                 [--spp FILE] [options]\n"
    "       navora-cli plan selected-stars (--time T | --twilight morning|evening --date D)\n"
    "                                 [--precision [--grade good|average|poor]] [options]\n"
    "\n"
    "Sight planning for the ship at the planning time: its position by dead\n"
    "reckoning from the voyage's latest fix or DR update, UT1-UTC and the height\n"
    "of eye of the latest recorded sight.\n"
    "  sky-chart           every body above the horizon (the Sun down to 6 degrees\n"
    "                      below it): name, altitude, azimuth, magnitude and the\n"
    "                      selected stars' marks (7 selected, 3 the best three)\n"
    "  selected-stars      the seven selected stars and the Sun, Moon and planets\n"
    "                      every 4 minutes for an hour, as the worksheet shows them\n"
    "  --time T            the planning time, YYYY-MM-DDTHH:MM[:SS] (UTC)\n"
    "  --twilight morning|evening --date D\n"
    "                      an hour before sunrise or at sunset of the ship's day D,\n"
    "                      YYYY-MM-DD\n"
    "  --spp FILE          sky-chart: also write the chart to FILE (.spp)\n"
    "  --precision         selected-stars: add the expected precision (two standard\n"
    "                      errors) of a fix from the best three and from all seven\n"
    "  --grade G           the sights' grade for --precision (default average)\n"
    "  --lat L --lon L     a quick look from this position instead of the voyage's,\n"
    "                      the ship stopped, UT1-UTC and height of eye 0\n"
    "  --voyage-dir DIR    the voyage directory; default $NAVORA_VOYAGE_DIR, else\n"
    "                      $XDG_DATA_HOME/navora/, else $HOME/.local/share/navora/\n";

// A quick look's stopped ship is put half a day before the twilight's date,
// so that a far-east sunrise on the previous UTC date follows it.
constexpr double kQuickLookLeadDays = 0.5;
constexpr double kDegreesAboveHorizon = 90.0;

int UsageError(const std::string& reason) { return UsageFailure("plan", reason); }

int BadValue(const char* option, const char* text, const std::string& reason) {
  return BadOptionValue("plan", option, text, reason);
}

struct Options {
  bool skyChart = false;
  bool precision = false;
  const char* time = nullptr;
  const char* twilight = nullptr;
  const char* date = nullptr;
  const char* spp = nullptr;
  const char* grade = nullptr;
  const char* latitude = nullptr;
  const char* longitude = nullptr;
  const char* voyageDirectory = nullptr;
};

int ParseOptions(int argc, char** argv, Options& options) {
  const bool selectedStars = !options.skyChart;
  const ValuedOption valued[] = {{"--time", &options.time},
                                 {"--twilight", &options.twilight},
                                 {"--date", &options.date},
                                 {"--spp", &options.spp, options.skyChart},
                                 {"--grade", &options.grade, selectedStars},
                                 {"--lat", &options.latitude},
                                 {"--lon", &options.longitude},
                                 {"--voyage-dir", &options.voyageDirectory}};
  const SwitchOption switches[] = {{"--precision", &options.precision, selectedStars}};
  if (const int parsed = ParseCommandOptions("plan", argc, argv, valued, switches);
      parsed != kExitOk) {
    return parsed;
  }
  const bool twilight = options.twilight != nullptr || options.date != nullptr;
  if ((options.time != nullptr) == twilight) {
    return UsageError("either --time or --twilight with --date is needed");
  }
  if (twilight && (options.twilight == nullptr || options.date == nullptr)) {
    return UsageError("--twilight and --date go together");
  }
  if ((options.latitude == nullptr) != (options.longitude == nullptr)) {
    return UsageError("--lat and --lon go together");
  }
  if (options.grade != nullptr && !options.precision) {
    return UsageError("--grade needs --precision");
  }
  return kExitOk;
}

int ParseRequest(const Options& options, SightPlanningRequest& request) {
  std::string error;
  if (options.time != nullptr && !ParseUtcTime(options.time, request.timeUtc, error)) {
    return BadValue("--time", options.time, error);
  }
  if (options.twilight != nullptr) {
    request.twilight = true;
    const std::string_view when = options.twilight;
    if (when != "morning" && when != "evening") {
      return BadValue("--twilight", options.twilight, "expected morning or evening");
    }
    request.morning = when == "morning";
    if (std::strlen(options.date) != 10 ||
        !ParseUtcTime(std::string(options.date) + "T00:00", request.dateUtc, error)) {
      return BadValue("--date", options.date, error.empty() ? "expected YYYY-MM-DD" : error);
    }
  }
  request.showPrecision = options.precision;
  if (options.grade != nullptr) {
    const std::string_view grade = options.grade;
    request.grade = grade == "good"      ? kQualityGood
                    : grade == "average" ? kQualityAverage
                    : grade == "poor"    ? kQualityPoor
                                         : 0;
    if (request.grade == 0) return BadValue("--grade", options.grade, "expected good, average or poor");
  }
  return kExitOk;
}

// The reference of a quick look: the ship stopped at the given position.
int QuickLookReference(const Options& options, SightPlanningRequest& request) {
  std::string error;
  double latitude = 0.0, longitude = 0.0;
  if (!ParseLatitude(options.latitude, latitude, error)) {
    return BadValue("--lat", options.latitude, error);
  }
  if (!ParseLongitude(options.longitude, longitude, error)) {
    return BadValue("--lon", options.longitude, error);
  }
  const double time = request.twilight ? request.dateUtc - kQuickLookLeadDays : request.timeUtc;
  request.reference = MakePositionRecord(kMotionRhumbLine, kPositionUserDefined, time, latitude,
                                         longitude, 0.0, 0.0, 0.0, 0.0);
  return kExitOk;
}

// The voyage's latest position and the latest sight's conditions.
bool ReadVoyage(const Options& options, Notice& notice, SightPlanningRequest& request) {
  EventLog events;
  TextLog text;
  if (!OpenStartedVoyage("plan", notice, options.voyageDirectory, events, text) ||
      TaskReadReferencePosition(notice, events, kLatestPosition, request.reference) != 0) {
    return false;
  }
  const LatestSightConditions conditions = ReadLatestSightConditions(events);
  request.ut1MinusUtc = conditions.ut1MinusUtc;
  request.heightOfEyeM = conditions.heightOfEyeM;
  return true;
}

void PrintBody(const char* name, double zenithDistance, double azimuth, const char* magnitude,
               char mark) {
  std::printf("%-14s %6.1f %6.1f %6s  %c\n", name, kDegreesAboveHorizon - zenithDistance, azimuth,
              magnitude, mark);
}

std::string MagnitudeText(double magnitude) {
  char text[32];
  std::snprintf(text, sizeof text, "%+.1f", magnitude);
  return text;
}

void PrintChart(const SkyChartState& chart) {
  const PositionRecord& at = chart.observer;
  std::printf("Sky chart %s UTC at %s %s\n", FormatUtcTime(chart.planningTime).c_str(),
              FormatLatitude(at.latitude).c_str(), FormatLongitude(at.longitude).c_str());
  std::printf("%-14s %6s %6s %6s  %s\n", "Body", "Alt", "Zn", "Mag", "Mark");
  for (int i = 0; i < chart.luminaryCount; ++i) {
    const SkyChartLuminary& l = chart.luminaries[i];
    PrintBody(l.name, l.zenithDistance, l.azimuth, "", ' ');
  }
  for (int i = 0; i < chart.planetCount; ++i) {
    const SkyChartPlanet& p = chart.planets[i];
    PrintBody(p.name, p.zenithDistance, p.azimuth, MagnitudeText(p.magnitude).c_str(), ' ');
  }
  for (int i = 0; i < chart.starCount; ++i) {
    const SkyChartStar& s = chart.stars[i];
    PrintBody(s.name, s.zenithDistance, s.azimuth, MagnitudeText(s.magnitude).c_str(),
              s.selectedMark);
  }
}

int Run(const Options& options) {
  SightPlanningRequest request;
  if (const int parsed = ParseRequest(options, request); parsed != kExitOk) return parsed;
  ConsoleNotice notice;
  if (options.latitude != nullptr) {
    if (const int parsed = QuickLookReference(options, request); parsed != kExitOk) return parsed;
  } else if (!ReadVoyage(options, notice, request)) {
    return kExitFailure;
  }
  PlaceContext places(FindDataDirectory());
  if (!CheckDataFilesAtStartup(notice, places)) return kExitFailure;
  StandardOutputSink sink;
  TaskContext context{notice, sink, places};
  ReferenceState state;
  state.referenceKnown = true;
  if (!options.skyChart) {
    const TaskOutcome outcome = RunSelectedStars(context, state, request);
    return FinishStandardOutput(outcome == TaskOutcome::kCompleted ? kExitOk : kExitFailure);
  }
  SkyChartState chart;
  if (RunSkyChart(context, state, request, chart) != TaskOutcome::kCompleted) {
    return FinishStandardOutput(kExitFailure);
  }
  PrintChart(chart);
  if (options.spp != nullptr && WriteSppFile(options.spp, chart) != kStatusOk) {
    std::fflush(stdout);
    return CommandFailure("plan sky-chart", std::string("cannot write '") + options.spp + "'");
  }
  return FinishStandardOutput(kExitOk);
}

}  // namespace

int RunPlanCommand(int argc, char** argv) {
  if (int exitCode = 0; PrintUsageIfAsked(argc, argv, kUsage, exitCode)) return exitCode;
  if (argc < 1) return UsageError("sky-chart or selected-stars is needed");
  Options options;
  if (std::strcmp(argv[0], "sky-chart") == 0) {
    options.skyChart = true;
  } else if (std::strcmp(argv[0], "selected-stars") != 0) {
    return UsageError(std::string("unknown command '") + argv[0] + "'");
  }
  if (const int parsed = ParseOptions(argc - 1, argv + 1, options); parsed != kExitOk) {
    return parsed;
  }
  return Run(options);
}

}  // namespace navora
