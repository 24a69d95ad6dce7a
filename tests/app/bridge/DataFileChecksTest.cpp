#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/bridge/DataFileChecks.h"
#include "app/bridge/RecordingNotice.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/ephemeris/SyntheticEphemerisFile.h"

// Each test runs in its own process: the data files stay open once found.
// The check-data command pins ReadDataFileCoverage, the almanac course the
// out-of-range message.

namespace navora {
namespace {

std::vector<std::string> Texts(const RecordingNotice& notice) {
  std::vector<std::string> texts;
  for (const RecordingNotice::Shown& shown : notice.shown) {
    EXPECT_EQ(shown.style, kNoticeOk);
    texts.push_back(shown.text);
  }
  return texts;
}

TEST(CheckDataFilesAtStartup, NeitherFileShowsBothMessagesEphemerisFirst) {
  testing::TemporaryDirectory empty;
  testing::ScopedWorkingDirectory inEmpty(empty.path());
  RecordingNotice notice;
  CheckDataFilesAtStartup(notice);
  EXPECT_EQ(CheckEphemerisForDate(notice, 2451545.0), 1);
  EXPECT_EQ(Texts(notice),
            (std::vector<std::string>{
                "No '.EPH' files were found. You will not \nbe able to do any calculations "
                "without them. ",
                "No 'DeltaT.val' file was found. You will not \nbe able to do any calculations "
                "without it. ",
                "No '.EPH' files were found. You will not be \n  able to do any calculations "
                "without them. "}));
  DataFileCoverage coverage;
  ReadDataFileCoverage(coverage);
  EXPECT_FALSE(coverage.ephemerisOpen || coverage.deltaTOpen);
}

// A further table entry after 2000, where the shipped entry is made to end.
TEST(CheckEphemerisForDate, GapAndFailedOpensAreTold) {
  RecordingNotice notice;
  CheckDataFilesAtStartup(notice);
  testing::TemporaryDirectory directory;
  const std::string path = directory.File("further.eph");
  testing::SyntheticEphemeris further;  // from 1999 Dec 23
  EphemerisTable& table = DefaultEphemerisTable();
  table.entries[0].lastJd = 2451500.5;
  table.entries.push_back({path, further.startJd, further.EndJd()});

  EXPECT_EQ(CheckEphemerisForDate(notice, 2451520.0), 3);
  EXPECT_EQ(CheckEphemerisForDate(notice, further.startJd + 20.0), 11);
  further.Write(path, 2660);
  EXPECT_EQ(CheckEphemerisForDate(notice, further.startJd + 20.0), 14);
  further.Write(path);
  EXPECT_EQ(CheckEphemerisForDate(notice, further.startJd + 20.0), 0);
  EXPECT_EQ(Texts(notice),
            (std::vector<std::string>{"The .EPH file needed for this\ndate was not found.",
                                      "The data file needed for this date was not found.",
                                      "An error was returned from the data manager."}));
}

}  // namespace
}  // namespace navora
