#include "app/cli/SightsCommand.h"

#include <cctype>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/bridge/ConsoleNotice.h"
#include "app/cli/VoyageLogs.h"
#include "app/bridge/LogEntryBridge.h"
#include "app/cli/CliArguments.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"
#include "app/tasks/ObservationRecorderModel.h"
#include "app/tasks/SightTasks.h"
#include "engine/sightreduction/BodyNames.h"
#include "engine/sightreduction/ReducedObservation.h"

namespace navora {
namespace {

constexpr char kUsage[] =
    "usage: navora-cli sights add --time T --body B [--limb upper|lower] --hs DEG MIN\n"
    "                             --ic MIN --height-ft N --temp C --pressure MB\n"
    "                             [--dut1 S] --quality good|average|poor\n"
    "       navora-cli sights import FILE.csv\n"
    "       navora-cli sights list\n"
    "       navora-cli sights correct --offset N [the value options of add]\n"
    "       navora-cli sights delete --offset N\n"
    "\n"
    "  add               record one sight and print its Sight Recorder table\n"
    "    --time T        UTC, YYYY-MM-DDTHH:MM[:SS]\n"
    "    --body B        Sun, Moon, Venus, Mars, Jupiter, Saturn, a catalogue star's\n"
    "                    name or its catalogue number (1 to 173)\n"
    "    --limb L        upper or lower, Sun and Moon only (default: the centre)\n"
    "    --hs DEG MIN    sextant altitude, degrees 0 to 90 and minutes 0 to 59.9\n"
    "    --ic MIN        index correction, minutes of arc, -9.9 to 9.9\n"
    "    --height-ft N   height of eye, feet, 0 to 999\n"
    "    --temp C        air temperature, degrees Celsius, -49 to 49\n"
    "    --pressure MB   air pressure, millibars, 900 to 1100\n"
    "    --dut1 S        UT1 - UTC, seconds, -0.9 to 0.9 (default 0)\n"
    "    --quality Q     good, average or poor\n"
    "  import FILE.csv   record every sight of the file, or none if one is refused;\n"
    "                    header: time,body,limb,hs_deg,hs_min,ic_min,height_ft,\n"
    "                    temp_c,press_mb,dut1_s,quality (limb and dut1_s may be empty)\n"
    "  list              the sights since the last fix: their table, then each\n"
    "                    sight's number, event-log offset and leg\n"
    "  correct           change the given values of the sight at offset N\n"
    "  delete            mark the sight at offset N deleted\n"
    "  --voyage-dir DIR  the voyage directory; default $NAVORA_VOYAGE_DIR, else\n"
    "                    $XDG_DATA_HOME/navora/, else $HOME/.local/share/navora/\n";

constexpr char kUsageHint[] =
    "usage: navora-cli sights add|import|list|correct|delete ... (see navora-cli sights --help)";

constexpr char kCsvHeader[] =
    "time,body,limb,hs_deg,hs_min,ic_min,height_ft,temp_c,press_mb,dut1_s,quality";
constexpr char kNoDut1[] = "0.0";

int UsageError(const std::string& reason) {
  std::fprintf(stderr, "navora-cli sights: %s; %s\n", reason.c_str(), kUsageHint);
  return kExitUsage;
}

// The values of one sight as given; nullptr where not given.
struct SightValues {
  const char* time = nullptr;
  const char* body = nullptr;
  const char* limb = nullptr;
  const char* hsDegrees = nullptr;
  const char* hsMinutes = nullptr;
  const char* indexCorrection = nullptr;
  const char* heightFeet = nullptr;
  const char* temperature = nullptr;
  const char* pressure = nullptr;
  const char* dut1 = nullptr;
  const char* quality = nullptr;
};

struct Options {
  const char* subcommand = nullptr;
  const char* voyageDirectory = nullptr;
  const char* offset = nullptr;
  SightValues values;
  std::vector<const char*> words;
};

int Failure(const Options& options, const std::string& message) {
  return CommandFailure(std::string("sights ") + options.subcommand, message);
}

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
  }
  return true;
}

