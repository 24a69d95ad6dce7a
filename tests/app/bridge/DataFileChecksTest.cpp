#include "app/bridge/DataFileChecks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/bridge/RecordingNotice.h"
#include "engine/ephemeris/EphemerisReader.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/ephemeris/SyntheticEphemerisFile.h"
#include "engine/time/TemporaryDirectory.h"

// Each test runs in its own process: the data files stay open once found.

namespace navora {
namespace {

using testing::ScopedWorkingDirectory;
using testing::TemporaryDirectory;

constexpr char kNoEphemerisAtStartup[] =
    "No '.EPH' files were found. You will not \nbe able to do any calculations without them. ";
constexpr char kNoDeltaTAtStartup[] =
    "No 'DeltaT.val' file was found. You will not \nbe able to do any calculations without it. ";

// A directory holding links to the shipped data files that a test asks for.
class DataDirectory {
 public:
  DataDirectory(bool withEphemeris, bool withDeltaT) {
    const std::filesystem::path shipped = std::filesystem::current_path();
    if (withEphemeris) Link(shipped / "1970-2025.eph");
    if (withDeltaT) Link(shipped / "DeltaT.val");
  }
  const std::string& path() const { return directory_.path(); }

 private:
  void Link(const std::filesystem::path& file) {
    std::filesystem::create_symlink(file, directory_.File(file.filename().string()));
  }
  TemporaryDirectory directory_;
};

void ExpectShown(const RecordingNotice& notice, size_t index, const std::string& text) {
  ASSERT_GT(notice.shown.size(), index);
  EXPECT_EQ(notice.shown[index].text, text);
  EXPECT_EQ(notice.shown[index].style, kNoticeOk);
}

TEST(CheckDataFilesAtStartup, BothFilesPresentShowsNothingAndReportsCoverage) {
  RecordingNotice notice;
  CheckDataFilesAtStartup(notice);
  EXPECT_TRUE(notice.shown.empty());
  DataFileCoverage coverage;
  ReadDataFileCoverage(coverage);
  EXPECT_TRUE(coverage.ephemerisOpen);
  EXPECT_LE(coverage.ephemerisFirstJd, 2440562.5);
  EXPECT_GE(coverage.ephemerisLastJd, 2460676.5);
  EXPECT_TRUE(coverage.deltaTOpen);
  EXPECT_LT(coverage.deltaTFirstJd, coverage.deltaTLastJd);
}

TEST(CheckDataFilesAtStartup, NeitherFileShowsBothMessagesEphemerisFirst) {
  DataDirectory data(false, false);
  ScopedWorkingDirectory inData(data.path());
  RecordingNotice notice;
  CheckDataFilesAtStartup(notice);
  ASSERT_EQ(notice.shown.size(), 2u);
  ExpectShown(notice, 0, kNoEphemerisAtStartup);
  ExpectShown(notice, 1, kNoDeltaTAtStartup);
  DataFileCoverage coverage;
  ReadDataFileCoverage(coverage);
  EXPECT_FALSE(coverage.ephemerisOpen);
  EXPECT_FALSE(coverage.deltaTOpen);
}

TEST(CheckDataFilesAtStartup, EachMissingFileIsToldAlone) {
  {
    DataDirectory data(true, false);
    ScopedWorkingDirectory inData(data.path());
    RecordingNotice notice;
    CheckDataFilesAtStartup(notice);
    ASSERT_EQ(notice.shown.size(), 1u);
    ExpectShown(notice, 0, kNoDeltaTAtStartup);
  }
  DataDirectory data(false, true);
  ScopedWorkingDirectory inData(data.path());
  DefaultEphemerisTable().ephemerisAvailable = 0;  // a second start-up of this process
  RecordingNotice notice;
  CheckDataFilesAtStartup(notice);
  ASSERT_EQ(notice.shown.size(), 1u);
  ExpectShown(notice, 0, kNoEphemerisAtStartup);
}

TEST(CheckEphemerisForDate, WithoutEphemerisEveryTaskIsRefused) {
  DataDirectory data(false, true);
  ScopedWorkingDirectory inData(data.path());
  RecordingNotice notice;
  CheckDataFilesAtStartup(notice);
  notice.shown.clear();
  EXPECT_EQ(CheckEphemerisForDate(notice, 2451545.0), 1);
  ExpectShown(notice, 0,
              "No '.EPH' files were found. You will not be \n  able to do any calculations "
              "without them. ");
}

TEST(CheckEphemerisForDate, AcceptsSupportedDatesAndNamesTheRangeOtherwise) {
  RecordingNotice notice;
  CheckDataFilesAtStartup(notice);
  EXPECT_EQ(CheckEphemerisForDate(notice, 2440562.5), 0);
  EXPECT_EQ(CheckEphemerisForDate(notice, 2460676.5), 0);
  EXPECT_TRUE(notice.shown.empty());
  EXPECT_EQ(CheckEphemerisForDate(notice, 2440562.4), 2);
  EXPECT_EQ(CheckEphemerisForDate(notice, 2460676.6), 2);
  ASSERT_EQ(notice.shown.size(), 2u);
  ExpectShown(notice, 0, "Date selected is out of range");
  ExpectShown(notice, 1, "Date selected is out of range");
}

// A further table entry whose file is missing or broken, behind a gap that the
// shipped file does not cover.
class FurtherEphemerisEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    RecordingNotice startup;
    CheckDataFilesAtStartup(startup);
    ASSERT_TRUE(startup.shown.empty());
    EphemerisTable& table = DefaultEphemerisTable();
    // Narrow the shipped entry so that dates after 2000 need the further file.
    table.entries[0].lastJd = 2451500.5;
    further_.startJd = 2451536.5;
    table.entries.push_back({path_, further_.startJd, further_.EndJd()});
  }

