#include "app/cli/LogCommand.h"

#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/bridge/ConsoleNotice.h"
#include "app/bridge/DataDirectory.h"
#include "app/bridge/DataFileChecks.h"
#include "app/bridge/LogEntryBridge.h"
#include "app/bridge/LogBridge.h"
#include "app/bridge/VoyageDirectory.h"
#include "app/cli/CliArguments.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"
#include "app/cli/VoyageLogs.h"
#include "app/tasks/PositionTasks.h"
#include "engine/log/EventLog.h"
#include "engine/log/EventLogListing.h"
#include "engine/log/EventLogRepair.h"
#include "engine/log/NewInitialFix.h"
#include "engine/log/TextLog.h"
#include "engine/places/PlaceContext.h"
#include "engine/sightreduction/BodyNames.h"

namespace navora {
namespace {

constexpr char kUsage[] =
    "usage: navora-cli log repair [--voyage-dir DIR]\n"
    "       navora-cli log new-fix --time T --lat L --lon L [--course C --speed S]\n"
    "                              [--yes] [--voyage-dir DIR]\n"
    "       navora-cli log update-dr --time T [--course C --speed S] [--save] [--yes]\n"
    "       navora-cli log external-fix --time T --lat L --lon L --course C --speed S\n"
    "                                   [--save]\n"
    "       navora-cli log correct-position --offset N --time T --lat L --lon L\n"
    "                                       --course C --speed S\n"
    "       navora-cli log delete-position --offset N\n"
    "       navora-cli log comment TEXT [--voyage-dir DIR]\n"
    "       navora-cli log show [--voyage-dir DIR]\n"
    "       navora-cli log entries [--voyage-dir DIR]\n"
    "\n"
    "  repair            make an event log that ends in a torn entry (after a\n"
    "                    power loss or crash during a write) whole again: the\n"
    "                    file is first copied to navora.evt.torn-<n>, then the\n"
    "                    torn tail is cut; every complete entry is kept\n"
    "  new-fix           start a new voyage from an initial fix; the current text\n"
    "                    log is archived as log<nnnnn>.saf, which needs --yes\n"
    "    --time T        UTC, YYYY-MM-DDTHH:MM[:SS]\n"
    "    --lat L         49N30.5 or signed degrees (north positive), below 80\n"
    "    --lon L         004W15.2 or signed degrees (east positive)\n"
    "    --course C      degrees true, 0 to 359.9 (default 0)\n"
    "    --speed S       knots, 0 to 99.9 (default 0)\n"
    "  update-dr         advance the latest position to T, with a new course or\n"
    "                    speed when given (the other one stays); --yes keeps going\n"
    "                    when the new leg loses observations\n"
    "  external-fix      compare a fix with the DR: current, course and speed made\n"
    "                    good\n"
    "    --save          log it (without: print the report only)\n"
    "  correct-position  rewrite the fix or DR update at byte offset N (see\n"
    "                    entries) since the last fix, keeping its type\n"
    "  delete-position   mark the fix or DR update at offset N deleted\n"
    "  comment TEXT      log a comment (lines break at 78 characters)\n"
    "  show              print the text log\n"
    "  entries           list the event log: offset, kind, type or body, sequence\n"
    "                    number, time UTC, latitude, longitude\n"
    "  --voyage-dir DIR  the voyage directory; default $NAVORA_VOYAGE_DIR, else\n"
    "                    $XDG_DATA_HOME/navora/, else $HOME/.local/share/navora/\n";

constexpr char kUsageHint[] =
    "usage: navora-cli log repair|new-fix|update-dr|external-fix|correct-position|"
    "delete-position|comment|show|entries ... (see navora-cli log --help)";

// A bad argument: one line.
int UsageError(const std::string& reason) {
  std::fprintf(stderr, "navora-cli log: %s; %s\n", reason.c_str(), kUsageHint);
  return kExitUsage;
}

// The options of every subcommand; those a subcommand does not take are
// refused by the parser.
struct Options {
  const char* subcommand = nullptr;
  const char* voyageDirectory = nullptr;
  const char* time = nullptr;
  const char* latitude = nullptr;
  const char* longitude = nullptr;
  const char* course = nullptr;
  const char* speed = nullptr;
  const char* offset = nullptr;
  bool yes = false;
  bool save = false;
  std::vector<const char*> words;  // the arguments that are not options
};

int Failure(const Options& options, const std::string& message) {
  return CommandFailure(std::string("log ") + options.subcommand, message);
}

// Why a log that is not only torn is left alone.
int ReportDamage(const Options& options, const EventLog& log, const std::string& path) {
  EventLogExtent extent;
  if (InspectEventLog(log, extent) != kStatusOk) {
    return Failure(options, "cannot read " + path);
  }
  char where[160];
  std::snprintf(where, sizeof where,
                "damaged at byte %" PRId64 " of %" PRId64 " (%" PRId32 " whole entries before it)",
                extent.wholeEnd, extent.fileSize, extent.wholeEntries);
  return Failure(options,
                 path + " is " + where + ", not only in a torn last entry; it was left unchanged");
}

int Repair(const Options& options) {
  std::string directory;
  if (!ResolveVoyageDirectory(options.voyageDirectory, directory)) {
    return Failure(options, kNoVoyageDirectory);
  }
  EventLog log;
  if (SetEventLogDirectory(log, directory.c_str()) != kStatusOk) {
    return Failure(options,
                   "the voyage directory name is longer than 255 characters: " + directory);
  }
  const std::string path = EventLogPath(log);
  EventLogRepair repair;
  switch (RepairEventLog(log, repair)) {
    case kStatusOk:
      break;
    case 1:
      return Failure(options, "cannot read and write " + path);
    case 2:
      return ReportDamage(options, log, path);
    case 3:
      return Failure(options, "could not make a complete copy of " + path + "; nothing was cut");
    default:
      return Failure(options, "the copy " + repair.copyPath + " was made, but the torn tail of " +
                                  path + " could not be cut");
  }
  if (repair.cutBytes == 0) {
    std::printf("%s is whole: %" PRId32 " entries, %" PRId64 " bytes; nothing was changed.\n",
                path.c_str(), repair.keptEntries, repair.keptBytes);
    return FinishStandardOutput(kExitOk);
  }
  std::printf("%s ended in a torn entry; repaired.\n", path.c_str());
  std::printf("kept: %" PRId32 " entries, %" PRId64 " bytes\n", repair.keptEntries,
              repair.keptBytes);
  std::printf("cut:  %" PRId64 " bytes at byte %" PRId64 "\n", repair.cutBytes, repair.keptBytes);
  std::printf("copy: %s (the file as it was)\n", repair.copyPath.c_str());
  const int written = FinishStandardOutput(kExitOk);
  const EngineStatus opened = OpenEventLog(log);
  constexpr EngineStatus kOpenedEmpty = 2;  // every entry was torn: a new voyage starts
  if (opened != kStatusOk && opened != kOpenedEmpty) {
    return Failure(options, path + " still does not open");
  }
  return written;
}

// The limits of the initial-fix entry: polar navigation is not supported.
constexpr double kMaxFixLatitude = 80.0;  // degrees, exclusive
constexpr double kMaxCourse = 359.9;      // degrees true
constexpr double kMaxSpeed = 99.9;        // knots

// One bad value: a line naming the option.
int BadValue(const char* option, const char* text, const std::string& reason) {
  return UsageError(std::string(option) + " '" + text + "': " + reason);
}

// The voyage directory set on both logs. False after saying why.
bool SetVoyageDirectory(const Options& options, EventLog& events, TextLog& text) {
  return SetVoyageDirectory(std::string("log ") + options.subcommand, options.voyageDirectory,
                            events, text);
}

void PrintLines(const ReportLine* lines, int count) {
  for (int i = 0; i < count; ++i) {
    std::printf("%s\n", lines[i]);
  }
}

// A position entered on the command line, as the fix dialogs take it.
struct EnteredFix {
  double time = 0.0, latitude = 0.0, longitude = 0.0, course = 0.0, speed = 0.0;
};

// The time, latitude and longitude (all needed) and the course and speed
// (0 when not given). kExitOk, or kExitUsage after saying why.
int ParseFixOptions(const Options& options, EnteredFix& fix) {
  if (options.time == nullptr || options.latitude == nullptr || options.longitude == nullptr) {
    return UsageError(std::string(options.subcommand) + " needs --time, --lat and --lon");
  }
  std::string error;
  if (!ParseUtcTime(options.time, fix.time, error)) {
    return BadValue("--time", options.time, error);
  }
  if (!ParseLatitude(options.latitude, fix.latitude, error)) {
    return BadValue("--lat", options.latitude, error);
  }
  if (std::fabs(fix.latitude) >= kMaxFixLatitude) {
    return BadValue("--lat", options.latitude, "must be below 80 degrees");
  }
  if (!ParseLongitude(options.longitude, fix.longitude, error)) {
    return BadValue("--lon", options.longitude, error);
  }
  if (options.course != nullptr &&
      !ParseNumber(options.course, 0.0, kMaxCourse, fix.course, error)) {
    return BadValue("--course", options.course, error);
  }
  if (options.speed != nullptr && !ParseNumber(options.speed, 0.0, kMaxSpeed, fix.speed, error)) {
    return BadValue("--speed", options.speed, error);
  }
  return kExitOk;
}

int NewFix(const Options& options) {
  EnteredFix entered;
  if (const int parsed = ParseFixOptions(options, entered); parsed != kExitOk) return parsed;
  const double time = entered.time, latitude = entered.latitude, longitude = entered.longitude,
               course = entered.course, speed = entered.speed;
  EventLog events;
  TextLog text;
  if (!SetVoyageDirectory(options, events, text)) {
    return kExitFailure;
  }
  std::error_code ignored;  // a directory that cannot be made fails below, with the log's message
  std::filesystem::create_directories(std::filesystem::path(EventLogPath(events)).parent_path(),
                                      ignored);
  // Opened first so that the new voyage's sequence numbers continue; a
  // damaged or read-only log is dealt with by the new voyage itself.
  static_cast<void>(OpenEventLog(events));
  ConsoleNotice notice(options.yes);
  NewVoyage voyage;
  int64_t textBytes = 0;
  const bool asksFirst = MeasureTextLogFile(text, textBytes) == kStatusOk && textBytes > 0;
  // The fix comes from the arguments, so the dialog only hands it over.
  const PositionRecord fix = MakeInitialFixRecord(time, latitude, longitude, course, speed);
  const FixDialog fromArguments = [&fix](std::string_view, const PositionRecord&,
                                         PositionRecord& entered) {
    entered = fix;
    return true;
  };
  if (TaskNewInitialFix(notice, events, text, DefaultPositionRecord(), fromArguments, voyage) !=
      kStatusOk) {
    if (asksFirst && !options.yes) {
      Failure(options, "the current log was not archived; give --yes to archive it");
    }
    return kExitFailure;
  }
  PrintLines(voyage.entry.data(), kNewPositionEntryLines);
  return FinishStandardOutput(kExitOk);
}

// What the position commands work with: both logs of the voyage open with a
// reference position, the ephemeris for the time checks, and notices on the
// error output (questions answered Yes with --yes).
class PositionCommand {
 public:
  explicit PositionCommand(const Options& options)
      : options_(options), notice_(options.yes), places_(FindDataDirectory()) {}

