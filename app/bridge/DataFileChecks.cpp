#include "app/bridge/DataFileChecks.h"

#include <string>

namespace navora {
namespace {

constexpr char kNoEphemerisAtStartup[] =
    "No '.EPH' files were found. You will not \nbe able to do any calculations without them. ";
constexpr char kNoDeltaTAtStartup[] =
    "No 'DeltaT.val' file was found. You will not \nbe able to do any calculations without it. ";
constexpr char kDeltaTReadFailure[] = "Error reading DT file: ";

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

// A data file that exists but cannot be trusted: one line naming it and why.
void ShowRefusedFile(Notice& notice, const std::string& path, const std::string& reason) {
  notice.Show("Data file " + path + " refused: " + reason +
                  ". You will not \nbe able to do any calculations without it. ",
              kNoticeOk);
}

bool CheckEphemerisAtStartup(Notice& notice, EphemerisTable& table) {
  const EngineStatus status = OpenDefaultEphemeris(table);
  if (status == kStatusOk) return true;
  if (status == 1 || table.entries.empty()) {
    notice.Show(kNoEphemerisAtStartup, kNoticeOk);
  } else {
    ShowRefusedFile(notice, table.entries.front().fileName, table.reader.FailureReason());
  }
  return false;
}

bool CheckDeltaTAtStartup(Notice& notice, DeltaTTable& deltaT) {
  switch (deltaT.Open()) {
    case kStatusOk:
      return true;
    case kDeltaTNotFound:
      notice.Show(kNoDeltaTAtStartup, kNoticeOk);
      return false;
    case kDeltaTReadError:
      notice.Show(kDeltaTReadFailure + deltaT.FailureReason(), kNoticeOk);
      return false;
    default:
      ShowRefusedFile(notice, deltaT.Path(), deltaT.FailureReason());
      return false;
  }
}

}  // namespace

bool CheckDataFilesAtStartup(Notice& notice, PlaceContext& context) {
  // Both checks run, so that the user hears of both files at once.
  const bool ephemerisUsable = CheckEphemerisAtStartup(notice, context.ephemeris);
  const bool deltaTUsable = CheckDeltaTAtStartup(notice, context.deltaT);
  return ephemerisUsable && deltaTUsable;
}

int CheckEphemerisForDate(Notice& notice, EphemerisTable& table, double jd) {
  const EngineStatus status = SelectEphemerisForDate(table, jd);
  if (status != kStatusOk) notice.Show(DateCheckMessage(status), kNoticeOk);
  return status;
}

void ReadDataFileCoverage(const PlaceContext& context, DataFileCoverage& coverage) {
  const EphemerisTable& table = context.ephemeris;
  const auto current = static_cast<size_t>(table.currentEphemeris);
  coverage.ephemerisOpen = table.ephemerisAvailable != 0 && table.openStatus == kStatusOk &&
                           current < table.entries.size();
  if (coverage.ephemerisOpen) {
    coverage.ephemerisFirstJd = table.entries[current].firstJd;
    coverage.ephemerisLastJd = table.entries[current].lastJd;
  }
  coverage.deltaTOpen =
      context.deltaT.GetDeltaTCoverage(coverage.deltaTFirstJd, coverage.deltaTLastJd) == 0;
}

}  // namespace navora
