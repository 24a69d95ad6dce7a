#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/bridge/DataFileChecks.h"
#include "app/bridge/RecordingNotice.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "tests/engine/ephemeris/SyntheticEphemerisFile.h"

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
  PlaceContext places(empty.path() + "/");
  RecordingNotice notice;
  EXPECT_FALSE(CheckDataFilesAtStartup(notice, places));
  EXPECT_EQ(CheckEphemerisForDate(notice, places.ephemeris, 2451545.0), 1);
  EXPECT_EQ(Texts(notice),
            (std::vector<std::string>{
                "No '.EPH' files were found. You will not \nbe able to do any calculations "
                "without them. ",
                "No 'DeltaT.val' file was found. You will not \nbe able to do any calculations "
                "without it. ",
                "No '.EPH' files were found. You will not be \n  able to do any calculations "
                "without them. "}));
  DataFileCoverage coverage;
  ReadDataFileCoverage(places, coverage);
  EXPECT_FALSE(coverage.ephemerisOpen || coverage.deltaTOpen);
}

// Files that are there but damaged are refused by name, each with its reason.
TEST(CheckDataFilesAtStartup, DamagedFilesAreRefusedByName) {
  testing::TemporaryDirectory directory;
  testing::SyntheticEphemeris ephemeris;
  ephemeris.Write(directory.File("1970-2025.eph"), 8000 * 3);
  const double deltaT[] = {2451500.5, 2451560.5, 2451500.5, 63.8, 2451530.5, 1e9, 2451560.5, 64.0};
  testing::WriteBytes(directory.File("DeltaT.val"),
                      std::vector<unsigned char>(reinterpret_cast<const unsigned char*>(deltaT),
                                                 reinterpret_cast<const unsigned char*>(deltaT + 8)));
  PlaceContext places(directory.path() + "/");
  RecordingNotice notice;
  EXPECT_FALSE(CheckDataFilesAtStartup(notice, places));
  const std::vector<std::string> texts = Texts(notice);
  ASSERT_EQ(texts.size(), 2u);
  for (const char* name : {"/1970-2025.eph refused: ", "/DeltaT.val refused: "}) {
    const std::string& text = texts[name[1] == '1' ? 0 : 1];
    EXPECT_EQ(text.rfind("Data file " + directory.path() + name, 0), 0u) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  }
}

// A further table entry after 2000, where the shipped entry is made to end.
TEST(CheckEphemerisForDate, GapAndFailedOpensAreTold) {
  RecordingNotice notice;
  PlaceContext places;
  ASSERT_TRUE(CheckDataFilesAtStartup(notice, places));
  testing::TemporaryDirectory directory;
  const std::string path = directory.File("further.eph");
  testing::SyntheticEphemeris further;  // from 1999 Dec 23
  EphemerisTable& table = places.ephemeris;
  table.entries[0].lastJd = 2451500.5;
  table.entries.push_back({path, further.startJd, further.EndJd()});

  EXPECT_EQ(CheckEphemerisForDate(notice, table, 2451520.0), 3);
  EXPECT_EQ(CheckEphemerisForDate(notice, table, further.startJd + 20.0), 11);
  further.Write(path, 2660);
  EXPECT_EQ(CheckEphemerisForDate(notice, table, further.startJd + 20.0), 14);
  further.Write(path);
  EXPECT_EQ(CheckEphemerisForDate(notice, table, further.startJd + 20.0), 0);
  EXPECT_EQ(Texts(notice),
            (std::vector<std::string>{"The .EPH file needed for this\ndate was not found.",
                                      "The data file needed for this date was not found.",
                                      "An error was returned from the data manager."}));
}

}  // namespace
}  // namespace navora