  // False after saying why.
  bool Open() {
    return CheckDataFilesAtStartup(notice_, places_) &&
           OpenStartedVoyage(std::string("log ") + options_.subcommand, notice_,
                             options_.voyageDirectory, events_, text_);
  }

  PositionTaskLogs Logs() { return {notice_, events_, text_, places_.ephemeris, state_}; }

 private:
  const Options& options_;
  ConsoleNotice notice_;
  EventLog events_;
  TextLog text_;
  PlaceContext places_;
  ReferenceState state_;
};

void PrintLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
}

// The report, then with --save the entry logged.
int FinishPositionCommand(const std::vector<std::string>& report, int saved) {
  PrintLines(report);
  return saved == 0 ? FinishStandardOutput(kExitOk) : kExitFailure;
}

int UpdateDr(const Options& options) {
  if (options.time == nullptr) return UsageError("update-dr needs --time");
  double time = 0.0, course = 0.0, speed = 0.0;
  std::string error;
  if (!ParseUtcTime(options.time, time, error)) return BadValue("--time", options.time, error);
  if (options.course != nullptr && !ParseNumber(options.course, 0.0, kMaxCourse, course, error)) {
    return BadValue("--course", options.course, error);
  }
  if (options.speed != nullptr && !ParseNumber(options.speed, 0.0, kMaxSpeed, speed, error)) {
    return BadValue("--speed", options.speed, error);
  }
  PositionCommand command(options);
  if (!command.Open()) return kExitFailure;
  PositionTaskLogs logs = command.Logs();
  PositionRecord reference;
  if (TaskReadReferencePosition(logs.notice, logs.events, kLatestPosition, reference) != 0) {
    return kExitFailure;
  }
  LegsAndSights loaded;
  if (TaskLoadLegsAndSights(logs.events, loaded) != 0) {
    return Failure(options, "the legs since the last fix cannot be read");
  }
  if (!ConfirmNewLeg(logs.notice, loaded)) {
    return Failure(options, "not updated; give --yes to start a new leg all the same");
  }
  PositionRecord atTime = reference;
  atTime.time = time;
  UpdateDrFields fields = InitialUpdateDrFields(atTime);
  fields.change = options.course != nullptr || options.speed != nullptr;
  if (options.course != nullptr) fields.course = options.course;
  if (options.speed != nullptr) fields.speed = options.speed;
  UpdateDrPreview preview;
  FixField returnTo = FixField::kDay;
  if (!AcceptUpdateDr(logs, reference, fields, preview, returnTo)) return kExitFailure;
  std::vector<std::string> written;
  return FinishPositionCommand(preview.report,
                               options.save ? SaveUpdateDr(logs, preview, written) : 0);
}

int ExternalFix(const Options& options) {
  if (options.course == nullptr || options.speed == nullptr) {
    return UsageError("external-fix needs --time, --lat, --lon, --course and --speed");
  }
  EnteredFix entered;
  if (const int parsed = ParseFixOptions(options, entered); parsed != kExitOk) return parsed;
  PositionCommand command(options);
  if (!command.Open()) return kExitFailure;
  PositionTaskLogs logs = command.Logs();
  const NewInitialFixFields fields = InitialNewInitialFixFields(
      MakePositionRecord(kMotionNone, kPositionExternalFix, entered.time, entered.latitude,
                         entered.longitude, entered.course, entered.speed, 0.0, 0.0));
  ExternalFixPreview preview;
  FixField returnTo = FixField::kDay;
  if (!AcceptExternalFix(logs, fields, preview, returnTo)) return kExitFailure;
  std::vector<std::string> written;
  return FinishPositionCommand(preview.report,
                               options.save ? SaveExternalFix(logs, preview, written) : 0);
}

// --offset: a byte offset of the event log, as log entries lists them.
int ParseOffset(const Options& options, EventLogOffset& offset) {
  if (options.offset == nullptr) {
    return UsageError(std::string(options.subcommand) + " needs --offset");
  }
  const std::string_view text = options.offset;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), offset);
  if (error != std::errc() || end != text.data() + text.size() || offset < 0) {
    return BadValue("--offset", options.offset, "must be a byte offset of the event log");
  }
  return kExitOk;
}

