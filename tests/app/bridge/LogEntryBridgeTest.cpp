#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/bridge/LogBridge.h"
#include "app/bridge/LogEntryBridge.h"
#include "app/bridge/RecordingNotice.h"
#include "engine/log/NewInitialFix.h"
#include "engine/log/TextLogPending.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

using testing::TemporaryDirectory;

constexpr char kReading[] = "An error occurred while\n reading the log.";
constexpr char kWriting[] = "An error occurred while\n writing to the log.";
constexpr char kWritingFile[] = "An error occurred writing to the log file";

const PositionRecord kFix = MakeInitialFixRecord(2460400.5, 49.5, -4.25, 90, 6);

PositionRecord DrAfterFix(double speed) {
  return MakePositionRecord(kMotionRhumbLine, kPositionDr, kFix.time + 0.25, 49.5, -4.0, 90, speed,
                            0, 0);
}

ObservationRecord SightAfterFix(double hs) {
  ObservationRecord sight;
  sight.time = kFix.time + 0.3;
  sight.hs = hs;
  sight.sigma = 0.01;
  return sight;
}

// Both logs of one voyage in a scratch directory.
struct Voyage {
  enum class Start { kFixDrSight, kFixOnly, kEmpty, kClosed, kReadOnly };

  explicit Voyage(Start start) {
    EXPECT_EQ(SetEventLogDirectory(events, directory.c_str()), 0);
    EXPECT_EQ(SetTextLogDirectory(text, directory.c_str()), 0);
    EXPECT_EQ(OpenEventLog(events), 2);
    if (start != Start::kEmpty) {
      EXPECT_EQ(AppendPositionEntry(events, kFix), 0);  // offset 0
    }
    if (start != Start::kEmpty && start != Start::kFixOnly) {
      EXPECT_EQ(AppendPositionEntry(events, DrAfterFix(6)), 0);   // offset 72
      EXPECT_EQ(AppendSightEntry(events, SightAfterFix(30)), 0);  // offset 144
    }
    if (start == Start::kClosed || start == Start::kReadOnly) {
      CloseEventLog(events);
      return;
    }
    EXPECT_EQ(OpenTextLog(text), 0);
  }

  TemporaryDirectory scratch;
  const std::string directory = scratch.path() + "/";
  EventLog events;
  TextLog text;
  RecordingNotice notice;
  std::vector<std::string> written{"stale"};
};

