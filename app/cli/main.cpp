// navora-cli: the engine's services without the windows, one subcommand each.

#include <cstdio>
#include <cstring>
#include <span>

#include "app/cli/AlmanacCommand.h"
#include "app/cli/CheckDataCommand.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CompassCommand.h"
#include "app/cli/FixCommand.h"
#include "app/cli/LogCommand.h"
#include "app/cli/PlanCommand.h"
#include "app/cli/RiseSetCommand.h"
#include "app/cli/SightsCommand.h"
#include "app/cli/WaypointCommand.h"
#include "app/cli/WorksheetCommand.h"

namespace navora {
namespace {

constexpr CliCommand kCommands[] = {
    {"check-data", "check the data files and print the dates they cover", RunCheckDataCommand},
    {"almanac", "print almanac tables (see navora-cli almanac --help)", RunAlmanacCommand},
    {"log", "record, list and repair the voyage log (see navora-cli log --help)", RunLogCommand},
    {"sights", "record, list, correct and delete sights (see navora-cli sights --help)",
     RunSightsCommand},
    {"fix", "the celestial fix from the sights since the last fix (see navora-cli fix --help)",
     RunFixCommand},
    {"worksheet", "print worksheet text (see navora-cli worksheet --help)", RunWorksheetCommand},
    {"waypoint", "course and speed to reach a waypoint by a given time", RunWaypointCommand},
    {"riseset", "rise, set, transit and twilight tables (see navora-cli riseset --help)",
     RunRiseSetCommand},
    {"plan", "sight planning: sky chart and selected stars (see navora-cli plan --help)",
     RunPlanCommand},
    {"compass", "gyro/compass error planning and determination (see navora-cli compass --help)",
     RunCompassCommand},
};

void PrintHelp(std::FILE* stream) {
  std::fprintf(stream, "usage: navora-cli <command> [arguments]\n\ncommands:\n");
  for (const CliCommand& command : kCommands) {
    std::fprintf(stream, "  %-12s %s\n", command.name, command.summary);
  }
  std::fprintf(stream,
               "\nThe data files are read from the program's directory, else from\n"
               "../share/navora/ beside it, else from the working directory.\n");
}

int Run(std::span<char*> arguments) {
  if (arguments.empty()) {
    PrintHelp(stderr);
    return kExitUsage;
  }
  const char* name = arguments[0];
  if (std::strcmp(name, "--help") == 0 || std::strcmp(name, "-h") == 0 ||
      std::strcmp(name, "help") == 0) {
    PrintHelp(stdout);
    return kExitOk;
  }
  for (const CliCommand& command : kCommands) {
    if (std::strcmp(name, command.name) == 0) {
      return command.run(static_cast<int>(arguments.size() - 1), arguments.data() + 1);
    }
  }
  std::fprintf(stderr, "navora-cli: unknown command '%s' (see navora-cli --help)\n", name);
  return kExitUsage;
}

}  // namespace
}  // namespace navora

int main(int argc, char** argv) {
  const size_t count = argc > 1 ? static_cast<size_t>(argc - 1) : 0;
  return navora::Run(std::span<char*>(argv + 1, count));
}
