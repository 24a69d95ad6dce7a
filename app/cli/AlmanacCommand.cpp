#include "app/cli/AlmanacCommand.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "app/bridge/ConsoleNotice.h"
#include "app/bridge/DataDirectory.h"
#include "app/bridge/DataFileChecks.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"
#include "app/tasks/AlmanacDialogModel.h"
#include "app/tasks/AlmanacTasks.h"
#include "engine/common/PositionRecord.h"

namespace navora {
namespace {

constexpr char kUsage[] =
    "usage: navora-cli almanac sun-moon-aries|planets|stars|all [options]\n"
    "\n"
    "  --date YYYY-MM-DD       date (UTC), 1970 to 2024; default 2000-01-01\n"
    "  --time HH:MM[:SS]       time (UTC) of the first row; HH:MM for stars;\n"
    "                          not for all (0h to 23h); default 00:00:00\n"
    "  --count N               rows of a sun-moon-aries or planets table\n"
    "                          (1 to 999, default 24)\n"
    "  --interval N{d,h,m,s}   step between rows (N 1 to 999, default 1h);\n"
    "                          seconds are printed when it is under a minute\n"
    "  --crlf                  end lines with CR LF, as the worksheet does\n";

enum class Table { kSunMoonAries, kPlanets, kStars, kAll };

struct TableName {
  const char* name;
  Table table;
};

constexpr TableName kTables[] = {{"sun-moon-aries", Table::kSunMoonAries},
                                 {"planets", Table::kPlanets},
                                 {"stars", Table::kStars},
                                 {"all", Table::kAll}};

int UsageError(const char* format, const char* argument) {
  std::fprintf(stderr, "navora-cli almanac: ");
  std::fprintf(stderr, format, argument);
  std::fprintf(stderr, "\n%s", kUsage);
  return kExitUsage;
}

// A whole decimal number filling the text up to `end` (nullptr: to its end).
bool ParseInteger(const char* text, int& value, const char** end = nullptr) {
  if (*text == '\0' || *text == ' ' || *text == '+' || *text == '-') return false;
  errno = 0;
  char* stop = nullptr;
  const long parsed = std::strtol(text, &stop, 10);
  if (stop == text || errno == ERANGE || parsed > INT_MAX) return false;
  if (end != nullptr) {
    *end = stop;
  } else if (*stop != '\0') {
    return false;
  }
  value = static_cast<int>(parsed);
  return true;
}

// The numbers of "A<sep>B<sep>C..." into values; count gives how many there
// were (minCount to maxCount).
bool ParseFields(const char* text, char separator, int minCount, int maxCount, int* values,
                 int& count) {
  count = 0;
  const char* cursor = text;
  while (count < maxCount) {
    const char* end = nullptr;
    if (!ParseInteger(cursor, values[count], &end)) return false;
    ++count;
    if (*end == '\0') return count >= minCount;
    if (*end != separator) return false;
    cursor = end + 1;
  }
  return false;
}

// The date into the dialog's lists; a month or year the lists do not hold is
// left unselected, for the dialog's own message.
bool ParseDate(const char* text, AlmanacDialogFields& fields) {
  int parts[3] = {};
  int count = 0;
  if (!ParseFields(text, '-', 3, 3, parts, count)) return false;
  const int yearIndex = parts[0] - kFirstAlmanacYear;
  fields.yearIndex = yearIndex >= 0 && yearIndex < kAlmanacYearCount ? yearIndex : kNoSelection;
  fields.monthIndex = parts[1] >= 1 && parts[1] <= 12 ? parts[1] - 1 : kNoSelection;
  fields.day = parts[2];
  return true;
}

bool ParseTime(const char* text, bool secondsAllowed, AlmanacDialogFields& fields) {
  int parts[3] = {};
  int count = 0;
  if (!ParseFields(text, ':', 2, secondsAllowed ? 3 : 2, parts, count)) return false;
  fields.hour = parts[0];
  fields.minute = parts[1];
  fields.second = count == 3 ? parts[2] : 0;
  return true;
}

bool ParseInterval(const char* text, AlmanacDialogFields& fields) {
  const char* end = nullptr;
  if (!ParseInteger(text, fields.intervalValue, &end) || end[0] == '\0' || end[1] != '\0') {
    return false;
  }
  switch (end[0]) {
    case 'd':
      fields.unit = IntervalUnit::kDays;
      return true;
    case 'h':
      fields.unit = IntervalUnit::kHours;
      return true;
    case 'm':
      fields.unit = IntervalUnit::kMinutes;
      return true;
    case 's':
      fields.unit = IntervalUnit::kSeconds;
      return true;
    default:
      return false;
  }
}

struct Options {
  Table table = Table::kAll;
  AlmanacDialogFields fields;
  bool crlf = false;
};

// Reads the options into the dialog fields, refusing those the table's
// dialog does not have. Returns kExitOk or the usage error's exit code.
int ParseOptions(int argc, char** argv, Options& options) {
  const bool hasTime = options.table != Table::kAll;
  const bool hasRepetitions =
      options.table == Table::kSunMoonAries || options.table == Table::kPlanets;
  for (int k = 0; k < argc; ++k) {
    const std::string_view option = argv[k];
    if (option == "--crlf") {
      options.crlf = true;
      continue;
    }
    const bool known = option == "--date" || option == "--time" || option == "--count" ||
                       option == "--interval";
    if (!known) return UsageError("unknown option '%s'", argv[k]);
    if (k + 1 >= argc) return UsageError("%s needs a value", argv[k]);
    const char* value = argv[++k];
    if (option == "--date") {
      if (!ParseDate(value, options.fields)) return UsageError("bad date '%s'", value);
    } else if (option == "--time") {
      if (!hasTime) return UsageError("%s: the all page starts at 0h", "--time");
      if (!ParseTime(value, options.table != Table::kStars, options.fields)) {
        return UsageError("bad time '%s'", value);
      }
    } else if (!hasRepetitions) {
      return UsageError("%s is for the sun-moon-aries and planets tables", argv[k - 1]);
    } else if (option == "--count") {
      if (!ParseInteger(value, options.fields.repetitions)) {
        return UsageError("bad count '%s'", value);
      }
    } else if (!ParseInterval(value, options.fields)) {
      return UsageError("bad interval '%s'", value);
    }
  }
  return kExitOk;
}

// The dialog's OK, answered by nobody: a truncation question gets OK.
bool AcceptAndRun(const Options& options, Notice& notice, TaskContext& context,
                  TaskOutcome& outcome) {
  AlmanacField refused = AlmanacField::kDay;
  switch (options.table) {
    case Table::kSunMoonAries:
    case Table::kPlanets: {
      AlmanacTableRequest request;
      if (!AcceptAlmanacTableDialog(notice, options.fields, request, refused)) return false;
      if (request.count < options.fields.repetitions) {
        std::fprintf(stderr, "navora-cli almanac: the table is cut to %d rows\n",
                     static_cast<int>(request.count));
      }
      outcome = options.table == Table::kSunMoonAries ? RunSunMoonAriesAlmanac(context, request)
                                                      : RunPlanetsAlmanac(context, request);
      return true;
    }
    case Table::kStars: {
      AlmanacStarsRequest request;
      if (!AcceptAlmanacStarsDialog(notice, options.fields, request, refused)) return false;
      outcome = RunStarsAlmanac(context, request);
      return true;
    }
    case Table::kAll: {
      AlmanacDayRequest request;
      if (!AcceptAlmanacDayDialog(notice, options.fields, request, refused)) return false;
      outcome = RunAllAlmanac(context, request);
      return true;
    }
  }
  return false;
}

}  // namespace

int RunAlmanacCommand(int argc, char** argv) {
  if (argc < 1) {
    std::fprintf(stderr, "%s", kUsage);
    return kExitUsage;
  }
  if (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0) {
    std::printf("%s", kUsage);
    return kExitOk;
  }
  Options options;
  bool tableKnown = false;
  for (const TableName& entry : kTables) {
    if (std::strcmp(argv[0], entry.name) == 0) {
      options.table = entry.table;
      tableKnown = true;
    }
  }
  if (!tableKnown) return UsageError("unknown table '%s'", argv[0]);

  // Without a voyage log the dialogs open on the default record's date.
  options.fields = InitialAlmanacDialogFields(DefaultPositionRecord().time);
  const int parsed = ParseOptions(argc - 1, argv + 1, options);
  if (parsed != kExitOk) return parsed;

  ConsoleNotice notice(/*acceptQuestions=*/true);
  PlaceContext places(FindDataDirectory());
  // A missing or damaged data file would only stop every row: stop first.
  if (!CheckDataFilesAtStartup(notice, places)) return kExitFailure;
  StandardOutputSink sink(options.crlf ? "\r\n" : "\n");
  TaskContext context{notice, sink, places};
  TaskOutcome outcome = TaskOutcome::kStopped;
  const bool accepted = AcceptAndRun(options, notice, context, outcome);
  return FinishStandardOutput(accepted && outcome == TaskOutcome::kCompleted ? kExitOk
                                                                             : kExitFailure);
}

}  // namespace navora
