#include "app/cli/RiseSetCommand.h"

#include <cmath>
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
#include "app/tasks/RiseSetCourse.h"
#include "app/tasks/SightTasks.h"
#include "engine/sightreduction/ObservationForm.h"

namespace navora {
namespace {

constexpr char kUsage[] =
    "usage: navora-cli riseset fixed --body sun|moon --lat L --lon L --date D [options]\n"
    "       navora-cli riseset underway --body sun|moon --date D [options]\n"
    "\n"
    "Rise, set and transit of the Sun or the Moon, with civil twilight for the\n"
    "Sun: one row a day at a fixed site; underway, the day's events with the\n"
    "dead-reckoning position from the voyage's latest fix or DR update.\n"
    "  --body sun|moon     the body\n"
    "  --date D            first day, YYYY-MM-DD (UTC)\n"
    "  --lat L, --lon L    fixed site: 49N30.5 and 004W15.2, or signed degrees;\n"
    "                      latitudes below 80 degrees\n"
    "  --days N            days to tabulate, 1 to 99 (default 1); a fixed-site\n"
    "                      Moon table has one row more\n"
    "  --tz +HH:MM         zone of the tabular times, east positive, at most\n"
    "                      14 hours (default +00:00)\n"
    "  --height-ft H       height of eye in feet, 0 to 999 (default 0)\n"
    "  --dut1 S            fixed site: UT1-UTC in seconds, -0.9 to 0.9 (default 0);\n"
    "                      underway it is that of the latest sight in the log\n"
    "  --voyage-dir DIR    underway: the voyage directory; default\n"
    "                      $NAVORA_VOYAGE_DIR, else $XDG_DATA_HOME/navora/, else\n"
    "                      $HOME/.local/share/navora/\n";

constexpr double kMetresPerFoot = 0.3048;
constexpr double kMaxHeightFeet = 999.0;
constexpr double kMaxZoneHours = 14.0;
constexpr double kMinutesPerHour = 60.0;
constexpr double kMaxDays = 99.0;
// The dialog's latitude fields end at 79 59.9'.
constexpr double kMaxSiteLatitudeDeg = 80.0;  // exclusive

int UsageError(const std::string& reason) { return UsageFailure("riseset", reason); }

int BadValue(const char* option, const char* text, const std::string& reason) {
  return BadOptionValue("riseset", option, text, reason);
}

struct Options {
  bool underway = false;
  const char* body = nullptr;
  const char* date = nullptr;
  const char* latitude = nullptr;
  const char* longitude = nullptr;
  const char* days = nullptr;
  const char* zone = nullptr;
  const char* height = nullptr;
  const char* dut1 = nullptr;
  const char* voyageDirectory = nullptr;
};

int ParseOptions(int argc, char** argv, Options& options) {
  const bool fixed = !options.underway;
  const ValuedOption valued[] = {{"--body", &options.body},
                                 {"--date", &options.date},
                                 {"--lat", &options.latitude, fixed},
                                 {"--lon", &options.longitude, fixed},
                                 {"--days", &options.days},
                                 {"--tz", &options.zone},
                                 {"--height-ft", &options.height},
                                 {"--dut1", &options.dut1, fixed},
                                 {"--voyage-dir", &options.voyageDirectory, options.underway}};
  if (const int parsed = ParseCommandOptions("riseset", argc, argv, valued); parsed != kExitOk) {
    return parsed;
  }
  if (options.body == nullptr || options.date == nullptr) {
    return UsageError("--body and --date are needed");
  }
  if (!options.underway && (options.latitude == nullptr || options.longitude == nullptr)) {
    return UsageError("a fixed site needs --lat and --lon");
  }
  return kExitOk;
}

bool ParseBody(std::string_view text, BodyId& body) {
  if (text == "sun") body = kSun;
  if (text == "moon") body = kMoon;
  return text == "sun" || text == "moon";
}

// 0 h UTC of YYYY-MM-DD.
bool ParseDate(const char* text, double& jd, std::string& error) {
  if (std::strlen(text) != 10) {
    error = "expected YYYY-MM-DD";
    return false;
  }
  return ParseUtcTime(std::string(text) + "T00:00", jd, error);
}

// [+|-]HH:MM, east positive.
bool ParseZone(std::string_view text, float& hours, std::string& error) {
  error = "expected [+|-]HH:MM, at most 14:00";
  const bool west = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
  const size_t colon = text.find(':');
  double h = 0.0, m = 0.0;
  std::string ignored;
  if (colon == std::string_view::npos ||
      !ParseNumber(text.substr(0, colon), 0.0, kMaxZoneHours, h, ignored) ||
      !ParseNumber(text.substr(colon + 1), 0.0, kMinutesPerHour - 1.0, m, ignored) ||
      h != std::trunc(h) || m != std::trunc(m) || h + m / kMinutesPerHour > kMaxZoneHours) {
    return false;
  }
  hours = static_cast<float>((west ? -1.0 : 1.0) * (h + m / kMinutesPerHour));
  return true;
}

struct Common {
  BodyId body = kSun;
  double dateJd = 0.0;
  int32_t days = 1;
  float zone = 0.0f;
  double heightM = 0.0;
};

int ParseCommon(const Options& options, Common& common) {
  std::string error;
  if (!ParseBody(options.body, common.body)) {
    return BadValue("--body", options.body, "expected sun or moon");
  }
  if (!ParseDate(options.date, common.dateJd, error)) {
    return BadValue("--date", options.date, error);
  }
  if (options.days != nullptr) {
    double days = 0.0;
    if (!ParseNumber(options.days, 1.0, kMaxDays, days, error)) {
      return BadValue("--days", options.days, error);
    }
    if (days != std::trunc(days)) return BadValue("--days", options.days, "expected whole days");
    common.days = static_cast<int32_t>(days);
  }
  if (options.zone != nullptr && !ParseZone(options.zone, common.zone, error)) {
    return BadValue("--tz", options.zone, error);
  }
  if (options.height != nullptr) {
    double feet = 0.0;
    if (!ParseNumber(options.height, 0.0, kMaxHeightFeet, feet, error)) {
      return BadValue("--height-ft", options.height, error);
    }
    common.heightM = feet * kMetresPerFoot;
  }
  return kExitOk;
}

int ParseFixed(const Options& options, const Common& common, RiseSetFixedRequest& request) {
  std::string error;
  request.dateJd = common.dateJd;
  request.timeZoneHours = common.zone;
  request.heightOfEyeM = common.heightM;
  request.body = common.body;
  request.days = common.days;
  if (!ParseLatitude(options.latitude, request.latitudeDeg, error)) {
    return BadValue("--lat", options.latitude, error);
  }
  if (std::fabs(request.latitudeDeg) >= kMaxSiteLatitudeDeg) {
    return BadValue("--lat", options.latitude, "must be below 80 degrees");
  }
  if (!ParseLongitude(options.longitude, request.longitudeDeg, error)) {
    return BadValue("--lon", options.longitude, error);
  }
  if (options.dut1 != nullptr && !ParseNumber(options.dut1, -kMaxAbsUt1MinusUtc, kMaxAbsUt1MinusUtc,
                                              request.ut1MinusUtc, error)) {
    return BadValue("--dut1", options.dut1, error);
  }
  return kExitOk;
}

int RunFixed(const Options& options, const Common& common) {
  RiseSetFixedRequest request;
  if (const int parsed = ParseFixed(options, common, request); parsed != kExitOk) return parsed;
  ConsoleNotice notice;
  PlaceContext places(FindDataDirectory());
  if (!CheckDataFilesAtStartup(notice, places)) return kExitFailure;
  StandardOutputSink sink;
  TaskContext context{notice, sink, places};
  ReferenceState state;
  const TaskOutcome outcome = RunRiseSetFixed(context, state, request);
  return FinishStandardOutput(outcome == TaskOutcome::kCompleted ? kExitOk : kExitFailure);
}

int RunUnderway(const Options& options, const Common& common) {
  RiseSetUnderwayRequest request;
  request.dateJd = common.dateJd;
  request.timeZoneHours = common.zone;
  request.heightOfEyeM = common.heightM;
  request.body = common.body;
  request.days = common.days;

  ConsoleNotice notice;
  EventLog events;
  TextLog text;
  if (!OpenStartedVoyage("riseset underway", notice, options.voyageDirectory, events, text) ||
      TaskReadReferencePosition(notice, events, kLatestPosition, request.reference) != 0) {
    return kExitFailure;
  }
  request.ut1MinusUtc = ReadLatestSightConditions(events).ut1MinusUtc;
  PlaceContext places(FindDataDirectory());
  if (!CheckDataFilesAtStartup(notice, places)) return kExitFailure;
  StandardOutputSink sink;
  TaskContext context{notice, sink, places};
  ReferenceState state;
  state.referenceKnown = true;
  const TaskOutcome outcome = RunRiseSetUnderway(context, state, request);
  return FinishStandardOutput(outcome == TaskOutcome::kCompleted ? kExitOk : kExitFailure);
}

}  // namespace

int RunRiseSetCommand(int argc, char** argv) {
  if (int exitCode = 0; PrintUsageIfAsked(argc, argv, kUsage, exitCode)) return exitCode;
  if (argc < 1) return UsageError("fixed or underway is needed");
  Options options;
  if (std::strcmp(argv[0], "underway") == 0) {
    options.underway = true;
  } else if (std::strcmp(argv[0], "fixed") != 0) {
    return UsageError(std::string("unknown table '") + argv[0] + "'");
  }
  if (const int parsed = ParseOptions(argc - 1, argv + 1, options); parsed != kExitOk) {
    return parsed;
  }
  Common common;
  if (const int parsed = ParseCommon(options, common); parsed != kExitOk) return parsed;
  return options.underway ? RunUnderway(options, common) : RunFixed(options, common);
}

}  // namespace navora
