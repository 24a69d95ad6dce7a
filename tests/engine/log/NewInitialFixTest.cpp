// A new voyage: the text log archived under the lowest free number, both logs
// started from the initial fix, and every refusal leaving the old voyage whole.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/log/EventLogListing.h"
#include "engine/log/LogArchive.h"
#include "engine/log/NewInitialFix.h"
#include "engine/log/TextLogPending.h"
#include "tests/engine/log/EventLogTestSupport.h"

namespace navora {
namespace {

using testing::ReadBytes;
using testing::TemporaryDirectory;

constexpr double kOldFixTime = 2460400.5;
constexpr double kNewFixTime = 2460410.25;

class NewInitialFixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = scratch_.path() + "/";
    ASSERT_EQ(SetEventLogDirectory(events_, directory_.c_str()), 0);
    ASSERT_EQ(SetTextLogDirectory(text_, directory_.c_str()), 0);
    SeedTextLogKeys(text_, 7);
  }

  // An old voyage of a fix and a sight, with one text-log entry.
  void WriteOldVoyage() {
    ASSERT_EQ(OpenEventLog(events_), 2);
    ASSERT_EQ(AppendPositionEntry(events_, MakeInitialFixRecord(kOldFixTime, 50, -4, 180, 6)), 0);
    ASSERT_EQ(AppendSightEntry(events_, DefaultObservationRecord()), 0);
    ASSERT_EQ(OpenTextLog(text_), 0);
    const std::string line = "the old voyage";
    ASSERT_EQ(WriteTextLogLines(text_, &line, 1), 0);
  }

  std::string File(const std::string& name) const { return directory_ + name; }

  std::vector<std::string> TextLogLines() {
    std::vector<std::string> lines;
    std::string line;
    for (bool first = true; ReadTextLogLine(text_, first, line) == 0; first = false) {
      lines.push_back(line);
    }
    return lines;
  }

  TemporaryDirectory scratch_;
  std::string directory_;
  EventLog events_;
  TextLog text_;
  const PositionRecord fix_ = MakeInitialFixRecord(kNewFixTime, -33.5, 151.25, 45, 12);
};

TEST_F(NewInitialFixTest, StartsBothLogsFromTheFixAndContinuesTheSequence) {
  WriteOldVoyage();
  const auto oldText = ReadBytes(File(kTextLogFileName));
  NewVoyage voyage;
  ASSERT_EQ(StartNewVoyage(events_, text_, fix_, voyage), 0);

  EXPECT_EQ(voyage.archivePath, File("log00000.saf"));
  EXPECT_EQ(ReadBytes(voyage.archivePath), oldText);

  std::vector<EventLogListingEntry> entries;
  int64_t wholeEnd = 0;
  ASSERT_EQ(ListEventLogEntries(events_, entries, wholeEnd), 0);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].kind, kEntryFix);
  EXPECT_EQ(entries[0].positionType, kPositionExternalFix);
  EXPECT_EQ(entries[0].sequenceNumber, 3u);  // after the old fix and sight
  EXPECT_EQ(entries[0].time, kNewFixTime);
  EXPECT_EQ(entries[0].latitude, -33.5);
  EXPECT_EQ(entries[0].longitude, 151.25);

  // Both logs are open on the new files: the next entries follow the fix.
  ASSERT_EQ(AppendSightEntry(events_, DefaultObservationRecord()), 0);
  PositionRecord reference;
  ASSERT_EQ(ReadReferencePosition(events_, kLatestPosition, reference), 0);
  EXPECT_EQ(reference.time, kNewFixTime);
  const std::vector<std::string> lines = TextLogLines();
  ASSERT_EQ(lines.size(), static_cast<size_t>(kNewPositionEntryLines + 1));
  EXPECT_EQ(lines[0], "                                 INITIAL FIX");
  for (int i = 0; i < kNewPositionEntryLines; ++i) EXPECT_EQ(lines[i], voyage.entry[i]);
  EXPECT_EQ(lines.back(), std::string(kTextLogSeparatorWidth, '-'));
  EXPECT_EQ(PendingLogText(text_).find(voyage.entry[0]), 0u);

  for (const auto& file : std::filesystem::directory_iterator(scratch_.path())) {
    EXPECT_FALSE(file.path().filename().string().starts_with(kNewVoyageStagingPrefix));
  }
}

