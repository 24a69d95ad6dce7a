#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "engine/log/EventLog.h"
#include "tests/engine/log/EventLogTestSupport.h"

namespace navora {
namespace {

using testing::EventLogTest;

constexpr EventLogOffset kFirstDr = 72;  // right after the initial fix

uint32_t SequenceNumberAt(const std::vector<uint8_t>& file, size_t offset) {
  return file[offset + 4] | (file[offset + 5] << 8) | (file[offset + 6] << 16) |
         (static_cast<uint32_t>(file[offset + 7]) << 24);
}

TEST_F(EventLogTest, OpenCreatesAMissingFileAndReportsUnusableOnes) {
  EXPECT_EQ(OpenEventLog(log_), 2);
  EXPECT_EQ(std::filesystem::file_size(LogPath()), 0u);
  PositionRecord position;
  EXPECT_EQ(ReadReferencePosition(log_, kLatestPosition, position), 2);
  CloseEventLog(log_);
  std::filesystem::remove(LogPath());
  std::filesystem::create_directory(LogPath());  // cannot be opened for writing, even by root
  EXPECT_EQ(OpenEventLog(log_), 1);
  std::filesystem::remove(LogPath());
  WriteFileBytes({1, 0});
  EXPECT_EQ(OpenEventLog(log_), 3);
  EXPECT_EQ(SetEventLogDirectory(log_, std::string(256, 'd').c_str()), 1);
  EXPECT_EQ(SetEventLogDirectory(log_, std::string(255, 'd').c_str()), 0);
  EXPECT_EQ(SetEventLogDirectory(log_, nullptr), 1);
}

TEST_F(EventLogTest, AppendRefusesWhatWouldMakeTheLogUnreadable) {
  ASSERT_EQ(OpenEventLog(log_), 2);
  EXPECT_EQ(AppendSightEntry(log_, Sight(2460400.6)), 1);
  EXPECT_EQ(AppendPositionEntry(log_, DrUpdate(2460400.6)), 1);  // a voyage starts with a fix
  EXPECT_EQ(AppendPositionEntry(log_, Fix(2460400.5, 1, 1, kPositionUserDefined)), 1);
  EXPECT_EQ(std::filesystem::file_size(LogPath()), 0u);
  ASSERT_EQ(AppendPositionEntry(log_, Fix(2460400.5, 50, -4)), 0);
  EXPECT_EQ(AppendSightEntry(log_, Sight(2460400.6)), 0);
  CloseEventLog(log_);
  EXPECT_EQ(AppendPositionEntry(log_, DrUpdate(2460400.7)), 2);
  EXPECT_EQ(AppendSightEntry(log_, Sight(2460400.7)), 2);
}

TEST_F(EventLogTest, SequenceNumbersContinueAcrossReopenAndNewVoyage) {
  StartVoyage();
  ASSERT_EQ(AppendSightEntry(log_, Sight(2460400.65)), 0);
  ASSERT_EQ(OpenEventLog(log_), 0);  // the counter comes from the last entry, a sight
  ASSERT_EQ(AppendPositionEntry(log_, DrUpdate(2460400.7)), 0);
  EXPECT_EQ(SequenceNumberAt(FileBytes(), 160), 3u);

  // New voyage in the same run: the new log is empty, its numbers go on.
  CloseEventLog(log_);
  std::filesystem::remove(LogPath());
  ASSERT_EQ(OpenEventLog(log_), 2);
  EXPECT_EQ(AppendSightEntry(log_, Sight(2460401.0)), 1);  // the counter alone would allow it
  ASSERT_EQ(AppendPositionEntry(log_, Fix(2460401.0, 10, 10, kPositionExternalFix)), 0);
  EXPECT_EQ(SequenceNumberAt(FileBytes(), 0), 4u);
}

TEST_F(EventLogTest, ReferencePositionIsTheLaterOfLastFixAndLastDrUpdate) {
  StartVoyage(2460400.5);
  PositionRecord position;
  EXPECT_EQ(ReadReferencePosition(log_, 2, position), 1);
  ASSERT_EQ(AppendPositionEntry(log_, DrUpdate(2460400.6, 100.0)), 0);
  ASSERT_EQ(AppendPositionEntry(log_, DrUpdate(2460400.7, 110.0)), 0);
  EXPECT_EQ(Reference(kLatestPosition).course, 110.0);
  EXPECT_EQ(Reference(kLastFix).positionType, kPositionExternalFix);
  EXPECT_EQ(Reference(kLastFix).motionMode, kMotionRhumbLine);  // whatever it was appended with

  ASSERT_EQ(DeletePositionEntry(log_, 144), 0);  // the last DR update
  EXPECT_EQ(Reference(kLatestPosition).course, 100.0);
  ASSERT_EQ(DeletePositionEntry(log_, kFirstDr), 0);
  EXPECT_EQ(Reference(kLatestPosition).positionType, kPositionExternalFix);
  ASSERT_EQ(AppendPositionEntry(log_, Fix(2460400.8, 51, -3)), 0);  // a later celestial fix
  EXPECT_EQ(Reference(kLatestPosition).positionType, kPositionCelestialFix);
  EXPECT_FALSE(IsInitialFixReference(log_));
}

// The bytes a deletion writes are checked by the layout test; here what it
// does to the index and to later changes.
TEST_F(EventLogTest, DeletedEntriesLeaveTheIndexAndCannotBeChanged) {
  StartVoyage();
  ASSERT_EQ(AppendSightEntry(log_, Sight(2460400.65)), 0);
  ASSERT_EQ(AppendPositionEntry(log_, Fix(2460400.7, 51, -3)), 0);
  EXPECT_EQ(DeletePositionEntry(log_, 0), 1);
  EXPECT_FALSE(IsInitialFixReference(log_));
  ASSERT_EQ(DeletePositionEntry(log_, 160), 0);
  EXPECT_TRUE(IsInitialFixReference(log_));  // the initial fix is the last fix again
  ASSERT_EQ(DeleteSightEntry(log_, kFirstDr), 0);
  EXPECT_EQ(Counts(), (std::pair{1, 0}));
  EXPECT_EQ(DeletePositionEntry(log_, 160), 2);
  EXPECT_EQ(CorrectPositionEntry(log_, 160, Fix(2460400.7, 51, -3)), 1);
  EXPECT_EQ(DeleteSightEntry(log_, kFirstDr), 1);
  EXPECT_EQ(CorrectSightEntry(log_, kFirstDr, Sight(2460400.65)), 1);
}

TEST_F(EventLogTest, OffsetsThatAreNotEntryStartsAreRefused) {
  StartVoyage();
  ASSERT_EQ(AppendPositionEntry(log_, DrUpdate(2460400.6)), 0);
  ASSERT_EQ(AppendSightEntry(log_, Sight(2460400.65)), 0);
  std::vector<uint8_t> before = FileBytes();
  // Inside the initial fix the course bytes are zero and would read as kind 0.
  for (EventLogOffset inside : {2, 48, 56, 70, 146, 230, 231, 232, 5000, -72}) {
    EXPECT_EQ(CorrectPositionEntry(log_, inside, DrUpdate(2460400.6)), 1) << inside;
    EXPECT_EQ(CorrectSightEntry(log_, inside, Sight(2460400.6)), 1) << inside;
    EXPECT_EQ(DeletePositionEntry(log_, inside), 2) << inside;
    EXPECT_EQ(DeleteSightEntry(log_, inside), 1) << inside;
  }
  EXPECT_EQ(CorrectSightEntry(log_, kFirstDr, Sight(2460400.6)), 1);
  EXPECT_EQ(DeleteSightEntry(log_, kFirstDr), 1);
  EXPECT_EQ(CorrectPositionEntry(log_, 144, DrUpdate(2460400.6)), 1);
  EXPECT_EQ(DeletePositionEntry(log_, 144), 2);
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(EventLogTest, CorrectionKeepsSequenceNumberAndCountsCorrections) {
  StartVoyage();
  PositionRecord fix = Fix(2460400.4, 49, -6, kPositionExternalFix);
  ASSERT_EQ(CorrectPositionEntry(log_, 0, fix), 0);
  ASSERT_EQ(CorrectPositionEntry(log_, 0, fix), 0);
  std::vector<uint8_t> file = FileBytes();
  EXPECT_EQ(SequenceNumberAt(file, 0), 1u);
  EXPECT_EQ(file[64], 2);  // correction count
  EXPECT_EQ(CorrectPositionEntry(log_, 0, Fix(2460400.4, 49, -6, kPositionUserDefined)), 3);
  EXPECT_EQ(CorrectPositionEntry(log_, 0, DrUpdate(2460400.4)), 3);  // the first entry stays a fix
}

TEST_F(EventLogTest, CorrectingTheKindOfAPositionMovesTheIndex) {
  StartVoyage(2460400.5);
  ASSERT_EQ(AppendPositionEntry(log_, Fix(2460400.6, 51, -3)), 0);
  ASSERT_EQ(AppendSightEntry(log_, Sight(2460400.65)), 0);
  // The last fix becomes a DR update: the initial fix is the last fix again.
  ASSERT_EQ(CorrectPositionEntry(log_, kFirstDr, DrUpdate(2460400.6)), 0);
  EXPECT_TRUE(IsInitialFixReference(log_));
  EXPECT_EQ(Counts(), (std::pair{2, 1}));
  EXPECT_EQ(Reference(kLatestPosition).positionType, kPositionDr);
  // And back to a fix.
  ASSERT_EQ(CorrectPositionEntry(log_, kFirstDr, Fix(2460400.6, 51, -3)), 0);
  EXPECT_FALSE(IsInitialFixReference(log_));
  EXPECT_EQ(Counts(), (std::pair{1, 1}));
}

TEST_F(EventLogTest, QualityCodeOutsideTheGradesReadsAsAverageAndIsWrittenBackAsAverage) {
  StartVoyage();
  ASSERT_EQ(AppendSightEntry(log_, Sight(2460400.65)), 0);
  std::vector<uint8_t> file = FileBytes();
  file[kFirstDr + 80] = 9;
  CloseEventLog(log_);
  WriteFileBytes(file);
  ASSERT_EQ(OpenEventLog(log_), 0);
  testing::SinceLastFix read;
  ASSERT_EQ(read.Read(log_), 0);
  EXPECT_EQ(read.sights[0].sigma, 0.01);
  ASSERT_EQ(CorrectSightEntry(log_, read.sightOffsets[0], read.sights[0]), 0);
  EXPECT_EQ(FileBytes()[kFirstDr + 80], 2);
}

TEST_F(EventLogTest, ReadSinceLastFixRespectsCapacities) {
  StartVoyage();
  ASSERT_EQ(AppendPositionEntry(log_, DrUpdate(2460400.6)), 0);
  ASSERT_EQ(AppendSightEntry(log_, Sight(2460400.65)), 0);
  ASSERT_EQ(AppendSightEntry(log_, Sight(2460400.66)), 0);
  testing::SinceLastFix read;
  EXPECT_EQ(read.Read(log_, 2, 2), 0);
  EXPECT_EQ(read.Read(log_, 1, 2), 5);
  EXPECT_EQ(read.Read(log_, 2, 1), 4);
  EXPECT_EQ(read.Read(log_, 2, 0), 4);
}

}  // namespace
}  // namespace navora
