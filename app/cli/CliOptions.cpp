#include "app/cli/CliOptions.h"

#include <cstdio>
#include <cstring>

#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"

namespace navora {

int ParseCommandOptions(const char* command, int argc, char** argv,
                        std::span<const ValuedOption> valued,
                        std::span<const SwitchOption> switches) {
  for (int i = 0; i < argc; ++i) {
    bool known = false;
    for (const SwitchOption& option : switches) {
      if (option.offered && std::strcmp(argv[i], option.name) == 0) {
        *option.on = true;
        known = true;
      }
    }
    if (known) continue;
    const char** value = nullptr;
    for (const ValuedOption& option : valued) {
      if (option.offered && std::strcmp(argv[i], option.name) == 0) value = option.value;
    }
    if (value == nullptr) {
      return UsageFailure(command, std::string("unknown argument '") + argv[i] + "'");
    }
    if (i + 1 >= argc) return UsageFailure(command, std::string(argv[i]) + " needs a value");
    *value = argv[++i];
  }
  return kExitOk;
}

bool PrintUsageIfAsked(int argc, char** argv, const char* usage, int& exitCode) {
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(usage, stdout);
      exitCode = FinishStandardOutput(kExitOk);
      return true;
    }
  }
  return false;
}

int BadOptionValue(const char* command, const char* option, const char* text,
                   const std::string& reason) {
  return UsageFailure(command, std::string(option) + " '" + text + "': " + reason);
}

}  // namespace navora
