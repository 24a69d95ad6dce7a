#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/bridge/LogBridge.h"
#include "app/bridge/RecordingNotice.h"
#include "engine/log/TextLogPending.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

using testing::TemporaryDirectory;

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class LogBridgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = scratch_.path() + "/";
    ASSERT_EQ(SetEventLogDirectory(events_, directory_.c_str()), 0);
    ASSERT_EQ(SetTextLogDirectory(text_, directory_.c_str()), 0);
  }

  TemporaryDirectory scratch_;
  std::string directory_;
  EventLog events_;
  TextLog text_;
  RecordingNotice notice_;
  const PositionRecord start_ = DefaultPositionRecord();
  const PositionRecord fix_ = MakeInitialFixRecord(2460400.5, 49.5, -4.25, 90, 6);
  // The fix dialog: records each opening after the notices shown so far, and
  // enters fix_ unless told to cancel.
  bool cancel_ = false;
  std::vector<std::string> dialogOpenings_;
  const FixDialog enterFix_ = [this](std::string_view caption, const PositionRecord&,
                                     PositionRecord& fix) {
    dialogOpenings_.push_back(std::string(caption) + " after " +
                              std::to_string(notice_.shown.size()) + " notices");
    fix = fix_;
    return !cancel_;
  };
};

TEST_F(LogBridgeTest, OpeningTellsOfADamagedLogAndOfANewTextLog) {
  EXPECT_EQ(TaskOpenEventLog(notice_, events_), 2);
  EXPECT_TRUE(notice_.shown.empty());
  std::ofstream(directory_ + kEventLogFileName, std::ios::binary) << std::string(72, '\1');
  EXPECT_EQ(TaskOpenEventLog(notice_, events_), 3);
  ASSERT_EQ(notice_.shown.size(), 1u);
  EXPECT_EQ(notice_.shown[0].text,
            "            WARNING!!            \n\nThe log may have been corrupted. \nGo to 'New "
            "Initial Fix...' on the\n'Task' menu, to archive the old  \nlog, and to create a new "
            "one.");

  EXPECT_EQ(TaskOpenTextLog(notice_, text_), kTextLogOpenedNew);
  std::vector<std::string> lines;
  EXPECT_EQ(TaskWriteComment(notice_, text_, "", lines), 1);
  ASSERT_EQ(TaskWriteComment(notice_, text_, std::string(100, 'x'), lines), 0);
  EXPECT_EQ(lines,
            (std::vector<std::string>{"", "COMMENT:", std::string(78, 'x'), std::string(22, 'x')}));
  EXPECT_EQ(PendingLogText(text_),
            "\r\nCOMMENT:\r\n" + std::string(78, 'x') + "\r\n" + std::string(22, 'x') + "\r\n");
  EXPECT_EQ(TaskOpenTextLog(notice_, text_), 0);
  EXPECT_EQ(notice_.shown.size(), 1u);
}

TEST_F(LogBridgeTest, NewInitialFixAsksBeforeArchivingAndTellsWhere) {
  NewVoyage voyage;
  ASSERT_EQ(TaskNewInitialFix(notice_, events_, text_, start_, enterFix_, voyage), 0);
  EXPECT_TRUE(notice_.shown.empty()) << "an empty log is not archived, so nothing is asked";
  const std::string firstText = Contents(directory_ + kTextLogFileName);

  notice_.answers = {NoticeAnswer::kNo};
  EXPECT_EQ(TaskNewInitialFix(notice_, events_, text_, start_, enterFix_, voyage), 1);
  ASSERT_EQ(notice_.shown.size(), 1u);
  EXPECT_EQ(notice_.shown[0].text,
            "This action will archive the current\nlog and set up the program for a new\n"
            "initial fix. Do you want to continue?");
  EXPECT_EQ(notice_.shown[0].style, kNoticeYesNoQuestion);
  EXPECT_EQ(Contents(directory_ + kTextLogFileName), firstText);
  EXPECT_FALSE(std::filesystem::exists(directory_ + "log00000.saf"));

  // Yes, then Cancel in the dialog: both logs as they were, the text log open.
  notice_.shown.clear();
  cancel_ = true;
  EXPECT_EQ(TaskNewInitialFix(notice_, events_, text_, start_, enterFix_, voyage), 1);
  EXPECT_EQ(Contents(directory_ + kTextLogFileName), firstText);
  EXPECT_FALSE(std::filesystem::exists(directory_ + "log00000.saf"));
  int32_t positions = 0, sights = 0;
  ASSERT_EQ(CountSinceLastFix(events_, positions, sights), 0);
  EXPECT_EQ(positions, 1);
  std::vector<std::string> comment;
  EXPECT_EQ(TaskWriteComment(notice_, text_, "still open", comment), 0);
  const std::string commentedText = Contents(directory_ + kTextLogFileName);

  notice_.shown.clear();
  cancel_ = false;
  ASSERT_EQ(TaskNewInitialFix(notice_, events_, text_, start_, enterFix_, voyage), 0);
  // The archive question comes before the dialog; declining opens no dialog.
  EXPECT_EQ(dialogOpenings_,
            (std::vector<std::string>{"New Initial Fix after 0 notices",
                                      "New Initial Fix after 1 notices",
                                      "New Initial Fix after 1 notices"}));
  ASSERT_EQ(notice_.shown.size(), 2u);
  EXPECT_EQ(notice_.shown[1].text,
            " Archiving current log in file " + directory_ + "log00000.saf.");
  EXPECT_EQ(notice_.shown[1].style, kNoticeOkInformation);
  EXPECT_EQ(Contents(directory_ + "log00000.saf"), commentedText);
}