// The index of `text` among lower-case `words`, or -1.
template <size_t N>
int WordIndex(std::string_view text, const char* const (&words)[N]) {
  for (size_t i = 0; i < N; ++i) {
    if (SameWord(text, words[i])) return static_cast<int>(i);
  }
  return -1;
}

// A body's list index from its name or catalogue number; unknown names stay
// unselected, for the recorder to refuse as the dialog does.
int BodyIndexOf(std::string_view text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error == std::errc() && end == text.data() + text.size()) return BodyIndexOfStar(number);
  return FindObservedBody(text);
}

// Writes the given values into the recorder's fields, as the navigator would
// type and choose them. Empty when done, else why an argument is refused.
std::string EnterValues(const SightValues& values, ObservationFields& fields) {
  if (values.time != nullptr) {
    ObservationRecord atTime;
    std::string error;
    if (!ParseUtcTime(values.time, atTime.time, error)) {
      return "time '" + std::string(values.time) + "': " + error;
    }
    const ObservationFields shown = ShowObservation(atTime);
    fields.day = shown.day;
    fields.monthIndex = shown.monthIndex;
    fields.yearIndex = shown.yearIndex;
    fields.hour = shown.hour;
    fields.minute = shown.minute;
    fields.second = shown.second;
  }
  if (values.body != nullptr) fields.bodyIndex = BodyIndexOf(values.body);
  if (values.limb != nullptr) {
    constexpr const char* kLimbWords[] = {"none", "upper", "lower"};
    const int limb = *values.limb == '\0' ? kLimbNone : WordIndex(values.limb, kLimbWords);
    if (limb < 0) return "limb '" + std::string(values.limb) + "': must be upper or lower";
    if (limb != kLimbNone && !LimbApplies(fields.bodyIndex)) {
      return "limb: only the Sun and the Moon have one";
    }
    fields.limbIndex = limb;
  }
  if (values.quality != nullptr) {
    constexpr const char* kQualityWords[] = {"good", "average", "poor"};
    const int quality = WordIndex(values.quality, kQualityWords);
    if (quality < 0) {
      return "quality '" + std::string(values.quality) + "': must be good, average or poor";
    }
    fields.qualityIndex = quality;
  }
  const struct {
    const char* value;
    std::string* field;
  } texts[] = {
      {values.hsDegrees, &fields.hsDegrees},
      {values.hsMinutes, &fields.hsMinutes},
      {values.indexCorrection, &fields.indexCorrection},
      {values.heightFeet, &fields.heightOfEye},
      {values.temperature, &fields.temperature},
      {values.pressure, &fields.pressure},
      {values.dut1, &fields.ut1MinusUtc},
  };
  for (const auto& text : texts) {
    if (text.value != nullptr) *text.field = text.value;
  }
  fields.heightInMetres = false;
  return "";
}

bool HasAnyValue(const SightValues& v) {
  return v.time || v.body || v.limb || v.hsDegrees || v.indexCorrection || v.heightFeet ||
         v.temperature || v.pressure || v.dut1 || v.quality;
}

bool HasAllAddValues(const SightValues& v) {
  return v.time && v.body && v.hsDegrees && v.indexCorrection && v.heightFeet && v.temperature &&
         v.pressure && v.quality;
}

// Names the row of the file a notice is about.
class RowNotice : public Notice {
 public:
  RowNotice(Notice& inner, std::string row) : inner_(inner), row_(std::move(row)) {}
  NoticeAnswer Show(std::string_view text, NoticeStyle style) override {
    return inner_.Show(row_ + std::string(text), style);
  }

 private:
  Notice& inner_;
  std::string row_;
};

// Prints report lines as they reach the worksheet.
class PrintingSink : public ReportSink {
 public:
  void AppendLine(std::string_view line) override {
    std::printf("%.*s\n", static_cast<int>(line.size()), line.data());
  }
};

void PrintLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
}

// Both logs of the voyage open, with notices on the error output.
class SightCommand {
 public:
  explicit SightCommand(const Options& options) : options_(options) {}

  // False after saying why.
  bool Open() {
    return OpenStartedVoyage(std::string("sights ") + options_.subcommand, notice_,
                             options_.voyageDirectory, events_, text_);
  }

