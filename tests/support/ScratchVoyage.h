#pragma once

// A voyage in a scratch session, as New Initial Fix leaves it: both logs in
// the session's voyage directory, started from one fix.

#include <gtest/gtest.h>

#include <QString>
#include <string>
#include <vector>

#include "app/bridge/LogBridge.h"
#include "engine/log/NewInitialFix.h"
#include "support/ScratchSession.h"

namespace navora::testing {

// The fix at `time` (Julian date, UTC), degrees and knots.
inline void StartScratchVoyage(ScratchSession& session, double time, double latitude,
                               double longitude, double course, double speed) {
  ApplicationState& state = session.state;
  const char* directory = state.voyageDirectory.c_str();
  ASSERT_EQ(SetTextLogDirectory(state.text, directory), 0);
  ASSERT_EQ(SetEventLogDirectory(state.events, directory), 0);
  NewVoyage voyage;
  ASSERT_EQ(StartNewVoyage(state.events, state.text,
                           MakeInitialFixRecord(time, latitude, longitude, course, speed), voyage),
            0);
  state.logAvailable = true;
  state.reference.referenceKnown = true;
}

// The text log as one text, a line each.
inline QString TextLogOf(ScratchSession& session) {
  std::vector<std::string> lines;
  EXPECT_EQ(TaskReadTextLog(session.notice, session.state.text, lines), 0);
  QString text;
  for (const std::string& line : lines) text += QString::fromLatin1(line) + "\n";
  return text;
}

}  // namespace navora::testing
