#include "app/cli/FixCommand.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/bridge/ConsoleNotice.h"
#include "app/bridge/DataDirectory.h"
#include "app/bridge/DataFileChecks.h"
#include "app/bridge/LogEntryBridge.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOptions.h"
#include "app/cli/CliOutput.h"
#include "app/cli/VoyageLogs.h"
#include "app/tasks/ComputeFixCourse.h"
#include "app/tasks/ReportSink.h"
#include "app/tasks/SightPlotDocument.h"
#include "app/tasks/SightPlotTasks.h"
#include "engine/log/EventLog.h"
#include "engine/log/TextLog.h"
#include "engine/places/PlaceContext.h"

namespace navora {
namespace {

constexpr char kUsage[] =
    "usage: navora-cli fix [--time first|average|last] [--exclude I,J,...] [--short]\n"
    "                      [--save] [--srp FILE] [--voyage-dir DIR]\n"
    "\n"
    "  The celestial fix from the sights recorded since the last fix, over the legs\n"
    "  of the DR track since it, by least squares; course and speed made good are\n"
    "  solved where the sights allow. Prints the fix report.\n"
    "  --time T          the time of fix when the last leg has several included\n"
    "                    sights: that of the first, the average or the last of them\n"
    "  --exclude I,J     leave these sights out: their numbers in 'sights list' or\n"
    "                    their letters on the plot (A for the first)\n"
    "  --short           the report's short form, as the text log receives it\n"
    "  --save            log the fix (a new voyage leg starts from it)\n"
    "  --srp FILE        write the sight reduction plot file\n"
    "  --voyage-dir DIR  the voyage directory; default $NAVORA_VOYAGE_DIR, else\n"
    "                    $XDG_DATA_HOME/navora/, else $HOME/.local/share/navora/\n";

constexpr char kCommand[] = "fix";

struct Options {
  const char* time = nullptr;
  const char* exclude = nullptr;
  const char* srpPath = nullptr;
  const char* voyageDirectory = nullptr;
  bool shortForm = false;
  bool save = false;
};

int UsageError(const std::string& reason) { return UsageFailure("fix", reason); }

bool ParseTimeChoice(std::string_view text, FixTimeChoice& choice) {
  constexpr struct {
    const char* word;
    FixTimeChoice choice;
  } kChoices[] = {{"first", FixTimeChoice::kFirst},
                  {"average", FixTimeChoice::kAverage},
                  {"last", FixTimeChoice::kLast}};
  for (const auto& candidate : kChoices) {
    if (text == candidate.word) {
      choice = candidate.choice;
      return true;
    }
  }
  return false;
}

// The sight indexes (0-based) named by "3,5" or "C,E"; false for a word
// that names no sight of the plot.
bool ParseExclusions(std::string_view text, int sightCount, std::vector<int>& indexes) {
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string_view word = text.substr(0, comma);
    int index = -1;
    if (word.size() == 1 && word[0] >= 'A' && word[0] <= 'Z') {
      index = word[0] - 'A';
    } else if (!word.empty() && word.size() <= 2 &&
               word.find_first_not_of("0123456789") == std::string_view::npos) {
      index = std::stoi(std::string(word)) - 1;
    }
    if (index < 0 || index >= sightCount) return false;
    indexes.push_back(index);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  }
  return true;
}

// The worksheet of the desktop program has no counterpart here: the report
// has been printed already.
class DiscardingSink : public ReportSink {
 public:
  void AppendLine(std::string_view) override {}
};

int Fix(const Options& options) {
  ConsoleNotice notice(false);
  PlaceContext places(FindDataDirectory());
  EventLog events;
  TextLog text;
  if (!CheckDataFilesAtStartup(notice, places) ||
      !OpenStartedVoyage(kCommand, notice, options.voyageDirectory, events, text)) {
    return kExitFailure;
  }
  LegsAndSights loaded;
  if (TaskReadPlotData(notice, events, loaded) != 0) return kExitFailure;
  FixTimeChoice choice = FixTimeChoice::kLast;
  if (NeedsFixTimeChoice(loaded)) {
    if (options.time == nullptr) {
      return UsageError("the last leg has several sights: give --time first|average|last");
    }
    if (!ParseTimeChoice(options.time, choice)) {
      return UsageError(std::string("--time '") + options.time + "': first, average or last");
    }
  }
  SightPlotDocument plot;
  if (OpenLivePlot(notice, places, loaded, TimeOfFix(loaded, choice), plot) != 0) {
    return kExitFailure;
  }
  std::vector<int> excluded;
  if (options.exclude != nullptr &&
      !ParseExclusions(options.exclude, plot.state.nSights, excluded)) {
    return UsageError(std::string("--exclude '") + options.exclude +
                      "': sight numbers or letters of this plot, separated by commas");
  }
  for (const int index : excluded) {
    if (plot.state.sights[index].included != 0) ToggleSight(plot, index);
  }
  if (CalculateFix(notice, places, plot) != 0) return kExitFailure;
  FixReportPreview preview;
  if (BuildFixReport(notice, events, plot.state, preview) != 0) return kExitFailure;
  for (const std::string& line : options.shortForm ? preview.shortForm : preview.longForm) {
    std::printf("%s\n", line.c_str());
  }
  if (options.srpPath != nullptr && SaveSightPlot(plot, options.srpPath) != 0) {
    return CommandFailure(kCommand, std::string("cannot write ") + options.srpPath);
  }
  if (options.save) {
    DiscardingSink worksheet;
    std::vector<std::string> written;
    if (SaveFixToLog(notice, events, text, worksheet, preview, written) != 0) return kExitFailure;
  }
  return FinishStandardOutput(kExitOk);
}

}  // namespace

int RunFixCommand(int argc, char** argv) {
  if (int exitCode = 0; PrintUsageIfAsked(argc, argv, kUsage, exitCode)) return exitCode;
  Options options;
  const ValuedOption valued[] = {{"--time", &options.time},
                                 {"--exclude", &options.exclude},
                                 {"--srp", &options.srpPath},
                                 {"--voyage-dir", &options.voyageDirectory}};
  const SwitchOption switches[] = {{"--short", &options.shortForm}, {"--save", &options.save}};
  if (const int parsed = ParseCommandOptions("fix", argc, argv, valued, switches);
      parsed != kExitOk) {
    return parsed;
  }
  return Fix(options);
}

}  // namespace navora
