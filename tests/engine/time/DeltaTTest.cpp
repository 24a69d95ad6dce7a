#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/time/DeltaT.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

struct Tabulated {
  double jd, deltaT;
};

// Records every `spacing` days from 2440000.5 (or as given), with a curved
// Delta T.
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

class DeltaTFile : public ::testing::Test {
 protected:
  void Write(double firstJd, double lastJd, const std::vector<Tabulated>& records,
             size_t trailingBytes = 0) {
    std::vector<double> values{firstJd, lastJd};
    for (const Tabulated& r : records) values.insert(values.end(), {r.jd, r.deltaT});
    std::vector<unsigned char> bytes(values.size() * 8 + trailingBytes, 0x7f);
    std::memcpy(bytes.data(), values.data(),
                values.size() * 8);  // little-endian host
    testing::WriteBytes(path_, bytes);
  }

  testing::TemporaryDirectory directory_;
  std::string path_ = directory_.File("DeltaT.val");
  DeltaTTable table_{path_};
};

// A missing file is retried until it appears; then it is read whole, so a
// later change does not reach the lookups of the table held.
TEST_F(DeltaTFile, MissingFileIsRetriedUntilItAppearsThenHeld) {
  EXPECT_EQ(table_.LookupDeltaT(0.0), kDeltaTFileMissing);
  EXPECT_EQ(table_.OpenStatus(), kDeltaTNotFound);
  double first, last;
  EXPECT_NE(table_.GetDeltaTCoverage(first, last), 0);
  const std::vector<Tabulated> records = Records(10);
  Write(2440010.5, 2440200.5, records);
  EXPECT_EQ(table_.LookupDeltaT(0.0), kDeltaTUnavailable);
  EXPECT_EQ(table_.LookupDeltaT(2440045.0), Interpolated(records, 2440045.0));
  ASSERT_EQ(table_.GetDeltaTCoverage(first, last), 0);
  EXPECT_EQ(first, 2440010.5);
  EXPECT_EQ(last, 2440200.5);
  std::filesystem::resize_file(path_, 64);
  EXPECT_EQ(table_.LookupDeltaT(records[5].jd), records[5].deltaT);
}

// Records beyond both ends of the answered range.
TEST_F(DeltaTFile, ExactOnRecordsLinearBetweenAndOnlyInsideTheRange) {
  const std::vector<Tabulated> records = Records(40);
  const double firstJd = records[1].jd + 3.0;
  const double lastJd = records[38].jd + 5.0;
  Write(firstJd, lastJd, records);
  for (size_t i = 2; i < 39; ++i) EXPECT_EQ(table_.LookupDeltaT(records[i].jd), records[i].deltaT);
  for (double jd = firstJd; jd <= lastJd; jd += 7.3) {
    EXPECT_NEAR(table_.LookupDeltaT(jd), Interpolated(records, jd), 1e-12) << jd;
  }
  EXPECT_NEAR(table_.LookupDeltaT(lastJd), Interpolated(records, lastJd), 1e-12);
  EXPECT_EQ(table_.LookupDeltaT(firstJd - 1e-6), kDeltaTUnavailable);
  EXPECT_EQ(table_.LookupDeltaT(lastJd + 1e-6), kDeltaTUnavailable);
  EXPECT_EQ(table_.LookupDeltaT(std::nan("")), kDeltaTUnavailable);
}

// Spacing away from the nominal 30 days: the first guess is many records off.
TEST_F(DeltaTFile, IrregularSpacingWalksToTheBracketingPair) {
  std::vector<Tabulated> records = Records(30, 16.0);
  for (const Tabulated& r : Records(30, 55.0)) records.push_back({r.jd + 500.0, r.deltaT + 1.0});
  Write(records.front().jd, records.back().jd, records);
  for (double jd = records.front().jd; jd <= records.back().jd; jd += 3.7) {
    EXPECT_NEAR(table_.LookupDeltaT(jd), Interpolated(records, jd), 1e-12) << jd;
  }
}

// Every damage is refused when the file is opened, with a reason, and the
// lookups answer "missing" rather than a value from the damaged table.
TEST_F(DeltaTFile, DamagedFilesAreRefused) {
  const struct {
    const char* damage;
    std::function<void(std::vector<Tabulated>&, double&, double&, size_t&)> spoil;
  } kDamage[] = {
      {"a partial record", [](auto&, double&, double&, size_t& trailing) { trailing = 7; }},
      {"a single value", [](auto& r, double&, double&, size_t&) { r.resize(1); }},
      {"inverted range",
       [](auto&, double& first, double& last, size_t&) { std::swap(first, last); }},
      {"range not a number", [](auto&, double& first, double&, size_t&) { first = std::nan(""); }},
      {"Delta T not a number",
       [](auto& r, double&, double&, size_t&) { r[7].deltaT = std::nan(""); }},
      {"Delta T out of range", [](auto& r, double&, double&, size_t&) { r[3].deltaT = 400.0; }},
      {"Delta T negative", [](auto& r, double&, double&, size_t&) { r[3].deltaT = -11.0; }},
      {"dates descending", [](auto& r, double&, double&, size_t&) { std::swap(r[4], r[5]); }},
      {"a date shifted", [](auto& r, double&, double&, size_t&) { r[6].jd += 20.0; }},
      {"range beyond the records",
       [](auto& r, double&, double& last, size_t&) { last = r.back().jd + 1.0; }},
  };
  for (const auto& d : kDamage) {
    std::vector<Tabulated> records = Records(20);
    double first = records.front().jd, last = records.back().jd;
    size_t trailing = 0;
    d.spoil(records, first, last, trailing);
    Write(first, last, records, trailing);
    DeltaTTable table(path_);
    EXPECT_EQ(table.Open(), kDeltaTDamaged) << d.damage;
    EXPECT_FALSE(table.FailureReason().empty()) << d.damage;
    EXPECT_EQ(table.LookupDeltaT(2440100.5), kDeltaTFileMissing) << d.damage;
  }
}

// The table shipped with the program, in the tests' working directory.
TEST(ShippedDeltaT, CoverageAndReferenceSamples) {
  DeltaTTable table;
  double first, last;
  ASSERT_EQ(table.Open(), kStatusOk) << table.FailureReason();
  ASSERT_EQ(table.GetDeltaTCoverage(first, last), 0);
  EXPECT_TRUE(first <= 2440562.5 && last >= 2460676.5);
  EXPECT_NEAR(table.LookupDeltaT(2451544.5), 63.8, 0.3);  // 2000 Jan 1
  std::ifstream samples(NAVORA_FIXTURE_DIR "/time/deltat_samples.txt");
  int checked = 0;
  for (std::string line; std::getline(samples, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    double jd, expected;
    std::string kind;
    ASSERT_TRUE(fields >> jd >> expected >> kind) << line;
    if (kind == "between") {
      EXPECT_NEAR(table.LookupDeltaT(jd), expected, 1e-9) << line;
    } else {
      EXPECT_EQ(table.LookupDeltaT(jd), expected) << line;  // on a record, or outside
    }
    ++checked;
  }
  EXPECT_GT(checked, 10);
}

}  // namespace
}  // namespace navora