  SightTaskLogs Logs() { return {notice_, events_, text_}; }
  Notice& notice() { return notice_; }

 private:
  const Options& options_;
  ConsoleNotice notice_;
  EventLog events_;
  TextLog text_;
};

// Prints the new sights' table and records them in both logs.
int RecordNewSights(SightCommand& command, const ObservationRecorderModel& model) {
  SightTaskLogs logs = command.Logs();
  std::vector<std::string> table;
  const std::vector<ObservationRecord> sights = model.NewSights();
  if (FormatNewSightsTable(logs.notice, sights, table) != 0) return kExitFailure;
  PrintingSink printed;
  if (SaveObservations(logs, sights, table, printed) != 0) return kExitFailure;
  return FinishStandardOutput(kExitOk);
}

int Add(const Options& options) {
  if (!HasAllAddValues(options.values)) {
    return UsageError(
        "add needs --time, --body, --hs, --ic, --height-ft, --temp, --pressure and --quality");
  }
  ObservationFields fields = ShowObservation(DefaultObservationRecord());
  SightValues values = options.values;
  if (values.dut1 == nullptr) values.dut1 = kNoDut1;
  if (const std::string refused = EnterValues(values, fields); !refused.empty()) {
    return UsageError(refused);
  }
  SightCommand command(options);
  if (!command.Open()) return kExitFailure;
  SightTaskLogs logs = command.Logs();
  int32_t recorded = 0;
  if (BeginRecordObservations(logs.notice, logs.events, recorded) != 0) return kExitFailure;
  ObservationRecorderModel model(recorded, FirstNewObservation(logs.events));
  model.SetFields(fields);
  ObservationField returnTo = ObservationField::kDay;
  if (!model.Action(logs.notice, returnTo)) return kExitFailure;
  return RecordNewSights(command, model);
}

// The comma-separated cells of a line, blanks around each trimmed.
std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  size_t start = 0;
  for (;;) {
    const size_t comma = line.find(',', start);
    std::string cell = line.substr(start, comma == std::string::npos ? comma : comma - start);
    const size_t first = cell.find_first_not_of(" \t\r");
    const size_t last = cell.find_last_not_of(" \t\r");
    cells.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
    if (comma == std::string::npos) return cells;
    start = comma + 1;
  }
}

int Import(const Options& options) {
  if (options.words.size() != 1) return UsageError("import takes one FILE.csv");
  const char* path = options.words[0];
  std::ifstream file(path);
  if (!file) return Failure(options, std::string("cannot read ") + path);
  std::vector<std::vector<std::string>> rows;
  std::vector<int> rowLines;
  std::string line;
  int lineNumber = 0;
  bool header = false;
  constexpr size_t kCellCount = 11;
  while (std::getline(file, line)) {
    ++lineNumber;
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    if (!header) {
      if (Cells(line) != Cells(kCsvHeader)) {
        return Failure(options, std::string(path) + " line " + std::to_string(lineNumber) +
                                    ": the header must be " + kCsvHeader);
      }
      header = true;
      continue;
    }
    rows.push_back(Cells(line));
    rowLines.push_back(lineNumber);
    if (rows.back().size() != kCellCount) {
      return Failure(options, std::string(path) + " line " + std::to_string(lineNumber) +
                                  ": expected 11 values; nothing was recorded");
    }
  }
  if (!header) return Failure(options, std::string(path) + " is empty");
  SightCommand command(options);
  if (!command.Open()) return kExitFailure;
  SightTaskLogs logs = command.Logs();
  int32_t recorded = 0;
  if (BeginRecordObservations(logs.notice, logs.events, recorded) != 0) return kExitFailure;
  if (recorded + static_cast<int32_t>(rows.size()) > kMaxSights) {
    return Failure(options, std::string(path) + " holds " + std::to_string(rows.size()) +
                                " sights; only " + std::to_string(kMaxSights - recorded) +
                                " more may be recorded since the last fix; nothing was recorded");
  }
  ObservationRecorderModel model(recorded, FirstNewObservation(logs.events));
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::vector<std::string>& cell = rows[i];
    SightValues values{cell[0].c_str(), cell[1].c_str(),
                       cell[2].c_str(), cell[3].c_str(),
                       cell[4].c_str(), cell[5].c_str(),
                       cell[6].c_str(), cell[7].c_str(),
                       cell[8].c_str(), cell[9].empty() ? kNoDut1 : cell[9].c_str(),
                       cell[10].c_str()};
    const std::string where = std::string(path) + " line " + std::to_string(rowLines[i]);
    ObservationFields fields = model.Fields();
    if (const std::string refused = EnterValues(values, fields); !refused.empty()) {
      return Failure(options, where + ": " + refused + "; nothing was recorded");
    }
    model.SetFields(fields);
    ObservationField returnTo = ObservationField::kDay;
    RowNotice rowNotice(logs.notice, where + ": ");
    if (!model.Action(rowNotice, returnTo)) {
      return Failure(options, where + " refused; nothing was recorded");
    }
    // The row was checked as it was added; the move only opens the next place.
    if (model.CanMove(RecorderMove::kNext)) {
      static_cast<void>(model.Move(rowNotice, RecorderMove::kNext, returnTo));
    }
  }
  return RecordNewSights(command, model);
}

