#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <deque>
#include <vector>

#include "app/bridge/DataFileChecks.h"
#include "app/shell/WorksheetWindow.h"
#include "app/tasks/AlmanacTasks.h"
#include "engine/time/Calendar.h"
#include "support/ScratchSession.h"

namespace navora {
namespace {

constexpr char kQuestion[] = "Processing has been interrupted. Do\nyou want to abort?";
constexpr int kRows = 999;

// Keys typed while a long almanac runs: N, Alt and Enter go unheeded, any
// other key asks, and only the first key counts.
TEST(WorksheetInterrupt, AKeyPressedDuringALongTableAsksWhetherToAbort) {
  struct Case {
    std::vector<int> keys;
    std::deque<NoticeAnswer> answers;
    bool asked;
    TaskOutcome outcome;
  };
  const std::vector<Case> cases = {
      {{Qt::Key_Escape}, {NoticeAnswer::kYes}, true, TaskOutcome::kInterrupted},
      {{Qt::Key_Escape}, {NoticeAnswer::kNo}, true, TaskOutcome::kCompleted},
      {{Qt::Key_N, Qt::Key_Return}, {}, false, TaskOutcome::kCompleted},
      {{Qt::Key_Enter, Qt::Key_Escape}, {}, false, TaskOutcome::kCompleted},
      {{Qt::Key_Alt}, {}, false, TaskOutcome::kCompleted},
  };
  for (const Case& c : cases) {
    testing::ScratchSession session;
    ASSERT_TRUE(CheckDataFilesAtStartup(session.notice, session.state.places));
    WorksheetWindow sheet;
    for (const int key : c.keys) {
      QCoreApplication::postEvent(&sheet, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    }
    session.notice.answers = c.answers;
    TaskContext context{session.notice, sheet.Sink(), session.state.places,
                        [&] { return sheet.InterruptRequested(session.notice); }};
    const double start = CalendarToJulian(2010, 3, 1, 0, 0, 0.0);
    EXPECT_EQ(RunSunMoonAriesAlmanac(context, {start, kRows, 1.0 / 24.0}), c.outcome);
    ASSERT_EQ(session.notice.shown.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(session.notice.shown[0].text, kQuestion);
    }
    const int lines = sheet.Editor().document()->blockCount();
    if (c.outcome == TaskOutcome::kInterrupted) {
      EXPECT_LT(lines, 50) << "the table stops at the first check";
    } else {
      EXPECT_GT(lines, kRows);
    }
  }
}

}  // namespace
}  // namespace navora
