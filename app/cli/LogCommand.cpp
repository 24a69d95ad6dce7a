#include "app/cli/LogCommand.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/bridge/VoyageDirectory.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"
#include "engine/log/EventLog.h"
#include "engine/log/EventLogRepair.h"

namespace navora {
namespace {

constexpr char kUsage[] =
    "usage: navora-cli log repair [--voyage-dir DIR]\n"
    "\n"
    "  repair            make an event log that ends in a torn entry (after a\n"
    "                    power loss or crash during a write) whole again: the\n"
    "                    file is first copied to navora.evt.torn-<n>, then the\n"
    "                    torn tail is cut; every complete entry is kept\n"
    "  --voyage-dir DIR  the voyage directory; default $NAVORA_VOYAGE_DIR, else\n"
    "                    $XDG_DATA_HOME/navora/, else $HOME/.local/share/navora/\n";

int UsageError(const char* reason) {
  std::fprintf(stderr, "navora-cli log: %s\n%s", reason, kUsage);
  return kExitUsage;
}

int Failure(const std::string& message) {
  std::fprintf(stderr, "navora-cli log repair: %s\n", message.c_str());
  return kExitFailure;
}

// Why a log that is not only torn is left alone.
int ReportDamage(const EventLog& log, const std::string& path) {
  EventLogExtent extent;
  if (InspectEventLog(log, extent) != kStatusOk) {
    return Failure("cannot read " + path);
  }
  char where[160];
  std::snprintf(where, sizeof where,
                "damaged at byte %" PRId64 " of %" PRId64 " (%" PRId32 " whole entries before it)",
                extent.wholeEnd, extent.fileSize, extent.wholeEntries);
  return Failure(path + " is " + where +
                 ", not only in a torn last entry; it was left unchanged");
}

int Repair(const char* optionDirectory) {
  std::string directory;
  if (!ResolveVoyageDirectory(optionDirectory, directory)) {
    return Failure("no voyage directory: give --voyage-dir or set NAVORA_VOYAGE_DIR or HOME");
  }
  EventLog log;
  if (SetEventLogDirectory(log, directory.c_str()) != kStatusOk) {
    return Failure("the voyage directory name is longer than 255 characters: " + directory);
  }
  const std::string path = EventLogPath(log);
  EventLogRepair repair;
  switch (RepairEventLog(log, repair)) {
    case kStatusOk:
      break;
    case 1:
      return Failure("cannot read and write " + path);
    case 2:
      return ReportDamage(log, path);
    case 3:
      return Failure("could not make a complete copy of " + path + "; nothing was cut");
    default:
      return Failure("the copy " + repair.copyPath + " was made, but the torn tail of " + path +
                     " could not be cut");
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
    return Failure(path + " still does not open");
  }
  return written;
}

bool IsHelp(const char* argument) {
  return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0;
}

}  // namespace

int RunLogCommand(int argc, char** argv) {
  if (argc >= 1 && IsHelp(argv[0])) {
    std::fputs(kUsage, stdout);
    return FinishStandardOutput(kExitOk);
  }
  if (argc < 1 || std::strcmp(argv[0], "repair") != 0) {
    return UsageError(argc < 1 ? "missing subcommand" : "unknown subcommand");
  }
  const char* optionDirectory = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (IsHelp(argv[i])) {
      std::fputs(kUsage, stdout);
      return FinishStandardOutput(kExitOk);
    }
    if (std::strcmp(argv[i], "--voyage-dir") != 0 || i + 1 >= argc) {
      return UsageError("unknown option or missing directory");
    }
    optionDirectory = argv[++i];
  }
  return Repair(optionDirectory);
}

}  // namespace navora
