#include "app/cli/CompassCommand.h"

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
#include "app/tasks/CompassCourse.h"
#include "app/tasks/CompassDialogModels.h"
#include "engine/compass/CompassError.h"
#include "engine/sightreduction/ObservationForm.h"

namespace navora {
namespace {

constexpr char kUsage[] =
    "usage: navora-cli compass plan --time T [--course C] [options]\n"
    "       navora-cli compass error --time T --body NAME|NUMBER --bearing B\n"
    "                                [--relative --heading H] [options]\n"
    "\n"
    "Gyro/compass error: the bodies that suit an azimuth at an instant, with\n"
    "their true azimuth, relative bearing and altitude; or the error of one\n"
    "observed bearing. The observer is the voyage's latest fix or DR update\n"
    "advanced by dead reckoning; the height of eye (and for plan UT1-UTC) is\n"
    "that of the latest sight in the log.\n"
    "  --time T            YYYY-MM-DDTHH:MM[:SS] UTC\n"
    "  --course C          plan: the ship's head of the relative bearings,\n"
    "                      0 to 359.9 (default the log's course)\n"
    "  --body NAME|NUMBER  error: sun, moon, venus, mars, jupiter, saturn, a\n"
    "                      star's name, or a star's number 1 to 58\n"
    "  --bearing B         error: the observed azimuth, or with --relative the\n"
    "                      bearing relative to the ship's head, 0 to 359.9\n"
    "  --heading H         error: the ship's head with --relative, 0 to 359.9\n"
    "  --lat L, --lon L    a fixed observer instead of the log's position\n"
    "                      (49N30.5 and 004W15.2, or signed degrees); the\n"
    "                      height of eye is then 0\n"
    "  --ut1-utc S         UT1-UTC in seconds, -0.9 to 0.9\n"
    "  --voyage-dir DIR    the voyage directory; default $NAVORA_VOYAGE_DIR,\n"
    "                      else $XDG_DATA_HOME/navora/, else\n"
    "                      $HOME/.local/share/navora/\n";

int UsageError(const std::string& reason) { return UsageFailure("compass", reason); }

int BadValue(const char* option, const char* text, const std::string& reason) {
  return BadOptionValue("compass", option, text, reason);
}

struct Options {
  bool error = false;
  bool relative = false;
  const char* time = nullptr;
  const char* course = nullptr;
  const char* body = nullptr;
  const char* bearing = nullptr;
  const char* heading = nullptr;
  const char* latitude = nullptr;
  const char* longitude = nullptr;
  const char* ut1MinusUtc = nullptr;
  const char* voyageDirectory = nullptr;
};

int ParseOptions(int argc, char** argv, Options& options) {
  const bool plan = !options.error;
  const ValuedOption valued[] = {{"--time", &options.time},
                                 {"--course", &options.course, plan},
                                 {"--body", &options.body, options.error},
                                 {"--bearing", &options.bearing, options.error},
                                 {"--heading", &options.heading, options.error},
                                 {"--lat", &options.latitude},
                                 {"--lon", &options.longitude},
                                 {"--ut1-utc", &options.ut1MinusUtc},
                                 {"--voyage-dir", &options.voyageDirectory}};
  const SwitchOption switches[] = {{"--relative", &options.relative, options.error}};
  if (const int parsed = ParseCommandOptions("compass", argc, argv, valued, switches);
      parsed != kExitOk) {
    return parsed;
  }
  if (options.time == nullptr) return UsageError("--time is needed");
  if (options.error && (options.body == nullptr || options.bearing == nullptr)) {
    return UsageError("--body and --bearing are needed");
  }
  if (options.relative != (options.heading != nullptr)) {
    return UsageError("--relative and --heading go together");
  }
  if ((options.latitude == nullptr) != (options.longitude == nullptr)) {
    return UsageError("--lat and --lon go together");
  }
  return kExitOk;
}

int ParseBearing(const char* option, const char* text, double& value) {
  std::string error;
  if (!ParseNumber(text, 0.0, kMaxCompassBearing, value, error)) {
    return BadValue(option, text, error);
  }
  return kExitOk;
}

// A name of the body list's first 64 entries, or a star number 1..58.
int ParseBody(const char* text, BodyId& body, int16_t& starNumber) {
  double number = 0.0;
  std::string ignored;
  int index = kFormNoSelection;
  if (ParseNumber(text, 1.0, kPolarisNumber, number, ignored)) {
    index = BodyIndexOfStar(static_cast<int>(number));
    if (number != static_cast<int>(number)) index = kFormNoSelection;
  } else {
    index = FindObservedBody(text);
  }
  if (!CompassBodyOfIndex(index, body, starNumber)) {
    return BadValue("--body", text, "expected the Sun, Moon, a planet or star 1 to 58");
  }
  return kExitOk;
}

// The observer's reference, height of eye and UT1-UTC: the fixed site given,
// or the voyage's latest position and latest sight.
struct Observer {
  PositionRecord reference;
  double heightOfEyeM = 0.0;
  double ut1MinusUtc = 0.0;
};

int FindObserver(const Options& options, const char* command, double timeUtc, Observer& observer) {
  std::string error;
  if (options.latitude != nullptr) {
    double latitude = 0.0, longitude = 0.0;
    if (!ParseLatitude(options.latitude, latitude, error)) {
      return BadValue("--lat", options.latitude, error);
    }
    if (!ParseLongitude(options.longitude, longitude, error)) {
      return BadValue("--lon", options.longitude, error);
    }
    observer.reference = MakePositionRecord(kMotionNone, kPositionExternalFix, timeUtc, latitude,
                                            longitude, 0.0, 0.0, 0.0, 0.0);
  } else {
    ConsoleNotice notice;
    EventLog events;
    TextLog text;
    if (!OpenStartedVoyage(command, notice, options.voyageDirectory, events, text) ||
        TaskReadReferencePosition(notice, events, kLatestPosition, observer.reference) != 0) {
      return kExitFailure;
    }
    CompassPlanningRequest latest;
    ApplyLatestSightConditions(events, latest);
    observer.heightOfEyeM = latest.heightOfEyeM;
    observer.ut1MinusUtc = latest.ut1MinusUtc;
  }
  if (options.ut1MinusUtc != nullptr &&
      !ParseNumber(options.ut1MinusUtc, -kMaxAbsUt1MinusUtc, kMaxAbsUt1MinusUtc,
                   observer.ut1MinusUtc, error)) {
    return BadValue("--ut1-utc", options.ut1MinusUtc, error);
  }
  return kExitOk;
}

int Run(const Options& options) {
  std::string error;
  double timeUtc = 0.0;
  if (!ParseUtcTime(options.time, timeUtc, error)) return BadValue("--time", options.time, error);
  CompassErrorRequest bearing;
  double course = 0.0;
  if (options.error) {
    if (const int parsed = ParseBody(options.body, bearing.body, bearing.starNumber);
        parsed != kExitOk) {
      return parsed;
    }
    if (const int parsed = ParseBearing("--bearing", options.bearing, bearing.observed);
        parsed != kExitOk) {
      return parsed;
    }
    if (options.relative) {
      bearing.relative = true;
      if (const int parsed = ParseBearing("--heading", options.heading, bearing.heading);
          parsed != kExitOk) {
        return parsed;
      }
    }
  } else if (options.course != nullptr) {
    if (const int parsed = ParseBearing("--course", options.course, course); parsed != kExitOk) {
      return parsed;
    }
  }
  const char* command = options.error ? "compass error" : "compass plan";
  Observer observer;
  if (const int found = FindObserver(options, command, timeUtc, observer); found != kExitOk) {
    return found;
  }

  ConsoleNotice notice;
  PlaceContext places(FindDataDirectory());
  if (!CheckDataFilesAtStartup(notice, places)) return kExitFailure;
  StandardOutputSink sink;
  TaskContext context{notice, sink, places};
  ReferenceState state;
  state.referenceKnown = true;
  TaskOutcome outcome = TaskOutcome::kStopped;
  if (options.error) {
    bearing.timeUtc = timeUtc;
    bearing.reference = observer.reference;
    bearing.heightOfEyeM = observer.heightOfEyeM;
    bearing.ut1MinusUtc = observer.ut1MinusUtc;
    outcome = RunCompassError(context, state, bearing);
  } else {
    CompassPlanningRequest plan;
    plan.timeUtc = timeUtc;
    plan.reference = observer.reference;
    if (options.course != nullptr) plan.reference.course = course;
    plan.heightOfEyeM = observer.heightOfEyeM;
    plan.ut1MinusUtc = observer.ut1MinusUtc;
    outcome = RunCompassPlanning(context, state, plan);
  }
  return FinishStandardOutput(outcome == TaskOutcome::kCompleted ? kExitOk : kExitFailure);
}

}  // namespace

int RunCompassCommand(int argc, char** argv) {
  if (int exitCode = 0; PrintUsageIfAsked(argc, argv, kUsage, exitCode)) return exitCode;
  if (argc < 1) return UsageError("plan or error is needed");
  Options options;
  if (std::strcmp(argv[0], "error") == 0) {
    options.error = true;
  } else if (std::strcmp(argv[0], "plan") != 0) {
    return UsageError(std::string("unknown report '") + argv[0] + "'");
  }
  if (const int parsed = ParseOptions(argc - 1, argv + 1, options); parsed != kExitOk) {
    return parsed;
  }
  return Run(options);
}

}  // namespace navora
