// Opens arbitrary bytes as an event log and runs every read operation on it.
// When the bytes form a valid log it also corrects, deletes and appends, and
// then checks that the log still opens and that the index kept in memory is
// the one a fresh open builds. Every input is also repaired: a repair may
// only cut a torn tail after copying the input whole, and must leave a log
// that opens; a refusal must leave the file as it was.

#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/log/EventLog.h"
#include "engine/log/EventLogRepair.h"

namespace {

using navora::EngineStatus;
using navora::EventLog;
using navora::EventLogOffset;

// Every input is written to the same file in a private directory, in memory
// when the system offers a RAM disk (each write is synced).
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

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The fuzzer drives the operations for their side effects and checks the
// invariants below; what each status means is tested elsewhere.
void Ignore(EngineStatus) {}

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

IndexView ViewIndex(EventLog& log) {
  IndexView view;
  for (int16_t which = 0; which < 2; ++which) {
    view.referenceStatus[which] = navora::ReadReferencePosition(log, which, view.reference[which]);
  }
  view.countStatus = navora::CountSinceLastFix(log, view.positions, view.sights);
  view.initialFix = navora::IsInitialFixReference(log);
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

void RunReads(EventLog& log, ReadResults& read) {
  ViewIndex(log);
  Ignore(navora::ReadSinceLastFix(log, read.sights, read.sightOffsets, read.positions,
                                  read.positionOffsets, read.sightCount, read.positionCount));
  navora::LegsAndSights loaded;
  Ignore(navora::LoadLegsAndSights(log, loaded));
  Ignore(navora::ReadPlotData(log, loaded));
}

// Offsets to change: entry starts the reads found, and one taken from the
// input that is most likely not an entry start.
void RunChanges(EventLog& log, const ReadResults& read, const uint8_t* data, size_t size) {
  EventLogOffset arbitrary = size >= 4 ? (data[2] | (data[3] << 8)) % static_cast<int>(size) : 1;
  navora::ObservationRecord sight = navora::DefaultObservationRecord();
  navora::PositionRecord dr = navora::MakePositionRecord(
      navora::kMotionRhumbLine, navora::kPositionDr, 2460400.5, 10, 10, 90, 5, 0, 0);
  Ignore(navora::CorrectSightEntry(log, arbitrary, sight));
  Ignore(navora::DeleteSightEntry(log, arbitrary));
  Ignore(navora::CorrectPositionEntry(log, arbitrary, dr));
  Ignore(navora::DeletePositionEntry(log, arbitrary));
  if (read.sightCount > 0) {
    Ignore(navora::CorrectSightEntry(log, read.sightOffsets[0], sight));
    Ignore(navora::DeleteSightEntry(log, read.sightOffsets[read.sightCount - 1]));
  }
  if (read.positionCount > 0) {
    Ignore(navora::CorrectPositionEntry(log, read.positionOffsets[read.positionCount - 1], dr));
    Ignore(navora::DeletePositionEntry(log, read.positionOffsets[0]));
  }
  Ignore(navora::AppendSightEntry(log, sight));
  Ignore(navora::AppendPositionEntry(log, dr));
}

void CheckOperations(const uint8_t* data, size_t size) {
  WriteInput(data, size);
  EventLog log;
  if (navora::SetEventLogDirectory(log, Directory().c_str()) != 0) {
    std::abort();
  }
  EngineStatus opened = navora::OpenEventLog(log);
  ReadResults read;
  RunReads(log, read);
  if (opened == 0) {
    RunChanges(log, read, data, size);
    IndexView kept = ViewIndex(log);
    if (navora::OpenEventLog(log) != 0 || !kept.SameAs(ViewIndex(log))) {
      std::abort();  // our own changes broke the log or its index
    }
    RunReads(log, read);
  }
}

// A repair keeps the whole entries byte for byte, copies the input before it
// cuts, and leaves a log that opens; a refusal changes nothing.
void CheckRepair(const uint8_t* data, size_t size) {
  WriteInput(data, size);
  const std::vector<uint8_t> input(data, data + size);
  EventLog log;
  if (navora::SetEventLogDirectory(log, Directory().c_str()) != 0) {
    std::abort();
  }
  const bool opened = navora::OpenEventLog(log) == 0;
  navora::EventLogRepair repair;
  const EngineStatus repaired = navora::RepairEventLog(log, repair);
  const std::vector<uint8_t> after = FileBytes(LogPath());
  if (repaired != 0) {
    if (opened || after != input) {
      std::abort();
    }
    return;
  }
  const size_t kept = static_cast<size_t>(repair.keptBytes);
  if (kept + static_cast<size_t>(repair.cutBytes) != size || after.size() != kept ||
      !std::equal(after.begin(), after.end(), input.begin()) || (opened && repair.cutBytes != 0)) {
    std::abort();
  }
  if (repair.cutBytes > 0) {
    if (FileBytes(repair.copyPath) != input) {
      std::abort();
    }
    std::remove(repair.copyPath.c_str());
  }
  const EngineStatus reopened = navora::OpenEventLog(log);
  if (reopened != 0 && reopened != 2) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Directory();
  std::atexit(RemoveDirectory);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckRepair(data, size);
  CheckOperations(data, size);
  return 0;
}