// The correction or deletion's text-log entry, or why nothing was changed.
int FinishPositionChange(const Options& options, int status,
                         const std::vector<std::string>& written) {
  if (status == kNoSuchLeg) {
    return Failure(options, std::string("no fix or DR update since the last fix at offset ") +
                                options.offset + " (see log entries)");
  }
  if (status != 0) return kExitFailure;
  PrintLines(written);
  return FinishStandardOutput(kExitOk);
}

int CorrectPositionEntry(const Options& options) {
  EventLogOffset offset = 0;
  if (const int parsed = ParseOffset(options, offset); parsed != kExitOk) return parsed;
  if (options.course == nullptr || options.speed == nullptr) {
    return UsageError("correct-position needs --time, --lat, --lon, --course and --speed");
  }
  EnteredFix entered;
  if (const int parsed = ParseFixOptions(options, entered); parsed != kExitOk) return parsed;
  PositionCommand command(options);
  if (!command.Open()) return kExitFailure;
  PositionTaskLogs logs = command.Logs();
  const PositionRecord corrected =
      MakePositionRecord(kMotionRhumbLine, kPositionExternalFix, entered.time, entered.latitude,
                         entered.longitude, entered.course, entered.speed, 0.0, 0.0);
  std::vector<std::string> written;
  return FinishPositionChange(options, CorrectPosition(logs, offset, corrected, written), written);
}

