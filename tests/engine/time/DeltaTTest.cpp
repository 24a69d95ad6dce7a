#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/time/DeltaT.h"
#include "support/TemporaryDirectory.h"

// The table stays open once found, so each test needs its own process (as
// the build registers them).

namespace navora {
namespace {

struct Tabulated {
  double jd, deltaT;
};

// Records every `spacing` days from 2440000.5 (or as given), with a curved Delta T.
std::vector<Tabulated> Records(int count, double spacing = 30.0) {
  std::vector<Tabulated> records;
  for (int i = 0; i < count; ++i)
    records.push_back({2440000.5 + spacing * i, 40.0 + 0.001 * i * i});
  return records;
}

// Straight line through the records around jd, by a plain search.
double Interpolated(const std::vector<Tabulated>& records, double jd) {
  for (size_t i = 0; i + 1 < records.size(); ++i) {
    const Tabulated& a = records[i];
    const Tabulated& b = records[i + 1];
    if (jd >= a.jd && jd <= b.jd)
      return a.deltaT + (jd - a.jd) / (b.jd - a.jd) * (b.deltaT - a.deltaT);
  }
  return std::nan("");
}

class DeltaTTable : public ::testing::Test {
 protected:
  void Write(double firstJd, double lastJd, const std::vector<Tabulated>& records,
             size_t trailingBytes = 0) {
    std::vector<double> values{firstJd, lastJd};
    for (const Tabulated& r : records) values.insert(values.end(), {r.jd, r.deltaT});
    std::vector<unsigned char> bytes(values.size() * 8 + trailingBytes, 0x7f);
    std::memcpy(bytes.data(), values.data(), values.size() * 8);  // little-endian host
    testing::WriteBytes(directory_.File("DeltaT.val"), bytes);
  }

  testing::TemporaryDirectory directory_;
  testing::ScopedWorkingDirectory inDirectory_{directory_.path()};
};

TEST_F(DeltaTTable, MissingFileIsRetriedUntilItAppears) {
  EXPECT_EQ(LookupDeltaT(0.0), kDeltaTFileMissing);
  double first, last;
  EXPECT_NE(GetDeltaTCoverage(first, last), 0);
  const std::vector<Tabulated> records = Records(10);
  Write(2440010.5, 2440200.5, records);
  EXPECT_EQ(LookupDeltaT(0.0), kDeltaTUnavailable);
  EXPECT_EQ(LookupDeltaT(2440045.0), Interpolated(records, 2440045.0));
  ASSERT_EQ(GetDeltaTCoverage(first, last), 0);
  EXPECT_EQ(first, 2440010.5);
  EXPECT_EQ(last, 2440200.5);
}

// Records beyond both ends of the answered range; a trailing partial record
// must not shift the last pair.
TEST_F(DeltaTTable, ExactOnRecordsLinearBetweenAndOnlyInsideTheRange) {
  const std::vector<Tabulated> records = Records(40);
  const double firstJd = records[1].jd + 3.0;
  const double lastJd = records[38].jd + 5.0;
  Write(firstJd, lastJd, records, 7);
  for (size_t i = 2; i < 39; ++i) EXPECT_EQ(LookupDeltaT(records[i].jd), records[i].deltaT);
  for (double jd = firstJd; jd <= lastJd; jd += 7.3) {
    EXPECT_NEAR(LookupDeltaT(jd), Interpolated(records, jd), 1e-12) << jd;
  }
  EXPECT_NEAR(LookupDeltaT(lastJd), Interpolated(records, lastJd), 1e-12);
  EXPECT_EQ(LookupDeltaT(firstJd - 1e-6), kDeltaTUnavailable);
  EXPECT_EQ(LookupDeltaT(lastJd + 1e-6), kDeltaTUnavailable);
  EXPECT_EQ(LookupDeltaT(std::nan("")), kDeltaTUnavailable);
}

// Spacing far from the nominal 30 days: the first guess is many records off.
TEST_F(DeltaTTable, IrregularSpacingWalksToTheBracketingPair) {
  std::vector<Tabulated> records = Records(30, 10.0);
  for (const Tabulated& r : Records(30, 55.0)) records.push_back({r.jd + 300.0, r.deltaT + 1.0});
  Write(records.front().jd, records.back().jd, records);
  for (double jd = records.front().jd; jd <= records.back().jd; jd += 3.7) {
    EXPECT_NEAR(LookupDeltaT(jd), Interpolated(records, jd), 1e-12) << jd;
  }
}

// Unusable files count as missing; descending dates must neither loop nor
// read outside the file.
TEST_F(DeltaTTable, BrokenFiles) {
  Write(2440000.5, 2440000.5, Records(1));  // a single value cannot be interpolated
  EXPECT_EQ(LookupDeltaT(2440000.5), kDeltaTFileMissing);
  Write(2440100.5, 2440000.5, Records(5));  // inverted range
  EXPECT_EQ(LookupDeltaT(2440050.5), kDeltaTFileMissing);
  std::vector<Tabulated> records = Records(20);
  for (Tabulated& r : records) r.jd = 2441000.5 - r.jd + 2440000.5;
  Write(2440500.5, 2440700.5, records);
  EXPECT_EQ(LookupDeltaT(2440600.5), kDeltaTUnavailable);
}

// A lookup that needs records cut from the file after it was opened.
TEST_F(DeltaTTable, ReadFailureEndsTheProcessWithAFailureCode) {
  Write(2440000.5, 2500000.5, Records(2001));
  ASSERT_GT(LookupDeltaT(2440001.5), kDeltaTUnavailable);
  std::filesystem::resize_file(directory_.File("DeltaT.val"), 64);
  EXPECT_EXIT(LookupDeltaT(2440000.5 + 30.0 * 1500), ::testing::ExitedWithCode(EXIT_FAILURE),
              "^Error reading DT file: ");
}

// The table shipped with the program, in the tests' working directory.
TEST(ShippedDeltaT, CoverageAndReferenceSamples) {
  double first, last;
  ASSERT_GT(LookupDeltaT(2451545.0), kDeltaTUnavailable) << "DeltaT.val missing";
  ASSERT_EQ(GetDeltaTCoverage(first, last), 0);
  EXPECT_TRUE(first <= 2440562.5 && last >= 2460676.5);
  EXPECT_NEAR(LookupDeltaT(2451544.5), 63.8, 0.3);  // 2000 Jan 1
  std::ifstream samples(NAVORA_FIXTURE_DIR "/time/deltat_samples.txt");
  int checked = 0;
  for (std::string line; std::getline(samples, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    double jd, expected;
    std::string kind;
    ASSERT_TRUE(fields >> jd >> expected >> kind) << line;
    if (kind == "between") {
      EXPECT_NEAR(LookupDeltaT(jd), expected, 1e-9) << line;
    } else {
      EXPECT_EQ(LookupDeltaT(jd), expected) << line;  // on a record, or outside
    }
    ++checked;
  }
  EXPECT_GT(checked, 10);
}

}  // namespace
}  // namespace navora
