#pragma once

namespace navora {

// A subcommand of navora-cli: `run` receives the arguments after the command
// name and returns the process exit code.
struct CliCommand {
  const char* name;
  const char* summary;  // one line for --help
  int (*run)(int argc, char** argv);
};

// Exit codes shared by the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

}  // namespace navora
