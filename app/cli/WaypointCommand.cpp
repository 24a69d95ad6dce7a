#include "app/cli/WaypointCommand.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/bridge/ConsoleNotice.h"
#include "app/bridge/DataDirectory.h"
#include "app/bridge/DataFileChecks.h"
#include "app/bridge/LogBridge.h"
#include "app/bridge/LogEntryBridge.h"
#include "app/bridge/VoyageDirectory.h"
#include "app/cli/CliArguments.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"
#include "app/tasks/WaypointTask.h"

namespace navora {
namespace {

constexpr char kUsage[] =
    "usage: navora-cli waypoint --depart T --arrive T --lat L --lon L [--voyage-dir DIR]\n"
    "\n"
    "Course, speed and distance by rhumb line and great circle from the voyage's\n"
    "dead-reckoning position at the departure time to a waypoint reached at the\n"
    "arrival time. Nothing is logged.\n"
    "  --depart T        leave the track at T, UTC, YYYY-MM-DDTHH:MM[:SS]\n"
    "  --arrive T        reach the waypoint at T, after the departure\n"
    "  --lat L           waypoint latitude, 49N30.5 or signed degrees, below 80\n"
    "  --lon L           waypoint longitude, 004W15.2 or signed degrees\n"
    "  --voyage-dir DIR  the voyage directory; default $NAVORA_VOYAGE_DIR, else\n"
    "                    $XDG_DATA_HOME/navora/, else $HOME/.local/share/navora/\n";

// Polar navigation is not supported: the dialog takes at most 79 59.9'.
constexpr double kMaxWaypointLatitude = 80.0;  // degrees, exclusive

int UsageError(const std::string& reason) { return UsageFailure("waypoint", reason); }

int Failure(const std::string& message) {
  std::fprintf(stderr, "navora-cli waypoint: %s\n", message.c_str());
  return kExitFailure;
}

struct Options {
  const char* depart = nullptr;
  const char* arrive = nullptr;
  const char* latitude = nullptr;
  const char* longitude = nullptr;
  const char* voyageDirectory = nullptr;
};

int ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 0; i < argc; ++i) {
    const struct {
      const char* name;
      const char** slot;
    } kValued[] = {{"--depart", &options.depart},
                   {"--arrive", &options.arrive},
                   {"--lat", &options.latitude},
                   {"--lon", &options.longitude},
                   {"--voyage-dir", &options.voyageDirectory}};
    const char** slot = nullptr;
    for (const auto& valued : kValued) {
      if (std::strcmp(argv[i], valued.name) == 0) slot = valued.slot;
    }
    if (slot == nullptr) return UsageError(std::string("unknown argument '") + argv[i] + "'");
    // A value never starts with "--" ("-12.5" is a value): that is the next option.
    if (i + 1 >= argc || std::strncmp(argv[i + 1], "--", 2) == 0) {
      return UsageError(std::string(argv[i]) + " needs a value");
    }
    *slot = argv[++i];
  }
  if (options.depart == nullptr || options.arrive == nullptr || options.latitude == nullptr ||
      options.longitude == nullptr) {
    return UsageError("--depart, --arrive, --lat and --lon are all needed");
  }
  return kExitOk;
}

int BadValue(const char* option, const char* text, const std::string& reason) {
  return UsageError(std::string(option) + " '" + text + "': " + reason);
}

int ParseRequest(const Options& options, WaypointRequest& request) {
  std::string error;
  if (!ParseUtcTime(options.depart, request.departureJd, error)) {
    return BadValue("--depart", options.depart, error);
  }
  if (!ParseUtcTime(options.arrive, request.arrivalJd, error)) {
    return BadValue("--arrive", options.arrive, error);
  }
  if (!ParseLatitude(options.latitude, request.latitudeDeg, error)) {
    return BadValue("--lat", options.latitude, error);
  }
  if (std::fabs(request.latitudeDeg) >= kMaxWaypointLatitude) {
    return BadValue("--lat", options.latitude, "must be below 80 degrees");
  }
  if (!ParseLongitude(options.longitude, request.longitudeDeg, error)) {
    return BadValue("--lon", options.longitude, error);
  }
  return kExitOk;
}

// The voyage log with its reference position, opened as the dialog's command
// opens it. False after saying why.
bool OpenVoyageLog(const Options& options, Notice& notice, EventLog& events) {
  std::string directory;
  if (!ResolveVoyageDirectory(options.voyageDirectory, directory)) {
    Failure("no voyage directory: give --voyage-dir or set NAVORA_VOYAGE_DIR or HOME");
    return false;
  }
  if (SetEventLogDirectory(events, directory.c_str()) != kStatusOk) {
    Failure("the voyage directory name is longer than 255 characters: " + directory);
    return false;
  }
  std::error_code missing;
  constexpr int kOpenedEmpty = 2;
  const bool exists = std::filesystem::exists(EventLogPath(events), missing);
  const int opened = exists ? TaskOpenEventLog(notice, events) : kOpenedEmpty;
  if (opened == kOpenedEmpty) {
    Failure("the voyage log holds no position; start one with navora-cli log new-fix");
    return false;
  }
  return opened == kStatusOk;
}

}  // namespace

int RunWaypointCommand(int argc, char** argv) {
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return FinishStandardOutput(kExitOk);
    }
  }
  Options options;
  WaypointRequest request;
  if (const int parsed = ParseOptions(argc, argv, options); parsed != kExitOk) return parsed;
  if (const int parsed = ParseRequest(options, request); parsed != kExitOk) return parsed;

  ConsoleNotice notice;
  EventLog events;
  if (!OpenVoyageLog(options, notice, events)) return kExitFailure;
  PositionRecord reference;
  if (TaskReadReferencePosition(notice, events, kLatestPosition, reference) != kStatusOk) {
    return kExitFailure;
  }
  PlaceContext places(FindDataDirectory());
  if (!CheckDataFilesAtStartup(notice, places)) return kExitFailure;
  ReferenceState state;
  state.referenceKnown = true;
  WaypointField refused = WaypointField::kArrivalDay;
  if (!CheckWaypointRequest(notice, places.ephemeris, state, reference, request, refused)) {
    return kExitFailure;
  }
  TextReportSink sink("\n");
  TaskContext context{notice, sink, places};
  const TaskOutcome outcome = RunWaypoint(context, events, request);
  std::fputs(sink.text.c_str(), stdout);
  return FinishStandardOutput(outcome == TaskOutcome::kCompleted ? kExitOk : kExitFailure);
}

}  // namespace navora
