#include "app/cli/CheckDataCommand.h"

#include <cstdio>

#include "app/bridge/ConsoleNotice.h"
#include "app/bridge/DataDirectory.h"
#include "app/bridge/DataFileChecks.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/time/Calendar.h"
#include "engine/time/DeltaT.h"

namespace navora {
namespace {

// What CheckDataFilesAtStartup has checked when it accepts both files.
constexpr char kCheckedText[] =
    "ephemeris header fields, size, every record's dates and coefficients; "
    "Delta T size, order, spacing, range and values";
constexpr size_t kDateTextSize = 40;  // room for any 16-bit field values

// "2025 Feb 14 00:00" of a Julian date.
void FormatDate(double jd, char* text, size_t size) {
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  SplitJulianToMinute(jd, year, month, day, hour, minute);
  std::snprintf(text, size, "%04d %s %02d %02d:%02d", year, MonthAbbreviation(month - 1), day, hour,
                minute);
}

void PrintCoverage(const char* fileName, bool available, double firstJd, double lastJd) {
  if (!available) {
    std::printf("%-14s not available\n", fileName);
    return;
  }
  char first[kDateTextSize];
  char last[kDateTextSize];
  FormatDate(firstJd, first, sizeof first);
  FormatDate(lastJd, last, sizeof last);
  std::printf("%-14s %s to %s\n", fileName, first, last);
  std::printf("%-14s (JD %.1f to %.1f)\n", "", firstJd, lastJd);
}

}  // namespace

int RunCheckDataCommand(int argc, char** /*argv*/) {
  if (argc != 0) {
    std::fprintf(stderr, "usage: navora-cli check-data\n");
    return kExitUsage;
  }
  ConsoleNotice notice;
  PlaceContext places(FindDataDirectory());
  const bool usable = CheckDataFilesAtStartup(notice, places);
  DataFileCoverage coverage;
  ReadDataFileCoverage(places, coverage);

  char first[kDateTextSize];
  char last[kDateTextSize];
  FormatDate(kFirstSupportedJd, first, sizeof first);
  FormatDate(kLastSupportedJd, last, sizeof last);
  std::printf("%-14s %s to %s\n", "Supported", first, last);
  PrintCoverage(kDefaultEphemerisFileName, coverage.ephemerisOpen, coverage.ephemerisFirstJd,
                coverage.ephemerisLastJd);
  PrintCoverage(kDeltaTFileName, coverage.deltaTOpen, coverage.deltaTFirstJd,
                coverage.deltaTLastJd);
  std::printf("%-14s %s\n", "Checked", kCheckedText);
  return FinishStandardOutput(usable ? kExitOk : kExitFailure);
}

}  // namespace navora