int DeletePositionEntry(const Options& options) {
  EventLogOffset offset = 0;
  if (const int parsed = ParseOffset(options, offset); parsed != kExitOk) return parsed;
  PositionCommand command(options);
  if (!command.Open()) return kExitFailure;
  PositionTaskLogs logs = command.Logs();
  std::vector<std::string> written;
  return FinishPositionChange(options, DeletePosition(logs, offset, written), written);
}

int Comment(const Options& options) {
  if (options.words.size() != 1) {
    return UsageError("comment takes one TEXT");
  }
  if (options.words[0][0] == '\0') {
    return UsageError("the comment is empty");
  }
  EventLog events;
  TextLog text;
  if (!SetVoyageDirectory(options, events, text)) {
    return kExitFailure;
  }
  ConsoleNotice notice;
  std::vector<std::string> lines;
  if (TaskOpenTextLog(notice, text) % kTextLogOpenedNew != kStatusOk ||
      TaskWriteComment(notice, text, options.words[0], lines) != kStatusOk) {
    return kExitFailure;
  }
  for (const std::string& line : lines) {
    std::printf("%s\n", line.c_str());
  }
  return FinishStandardOutput(kExitOk);
}

int Show(const Options& options) {
  EventLog events;
  TextLog text;
  if (!SetVoyageDirectory(options, events, text)) {
    return kExitFailure;
  }
  if (TextLogFileIsMissingOrEmpty(text)) {
    return FinishStandardOutput(kExitOk);  // nothing logged yet
  }
  ConsoleNotice notice;
  if (TaskOpenTextLog(notice, text) != kStatusOk) {
    return kExitFailure;
  }
  std::vector<std::string> lines;
  if (TaskReadTextLog(notice, text, lines) != kStatusOk) {
    return kExitFailure;
  }
  for (const std::string& line : lines) {
    std::printf("%s\n", line.c_str());
  }
  return FinishStandardOutput(kExitOk);
}