TEST(LogEntryBridge, RefusalsTellTheirMessageAndReturnTheirValue) {
  using Start = Voyage::Start;
  using Call = std::function<int(Voyage&)>;
  struct Case {
    const char* name;
    Start start;
    Call call;
    int result;
    const char* text;  // nullptr: no notice
  };
  PositionRecord position;
  LegsAndSights loaded;
  const std::string line = "a line";
  PositionRecord userDefined = kFix;
  userDefined.positionType = kPositionUserDefined;
  PositionRecord badType = kFix;
  badType.positionType = 4;
  ObservationRecord unknownBody = SightAfterFix(30);
  unknownBody.bodyCode = 99;
  ObservationRecord unknownGrade = SightAfterFix(30);
  unknownGrade.sigma = 0.5;
  const ObservationRecord sight = SightAfterFix(30);

  const Case cases[] = {
      {"reference: no such choice", Start::kFixDrSight,
       [&](Voyage& v) { return TaskReadReferencePosition(v.notice, v.events, 5, position); }, 1,
       kReading},
      {"reference: log closed", Start::kClosed,
       [&](Voyage& v) {
         return TaskReadReferencePosition(v.notice, v.events, kLatestPosition, position);
       },
       3, kReading},
      {"append: type not storable", Start::kFixDrSight,
       [&](Voyage& v) { return TaskAppendPositionEntry(v.notice, v.events, userDefined); }, 1,
       kWriting},
      {"append: log closed", Start::kClosed,
       [&](Voyage& v) { return TaskAppendPositionEntry(v.notice, v.events, kFix); }, 1, kWriting},
      {"append: read-only log", Start::kReadOnly,
       [&](Voyage& v) { return TaskAppendPositionEntry(v.notice, v.events, kFix); }, 1, kWriting},
      {"append sight: empty log", Start::kEmpty,
       [&](Voyage& v) { return TaskAppendSightEntry(v.notice, v.events, sight); }, 1, kWriting},
      {"correct position: a sight there", Start::kFixDrSight,
       [&](Voyage& v) { return TaskCorrectPositionEntry(v.notice, v.events, 144, kFix); }, 1,
       kWriting},
      {"correct position: inside an entry", Start::kFixDrSight,
       [&](Voyage& v) { return TaskCorrectPositionEntry(v.notice, v.events, 3, kFix); }, 1,
       kWriting},
      {"correct position: log closed", Start::kClosed,
       [&](Voyage& v) { return TaskCorrectPositionEntry(v.notice, v.events, 72, kFix); }, 2,
       kWriting},
      {"correct sight: a fix there", Start::kFixDrSight,
       [&](Voyage& v) { return TaskCorrectSightEntry(v.notice, v.events, 0, sight); }, 1, kWriting},
      {"delete position: the initial fix", Start::kFixDrSight,
       [&](Voyage& v) { return TaskDeletePositionEntry(v.notice, v.events, 0); }, 1, kWriting},
      {"delete position: a sight there", Start::kFixDrSight,
       [&](Voyage& v) { return TaskDeletePositionEntry(v.notice, v.events, 144); }, 2, kWriting},
      {"delete sight: a DR there", Start::kFixDrSight,
       [&](Voyage& v) { return TaskDeleteSightEntry(v.notice, v.events, 72); }, 1, kWriting},
      {"delete sight: log closed", Start::kClosed,
       [&](Voyage& v) { return TaskDeleteSightEntry(v.notice, v.events, 144); }, 2, kWriting},
      {"plot: nothing since the fix", Start::kFixOnly,
       [&](Voyage& v) { return TaskReadPlotData(v.notice, v.events, loaded); }, 6,
       "There are no observations to be plotted."},
      {"plot: log closed", Start::kClosed,
       [&](Voyage& v) { return TaskReadPlotData(v.notice, v.events, loaded); }, 1, kReading},
      {"legs: log closed, told by the caller", Start::kClosed,
       [&](Voyage& v) { return TaskLoadLegsAndSights(v.events, loaded); }, 1, nullptr},
      {"lines: text log closed", Start::kClosed,
       [&](Voyage& v) { return TaskWriteTextLogLines(v.notice, v.text, &line, 1); }, 2, kWriting},
      {"lines: none", Start::kFixDrSight,
       [&](Voyage& v) { return TaskWriteTextLogLines(v.notice, v.text, &line, 0); }, 1,
       kWritingFile},
      {"new position: type unknown", Start::kFixDrSight,
       [&](Voyage& v) { return TaskLogNewPosition(v.notice, v.text, badType, false, v.written); },
       1, kWriting},
      {"new position: text log closed", Start::kClosed,
       [&](Voyage& v) { return TaskLogNewPosition(v.notice, v.text, kFix, true, v.written); }, 2,
       kWriting},
      {"position deletion: type unknown", Start::kFixDrSight,
       [&](Voyage& v) { return TaskLogPositionDeletion(v.notice, v.text, badType, v.written); }, 1,
       kWriting},
      {"position correction: old type unknown", Start::kFixDrSight,
       [&](Voyage& v) {
         return TaskLogPositionCorrection(v.notice, v.text, badType, kFix, v.written);
       },
       1, kWriting},
      {"sight deletion: unknown body", Start::kFixDrSight,
       [&](Voyage& v) { return TaskLogSightDeletion(v.notice, v.text, unknownBody, v.written); }, 1,
       "An error occurred while deleting\n an observation from the log."},
      {"sight deletion: unknown grade, its status", Start::kFixDrSight,
       [&](Voyage& v) { return TaskLogSightDeletion(v.notice, v.text, unknownGrade, v.written); },
       2, "An error occurred while deleting\n an observation from the log."},
      {"sight correction: new sight unknown", Start::kFixDrSight,
       [&](Voyage& v) {
         return TaskLogSightCorrection(v.notice, v.text, sight, unknownGrade, v.written);
       },
       1, "An error occurred while writing an\nobservation correction into the log."},
      {"sight correction: text log closed", Start::kClosed,
       [&](Voyage& v) { return TaskLogSightCorrection(v.notice, v.text, sight, sight, v.written); },
       2, kWriting},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Voyage voyage(c.start);
    const std::string eventPath = voyage.directory + kEventLogFileName;
    const std::string textPath = voyage.directory + kTextLogFileName;
    if (c.start == Start::kReadOnly) {
      std::filesystem::permissions(eventPath, std::filesystem::perms::owner_read);
      if (::access(eventPath.c_str(), W_OK) == 0) continue;  // privileges write through the mode
      ASSERT_EQ(OpenEventLog(voyage.events), 1);
    }
    const auto eventBytes = std::filesystem::file_size(eventPath);
    EXPECT_EQ(c.call(voyage), c.result);
    if (c.text == nullptr) {
      EXPECT_TRUE(voyage.notice.shown.empty());
    } else {
      ASSERT_EQ(voyage.notice.shown.size(), 1u);
      EXPECT_EQ(voyage.notice.shown[0].text, c.text);
      EXPECT_EQ(voyage.notice.shown[0].style, kNoticeOk);
    }
    // A refusal changes neither log and hands back no lines to show.
    EXPECT_EQ(std::filesystem::file_size(eventPath), eventBytes);
    EXPECT_TRUE(!std::filesystem::exists(textPath) || std::filesystem::file_size(textPath) == 0);
    EXPECT_TRUE(PendingLogText(voyage.text).empty());
    EXPECT_TRUE(voyage.written.empty() || voyage.written[0] == "stale");
  }
}