int List(const Options& options) {
  SightCommand command(options);
  if (!command.Open()) return kExitFailure;
  SightTaskLogs logs = command.Logs();
  LegsAndSights loaded;
  double lastFixTime = 0.0;
  if (LoadLoggedSights(logs.notice, logs.events, loaded, lastFixTime) != 0) return kExitFailure;
  const std::vector<ObservationRecord> sights(loaded.sights.begin(),
                                              loaded.sights.begin() + loaded.sightCount);
  std::vector<std::string> table;
  if (FormatNewSightsTable(logs.notice, sights, table) != 0) return kExitFailure;
  PrintLines(table);
  if (!sights.empty()) std::printf("\n  No.    Offset  Leg  Body             UTC\n");
  for (size_t i = 0; i < sights.size(); ++i) {
    const char* name = "";
    static_cast<void>(BodyNameForCode(sights[i].bodyCode, sights[i].starNumber, name));
    std::printf("  %3zu  %8" PRId64 "  %3d  %-15s  %s%s\n", i + 1, loaded.sightOffsets[i],
                sights[i].legIndex + 1, name, FormatUtcTime(sights[i].time).c_str(),
                sights[i].time < lastFixTime ? "  (before the last fix)" : "");
  }
  return FinishStandardOutput(kExitOk);
}

int ParseOffset(const Options& options, EventLogOffset& offset) {
  if (options.offset == nullptr) {
    return UsageError(std::string(options.subcommand) + " needs --offset");
  }
  const std::string_view text = options.offset;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), offset);
  if (error != std::errc() || end != text.data() + text.size() || offset < 0) {
    return UsageError("--offset '" + std::string(text) +
                      "': must be a byte offset of the event log");
  }
  return kExitOk;
}

// Opens the recorder in `mode` on the sight at `offset`, lets `change` act on
// it, and applies what Done gives. Prints the entries written.
template <typename Change>
int ChangeSight(const Options& options, RecorderMode mode, Change change) {
  EventLogOffset offset = 0;
  if (const int parsed = ParseOffset(options, offset); parsed != kExitOk) return parsed;
  SightCommand command(options);
  if (!command.Open()) return kExitFailure;
  SightTaskLogs logs = command.Logs();
  LegsAndSights loaded;
  double lastFixTime = 0.0;
  if (LoadLoggedSights(logs.notice, logs.events, loaded, lastFixTime) != 0) return kExitFailure;
  int index = -1;
  for (int i = 0; i < loaded.sightCount; ++i) {
    if (loaded.sightOffsets[static_cast<size_t>(i)] == offset) index = i;
  }
  if (index < 0) {
    return Failure(options, std::string("no sight since the last fix at offset ") + options.offset +
                                " (see sights list)");
  }
  ObservationRecorderModel model(mode, loaded, index);
  if (const int changed = change(model); changed != kExitOk) return changed;
  ObservationField returnTo = ObservationField::kDay;
  if (!model.Done(logs.notice, returnTo)) return kExitFailure;
  const int status = ApplySightEdits(logs, model.Edits(), PrintLines);
  return status == 0 ? FinishStandardOutput(kExitOk) : kExitFailure;
}

