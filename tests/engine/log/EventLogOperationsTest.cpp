#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <random>
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

int16_t KindAt(const std::vector<uint8_t>& file, size_t offset) {
  return static_cast<int16_t>(file[offset] | (file[offset + 1] << 8));
}

TEST_F(EventLogTest, MissingFileIsCreatedEmpty) {
  EXPECT_EQ(OpenEventLog(), 2);
  EXPECT_TRUE(std::filesystem::exists(LogPath()));
  EXPECT_EQ(std::filesystem::file_size(LogPath()), 0u);
  PositionRecord position;
  EXPECT_EQ(ReadReferencePosition(kLatestPosition, position), 2);
  int32_t positions = -1;
  int32_t sights = -1;
  EXPECT_EQ(CountSinceLastFix(positions, sights), 0);
  EXPECT_EQ(positions, 0);
  EXPECT_EQ(sights, 0);
}

TEST_F(EventLogTest, OpenReportsUnopenableAndNonFixStart) {
  std::filesystem::create_directory(LogPath());  // cannot be opened for writing, even by root
  EXPECT_EQ(OpenEventLog(), 1);
  std::filesystem::remove(LogPath());
  WriteFileBytes({1, 0});
  EXPECT_EQ(OpenEventLog(), 3);
  EXPECT_EQ(SetEventLogDirectory(std::string(256, 'd').c_str()), 1);
  EXPECT_EQ(SetEventLogDirectory(std::string(255, 'd').c_str()), 0);
  EXPECT_EQ(SetEventLogDirectory(nullptr), 1);
}

TEST_F(EventLogTest, AppendRefusesWhatWouldMakeTheLogUnreadable) {
  ASSERT_EQ(OpenEventLog(), 2);
  EXPECT_EQ(AppendSightEntry(Sight(2460400.6)), 1);
  EXPECT_EQ(AppendPositionEntry(DrUpdate(2460400.6)), 1);  // a voyage starts with a fix
  EXPECT_EQ(AppendPositionEntry(Fix(2460400.5, 1, 1, kPositionUserDefined)), 1);
  EXPECT_EQ(std::filesystem::file_size(LogPath()), 0u);
  ASSERT_EQ(AppendPositionEntry(Fix(2460400.5, 50, -4)), 0);
  EXPECT_EQ(AppendSightEntry(Sight(2460400.6)), 0);
  CloseEventLog();
  EXPECT_EQ(AppendPositionEntry(DrUpdate(2460400.7)), 2);
  EXPECT_EQ(AppendSightEntry(Sight(2460400.7)), 2);
}

TEST_F(EventLogTest, SequenceNumbersContinueAcrossReopenAndNewVoyage) {
  StartVoyage();
  ASSERT_EQ(AppendPositionEntry(DrUpdate(2460400.6)), 0);
  ASSERT_EQ(AppendSightEntry(Sight(2460400.65)), 0);
  ASSERT_EQ(OpenEventLog(), 0);
  ASSERT_EQ(AppendSightEntry(Sight(2460400.7)), 0);
  std::vector<uint8_t> file = FileBytes();
  EXPECT_EQ(SequenceNumberAt(file, 0), 1u);
  EXPECT_EQ(SequenceNumberAt(file, 72), 2u);
  EXPECT_EQ(SequenceNumberAt(file, 144), 3u);
  EXPECT_EQ(SequenceNumberAt(file, 232), 4u);

  // New voyage in the same run: the new log is empty, its numbers go on.
  CloseEventLog();
  std::filesystem::remove(LogPath());
  ASSERT_EQ(OpenEventLog(), 2);
  EXPECT_EQ(AppendSightEntry(Sight(2460401.0)), 1);  // the counter alone would allow it
  ASSERT_EQ(AppendPositionEntry(Fix(2460401.0, 10, 10, kPositionExternalFix)), 0);
  EXPECT_EQ(SequenceNumberAt(FileBytes(), 0), 5u);
}

