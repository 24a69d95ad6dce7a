// Two almanac commands computed at once, each with its own engine state,
// must print exactly what they print one after the other: nothing of one
// computation may reach the other.

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "app/bridge/DataFileChecks.h"
#include "app/bridge/RecordingNotice.h"
#include "app/tasks/AlmanacTasks.h"
#include "tests/app/tasks/AlmanacTaskFixture.h"

namespace navora {
namespace {

using testing::Jd;

// The "All" page of a date and a planets table over the next days, as one text.
std::string Tables(double dateJd) {
  RecordingNotice notice;
  PlaceContext places;
  TextReportSink sink{"\n"};
  if (!CheckDataFilesAtStartup(notice, places)) return "data files missing";
  TaskContext context{notice, sink, places};
  if (RunAllAlmanac(context, {dateJd}) != TaskOutcome::kCompleted ||
      RunPlanetsAlmanac(context, {dateJd + 1.0, 72, 1.0 / 24.0}) != TaskOutcome::kCompleted) {
    return "stopped";
  }
  return sink.text;
}

TEST(ConcurrentAlmanac, TwoThreadsPrintWhatOneAfterTheOtherPrints) {
  const double first = Jd(2016, 2, 29), second = Jd(1987, 7, 4);
  const std::string firstAlone = Tables(first);
  const std::string secondAlone = Tables(second);
  ASSERT_NE(firstAlone, secondAlone);

  std::string firstTogether, secondTogether;
  std::thread worker([&] { firstTogether = Tables(first); });
  secondTogether = Tables(second);
  worker.join();
  EXPECT_EQ(firstTogether, firstAlone);
  EXPECT_EQ(secondTogether, secondAlone);
}

}  // namespace
}  // namespace navora
