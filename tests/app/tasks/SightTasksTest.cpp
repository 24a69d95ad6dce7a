#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/bridge/LogEntryBridge.h"
#include "app/tasks/SightTasks.h"
#include "engine/log/EventLogEntryFormat.h"
#include "engine/log/EventLogListing.h"
#include "engine/time/Calendar.h"
#include "tests/app/tasks/TaskVoyage.h"

namespace navora {
namespace {

const double kStart = CalendarToJulian(2024, 4, 1, 12, 0, 30.0);

class Voyage : public testing::TaskVoyage {
 public:
  Voyage() : TaskVoyage(kStart, 49.5, -4.25, 90, 6) {}

  void UpdateDr(double hours) {
    const PositionRecord dr = MakePositionRecord(kMotionRhumbLine, kPositionDr, kStart + hours / 24,
                                                 49.5, -4.0, 120, 6, 0, 0);
    ASSERT_EQ(TaskAppendPositionEntry(notice, events, dr), 0);
  }

  SightTaskLogs Logs() { return {notice, events, text}; }
};

ObservationRecord SightAt(double hours, uint16_t bodyCode, uint16_t star = 0) {
  ObservationRecord sight = DefaultObservationRecord();
  sight.time = kStart + hours / 24;
  sight.bodyCode = bodyCode;
  sight.starNumber = star;
  sight.hs = 35.2;
  sight.heightOfEye = 3.048;
  sight.sigma = 0.005;
  sight.legIndex = 7;  // replaced by the leg the log is on
  return sight;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// The sights since the last fix as logged, with their offsets.
struct Logged {
  std::vector<ObservationRecord> sights = std::vector<ObservationRecord>(kMaxLoadedSights + 5);
  std::vector<EventLogOffset> offsets = std::vector<EventLogOffset>(kMaxLoadedSights + 5);
  int32_t count = 0;
};

Logged ReadLogged(Voyage& voyage) {
  Logged logged;
  std::vector<PositionRecord> positions(8);
  std::vector<EventLogOffset> positionOffsets(8);
  int32_t positionCount = 0;
  EXPECT_EQ(ReadSinceLastFix(voyage.events, logged.sights, logged.offsets, positions,
                             positionOffsets, logged.count, positionCount),
            kStatusOk);
  return logged;
}

TEST(RecordObservationsTask, SavesEachSightOnTheCurrentLegAndTheTableEverywhere) {
  Voyage voyage;
  int32_t recorded = -1;
  ASSERT_EQ(BeginRecordObservations(voyage.notice, voyage.events, recorded), 0);
  EXPECT_EQ(recorded, 0);
  EXPECT_EQ(FirstNewObservation(voyage.events).time, kStart);

  const std::vector<std::vector<ObservationRecord>> batches = {
      {SightAt(1, 14), SightAt(1.5, 2)},
      {SightAt(3, 20, 1)},
  };
  SightTaskLogs logs = voyage.Logs();
  std::string tables;
  for (size_t batch = 0; batch < batches.size(); ++batch) {
    if (batch == 1) voyage.UpdateDr(2);
    std::vector<std::string> table;
    ASSERT_EQ(FormatNewSightsTable(voyage.notice, batches[batch], table), 0);
    TextReportSink worksheet("\n");
    ASSERT_EQ(SaveObservations(logs, batches[batch], table, worksheet), 0);
    EXPECT_EQ(worksheet.text, Joined(table));
    tables += Joined(table);
  }
  const std::string textLog = Joined(voyage.TextLines());
  EXPECT_NE(textLog.find(Joined(std::vector<std::string>(1, std::string(78, '-'))) +
                         tables.substr(tables.rfind("                                 SIGHT"))),
            std::string::npos)
      << textLog;
  const Logged logged = ReadLogged(voyage);
  ASSERT_EQ(logged.count, 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(logged.sights[i].legIndex, i < 2 ? 0 : 1) << i;  // DR updates before it
    EXPECT_EQ(logged.sights[i].bodyCode, (i < 2 ? batches[0][i] : batches[1][0]).bodyCode);
  }
  EXPECT_EQ(FirstNewObservation(voyage.events).time, SightAt(3, 20).time);

  // A star without a number is refused by the table: nothing to preview.
  std::vector<std::string> table;
  EXPECT_NE(FormatNewSightsTable(voyage.notice, {SightAt(4, 20)}, table), 0);
  EXPECT_TRUE(table.empty());
  EXPECT_FALSE(voyage.notice.shown.empty());
}

TEST(RecordObservationsTask, StopsAtTwentyFiveSightsSinceTheLastFix) {
  Voyage voyage;
  SightTaskLogs logs = voyage.Logs();
  const std::vector<ObservationRecord> sights(kMaxLoadedSights, SightAt(1, 10));
  TextReportSink worksheet;
  ASSERT_EQ(SaveObservations(logs, sights, {"table"}, worksheet), 0);
  int32_t recorded = 0;
  EXPECT_EQ(BeginRecordObservations(voyage.notice, voyage.events, recorded),
            kObservationLimitReached);
  EXPECT_EQ(voyage.notice.shown.size(), 1u);
}

TEST(SightChangeTasks, CorrectAndDeleteRewriteTheEntryAndLogIt) {
  Voyage voyage;
  SightTaskLogs logs = voyage.Logs();
  voyage.UpdateDr(0.5);
  TextReportSink worksheet;
  ASSERT_EQ(SaveObservations(logs, {SightAt(1, 14), SightAt(2, 20, 58)}, {"table"}, worksheet), 0);
  Logged before = ReadLogged(voyage);
  ASSERT_EQ(before.count, 2);

  ObservationRecord corrected = SightAt(1.25, 12);
  corrected.hs = 36.0;
  corrected.legIndex = 3;  // the log keeps its own
  SightEdits edits;
  edits.corrections.emplace_back(before.offsets[0], corrected);
  edits.deletions.push_back(before.offsets[1]);
  std::vector<std::vector<std::string>> entries;
  ASSERT_EQ(ApplySightEdits(
                logs, edits,
                [&entries](const std::vector<std::string>& lines) { entries.push_back(lines); }),
            0);
  // The entries' layout is the log formatter's; here, which sight is which.
  ASSERT_EQ(entries.size(), 2u);
  ASSERT_EQ(entries[0].size(), 12u);
  EXPECT_EQ(entries[0][5].substr(0, 11), "Sun (Lower)");
  EXPECT_EQ(entries[0][11].substr(0, 11), "Sun (Upper)");
  EXPECT_EQ(entries[1].back().substr(0, 7), "POLARIS");
  const std::string textLog = Joined(voyage.TextLines());
  EXPECT_NE(textLog.find(Joined(entries[0])), std::string::npos);
  EXPECT_NE(textLog.find(Joined(entries[1])), std::string::npos);

  const Logged after = ReadLogged(voyage);
  ASSERT_EQ(after.count, 1);  // the deleted one is no longer counted
  EXPECT_EQ(after.offsets[0], before.offsets[0]);
  EXPECT_EQ(after.sights[0].bodyCode, 12);
  EXPECT_EQ(after.sights[0].hs, 36.0);
  EXPECT_EQ(after.sights[0].time, corrected.time);
  EXPECT_EQ(after.sights[0].legIndex, 1);

  // Nothing but the sights since the last fix can be changed.
  const size_t shown = voyage.notice.shown.size();
  std::vector<std::string> written;
  EXPECT_EQ(DeleteSight(logs, before.offsets[1], written), kNoSuchSight);
  EXPECT_EQ(CorrectSight(logs, 0, corrected, written), kNoSuchSight);
  EXPECT_TRUE(written.empty());
  EXPECT_EQ(voyage.notice.shown.size(), shown);
  EXPECT_EQ(Joined(voyage.TextLines()), textLog);
}

}  // namespace
}  // namespace navora