TEST_F(EventLogTest, ReferencePositionIsTheLaterOfLastFixAndLastDrUpdate) {
  StartVoyage(2460400.5);
  PositionRecord position;
  EXPECT_EQ(ReadReferencePosition(2, position), 1);
  ASSERT_EQ(AppendPositionEntry(DrUpdate(2460400.6, 100.0)), 0);
  ASSERT_EQ(AppendPositionEntry(DrUpdate(2460400.7, 110.0)), 0);
  ASSERT_EQ(ReadReferencePosition(kLatestPosition, position), 0);
  EXPECT_EQ(position.course, 110.0);
  EXPECT_EQ(position.motionMode, kMotionRhumbLine);
  ASSERT_EQ(ReadReferencePosition(kLastFix, position), 0);
  EXPECT_EQ(position.positionType, kPositionExternalFix);
  EXPECT_EQ(position.motionMode, kMotionRhumbLine);  // whatever it was appended with

  ASSERT_EQ(DeletePositionEntry(144), 0);  // the last DR update
  ASSERT_EQ(ReadReferencePosition(kLatestPosition, position), 0);
  EXPECT_EQ(position.course, 100.0);
  ASSERT_EQ(DeletePositionEntry(kFirstDr), 0);
  ASSERT_EQ(ReadReferencePosition(kLatestPosition, position), 0);
  EXPECT_EQ(position.positionType, kPositionExternalFix);
  ASSERT_EQ(AppendPositionEntry(Fix(2460400.8, 51, -3)), 0);  // a later celestial fix
  ASSERT_EQ(ReadReferencePosition(kLatestPosition, position), 0);
  EXPECT_EQ(position.positionType, kPositionCelestialFix);
  EXPECT_FALSE(IsInitialFixReference());
}

TEST_F(EventLogTest, DeletionChangesOnlyTheKindWords) {
  StartVoyage();
  ASSERT_EQ(AppendPositionEntry(DrUpdate(2460400.6)), 0);
  ASSERT_EQ(AppendSightEntry(Sight(2460400.65)), 0);
  ASSERT_EQ(AppendPositionEntry(Fix(2460400.7, 51, -3)), 0);
  std::vector<uint8_t> before = FileBytes();
  EXPECT_EQ(DeletePositionEntry(0), 1);
  ASSERT_EQ(DeletePositionEntry(kFirstDr), 0);
  ASSERT_EQ(DeleteSightEntry(144), 0);
  ASSERT_EQ(DeletePositionEntry(232), 0);
  std::vector<uint8_t> after = FileBytes();
  ASSERT_EQ(after.size(), before.size());
  const std::array<std::array<int, 3>, 3> changed = {{{72, 72, 4}, {144, 88, 5}, {232, 72, 3}}};
  for (auto [offset, length, kind] : changed) {
    EXPECT_EQ(KindAt(after, offset), kind);
    EXPECT_EQ(KindAt(after, offset + length - 2), kind);
    for (int i = 2; i < length - 2; ++i) {
      EXPECT_EQ(after[offset + i], before[offset + i]) << offset + i;
    }
  }
  // The initial fix is again the last fix; deleted entries are not live any more.
  EXPECT_TRUE(IsInitialFixReference());
  EXPECT_EQ(DeletePositionEntry(kFirstDr), 2);
  EXPECT_EQ(DeleteSightEntry(144), 1);
  ObservationRecord sight = Sight(2460400.65);
  EXPECT_EQ(CorrectSightEntry(144, sight), 1);
  EXPECT_EQ(CorrectPositionEntry(kFirstDr, DrUpdate(2460400.6)), 1);
}