const char* KindName(int16_t kind) {
  constexpr const char* kNames[kEntryKindCount] = {
      "fix", "dr-update", "sight", "deleted-fix", "deleted-dr-update", "deleted-sight"};
  return kNames[kind];
}

void PrintEntry(const EventLogListingEntry& entry) {
  char type[32];
  std::string latitude = "-";
  std::string longitude = "-";
  if (IsSightKind(entry.kind)) {
    // A damaged record's codes are shown as they are stored.
    const char* name = nullptr;
    if (BodyNameForCode(entry.bodyCode, entry.starNumber, name) == kStatusOk) {
      std::snprintf(type, sizeof type, "%s", name);
    } else {
      std::snprintf(type, sizeof type, "body %u star %u", entry.bodyCode, entry.starNumber);
    }
  } else {
    std::snprintf(type, sizeof type, "%s", PositionTypeName(entry.positionType));
    latitude = FormatLatitude(entry.latitude);
    longitude = FormatLongitude(entry.longitude);
  }
  std::printf("%8" PRId64 "  %-17s  %-13s  %6" PRIu32 "  %s  %s  %s\n", entry.offset,
              KindName(entry.kind), type, entry.sequenceNumber, FormatUtcTime(entry.time).c_str(),
              latitude.c_str(), longitude.c_str());
}

int Entries(const Options& options) {
  EventLog events;
  TextLog text;
  if (!SetVoyageDirectory(options, events, text)) {
    return kExitFailure;
  }
  const std::string path = EventLogPath(events);
  std::error_code missing;
  if (!std::filesystem::exists(path, missing)) {
    return FinishStandardOutput(kExitOk);  // nothing logged yet
  }
  std::vector<EventLogListingEntry> entries;
  int64_t wholeEnd = 0;
  const EngineStatus status = ListEventLogEntries(events, entries, wholeEnd);
  for (const EventLogListingEntry& entry : entries) {
    PrintEntry(entry);
  }
  const int written = FinishStandardOutput(kExitOk);
  constexpr EngineStatus kNotWhole = 2;
  if (status == kNotWhole) {
    return Failure(options, path + " is not a whole entry after byte " + std::to_string(wholeEnd) +
                                " (see navora-cli log repair)");
  }
  return status == kStatusOk ? written : Failure(options, "cannot read " + path);
}

