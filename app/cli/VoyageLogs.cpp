#include "app/cli/VoyageLogs.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/bridge/LogBridge.h"
#include "app/bridge/VoyageDirectory.h"
#include "app/cli/CliCommand.h"

namespace navora {

int CommandFailure(const std::string& command, const std::string& message) {
  std::fprintf(stderr, "navora-cli %s: %s\n", command.c_str(), message.c_str());
  return kExitFailure;
}

bool SetVoyageDirectory(const std::string& command, const char* voyageDirectory, EventLog& events,
                        TextLog& text) {
  std::string directory;
  if (!ResolveVoyageDirectory(voyageDirectory, directory)) {
    CommandFailure(command, kNoVoyageDirectory);
    return false;
  }
  if (SetEventLogDirectory(events, directory.c_str()) != kStatusOk ||
      SetTextLogDirectory(text, directory.c_str()) != kStatusOk) {
    CommandFailure(command,
                   "the voyage directory name is longer than 255 characters: " + directory);
    return false;
  }
  return true;
}

bool OpenStartedVoyage(const std::string& command, Notice& notice, const char* voyageDirectory,
                       EventLog& events, TextLog& text) {
  if (!SetVoyageDirectory(command, voyageDirectory, events, text)) return false;
  std::error_code missing;
  if (!std::filesystem::exists(EventLogPath(events), missing)) {
    CommandFailure(command, "no voyage in this directory; start one with log new-fix");
    return false;
  }
  constexpr int kOpenedEmpty = 2;
  const int opened = TaskOpenEventLog(notice, events);
  if (opened == kOpenedEmpty) {
    CommandFailure(command, "the event log holds no position; start a voyage with log new-fix");
  }
  return opened == kStatusOk && TaskOpenTextLog(notice, text) % kTextLogOpenedNew == kStatusOk;
}

}  // namespace navora
