#include "engine/time/DeltaT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/time/TemporaryDirectory.h"

// The table is opened once per process and kept open; every test here runs in
// its own process, as the build registers them.

namespace navora {
namespace {

using testing::ScopedWorkingDirectory;
using testing::TemporaryDirectory;

struct TableRecord {
  double jd;
  double deltaT;
};

std::vector<unsigned char> TableBytes(double firstJd, double lastJd,
                                      const std::vector<TableRecord>& records) {
  std::vector<unsigned char> bytes;
  auto put = [&bytes](double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<unsigned char>(bits >> (8 * i)));
  };
  put(firstJd);
  put(lastJd);
  for (const TableRecord& record : records) {
    put(record.jd);
    put(record.deltaT);
  }
  return bytes;
}

// Records every `spacing` days from `firstDate`, Delta T a smooth curve.
std::vector<TableRecord> RegularRecords(double firstDate, double spacing, int count) {
  std::vector<TableRecord> records;
  for (int i = 0; i < count; ++i) {
    const double jd = firstDate + spacing * i;
    records.push_back({jd, 40.0 + 0.001 * i * i - 0.02 * i});
  }
  return records;
}

// Straight line through the records around jd, found by a plain search.
double Interpolated(const std::vector<TableRecord>& records, double jd) {
  for (size_t i = 0; i + 1 < records.size(); ++i) {
    const TableRecord& a = records[i];
    const TableRecord& b = records[i + 1];
    if (jd >= a.jd && jd <= b.jd) return a.deltaT + (jd - a.jd) / (b.jd - a.jd) * (b.deltaT - a.deltaT);
  }
  return std::numeric_limits<double>::quiet_NaN();
}

class SyntheticDeltaT : public ::testing::Test {
 protected:
  void WriteTable(const std::vector<unsigned char>& bytes) {
    testing::WriteBytes(directory_.File("DeltaT.val"), bytes);
  }

  TemporaryDirectory directory_;
  ScopedWorkingDirectory inDirectory_{directory_.path()};
};

TEST_F(SyntheticDeltaT, MissingFileIsReportedAndRetriedUntilItAppears) {
  EXPECT_EQ(LookupDeltaT(2451545.0), kDeltaTFileMissing);
  EXPECT_EQ(LookupDeltaT(0.0), kDeltaTFileMissing);
  double first = 0.0, last = 0.0;
  EXPECT_NE(GetDeltaTCoverage(first, last), 0);

  const std::vector<TableRecord> records = RegularRecords(2451500.5, 30.0, 10);
  WriteTable(TableBytes(2451500.5, 2451700.5, records));
  EXPECT_DOUBLE_EQ(LookupDeltaT(2451545.0), Interpolated(records, 2451545.0));
  ASSERT_EQ(GetDeltaTCoverage(first, last), 0);
  EXPECT_EQ(first, 2451500.5);
  EXPECT_EQ(last, 2451700.5);
}

TEST_F(SyntheticDeltaT, AnswersOnlyInsideItsRangeIncludingBothEnds) {
  // Records reach beyond both ends of the answered range.
  const std::vector<TableRecord> records = RegularRecords(2451480.5, 30.0, 12);
  const double firstJd = 2451500.5;
  const double lastJd = 2451780.5;
  WriteTable(TableBytes(firstJd, lastJd, records));

  EXPECT_EQ(LookupDeltaT(0.0), kDeltaTUnavailable);
  EXPECT_EQ(LookupDeltaT(firstJd - 1e-6), kDeltaTUnavailable);
  EXPECT_EQ(LookupDeltaT(lastJd + 1e-6), kDeltaTUnavailable);
  EXPECT_EQ(LookupDeltaT(std::numeric_limits<double>::quiet_NaN()), kDeltaTUnavailable);
  EXPECT_DOUBLE_EQ(LookupDeltaT(firstJd), Interpolated(records, firstJd));
  EXPECT_DOUBLE_EQ(LookupDeltaT(lastJd), Interpolated(records, lastJd));
}

TEST_F(SyntheticDeltaT, ExactOnRecordsAndLinearBetween) {
  const std::vector<TableRecord> records = RegularRecords(2451500.5, 30.0, 40);
  WriteTable(TableBytes(2451500.5, records.back().jd, records));
  for (const TableRecord& record : records) {
    EXPECT_EQ(LookupDeltaT(record.jd), record.deltaT) << record.jd;
  }
  for (double jd = 2451500.5; jd <= records.back().jd; jd += 7.3) {
    EXPECT_NEAR(LookupDeltaT(jd), Interpolated(records, jd), 1e-12) << jd;
  }
}

// Spacing far from the nominal 30 days makes the first guess wrong by many
// records in both directions; the walk must still find the bracketing pair.
TEST_F(SyntheticDeltaT, IrregularSpacingWalksToTheBracketingPair) {
  std::vector<TableRecord> records;
  double jd = 2451000.5;
  for (int i = 0; i < 60; ++i) {
    records.push_back({jd, 50.0 + std::sin(i * 0.3)});
    jd += (i < 30) ? 10.0 : 55.0;
  }
  WriteTable(TableBytes(records.front().jd, records.back().jd, records));
  for (double date = records.front().jd; date <= records.back().jd; date += 3.7) {
    EXPECT_NEAR(LookupDeltaT(date), Interpolated(records, date), 1e-12) << date;
  }
  EXPECT_EQ(LookupDeltaT(records.back().jd), records.back().deltaT);
}

TEST_F(SyntheticDeltaT, TrailingPartialRecordDoesNotShiftTheLastPair) {
  const std::vector<TableRecord> records = RegularRecords(2451500.5, 30.0, 8);
  std::vector<unsigned char> bytes = TableBytes(2451500.5, records.back().jd, records);
  bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7});
  WriteTable(bytes);
  EXPECT_EQ(LookupDeltaT(records.back().jd), records.back().deltaT);
  EXPECT_DOUBLE_EQ(LookupDeltaT(records.back().jd - 10.0),
                   Interpolated(records, records.back().jd - 10.0));
}

