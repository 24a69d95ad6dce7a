#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "engine/ephemeris/EphemerisReader.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "tests/engine/ephemeris/SyntheticEphemerisFile.h"

namespace navora {
namespace {

bool CanRead(EphemerisTable& table, double jd) {
  Vector3 p, v;
  return table.reader.GetBodyState(jd, kMars, kOriginBarycentre, p, v) == 0;
}

TEST(DefaultEphemerisTable, SupportedRangeDecidesAtBothEnds) {
  EphemerisTable table;
  EXPECT_EQ(SelectEphemerisForDate(table, 2451545.0), 1);  // not opened at start-up
  ASSERT_EQ(OpenDefaultEphemeris(table), 0);
  EXPECT_EQ(table.entries[0].fileName, "1970-2025.eph");
  for (double jd : {2440562.5, 2460676.5}) EXPECT_EQ(SelectEphemerisForDate(table, jd), 0) << jd;
  for (double jd : {2440562.4, 2460676.6, std::nan("")})
    EXPECT_EQ(SelectEphemerisForDate(table, jd), 2);
}

// Two synthetic files 500 days apart; the second entry's dates are listed.
class TwoFileTable : public ::testing::Test {
 protected:
  void SetUp() override {
    late_.startJd += 500.0;
    late_.seed = 3.0;
    early_.Write(earlyPath_);
    late_.Write(latePath_);
    table_.entries = {{earlyPath_, 0.0, 0.0}, {latePath_, late_.startJd, late_.EndJd()}};
    ASSERT_EQ(OpenDefaultEphemeris(table_), 0);
  }

  testing::TemporaryDirectory directory_;
  std::string earlyPath_ = directory_.File("early.eph"), latePath_ = directory_.File("late.eph");
  testing::SyntheticEphemeris early_, late_;
  EphemerisTable table_;
  double inEarly_ = early_.startJd + 20.0, inLate_ = early_.startJd + 520.0;
};

TEST_F(TwoFileTable, MarginOfTwoDaysAtBothEnds) {
  EXPECT_EQ(table_.entries[0].lastJd, early_.EndJd());  // filled from the header
  EXPECT_EQ(SelectEphemerisForDate(table_, early_.startJd + 2.0), 0);
  EXPECT_EQ(SelectEphemerisForDate(table_, early_.EndJd() - 2.0), 0);
  EXPECT_EQ(SelectEphemerisForDate(table_, early_.startJd + 1.9), 3);
  EXPECT_EQ(SelectEphemerisForDate(table_, early_.EndJd() - 1.9), 3);
}

// After a failed switch nothing is readable, and every check for that date
// reports the failure again until an open succeeds.
TEST_F(TwoFileTable, FailedSwitchIsReportedUntilAnOpenSucceeds) {
  std::filesystem::remove(latePath_);
  EXPECT_EQ(SelectEphemerisForDate(table_, inLate_), 11);
  EXPECT_FALSE(CanRead(table_, inEarly_));
  EXPECT_EQ(SelectEphemerisForDate(table_, inLate_), 11);
  late_.Write(latePath_, 3000);  // cut inside the constant values
  EXPECT_EQ(SelectEphemerisForDate(table_, inLate_), 16);
  EXPECT_EQ(SelectEphemerisForDate(table_, inLate_), 16);
  late_.Write(latePath_, 8000 * 3);  // records missing
  EXPECT_EQ(SelectEphemerisForDate(table_, inLate_), 10 + kEphemerisFileShort);
  ASSERT_EQ(SelectEphemerisForDate(table_, inEarly_), 0);
  EXPECT_TRUE(CanRead(table_, inEarly_));
  late_.Write(latePath_);
  ASSERT_EQ(SelectEphemerisForDate(table_, inLate_), 0);
  EXPECT_EQ(table_.currentEphemeris, 1);
  EXPECT_TRUE(CanRead(table_, inLate_));
  EXPECT_FALSE(CanRead(table_, inEarly_));
}

}  // namespace
}  // namespace navora
