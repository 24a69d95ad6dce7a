#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/log/EventLog.h"
#include "engine/log/EventLogRepair.h"
#include "tests/engine/log/EventLogTestSupport.h"

namespace navora {
namespace {

using testing::EventLogTest;

constexpr double kStart = 2460400.5;
constexpr int kCrashEntries = 12;

class KilledWriter : public EventLogTest {
 protected:
  // In a child process: a fix, then every third entry a DR update and the
  // others sights, each append's status written to `statusPipe` as it returns.
  void AppendCrashEntries(int statusPipe) {
    for (int i = 0; i < kCrashEntries; ++i) {
      const double time = kStart + 0.01 * i;
      const EngineStatus appended = i == 0       ? AppendPositionEntry(log_, Fix(time, 50, -4))
                                    : i % 3 == 0 ? AppendPositionEntry(log_, DrUpdate(time, i))
                                                 : AppendSightEntry(log_, Sight(time, i));
      const char status = static_cast<char>(appended);
      if (write(statusPipe, &status, 1) != 1) {
        _exit(1);
      }
    }
  }
};

// A process killed in the middle of an append, after kCrashEntries
// acknowledged ones: the file-size limit cuts the write after `tornBytes` of
// the new entry, and the retry of the rest raises SIGXFSZ, which kills it.
// Repair must cut exactly the torn bytes, after copying the file as it was,
// and leave every acknowledged entry and a log that opens and appends again.
TEST_F(KilledWriter, RepairAfterAKillInTheMiddleOfAnAppendKeepsEveryAcknowledgedEntry) {
  struct TornAppend {
    bool sight;
    int tornBytes;
  };
  for (const TornAppend torn : {TornAppend{true, 1}, {true, 2}, {true, 40}, {true, 87},
                                {false, 1}, {false, 71}}) {
    SCOPED_TRACE(::testing::Message() << (torn.sight ? "sight " : "DR update ") << torn.tornBytes);
    std::filesystem::remove(LogPath());
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(pipeEnds[0]);
      const rlimit noCore = {0, 0};
      setrlimit(RLIMIT_CORE, &noCore);
      signal(SIGXFSZ, SIG_DFL);
      if (OpenEventLog(log_) != 2) {
        _exit(1);
      }
      AppendCrashEntries(pipeEnds[1]);
      rlimit limit;
      getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = std::filesystem::file_size(LogPath()) + torn.tornBytes;
      setrlimit(RLIMIT_FSIZE, &limit);
      double time = kStart + 1.0;
      EngineStatus last = torn.sight ? AppendSightEntry(log_, Sight(time, 99))
                                     : AppendPositionEntry(log_, DrUpdate(time, 99));
      _exit(last == 0 ? 2 : 3);  // not reached: the append is killed
    }
    close(pipeEnds[1]);
    for (int i = 0; i < kCrashEntries; ++i) {
      char status = -1;
      ASSERT_EQ(read(pipeEnds[0], &status, 1), 1) << "entry " << i;
      ASSERT_EQ(status, 0) << "entry " << i;
    }
    close(pipeEnds[0]);
    int waitStatus = 0;
    ASSERT_EQ(waitpid(child, &waitStatus, 0), child);
    ASSERT_TRUE(WIFSIGNALED(waitStatus) && WTERMSIG(waitStatus) == SIGXFSZ) << waitStatus;

    const std::vector<uint8_t> tornFile = FileBytes();
    const int64_t acknowledged = static_cast<int64_t>(tornFile.size()) - torn.tornBytes;
    ASSERT_EQ(OpenEventLog(log_), 4);
    EventLogExtent extent;
    ASSERT_EQ(InspectEventLog(log_, extent), 0);
    EXPECT_EQ(extent.shape, EventLogShape::kTornTail);
    EXPECT_EQ(extent.wholeEnd, acknowledged);
    EXPECT_EQ(EventLogPath(log_), LogPath());

    EventLogRepair repair;
    ASSERT_EQ(RepairEventLog(log_, repair), 0);
    EXPECT_EQ(repair.keptEntries, kCrashEntries);
    EXPECT_EQ(repair.keptBytes, acknowledged);
    EXPECT_EQ(repair.cutBytes, torn.tornBytes);
    EXPECT_EQ(testing::ReadBytes(repair.copyPath), tornFile);
    std::filesystem::remove(repair.copyPath);
    EXPECT_EQ(FileBytes(), std::vector<uint8_t>(tornFile.begin(), tornFile.begin() + acknowledged));

    // The log is whole again: a second repair finds nothing to cut.
    const std::vector<uint8_t> repaired = FileBytes();
    ASSERT_EQ(RepairEventLog(log_, repair), 0);
    EXPECT_EQ(repair.keptEntries, kCrashEntries);
    EXPECT_EQ(repair.cutBytes, 0);
    EXPECT_EQ(repair.copyPath, "");
    EXPECT_EQ(FileBytes(), repaired);

    ASSERT_EQ(OpenEventLog(log_), 0);
    EXPECT_EQ(Counts(), (std::pair{4, 8}));  // the fix and DR updates 3, 6, 9
    LegsAndSights loaded;
    ASSERT_EQ(LoadLegsAndSights(log_, loaded), 0);
    ASSERT_EQ(loaded.sightCount, 8);
    EXPECT_EQ(loaded.sights[7].hs, 11.0);
    EXPECT_EQ(loaded.legs[3].course, 9.0);
    ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 2.0, 42)), 0);
    ASSERT_EQ(OpenEventLog(log_), 0);
    EXPECT_EQ(Counts(), (std::pair{4, 9}));
  }
}

