#include "engine/ephemeris/EphemerisTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/ephemeris/EphemerisReader.h"
#include "engine/ephemeris/SyntheticEphemerisFile.h"
#include "engine/time/TemporaryDirectory.h"

namespace navora {
namespace {

using testing::SyntheticEphemeris;
using testing::TemporaryDirectory;

bool CanReadMars(double jd) {
  Vector3 p{}, v{};
  return GetBodyState(jd, kMars, kOriginBarycentre, p, v) == 0;
}

// The default table opens the shipped file from the working directory.
TEST(DefaultEphemerisTable, SupportedRangeDecidesAtBothEnds) {
  EphemerisTable& table = DefaultEphemerisTable();
  ASSERT_EQ(table.entries.size(), 1u);
  EXPECT_EQ(table.entries[0].fileName, "1970-2025.eph");
  EXPECT_EQ(SelectEphemerisForDate(table, 2451545.0), 1);  // not yet opened

  ASSERT_EQ(OpenDefaultEphemeris(table), 0);
  EXPECT_EQ(table.ephemerisAvailable, 1);
  EXPECT_EQ(table.currentEphemeris, 0);
  EXPECT_EQ(SelectEphemerisForDate(table, 2440562.5), 0);
  EXPECT_EQ(SelectEphemerisForDate(table, 2440562.4), 2);
  EXPECT_EQ(SelectEphemerisForDate(table, 2460676.5), 0);
  EXPECT_EQ(SelectEphemerisForDate(table, 2460676.6), 2);
  EXPECT_EQ(SelectEphemerisForDate(table, 2460686.5), 2);
  EXPECT_EQ(SelectEphemerisForDate(table, std::nan("")), 2);
  EXPECT_TRUE(CanReadMars(2451545.0));
}

TEST(DefaultEphemerisTable, MissingFileAtStartUpRefusesEveryDate) {
  TemporaryDirectory empty;
  testing::ScopedWorkingDirectory inEmpty(empty.path());
  EphemerisTable& table = DefaultEphemerisTable();
  EXPECT_EQ(OpenDefaultEphemeris(table), 1);
  EXPECT_EQ(table.ephemerisAvailable, 0);
  EXPECT_EQ(SelectEphemerisForDate(table, 2451545.0), 1);
}

// Two synthetic files, 500 days apart, both inside the supported dates.
class TwoFileTable : public ::testing::Test {
 protected:
  void SetUp() override {
    late_.startJd = early_.startJd + 500.0;
    late_.coefficientSeed = 3.0;
    early_.Write(earlyPath_);
    late_.Write(latePath_);
    table_.entries = {{earlyPath_, 0.0, 0.0}, {latePath_, late_.startJd, late_.EndJd()}};
    ASSERT_EQ(OpenDefaultEphemeris(table_), 0);
  }

  TemporaryDirectory directory_;
  std::string earlyPath_ = directory_.File("early.eph");
  std::string latePath_ = directory_.File("late.eph");
  SyntheticEphemeris early_;
  SyntheticEphemeris late_;
  EphemerisTable table_;
};

TEST_F(TwoFileTable, MarginOfTwoDaysAtBothEndsOfAFile) {
  EXPECT_EQ(table_.entries[0].firstJd, early_.startJd);  // filled from the header
  EXPECT_EQ(table_.entries[0].lastJd, early_.EndJd());
  EXPECT_EQ(SelectEphemerisForDate(table_, early_.startJd + 2.0), 0);
  EXPECT_EQ(SelectEphemerisForDate(table_, early_.EndJd() - 2.0), 0);
  EXPECT_EQ(SelectEphemerisForDate(table_, early_.startJd + 1.9), 3);
  EXPECT_EQ(SelectEphemerisForDate(table_, early_.EndJd() - 1.9), 3);
  EXPECT_EQ(SelectEphemerisForDate(table_, early_.EndJd() + 100.0), 3);  // between the files
}

TEST_F(TwoFileTable, SwitchesFilesOnlyWhenTheDateLeavesTheOpenOne) {
  const double inEarly = early_.startJd + 20.0;
  const double inLate = late_.startJd + 20.0;
  ASSERT_EQ(SelectEphemerisForDate(table_, inEarly), 0);
  ASSERT_EQ(SelectEphemerisForDate(table_, inLate), 0);
  EXPECT_EQ(table_.currentEphemeris, 1);
  EXPECT_TRUE(CanReadMars(inLate));
  EXPECT_FALSE(CanReadMars(inEarly));  // the early file was closed
  ASSERT_EQ(SelectEphemerisForDate(table_, inEarly), 0);
  EXPECT_EQ(table_.currentEphemeris, 0);
  EXPECT_TRUE(CanReadMars(inEarly));
}

// After a failed switch no file is open: every check for the failed file's
// dates reports the failure again, and nothing reads, until an open succeeds.
TEST_F(TwoFileTable, FailedSwitchIsReportedUntilAnOpenSucceeds) {
  const double inEarly = early_.startJd + 20.0;
  const double inLate = late_.startJd + 20.0;
  std::filesystem::remove(latePath_);
  EXPECT_EQ(SelectEphemerisForDate(table_, inLate), 11);
  EXPECT_FALSE(CanReadMars(inEarly));
  EXPECT_EQ(SelectEphemerisForDate(table_, inLate), 11);

  late_.Write(latePath_, 3000);  // cut inside the constant values
  EXPECT_EQ(SelectEphemerisForDate(table_, inLate), 16);
  EXPECT_EQ(SelectEphemerisForDate(table_, inLate), 16);
  EXPECT_FALSE(CanReadMars(inLate));

  late_.Write(latePath_, 6000);  // cut inside the body table
  EXPECT_EQ(SelectEphemerisForDate(table_, inLate), 19);

  ASSERT_EQ(SelectEphemerisForDate(table_, inEarly), 0);  // reopens the early file
  EXPECT_TRUE(CanReadMars(inEarly));

  late_.Write(latePath_);
  ASSERT_EQ(SelectEphemerisForDate(table_, inLate), 0);
  EXPECT_TRUE(CanReadMars(inLate));
}

}  // namespace
}  // namespace navora