// What each subcommand takes.
enum OptionSet : unsigned {
  kTakesTime = 1,
  kTakesPosition = 2,
  kTakesCourseSpeed = 4,
  kTakesYes = 8,
  kTakesWords = 16,
  kTakesSave = 32,
  kTakesOffset = 64,
  kTakesFix = kTakesTime | kTakesPosition | kTakesCourseSpeed,
};

struct Subcommand {
  const char* name;
  unsigned takes;
  int (*run)(const Options&);
};

constexpr Subcommand kSubcommands[] = {
    {"repair", 0, Repair},
    {"new-fix", kTakesFix | kTakesYes, NewFix},
    {"update-dr", kTakesTime | kTakesCourseSpeed | kTakesSave | kTakesYes, UpdateDr},
    {"external-fix", kTakesFix | kTakesSave, ExternalFix},
    {"correct-position", kTakesFix | kTakesOffset, CorrectPositionEntry},
    {"delete-position", kTakesOffset, DeletePositionEntry},
    {"comment", kTakesWords, Comment},
    {"show", 0, Show},
    {"entries", 0, Entries},
};

bool IsHelp(const char* argument) {
  return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0;
}

// The option's slot for its value, or nullptr when the subcommand does not take it.
const char** ValueSlot(const char* option, unsigned takes, Options& options) {
  const struct {
    const char* name;
    unsigned needs;
    const char** slot;
  } kValued[] = {
      {"--voyage-dir", 0, &options.voyageDirectory},
      {"--time", kTakesTime, &options.time},
      {"--lat", kTakesPosition, &options.latitude},
      {"--lon", kTakesPosition, &options.longitude},
      {"--course", kTakesCourseSpeed, &options.course},
      {"--speed", kTakesCourseSpeed, &options.speed},
      {"--offset", kTakesOffset, &options.offset},
  };
  for (const auto& valued : kValued) {
    if (std::strcmp(option, valued.name) == 0 && (valued.needs & ~takes) == 0) {
      return valued.slot;
    }
  }
  return nullptr;
}

}  // namespace

int RunLogCommand(int argc, char** argv) {
  for (int i = 0; i < argc; ++i) {
    if (IsHelp(argv[i])) {
      std::fputs(kUsage, stdout);
      return FinishStandardOutput(kExitOk);
    }
  }
  if (argc < 1) {
    return UsageError("missing subcommand");
  }
  const Subcommand* subcommand = nullptr;
  for (const Subcommand& candidate : kSubcommands) {
    if (std::strcmp(argv[0], candidate.name) == 0) subcommand = &candidate;
  }
  if (subcommand == nullptr) {
    return UsageError(std::string("unknown subcommand '") + argv[0] + "'");
  }
  Options options;
  options.subcommand = subcommand->name;
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (std::strcmp(argument, "--yes") == 0 && (subcommand->takes & kTakesYes) != 0) {
      options.yes = true;
    } else if (std::strcmp(argument, "--save") == 0 && (subcommand->takes & kTakesSave) != 0) {
      options.save = true;
    } else if (const char** slot = ValueSlot(argument, subcommand->takes, options)) {
      // A value never starts with "--" ("-12.5" is a value): that is the next option.
      if (i + 1 >= argc || std::strncmp(argv[i + 1], "--", 2) == 0) {
        return UsageError(std::string(argument) + " needs a value");
      }
      *slot = argv[++i];
    } else if (argument[0] != '-' ||
               (argument[1] != '-' && (subcommand->takes & kTakesWords) != 0)) {
      if ((subcommand->takes & kTakesWords) == 0) {
        return UsageError(std::string("unexpected argument '") + argument + "'");
      }
      options.words.push_back(argument);
    } else {
      return UsageError(std::string("unknown option '") + argument + "' for " + subcommand->name);
    }
  }
  return subcommand->run(options);
}

}  // namespace navora