TEST_F(EventLogTest, AFailedAppendIsReportedAndLeavesTheFileWhole) {
  StartVoyage(kStart);
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 0.1)), 0);
  std::vector<uint8_t> before = FileBytes();
  // Let the file grow by only part of an entry: the write is cut short.
  signal(SIGXFSZ, SIG_IGN);
  rlimit original;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
  rlimit limited = original;
  limited.rlim_cur = before.size() + 40;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  EngineStatus sightStatus = AppendSightEntry(log_, Sight(kStart + 0.2));
  EngineStatus positionStatus = AppendPositionEntry(log_, DrUpdate(kStart + 0.2));
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &original), 0);
  EXPECT_EQ(sightStatus, 2);
  EXPECT_EQ(positionStatus, 2);
  EXPECT_EQ(FileBytes(), before);

  // The log stays usable and numbering has no gap.
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 0.3)), 0);
  std::vector<uint8_t> after = FileBytes();
  EXPECT_EQ(after[before.size() + 4], 3);
  ASSERT_EQ(OpenEventLog(log_), 0);
}

// Appends bytes to a valid two-entry log and checks that the open reports the
// log as corrupt without touching the file, and that nothing more is written.
class DamagedLogTest : public EventLogTest {
 protected:
  std::vector<uint8_t> ValidLog() {
    StartVoyage(kStart);
    EXPECT_EQ(AppendSightEntry(log_, Sight(kStart + 0.1)), 0);
    EXPECT_EQ(AppendPositionEntry(log_, DrUpdate(kStart + 0.2)), 0);
    CloseEventLog(log_);
    return FileBytes();  // fix 0..71, sight 72..159, DR 160..231
  }

  void ExpectRefused(const std::vector<uint8_t>& damaged, EngineStatus expected) {
    WriteFileBytes(damaged);
    EXPECT_EQ(OpenEventLog(log_), expected);
    EXPECT_EQ(FileBytes(), damaged);
    EXPECT_EQ(AppendPositionEntry(log_, Fix(kStart + 1, 1, 1)), 2);
    EXPECT_EQ(AppendSightEntry(log_, Sight(kStart + 1)), 2);
    PositionRecord position;
    EXPECT_NE(ReadReferencePosition(log_, kLatestPosition, position), 0);
    LegsAndSights loaded;
    EXPECT_NE(LoadLegsAndSights(log_, loaded), 0);
    EXPECT_EQ(FileBytes(), damaged);
  }
};