int Correct(const Options& options) {
  if (!HasAnyValue(options.values)) {
    return UsageError("correct needs --offset and at least one value option of add");
  }
  return ChangeSight(options, RecorderMode::kEditing, [&options](ObservationRecorderModel& model) {
    ObservationFields fields = model.Fields();
    if (const std::string refused = EnterValues(options.values, fields); !refused.empty()) {
      return UsageError(refused);
    }
    model.SetFields(fields);
    return kExitOk;
  });
}

int Delete(const Options& options) {
  return ChangeSight(options, RecorderMode::kDeleting, [](ObservationRecorderModel& model) {
    model.ToggleDelete();
    return kExitOk;
  });
}

enum OptionSet : unsigned {
  kTakesValues = 1,
  kTakesOffset = 2,
  kTakesWords = 4,
};

struct Subcommand {
  const char* name;
  unsigned takes;
  int (*run)(const Options&);
};

constexpr Subcommand kSubcommands[] = {
    {"add", kTakesValues, Add},
    {"import", kTakesWords, Import},
    {"list", 0, List},
    {"correct", kTakesValues | kTakesOffset, Correct},
    {"delete", kTakesOffset, Delete},
};

bool IsHelp(const char* argument) {
  return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0;
}

// The option's slots for its values (two for --hs), or none when the
// subcommand does not take it.
std::vector<const char**> ValueSlots(const char* option, unsigned takes, Options& options) {
  SightValues& v = options.values;
  const struct {
    const char* name;
    unsigned needs;
    std::vector<const char**> slots;
  } kValued[] = {
      {"--voyage-dir", 0, {&options.voyageDirectory}},
      {"--offset", kTakesOffset, {&options.offset}},
      {"--time", kTakesValues, {&v.time}},
      {"--body", kTakesValues, {&v.body}},
      {"--limb", kTakesValues, {&v.limb}},
      {"--hs", kTakesValues, {&v.hsDegrees, &v.hsMinutes}},
      {"--ic", kTakesValues, {&v.indexCorrection}},
      {"--height-ft", kTakesValues, {&v.heightFeet}},
      {"--temp", kTakesValues, {&v.temperature}},
      {"--pressure", kTakesValues, {&v.pressure}},
      {"--dut1", kTakesValues, {&v.dut1}},
      {"--quality", kTakesValues, {&v.quality}},
  };
  for (const auto& valued : kValued) {
    if (std::strcmp(option, valued.name) == 0 && (valued.needs & ~takes) == 0) {
      return valued.slots;
    }
  }
  return {};
}

}  // namespace

int RunSightsCommand(int argc, char** argv) {
  for (int i = 0; i < argc; ++i) {
    if (IsHelp(argv[i])) {
      std::fputs(kUsage, stdout);
      return FinishStandardOutput(kExitOk);
    }
  }
  if (argc < 1) return UsageError("missing subcommand");
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
    const std::vector<const char**> slots = ValueSlots(argument, subcommand->takes, options);
    if (!slots.empty()) {
      for (const char** slot : slots) {
        // A value never starts with "--" ("-1.5" is a value): that is the next option.
        if (i + 1 >= argc || std::strncmp(argv[i + 1], "--", 2) == 0) {
          return UsageError(std::string(argument) + " needs " +
                            (slots.size() == 1 ? "a value" : "two values"));
        }
        *slot = argv[++i];
      }
    } else if (argument[0] != '-' && (subcommand->takes & kTakesWords) != 0) {
      options.words.push_back(argument);
    } else if (argument[0] != '-') {
      return UsageError(std::string("unexpected argument '") + argument + "'");
    } else {
      return UsageError(std::string("unknown option '") + argument + "' for " + subcommand->name);
    }
  }
  return subcommand->run(options);
}

}  // namespace navora