TEST_F(LogBridgeTest, NewInitialFixRefusesAReadOnlyEventLog) {
  NewVoyage voyage;
  ASSERT_EQ(TaskNewInitialFix(notice_, events_, text_, start_, enterFix_, voyage), 0);
  const std::string path = directory_ + kEventLogFileName;
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
  if (std::ofstream(path, std::ios::app).is_open()) {
    GTEST_SKIP() << "running with privileges that write through a read-only mode";
  }
  notice_.answers = {NoticeAnswer::kYes};
  EXPECT_EQ(TaskNewInitialFix(notice_, events_, text_, start_, enterFix_, voyage), 1);
  ASSERT_EQ(notice_.shown.size(), 2u);
  EXPECT_EQ(notice_.shown[1].text,
            "The file 'NAVORA.EVT' has been made\nread-only. It must be changed to read-write\n"
            "before NAVORA can do a New Initial Fix.");
  EXPECT_FALSE(std::filesystem::exists(directory_ + "log00000.saf"));
}

// Each row: how many sights follow each position (the fix first).
TEST_F(LogBridgeTest, CountSinceLastFixKeepsTheLastFourLegsAndLatestSights) {
  struct Case {
    std::vector<int> sightsAfterPosition;
    int32_t positions;
    int32_t sights;
  };
  const Case cases[] = {
      {{30, 0}, 2, 25},               // few legs: the sights are only capped
      {{3, 1, 2, 0, 0, 4}, 4, 6},     // the first two legs drop out
      {{0, 0, 30, 0, 0, 0}, 4, 25},   // the latest 25 only
      {{10, 0, 0, 0, 0, 20}, 4, 20},  // of the latest 25, five lie on a dropped leg
  };
  int32_t positions = 0;
  int32_t sights = 0;
  EXPECT_EQ(TaskCountSinceLastFix(notice_, events_, positions, sights), 1) << "log not open";
  ASSERT_EQ(notice_.shown.size(), 1u);
  EXPECT_EQ(notice_.shown[0].text, "An error occurred while\n reading the log.");
  for (const Case& c : cases) {
    std::filesystem::remove(directory_ + kEventLogFileName);
    ASSERT_EQ(OpenEventLog(events_), 2);
    PositionRecord position = fix_;
    for (const int count : c.sightsAfterPosition) {
      ASSERT_EQ(AppendPositionEntry(events_, position), 0);
      ObservationRecord sight;
      for (int i = 0; i < count; ++i) {
        sight.time = position.time + 0.01 * (i + 1);
        ASSERT_EQ(AppendSightEntry(events_, sight), 0);
      }
      position.positionType = kPositionDr;
      position.time += 1.0;
    }
    ASSERT_EQ(TaskCountSinceLastFix(notice_, events_, positions, sights), 0);
    EXPECT_EQ(positions, c.positions) << c.sightsAfterPosition.size() << " positions";
    EXPECT_EQ(sights, c.sights) << c.sightsAfterPosition.size() << " positions";
    CloseEventLog(events_);
  }
  EXPECT_EQ(notice_.shown.size(), 1u);
}

}  // namespace
}  // namespace navora
