#pragma once

// A voyage in a directory of its own for the task tests: both logs open,
// started from an external fix entered when the reference position is asked.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/bridge/DataFileChecks.h"
#include "app/bridge/LogBridge.h"
#include "app/bridge/RecordingNotice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "engine/log/EventLogListing.h"
#include "support/TemporaryDirectory.h"

namespace navora::testing {

class TaskVoyage {
 public:
  // The fix at `start` (Julian date, UTC), degrees and knots.
  TaskVoyage(double start, double latitude, double longitude, double course, double speed) {
    EXPECT_TRUE(CheckDataFilesAtStartup(notice, places));
    const std::string directory = folder.path() + "/";
    EXPECT_EQ(SetEventLogDirectory(events, directory.c_str()), kStatusOk);
    EXPECT_EQ(SetTextLogDirectory(text, directory.c_str()), kStatusOk);
    EXPECT_EQ(TaskOpenTextLog(notice, text) % kTextLogOpenedNew, 0);
    const PositionRecord fix = MakePositionRecord(kMotionRhumbLine, kPositionExternalFix, start,
                                                  latitude, longitude, course, speed, 0, 0);
    const FixDialog enter = [&fix](std::string_view, const PositionRecord&, PositionRecord& out) {
      out = fix;
      return true;
    };
    constexpr bool kQuiet = true;
    EXPECT_EQ(TaskEnsureReferencePosition(notice, events, text, kQuiet, enter, state), 0);
    notice.shown.clear();
  }

  std::vector<EventLogListingEntry> Entries() {
    std::vector<EventLogListingEntry> entries;
    int64_t end = 0;
    EXPECT_EQ(ListEventLogEntries(events, entries, end), kStatusOk);
    return entries;
  }

  std::vector<std::string> TextLines() {
    std::vector<std::string> lines;
    EXPECT_EQ(TaskReadTextLog(notice, text, lines), 0);
    return lines;
  }

  TemporaryDirectory folder;
  RecordingNotice notice;
  PlaceContext places;
  EventLog events;
  TextLog text;
  ReferenceState state;
};

}  // namespace navora::testing
