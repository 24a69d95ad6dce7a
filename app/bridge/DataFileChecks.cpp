#include "app/bridge/DataFileChecks.h"

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/time/DeltaT.h"

namespace navora {
namespace {

// A Julian date before every table: a present Delta T file answers "outside
// the table", a missing one "missing".
constexpr double kDeltaTProbeJd = 0.0;
constexpr double kDeltaTMissingBelow = -1600.0;

constexpr char kNoEphemerisAtStartup[] =
    "No '.EPH' files were found. You will not \nbe able to do any calculations without them. ";
constexpr char kNoDeltaTAtStartup[] =
    "No 'DeltaT.val' file was found. You will not \nbe able to do any calculations without it. ";

constexpr char kNoEphemeris[] =
    "No '.EPH' files were found. You will not be \n  able to do any calculations without them. ";
constexpr char kOutOfRange[] = "Date selected is out of range";
constexpr char kNoCoveringFile[] = "The .EPH file needed for this\ndate was not found.";
constexpr char kCoveringFileNotOpened[] = "The data file needed for this date was not found.";
constexpr char kHeaderNotRead[] = "An error was returned from the data manager.";

const char* DateCheckMessage(EngineStatus status) {
  switch (status) {
    case 1:
      return kNoEphemeris;
    case 2:
      return kOutOfRange;
    case 3:
      return kNoCoveringFile;
    case 11:
      return kCoveringFileNotOpened;
    default:
      return kHeaderNotRead;
  }
}

}  // namespace

void CheckDataFilesAtStartup(Notice& notice) {
  EphemerisTable& table = DefaultEphemerisTable();
  OpenDefaultEphemeris(table);
  if (table.ephemerisAvailable == 0) notice.Show(kNoEphemerisAtStartup, kNoticeOk);
  if (LookupDeltaT(kDeltaTProbeJd) < kDeltaTMissingBelow) {
    notice.Show(kNoDeltaTAtStartup, kNoticeOk);
  }
}

int CheckEphemerisForDate(Notice& notice, double jd) {
  const EngineStatus status = SelectEphemerisForDate(DefaultEphemerisTable(), jd);
  if (status != kStatusOk) notice.Show(DateCheckMessage(status), kNoticeOk);
  return status;
}

void ReadDataFileCoverage(DataFileCoverage& coverage) {
  const EphemerisTable& table = DefaultEphemerisTable();
  const auto current = static_cast<size_t>(table.currentEphemeris);
  coverage.ephemerisOpen = table.ephemerisAvailable != 0 && table.openStatus == kStatusOk &&
                           current < table.entries.size();
  if (coverage.ephemerisOpen) {
    coverage.ephemerisFirstJd = table.entries[current].firstJd;
    coverage.ephemerisLastJd = table.entries[current].lastJd;
  }
  coverage.deltaTOpen = GetDeltaTCoverage(coverage.deltaTFirstJd, coverage.deltaTLastJd) == 0;
}

}  // namespace navora