// Torn tails are refused by the open, then cut by the repair down to the
// whole entries, each copy under the next free number.
TEST_F(DamagedLogTest, TornTailsAreReportedCorruptAndRepaired) {
  std::vector<uint8_t> valid = ValidLog();
  // Part of a sight whose last two bytes happen to read as kind 0.
  std::vector<uint8_t> tornSight = valid;
  tornSight.insert(tornSight.end(), {2, 0, 0, 0, 4, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0});
  // A single byte.
  std::vector<uint8_t> oneByte = valid;
  oneByte.push_back(0);
  // The last entry cut short by its final byte.
  std::vector<uint8_t> shortEntry(valid.begin(), valid.end() - 1);
  struct Case {
    std::vector<uint8_t> bytes;
    int64_t wholeEnd;
    int32_t wholeEntries;
  };
  int copy = 0;
  for (const Case& c : {Case{tornSight, 232, 3}, Case{oneByte, 232, 3}, Case{shortEntry, 160, 2},
                        Case{{0}, 0, 0}}) {
    SCOPED_TRACE(c.bytes.size());
    ExpectRefused(c.bytes, 4);
    EventLogRepair repair;
    ASSERT_EQ(RepairEventLog(log_, repair), 0);
    EXPECT_EQ(repair.keptBytes, c.wholeEnd);
    EXPECT_EQ(repair.keptEntries, c.wholeEntries);
    EXPECT_EQ(repair.cutBytes, static_cast<int64_t>(c.bytes.size()) - c.wholeEnd);
    EXPECT_EQ(repair.copyPath, LogPath() + ".torn-" + std::to_string(++copy));
    EXPECT_EQ(testing::ReadBytes(repair.copyPath), c.bytes);
    EXPECT_EQ(FileBytes(), std::vector<uint8_t>(c.bytes.begin(), c.bytes.begin() + c.wholeEnd));
    EXPECT_EQ(OpenEventLog(log_), c.wholeEnd == 0 ? 2 : 0);
  }
}

// Damage in the kind words is refused by the open. With whole entries after
// it, or in a whole-length last entry, it is no torn tail: repair refuses it
// and changes nothing.
TEST_F(DamagedLogTest, BadOrMismatchedKindWordsAreCorruptAndNotRepaired) {
  struct Case {
    size_t offset;
    uint8_t value;
    EngineStatus open;
    bool damaged;  // rather than possibly torn
  };
  std::vector<uint8_t> valid = ValidLog();
  const Case cases[] = {{72, 6, 4, true},   {72, 0xFF, 4, false}, {73, 0xFF, 4, false},
                        {158, 5, 4, true},  {160, 2, 4, true},    {230, 6, 4, true},
                        {230, 0, 4, false}, {70, 1, 4, true},     {0, 3, 3, true}};
  for (const Case& c : cases) {
    std::vector<uint8_t> damaged = valid;
    damaged[c.offset] = c.value;
    SCOPED_TRACE(::testing::Message() << c.offset << " " << int{c.value});
    ExpectRefused(damaged, c.open);
    if (!c.damaged) continue;
    EventLogExtent extent;
    ASSERT_EQ(InspectEventLog(log_, extent), 0);
    EXPECT_EQ(extent.shape, EventLogShape::kDamaged);
    EventLogRepair repair;
    EXPECT_EQ(RepairEventLog(log_, repair), 2);
    EXPECT_EQ(FileBytes(), damaged);
    EXPECT_FALSE(std::filesystem::exists(LogPath() + ".torn-1"));
  }
  std::filesystem::remove(LogPath());
  EventLogRepair repair;
  EXPECT_EQ(RepairEventLog(log_, repair), 1);
  EXPECT_FALSE(std::filesystem::exists(LogPath()));  // nor is a missing log created
}

TEST_F(EventLogTest, AFileCutShortWhileOpenGivesErrorsNotCrashes) {
  StartVoyage(kStart);
  ASSERT_EQ(AppendSightEntry(log_, Sight(kStart + 0.1)), 0);
  ASSERT_EQ(AppendPositionEntry(log_, DrUpdate(kStart + 0.2)), 0);
  std::filesystem::resize_file(LogPath(), 100);
  int32_t positions = 0;
  int32_t sights = 0;
  EXPECT_EQ(CountSinceLastFix(log_, positions, sights), 1);
  LegsAndSights loaded;
  EXPECT_EQ(LoadLegsAndSights(log_, loaded), 1);
  PositionRecord position;
  EXPECT_EQ(ReadReferencePosition(log_, kLatestPosition, position), 3);
  EXPECT_EQ(DeletePositionEntry(log_, 160), 2);
  EXPECT_EQ(DeleteSightEntry(log_, 72), 4);
  EXPECT_EQ(std::filesystem::file_size(LogPath()), 100u);
}

}  // namespace
}  // namespace navora
