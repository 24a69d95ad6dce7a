#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/bridge/DataFileChecks.h"
#include "app/bridge/LogBridge.h"
#include "app/bridge/RecordingNotice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "engine/common/BodyId.h"
#include "engine/log/NewInitialFix.h"
#include "engine/log/TextLogPending.h"
#include "engine/places/PlaceContext.h"
#include "engine/position/DrChecks.h"
#include "engine/time/Calendar.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

using testing::TemporaryDirectory;

std::vector<std::string> Texts(const RecordingNotice& notice) {
  std::vector<std::string> texts;
  for (const RecordingNotice::Shown& shown : notice.shown) texts.push_back(shown.text);
  return texts;
}

constexpr char kWritingFailed[] = "An error occurred while\n writing to the log.";

TEST(TaskEnsureReferencePosition, AsksForAFirstFixOnlyWhenTheLogIsEmpty) {
  enum class Log { kEmpty, kWithFix, kDamaged };
  struct Case {
    const char* name;
    Log log;
    bool textOpen;
    bool quiet;
    NoticeAnswer answer;
    bool dialogOk;
    int result;
    std::vector<std::string> texts;
    bool dialogOpened;
  };
  const std::string question =
      "The reference position does not exist.\n You must enter a fix to start.\n\n Enter a fix?";
  const Case cases[] = {
      {"fix present", Log::kWithFix, true, false, NoticeAnswer::kYes, true, 0, {}, false},
      {"declined", Log::kEmpty, true, false, NoticeAnswer::kNo, true, 27, {question}, false},
      {"cancelled, quiet", Log::kEmpty, true, true, NoticeAnswer::kYes, false, 99, {}, true},
      {"entered", Log::kEmpty, true, false, NoticeAnswer::kYes, true, 0, {question}, true},
      {"entered, quiet", Log::kEmpty, true, true, NoticeAnswer::kYes, true, 0, {}, true},
      {"text log closed",
       Log::kEmpty,
       false,
       true,
       NoticeAnswer::kYes,
       true,
       50,
       {kWritingFailed},
       true},
      {"damaged",
       Log::kDamaged,
       true,
       false,
       NoticeAnswer::kYes,
       true,
       3,
       {"            WARNING!!            \n\nThe log may have been corrupted. \nGo to 'New "
        "Initial Fix...' on the\n'Task' menu, to archive the old  \nlog, and to create a new "
        "one."},
       false},
  };
  const PositionRecord entered = MakeInitialFixRecord(2460400.5, -33.75, 151.5, 45, 7.5);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TemporaryDirectory scratch;
    const std::string directory = scratch.path() + "/";
    EventLog events;
    TextLog text;
    ASSERT_EQ(SetEventLogDirectory(events, directory.c_str()), 0);
    ASSERT_EQ(SetTextLogDirectory(text, directory.c_str()), 0);
    if (c.log == Log::kWithFix) {
      NewVoyage voyage;
      ASSERT_EQ(StartNewVoyage(events, text, entered, voyage), 0);
      CloseEventLog(events);
      CloseTextLog(text);
    } else if (c.log == Log::kDamaged) {
      std::ofstream(directory + kEventLogFileName, std::ios::binary) << std::string(72, '\1');
    }
    if (c.textOpen) {
      ASSERT_EQ(OpenTextLog(text), 0);
    }

    RecordingNotice notice;
    notice.answers = {c.answer};
    ReferenceState state;
    bool dialogOpened = false;
    const FixDialog dialog = [&](std::string_view caption, const PositionRecord& start,
                                 PositionRecord& fix) {
      dialogOpened = true;
      EXPECT_EQ(caption, "Enter an External Fix.");
      EXPECT_EQ(start.time, DefaultPositionRecord().time);
      fix = entered;
      fix.positionType = kPositionDr;  // the bridge makes it the voyage's external fix
      return c.dialogOk;
    };
    EXPECT_EQ(TaskEnsureReferencePosition(notice, events, text, c.quiet, dialog, state), c.result);
    EXPECT_EQ(Texts(notice), c.texts);
    EXPECT_EQ(dialogOpened, c.dialogOpened);
    EXPECT_EQ(state.referenceKnown, c.result == 0);
    for (const RecordingNotice::Shown& shown : notice.shown) {
      EXPECT_EQ(shown.style, shown.text == question ? kNoticeYesNoQuestion : kNoticeOk);
    }
    if (c.result == 0) {
      PositionRecord reference;
      ASSERT_EQ(ReadReferencePosition(events, kLastFix, reference), 0);
      EXPECT_EQ(reference.positionType, kPositionExternalFix);
      EXPECT_EQ(reference.latitude, -33.75);
      EXPECT_TRUE(IsInitialFixReference(events));
    }
    if (c.dialogOpened && c.result == 0) {
      EXPECT_NE(PendingLogText(text).find("INITIAL FIX"), std::string::npos);
    }
  }
}