TEST_F(EventLogTest, OffsetsThatAreNotEntryStartsAreRefused) {
  StartVoyage();
  ASSERT_EQ(AppendPositionEntry(DrUpdate(2460400.6)), 0);
  ASSERT_EQ(AppendSightEntry(Sight(2460400.65)), 0);
  std::vector<uint8_t> before = FileBytes();
  // Inside the initial fix the course bytes are zero and would read as kind 0.
  for (EventLogOffset inside : {2, 48, 56, 70, 146, 230, 231, 232, 5000, -72}) {
    EXPECT_EQ(CorrectPositionEntry(inside, DrUpdate(2460400.6)), 1) << inside;
    EXPECT_EQ(CorrectSightEntry(inside, Sight(2460400.6)), 1) << inside;
    EXPECT_EQ(DeletePositionEntry(inside), 2) << inside;
    EXPECT_EQ(DeleteSightEntry(inside), 1) << inside;
  }
  EXPECT_EQ(CorrectSightEntry(kFirstDr, Sight(2460400.6)), 1);
  EXPECT_EQ(DeleteSightEntry(kFirstDr), 1);
  EXPECT_EQ(CorrectPositionEntry(144, DrUpdate(2460400.6)), 1);
  EXPECT_EQ(DeletePositionEntry(144), 2);
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(EventLogTest, CorrectionKeepsSequenceNumberAndCountsCorrections) {
  StartVoyage();
  ASSERT_EQ(AppendSightEntry(Sight(2460400.65, 20.0)), 0);
  ObservationRecord sight = Sight(2460400.66, 21.0);
  ASSERT_EQ(CorrectSightEntry(kFirstDr, sight), 0);
  sight.hs = 22.0;
  ASSERT_EQ(CorrectSightEntry(kFirstDr, sight), 0);
  PositionRecord fix = Fix(2460400.4, 49, -6, kPositionExternalFix);
  ASSERT_EQ(CorrectPositionEntry(0, fix), 0);
  ASSERT_EQ(CorrectPositionEntry(0, fix), 0);
  std::vector<uint8_t> file = FileBytes();
  EXPECT_EQ(SequenceNumberAt(file, 0), 1u);
  EXPECT_EQ(file[64], 2);  // correction count of the fix
  EXPECT_EQ(SequenceNumberAt(file, 72), 2u);
  EXPECT_EQ(file[72 + 82], 2);  // correction count of the sight

  EXPECT_EQ(CorrectPositionEntry(0, Fix(2460400.4, 49, -6, kPositionUserDefined)), 3);
  EXPECT_EQ(CorrectPositionEntry(0, DrUpdate(2460400.4)), 3);  // the first entry stays a fix
  ASSERT_EQ(OpenEventLog(), 0);
  PositionRecord read;
  ASSERT_EQ(ReadReferencePosition(kLastFix, read), 0);
  EXPECT_EQ(read.latitude, 49.0);
  EXPECT_EQ(read.time, 2460400.4);
}

TEST_F(EventLogTest, CorrectingTheKindOfAPositionMovesTheIndex) {
  StartVoyage(2460400.5);
  ASSERT_EQ(AppendPositionEntry(Fix(2460400.6, 51, -3)), 0);
  ASSERT_EQ(AppendSightEntry(Sight(2460400.65)), 0);
  // The last fix becomes a DR update: the initial fix is the last fix again.
  ASSERT_EQ(CorrectPositionEntry(kFirstDr, DrUpdate(2460400.6)), 0);
  EXPECT_TRUE(IsInitialFixReference());
  int32_t positions = 0;
  int32_t sights = 0;
  ASSERT_EQ(CountSinceLastFix(positions, sights), 0);
  EXPECT_EQ(positions, 2);
  EXPECT_EQ(sights, 1);
  PositionRecord latest;
  ASSERT_EQ(ReadReferencePosition(kLatestPosition, latest), 0);
  EXPECT_EQ(latest.positionType, kPositionDr);
  // And back to a fix.
  ASSERT_EQ(CorrectPositionEntry(kFirstDr, Fix(2460400.6, 51, -3)), 0);
  EXPECT_FALSE(IsInitialFixReference());
  ASSERT_EQ(CountSinceLastFix(positions, sights), 0);
  EXPECT_EQ(positions, 1);
}

TEST_F(EventLogTest, QualityCodeOutsideTheGradesReadsAsAverageAndIsWrittenBackAsAverage) {
  StartVoyage();
  ASSERT_EQ(AppendSightEntry(Sight(2460400.65)), 0);
  std::vector<uint8_t> file = FileBytes();
  file[kFirstDr + 80] = 9;
  CloseEventLog();
  WriteFileBytes(file);
  ASSERT_EQ(OpenEventLog(), 0);
  std::array<ObservationRecord, 1> sights;
  std::array<EventLogOffset, 1> sightOffsets;
  std::array<PositionRecord, 1> positions;
  std::array<EventLogOffset, 1> positionOffsets;
  int32_t sightCount = 0;
  int32_t positionCount = 0;
  ASSERT_EQ(ReadSinceLastFix(sights, sightOffsets, positions, positionOffsets, sightCount,
                             positionCount),
            0);
  EXPECT_EQ(sights[0].sigma, 0.01);
  ASSERT_EQ(CorrectSightEntry(sightOffsets[0], sights[0]), 0);
  EXPECT_EQ(FileBytes()[kFirstDr + 80], 2);
}

TEST_F(EventLogTest, ReadSinceLastFixRespectsCapacitiesAndCountsLegs) {
  StartVoyage();
  ASSERT_EQ(AppendSightEntry(Sight(2460400.55)), 0);
  ASSERT_EQ(AppendPositionEntry(DrUpdate(2460400.6)), 0);
  ASSERT_EQ(AppendSightEntry(Sight(2460400.65)), 0);
  ASSERT_EQ(AppendSightEntry(Sight(2460400.66)), 0);
  ASSERT_EQ(DeleteSightEntry(kFirstDr), 0);
  std::array<ObservationRecord, 2> sights;
  std::array<EventLogOffset, 2> sightOffsets;
  std::array<PositionRecord, 2> positions;
  std::array<EventLogOffset, 2> positionOffsets;
  int32_t sightCount = 0;
  int32_t positionCount = 0;
  ASSERT_EQ(ReadSinceLastFix(sights, sightOffsets, positions, positionOffsets, sightCount,
                             positionCount),
            0);
  EXPECT_EQ(sightCount, 2);
  EXPECT_EQ(sights[0].legIndex, 1);
  EXPECT_EQ(sights[1].legIndex, 1);
  EXPECT_EQ(ReadSinceLastFix(std::span(sights).first(1), sightOffsets, positions,
                             positionOffsets, sightCount, positionCount),
            5);
  EXPECT_EQ(ReadSinceLastFix(sights, sightOffsets, std::span(positions).first(1),
                             positionOffsets, sightCount, positionCount),
            4);
  int32_t positionTotal = 0;
  int32_t sightTotal = 0;
  ASSERT_EQ(CountSinceLastFix(positionTotal, sightTotal), 0);
  EXPECT_EQ(positionTotal, 2);
  EXPECT_EQ(sightTotal, 2);
}

// Whatever sequence of changes is made, the index kept in memory must be the
// one that opening the file again builds.
TEST_F(EventLogTest, IndexAfterRandomChangesMatchesAFreshOpen) {
  StartVoyage(2460400.0);
  std::mt19937 random(20240405);
  std::vector<EventLogOffset> positionOffsets = {0};
  std::vector<EventLogOffset> sightOffsets;
  EventLogOffset end = 72;
  double time = 2460400.0;
  auto snapshot = [](std::array<PositionRecord, 2>& refs, int32_t& positions, int32_t& sights,
                     bool& initial) {
    ASSERT_EQ(ReadReferencePosition(kLatestPosition, refs[0]), 0);
    ASSERT_EQ(ReadReferencePosition(kLastFix, refs[1]), 0);
    ASSERT_EQ(CountSinceLastFix(positions, sights), 0);
    initial = IsInitialFixReference();
  };
  for (int step = 0; step < 200; ++step) {
    time += 0.01;
    switch (random() % 6) {
      case 0:
        ASSERT_EQ(AppendPositionEntry(DrUpdate(time)), 0);
        positionOffsets.push_back(end);
        end += 72;
        break;
      case 1:
        ASSERT_EQ(AppendPositionEntry(Fix(time, 40, 10)), 0);
        positionOffsets.push_back(end);
        end += 72;
        break;
      case 2:
        ASSERT_EQ(AppendSightEntry(Sight(time)), 0);
        sightOffsets.push_back(end);
        end += 88;
        break;
      case 3:
        DeletePositionEntry(positionOffsets[random() % positionOffsets.size()]);
        break;
      case 4:
        if (!sightOffsets.empty()) {
          DeleteSightEntry(sightOffsets[random() % sightOffsets.size()]);
        }
        break;
      default: {
        EventLogOffset at = positionOffsets[random() % positionOffsets.size()];
        CorrectPositionEntry(at, random() % 2 ? DrUpdate(time) : Fix(time, 41, 11));
        break;
      }
    }
    std::array<PositionRecord, 2> kept;
    int32_t keptPositions = 0;
    int32_t keptSights = 0;
    bool keptInitial = false;
    snapshot(kept, keptPositions, keptSights, keptInitial);
    ASSERT_EQ(OpenEventLog(), 0);
    std::array<PositionRecord, 2> fresh;
    int32_t freshPositions = 0;
    int32_t freshSights = 0;
    bool freshInitial = false;
    snapshot(fresh, freshPositions, freshSights, freshInitial);
    ASSERT_EQ(kept[0].time, fresh[0].time) << "step " << step;
    ASSERT_EQ(kept[1].time, fresh[1].time) << "step " << step;
    ASSERT_EQ(keptPositions, freshPositions) << "step " << step;
    ASSERT_EQ(keptSights, freshSights) << "step " << step;
    ASSERT_EQ(keptInitial, freshInitial) << "step " << step;
  }
}

}  // namespace
}  // namespace navora
