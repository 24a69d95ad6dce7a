// Opens arbitrary bytes as an event log and runs every read operation on it.
// When the bytes form a valid log it also corrects, deletes and appends, and
// then checks that the log still opens and that the index kept in memory is
// the one a fresh open builds.

#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/log/EventLog.h"

namespace {

using navora::EngineStatus;
using navora::EventLogOffset;

// The log is a process-wide single file keyed on its directory, so every
// input is written to the same file in a private directory, in memory when
// the system offers a RAM disk (each write is synced).
std::string MakeDirectory() {
  std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/navora-fuzz-XXXXXX"
                                                      : "/tmp/navora-fuzz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    std::abort();
  }
  return pattern + "/";
}

const std::string& Directory() {
  static const std::string directory = MakeDirectory();
  return directory;
}

std::string LogPath() { return Directory() + navora::kEventLogFileName; }

void RemoveDirectory() {
  navora::CloseEventLog();
  std::remove(LogPath().c_str());
  rmdir(Directory().c_str());
}

void WriteInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(LogPath().c_str(), "wb");
  if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size) ||
      std::fclose(file) != 0) {
    std::abort();
  }
}

// What the index answers; compared bit for bit, since times may be NaN.
struct IndexView {
  std::array<EngineStatus, 2> referenceStatus{};
  std::array<navora::PositionRecord, 2> reference{};
  EngineStatus countStatus = 0;
  int32_t positions = 0;
  int32_t sights = 0;
  bool initialFix = false;

  bool SameAs(const IndexView& other) const {
    for (int which = 0; which < 2; ++which) {
      if (referenceStatus[which] != other.referenceStatus[which] ||
          std::memcmp(&reference[which].time, &other.reference[which].time, sizeof(double)) != 0) {
        return false;
      }
    }
    return countStatus == other.countStatus && positions == other.positions &&
           sights == other.sights && initialFix == other.initialFix;
  }
};

IndexView ViewIndex() {
  IndexView view;
  for (int16_t which = 0; which < 2; ++which) {
    view.referenceStatus[which] = navora::ReadReferencePosition(which, view.reference[which]);
  }
  view.countStatus = navora::CountSinceLastFix(view.positions, view.sights);
  view.initialFix = navora::IsInitialFixReference();
  return view;
}

struct ReadResults {
  std::array<navora::ObservationRecord, 8> sights;
  std::array<EventLogOffset, 8> sightOffsets{};
  std::array<navora::PositionRecord, 8> positions;
  std::array<EventLogOffset, 8> positionOffsets{};
  int32_t sightCount = 0;
  int32_t positionCount = 0;
};

void RunReads(ReadResults& read) {
  ViewIndex();
  navora::ReadSinceLastFix(read.sights, read.sightOffsets, read.positions, read.positionOffsets,
                           read.sightCount, read.positionCount);
  navora::LegsAndSights loaded;
  navora::LoadLegsAndSights(loaded);
  navora::ReadPlotData(loaded);
}

// Offsets to change: entry starts the reads found, and one taken from the
// input that is most likely not an entry start.
void RunChanges(const ReadResults& read, const uint8_t* data, size_t size) {
  EventLogOffset arbitrary = size >= 4 ? (data[2] | (data[3] << 8)) % static_cast<int>(size) : 1;
  navora::ObservationRecord sight = navora::DefaultObservationRecord();
  navora::PositionRecord dr = navora::MakePositionRecord(
      navora::kMotionRhumbLine, navora::kPositionDr, 2460400.5, 10, 10, 90, 5, 0, 0);
  navora::CorrectSightEntry(arbitrary, sight);
  navora::DeleteSightEntry(arbitrary);
  navora::CorrectPositionEntry(arbitrary, dr);
  navora::DeletePositionEntry(arbitrary);
  if (read.sightCount > 0) {
    navora::CorrectSightEntry(read.sightOffsets[0], sight);
    navora::DeleteSightEntry(read.sightOffsets[read.sightCount - 1]);
  }
  if (read.positionCount > 0) {
    navora::CorrectPositionEntry(read.positionOffsets[read.positionCount - 1], dr);
    navora::DeletePositionEntry(read.positionOffsets[0]);
  }
  navora::AppendSightEntry(sight);
  navora::AppendPositionEntry(dr);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Directory();
  std::atexit(RemoveDirectory);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteInput(data, size);
  navora::SetEventLogDirectory(Directory().c_str());
  EngineStatus opened = navora::OpenEventLog();
  ReadResults read;
  RunReads(read);
  if (opened == 0) {
    RunChanges(read, data, size);
    IndexView kept = ViewIndex();
    if (navora::OpenEventLog() != 0 || !kept.SameAs(ViewIndex())) {
      std::abort();  // our own changes broke the log or its index
    }
    RunReads(read);
  }
  navora::CloseEventLog();
  return 0;
}