TEST_F(SyntheticDeltaT, FilesThatCannotHoldATableCountAsMissing) {
  const std::vector<TableRecord> one = RegularRecords(2451500.5, 30.0, 1);
  WriteTable(TableBytes(2451500.5, 2451500.5, one));  // range and a single value
  EXPECT_EQ(LookupDeltaT(2451500.5), kDeltaTFileMissing);

  WriteTable({0x00, 0x01, 0x02});
  EXPECT_EQ(LookupDeltaT(2451500.5), kDeltaTFileMissing);

  const std::vector<TableRecord> records = RegularRecords(2451500.5, 30.0, 5);
  WriteTable(TableBytes(2451600.5, 2451500.5, records));  // inverted range
  EXPECT_EQ(LookupDeltaT(2451550.5), kDeltaTFileMissing);

  WriteTable(TableBytes(std::numeric_limits<double>::quiet_NaN(), 2451600.5, records));
  EXPECT_EQ(LookupDeltaT(2451550.5), kDeltaTFileMissing);

  std::filesystem::create_directory(directory_.File("DeltaT.val.d"));
  std::filesystem::remove(directory_.File("DeltaT.val"));
  std::filesystem::rename(directory_.File("DeltaT.val.d"), directory_.File("DeltaT.val"));
  EXPECT_EQ(LookupDeltaT(2451550.5), kDeltaTFileMissing);
}

// A table whose dates are not ascending must neither loop nor read outside
// the file; it simply has no answer for such dates.
TEST_F(SyntheticDeltaT, UnorderedTableAnswersUnavailable) {
  std::vector<TableRecord> descending = RegularRecords(2451500.5, 30.0, 20);
  for (TableRecord& record : descending) record.jd = 2452500.5 - (record.jd - 2451500.5);
  WriteTable(TableBytes(2451950.5, 2452100.5, descending));
  EXPECT_EQ(LookupDeltaT(2452000.5), kDeltaTUnavailable);
  EXPECT_EQ(LookupDeltaT(2452100.5), kDeltaTUnavailable);
}

// Opens a long table with one lookup, then cuts the file so that the records
// of a later lookup are gone.
class DeltaTReadFailure : public SyntheticDeltaT {
 protected:
  void OpenThenTruncate() {
    const std::vector<TableRecord> records = RegularRecords(2440000.5, 30.0, 2000);
    WriteTable(TableBytes(2440000.5, records.back().jd, records));
    ASSERT_GT(LookupDeltaT(2440001.5), kDeltaTUnavailable);
    std::filesystem::resize_file(directory_.File("DeltaT.val"), 64);
  }
  static constexpr double kDateOfLostRecords = 2440000.5 + 30.0 * 1500;
};

TEST_F(DeltaTReadFailure, EndsTheProcessWithFailureStatusAndMessage) {
  OpenThenTruncate();
  EXPECT_EXIT(LookupDeltaT(kDateOfLostRecords), ::testing::ExitedWithCode(EXIT_FAILURE),
              "Error reading DT file: ");
}

std::string gReportedReason;
void RecordReason(const char* reason) { gReportedReason = reason; }

TEST_F(DeltaTReadFailure, ReplacementHandlerIsToldAndLookupAnswersUnavailable) {
  SetDeltaTFatalErrorHandler(RecordReason);
  OpenThenTruncate();
  EXPECT_EQ(LookupDeltaT(kDateOfLostRecords), kDeltaTUnavailable);
  EXPECT_FALSE(gReportedReason.empty());
  SetDeltaTFatalErrorHandler(nullptr);
}

// The table shipped with the program, in the working directory of the tests.
TEST(DeltaTFile, CoverageAndPlausibleValues) {
  ASSERT_GT(LookupDeltaT(2451545.0), kDeltaTUnavailable) << "DeltaT.val missing";
  double first = 0.0, last = 0.0;
  ASSERT_EQ(GetDeltaTCoverage(first, last), 0);
  EXPECT_LE(first, 2440562.5);  // the supported dates
  EXPECT_GE(last, 2460676.5);
  // Delta T grew from about 40 s in 1970 to about 69 s in the 2020s.
  EXPECT_NEAR(LookupDeltaT(2440587.5), 40.2, 0.5);
  EXPECT_NEAR(LookupDeltaT(2451544.5), 63.8, 0.3);
  EXPECT_NEAR(LookupDeltaT(2458849.5), 69.4, 0.3);
  for (double jd = first; jd <= last; jd += 11.0) {
    const double deltaT = LookupDeltaT(jd);
    ASSERT_GT(deltaT, 39.0) << jd;
    ASSERT_LT(deltaT, 70.0) << jd;
  }
}

TEST(DeltaTFile, ReproducesTheReferenceSamples) {
  std::ifstream samples(NAVORA_FIXTURE_DIR "/time/deltat_samples.txt");
  ASSERT_TRUE(samples) << "fixture missing";
  std::string line;
  int checked = 0;
  while (std::getline(samples, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    double jd = 0.0, expected = 0.0;
    std::string kind;
    ASSERT_TRUE(fields >> jd >> expected >> kind) << line;
    const double deltaT = LookupDeltaT(jd);
    if (kind == "record" || kind == "outside") {
      EXPECT_EQ(deltaT, expected) << line;
    } else {
      EXPECT_NEAR(deltaT, expected, 1e-9) << line;
    }
    ++checked;
  }
  EXPECT_GT(checked, 10);
}

}  // namespace
}  // namespace navora
