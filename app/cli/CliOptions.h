#pragma once

#include <span>
#include <string>

namespace navora {

// The "--name value" options and "--name" switches of a command line. A
// command with subcommands offers each option to some of them only; an
// option not offered is an unknown argument.
struct ValuedOption {
  const char* name;
  const char** value;  // set to the argument after the name
  bool offered = true;
};

struct SwitchOption {
  const char* name;
  bool* on;  // set when the name is given
  bool offered = true;
};

// Fills the values and switches from argv. An argument no offered option
// names, or a valued option without its value, is a usage failure of
// `command` (kExitUsage); otherwise kExitOk.
int ParseCommandOptions(const char* command, int argc, char** argv,
                        std::span<const ValuedOption> valued,
                        std::span<const SwitchOption> switches = {});

// The help of a command when --help or -h is among its arguments: the usage
// text is printed and `exitCode` set; false when help was not asked for.
bool PrintUsageIfAsked(int argc, char** argv, const char* usage, int& exitCode);

// "OPTION 'TEXT': reason" as a usage failure of `command`.
int BadOptionValue(const char* command, const char* option, const char* text,
                   const std::string& reason);

}  // namespace navora