// Messages come from the reference position of each row: a DR from
// 2024 Mar 31 23:59:59.7, whose seconds print as 60 without a carry.
TEST(TaskCheckUnderway, RefusalsAreToldAndTheHighLatitudeNoteOnce) {
  struct Case {
    const char* name;
    double latitude;
    double course;
    double speed;
    double days;  // after the reference
    int16_t mode;
    int result;
    std::string text;  // empty: no notice
  };
  const Case cases[] = {
      {"accepted", 49.5, 90, 6, 1, kDrCheckRequireLaterTime, 0, ""},
      {"too early", 49.5, 90, 6, 0, kDrCheckRequireLaterTime, 1,
       "The time must be later than that for the\n reference position( 01 Apr 2024 at "
       "00:00:00 )"},
      {"polar", 79, 0, 20, 5, kDrCheckRequireLaterTime, 2,
       "DR will advance position into\npolar region; polar navigation \nis not supported."},
      {"longitude", 60, 90, 60, 9, kDrCheckRequireLaterTime, 3,
       "DR will advance position more\nthan 100 degrees in longitude."},
      {"beyond ten days", 49.5, 90, 6, 11, kDrCheckRequireLaterTime, 4,
       "Input date is more than 10 days  \nafter the latest fix date. If this\nis a new voyage, "
       "select \n\n  New Initial Fix \n\nfrom the Task menu."},
      {"fixed site", 49.5, 90, 0, 1, kDrCheckRequireLaterTime, 5, "Observer is at a fixed site."},
      {"Sun underway", 49.5, 90, 6, 1, kSun, 0, ""},
      {"Sun high", 75, 90, 6, 1, kSun, 0,
       "Accuracy of rise/set times decreases at high latitudes."},
      {"Moon high", 65, 90, 6, 1, kMoon, 0,
       "Accuracy of rise/set times decreases at high latitudes."},
      {"damaged record", 95, 90, 6, 1, kDrCheckRequireLaterTime, kStatusOutOfDomain,
       "The reference position is not a valid\nlatitude and longitude; check the\nvoyage log."},
  };
  RecordingNotice startup;
  PlaceContext places;
  ASSERT_TRUE(CheckDataFilesAtStartup(startup, places));
  const double reference = CalendarToJulian(2024, 3, 31, 23, 59, 59.7);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PositionRecord position =
        MakePositionRecord(c.speed > 0 ? kMotionRhumbLine : kMotionNone, kPositionDr, reference,
                           c.latitude, -4.25, c.course, c.speed, 0, 0);
    RecordingNotice notice;
    ReferenceState state;
    double latitude = -1000.0;
    EXPECT_EQ(TaskCheckUnderway(notice, places.ephemeris, state, position, reference + c.days,
                                c.mode, &latitude),
              c.result);
    EXPECT_EQ(Texts(notice),
              c.text.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.text});
    if (c.mode >= kSun) {
      EXPECT_NEAR(latitude, c.latitude, 0.2) << "the extrapolated latitude is handed back";
      EXPECT_EQ(TaskCheckUnderway(notice, places.ephemeris, state, position, reference + c.days,
                                  c.mode, nullptr),
                0);
      EXPECT_EQ(notice.shown.size(), c.text.empty() ? 0u : 1u) << "the note shows once";
    } else {
      EXPECT_EQ(latitude, -1000.0);
    }
  }

  TemporaryDirectory empty;
  PlaceContext noData(empty.path() + "/");
  RecordingNotice notice;
  ReferenceState state;
  const PositionRecord position =
      MakePositionRecord(kMotionRhumbLine, kPositionDr, reference, 49.5, -4.25, 90, 6, 0, 0);
  EXPECT_EQ(TaskCheckUnderway(notice, noData.ephemeris, state, position, reference + 1,
                              kDrCheckRequireLaterTime, nullptr),
            7);
  EXPECT_EQ(notice.shown.size(), 1u) << "the ephemeris check tells why";
}

}  // namespace
}  // namespace navora
