#pragma once

// A task context over the shipped data files, recording what the user is told
// and what the worksheet receives.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/bridge/DataFileChecks.h"
#include "app/bridge/RecordingNotice.h"
#include "app/tasks/TaskContext.h"
#include "engine/time/Calendar.h"

namespace navora::testing {

inline double Jd(int year, int month, int day, int hour = 0, int minute = 0, double second = 0) {
  return CalendarToJulian(static_cast<int16_t>(year), static_cast<int16_t>(month),
                          static_cast<int16_t>(day), static_cast<int16_t>(hour),
                          static_cast<int16_t>(minute), second);
}

class AlmanacTaskFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CheckDataFilesAtStartup(notice, places));
    ASSERT_TRUE(notice.shown.empty()) << "data files missing: " << notice.shown.front().text;
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream stream(sink.text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
  }

  RecordingNotice notice;
  TextReportSink sink{"\n"};
  PlaceContext places;
  TaskContext context{notice, sink, places};
};

}  // namespace navora::testing
