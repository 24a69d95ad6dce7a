#include "app/cli/CliOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/cli/CliCommand.h"

namespace navora {

int UsageFailure(const char* command, const std::string& reason) {
  std::fprintf(stderr, "navora-cli %s: %s; see navora-cli %s --help\n", command, reason.c_str(),
               command);
  return kExitUsage;
}

void StandardOutputSink::AppendLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputs(lineEnd_, stdout);
}

int FinishStandardOutput(int exitCode) {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return exitCode;
  const int error = errno;
  std::fprintf(stderr, "navora-cli: the output could not be written: %s\n",
               error != 0 ? std::strerror(error) : "write error");
  return kExitFailure;
}

}  // namespace navora