TEST_F(NewInitialFixTest, ArchivesUnderTheLowestFreeNumberAndNeverOverwrites) {
  struct Case {
    std::vector<int> present;
    int expected;
  };
  for (const Case& c : {Case{{}, 0}, Case{{0, 1}, 2}, Case{{1}, 0}, Case{{0, 2}, 1}}) {
    TemporaryDirectory directory;
    const std::string prefix = directory.path() + "/";
    for (int number : c.present) std::ofstream(ArchivePath(prefix, number)) << number;
    std::ofstream(prefix + kTextLogFileName) << "old";
    std::string archived;
    ASSERT_EQ(CopyToNextArchive(prefix + kTextLogFileName, prefix, archived), 0);
    EXPECT_EQ(archived, ArchivePath(prefix, c.expected));
    EXPECT_EQ(testing::ReadBytes(archived), std::vector<uint8_t>({'o', 'l', 'd'}));
    for (int number : c.present) {
      EXPECT_EQ(testing::ReadBytes(ArchivePath(prefix, number)).at(0), '0' + number);
    }
  }
  EXPECT_EQ(ArchivePath("/v/", 42), "/v/log00042.saf");
}

TEST_F(NewInitialFixTest, AnEmptyTextLogIsNotArchivedAndADamagedEventLogIsReplaced) {
  std::ofstream(File(kEventLogFileName)) << "not a log at all";
  EXPECT_GE(OpenEventLog(events_), 3);
  NewVoyage voyage;
  ASSERT_EQ(StartNewVoyage(events_, text_, fix_, voyage), 0);
  EXPECT_EQ(voyage.archivePath, "");
  EXPECT_FALSE(std::filesystem::exists(File("log00000.saf")));
  EXPECT_EQ(ReadBytes(File(kEventLogFileName)).size(), static_cast<size_t>(kPositionEntryLength));
}

// Each refusal leaves the files of the old voyage byte for byte, makes no
// archive, and leaves both logs usable.
TEST_F(NewInitialFixTest, RefusalsLeaveTheOldVoyageWhole) {
  WriteOldVoyage();
  const auto oldEvents = ReadBytes(File(kEventLogFileName));
  const auto oldText = ReadBytes(File(kTextLogFileName));
  const auto expectUnchanged = [&](const char* what, bool reopens = true) {
    EXPECT_EQ(ReadBytes(File(kEventLogFileName)), oldEvents) << what;
    EXPECT_EQ(ReadBytes(File(kTextLogFileName)), oldText) << what;
    EXPECT_FALSE(std::filesystem::exists(File("log00000.saf"))) << what;
    PositionRecord reference;
    if (reopens) {
      EXPECT_EQ(ReadReferencePosition(events_, kLastFix, reference), 0) << what;
      EXPECT_EQ(reference.time, kOldFixTime) << what;
    }
  };
  NewVoyage voyage;

  PositionRecord dr = fix_;
  dr.positionType = kPositionDr;
  EXPECT_EQ(StartNewVoyage(events_, text_, dr, voyage), 3);
  expectUnchanged("a DR position is no initial fix");

  // A directory in the way of the staged event log: the new logs cannot be written.
  std::filesystem::create_directory(File(std::string(kNewVoyageStagingPrefix) + kEventLogFileName));
  EXPECT_EQ(StartNewVoyage(events_, text_, fix_, voyage), 4);
  expectUnchanged("staging failed");
  std::filesystem::remove(File(std::string(kNewVoyageStagingPrefix) + kEventLogFileName));

  ASSERT_EQ(::chmod(File(kEventLogFileName).c_str(), 0444), 0);
  const int probe = ::open(File(kEventLogFileName).c_str(), O_RDWR);
  if (probe >= 0) {
    ::close(probe);
    GTEST_SKIP() << "running with privileges that write through a read-only mode";
  }
  EXPECT_EQ(StartNewVoyage(events_, text_, fix_, voyage), 1);
  expectUnchanged("read-only event log", false);  // it cannot be opened for update either
}

TEST_F(NewInitialFixTest, ListingStopsAtATornTail) {
  WriteOldVoyage();
  ASSERT_EQ(AppendPositionEntry(events_, MakePositionRecord(kMotionRhumbLine, kPositionDr,
                                                            kOldFixTime + 1, 51, -5, 90, 5, 0, 0)),
            0);
  ASSERT_EQ(DeleteSightEntry(events_, kPositionEntryLength), 0);
  std::ofstream(File(kEventLogFileName), std::ios::binary | std::ios::app) << std::string(10, '\1');
  std::vector<EventLogListingEntry> entries;
  int64_t wholeEnd = 0;
  EXPECT_EQ(ListEventLogEntries(events_, entries, wholeEnd), 2);
  EXPECT_EQ(wholeEnd, 2 * kPositionEntryLength + kSightEntryLength);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1].kind, kEntryDeletedSight);
  EXPECT_EQ(entries[1].bodyCode, 10);
  EXPECT_EQ(entries[2].kind, kEntryDrUpdate);
  EXPECT_EQ(entries[2].sequenceNumber, 3u);
  EXPECT_EQ(entries[2].latitude, 51.0);
}

}  // namespace
}  // namespace navora