  TemporaryDirectory directory_;
  std::string path_ = directory_.File("further.eph");
  testing::SyntheticEphemeris further_;
  double inFurther_ = 2451536.5 + 20.0;
};

TEST_F(FurtherEphemerisEntry, GapAndFailedOpensAreTold) {
  RecordingNotice notice;
  EXPECT_EQ(CheckEphemerisForDate(notice, 2451520.0), 3);
  EXPECT_EQ(CheckEphemerisForDate(notice, inFurther_), 11);
  further_.Write(path_, 2660);
  EXPECT_EQ(CheckEphemerisForDate(notice, inFurther_), 14);
  ASSERT_EQ(notice.shown.size(), 3u);
  ExpectShown(notice, 0, "The .EPH file needed for this\ndate was not found.");
  ExpectShown(notice, 1, "The data file needed for this date was not found.");
  ExpectShown(notice, 2, "An error was returned from the data manager.");
}

TEST_F(FurtherEphemerisEntry, NothingIsComputedFromAFileThatFailedToOpen) {
  RecordingNotice notice;
  ASSERT_EQ(CheckEphemerisForDate(notice, inFurther_), 11);
  Vector3 p{}, v{};
  EXPECT_EQ(GetBodyState(2451000.5, kSun, kOriginBarycentre, p, v), 3);
  EXPECT_EQ(CheckEphemerisForDate(notice, inFurther_), 11);  // told again

  further_.Write(path_);
  EXPECT_EQ(CheckEphemerisForDate(notice, inFurther_), 0);
  EXPECT_EQ(GetBodyState(inFurther_, kSun, kOriginBarycentre, p, v), 0);
  EXPECT_EQ(CheckEphemerisForDate(notice, 2451000.5), 0);  // back to the shipped file
  EXPECT_EQ(GetBodyState(2451000.5, kSun, kOriginBarycentre, p, v), 0);
  EXPECT_EQ(notice.shown.size(), 2u);
}

}  // namespace
}  // namespace navora
