#include "app/cli/WorksheetCommand.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"
#include "app/worksheet/SdfFile.h"

namespace navora {
namespace {

constexpr char kUsage[] =
    "usage: navora-cli worksheet text FILE.sdf\n"
    "\n"
    "  text FILE.sdf  print the plain text of a worksheet\n";

int UsageError(const char* reason) {
  std::fprintf(stderr, "navora-cli worksheet: %s (see navora-cli worksheet --help)\n", reason);
  return kExitUsage;
}

int PrintText(const char* path) {
  RichText document;
  const SdfReadResult result = ReadSdfFile(path, document);
  if (result.status == SdfStatus::kPlainTextOnly) {
    std::fprintf(stderr, "navora-cli worksheet: %s: %s (%s)\n", path,
                 DescribeSdfStatus(result.status), DescribeRtfStatus(result.rtfStatus));
  } else if (result.status != SdfStatus::kOk) {
    std::fprintf(stderr, "navora-cli worksheet: cannot open %s: %s\n", path,
                 DescribeSdfStatus(result.status));
    return kExitFailure;
  }
  const std::string text = PlainText(document);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return FinishStandardOutput(kExitOk);
}

bool IsHelp(const char* argument) {
  return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0;
}

}  // namespace

int RunWorksheetCommand(int argc, char** argv) {
  if (argc >= 1 && IsHelp(argv[0])) {
    std::fputs(kUsage, stdout);
    return FinishStandardOutput(kExitOk);
  }
  if (argc < 1) return UsageError("missing subcommand");
  if (std::strcmp(argv[0], "text") != 0) return UsageError("unknown subcommand");
  if (argc != 2) return UsageError("text takes one worksheet file");
  return PrintText(argv[1]);
}

}  // namespace navora