// The entries of a DR update and a sight, corrected and then deleted, as the
// track tree's Edit and Delete commands run them.
TEST(LogEntryBridge, EntriesCorrectedAndDeletedInBothLogs) {
  Voyage voyage(Voyage::Start::kEmpty);
  Notice& notice = voyage.notice;
  EventLog& events = voyage.events;
  TextLog& text = voyage.text;
  std::vector<std::vector<std::string>> entries(6);

  const PositionRecord dr = DrAfterFix(6);
  const PositionRecord correctedDr = DrAfterFix(8);
  const ObservationRecord sight = SightAfterFix(30);
  const ObservationRecord correctedSight = SightAfterFix(31.5);
  ASSERT_EQ(TaskAppendPositionEntry(notice, events, kFix), 0);
  ASSERT_EQ(TaskLogNewPosition(notice, text, kFix, true, entries[0]), 0);
  ASSERT_EQ(TaskAppendPositionEntry(notice, events, dr), 0);
  ASSERT_EQ(TaskLogNewPosition(notice, text, dr, false, entries[1]), 0);
  ASSERT_EQ(TaskAppendSightEntry(notice, events, sight), 0);

  LegsAndSights loaded;
  ASSERT_EQ(TaskLoadLegsAndSights(events, loaded), 0);
  ASSERT_EQ(loaded.legCount, 2);
  ASSERT_EQ(loaded.sightCount, 1);
  const EventLogOffset drOffset = loaded.legOffsets[1];
  const EventLogOffset sightOffset = loaded.sightOffsets[0];
  ASSERT_EQ(TaskCorrectPositionEntry(notice, events, drOffset, correctedDr), 0);
  ASSERT_EQ(TaskLogPositionCorrection(notice, text, dr, correctedDr, entries[2]), 0);
  ASSERT_EQ(TaskCorrectSightEntry(notice, events, sightOffset, correctedSight), 0);
  ASSERT_EQ(TaskLogSightCorrection(notice, text, sight, correctedSight, entries[3]), 0);

  PositionRecord reference;
  ASSERT_EQ(TaskReadReferencePosition(notice, events, kLatestPosition, reference), 0);
  EXPECT_EQ(reference.speed, 8);
  ASSERT_EQ(TaskReadPlotData(notice, events, loaded), 0);
  EXPECT_EQ(loaded.sights[0].hs, 31.5);

  ASSERT_EQ(TaskDeleteSightEntry(notice, events, sightOffset), 0);
  ASSERT_EQ(TaskLogSightDeletion(notice, text, correctedSight, entries[4]), 0);
  ASSERT_EQ(TaskDeletePositionEntry(notice, events, drOffset), 0);
  ASSERT_EQ(TaskLogPositionDeletion(notice, text, correctedDr, entries[5]), 0);
  ASSERT_EQ(TaskReadReferencePosition(notice, events, kLatestPosition, reference), 0);
  EXPECT_EQ(reference.time, kFix.time) << "the fix is the latest position again";
  EXPECT_TRUE(voyage.notice.shown.empty());
  EXPECT_EQ(TaskReadPlotData(notice, events, loaded), kPlotDataNoObservations);

  // Each entry under its heading; corrections show the old record first.
  const std::vector<std::string> headings = {"INITIAL FIX",   "DR UPDATE",    "CORRECT DR UPDATE",
                                             "CORRECT SIGHT", "DELETE SIGHT", "DELETE DR UPDATE"};
  for (size_t i = 0; i < entries.size(); ++i) {
    ASSERT_FALSE(entries[i].empty()) << headings[i];
    EXPECT_EQ(entries[i][0].substr(entries[i][0].find_first_not_of(' ')), headings[i]);
  }
  EXPECT_EQ(entries[2][4].substr(entries[2][4].size() - 4), "06.0");
  EXPECT_EQ(entries[2][9], entries[5][4]) << "the corrected DR is the one deleted";
  EXPECT_NE(entries[3][5], entries[3][11]);
  EXPECT_EQ(entries[3][11], entries[4][5]) << "the corrected sight is the one deleted";

  // The text log holds the entries handed back, each closed by a separator,
  // and the log window is given the same lines.
  std::vector<std::string> expected;
  std::string pending;
  for (const std::vector<std::string>& entry : entries) {
    for (const std::string& line : entry) pending += line + "\r\n";
    expected.insert(expected.end(), entry.begin(), entry.end());
    expected.push_back(std::string(78, '-'));
  }
  std::vector<std::string> lines;
  ASSERT_EQ(TaskReadTextLog(voyage.notice, text, lines), 0);
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(PendingLogText(text), pending);
}

}  // namespace
}  // namespace navora
