#include "engine/ephemeris/EphemerisReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/ephemeris/SyntheticEphemerisFile.h"
#include "engine/time/TemporaryDirectory.h"

namespace navora {
namespace {

using testing::SyntheticEphemeris;
using testing::TemporaryDirectory;

constexpr int kRowEarthMoonBarycentre = 2;
constexpr int kRowMoon = 9;
constexpr int kRowSun = 10;
constexpr double kSyntheticTolerance = 1e-11;  // AU on values of about 10 AU

struct State {
  Vector3 position{};
  Vector3 velocity{};
};

// Expected barycentric state of a body from the synthetic file's own evaluation.
State ExpectedBarycentric(const SyntheticEphemeris& file, BodyId body, double jd) {
  State s;
  if (body == kSun) {
    file.RowState(kRowSun, jd, s.position, s.velocity);
  } else if (body == kEarth || body == kMoon) {
    State moon;
    file.RowState(kRowEarthMoonBarycentre, jd, s.position, s.velocity);
    file.RowState(kRowMoon, jd, moon.position, moon.velocity);
    const double ratio = file.earthMoonRatio;
    const double factor = body == kEarth ? -1.0 / (1.0 + ratio) : ratio / (1.0 + ratio);
    for (int c = 0; c < 3; ++c) {
      s.position[c] += factor * moon.position[c];
      s.velocity[c] += factor * moon.velocity[c];
    }
  } else {
    file.RowState(body - 1, jd, s.position, s.velocity);
  }
  return s;
}

State Expected(const SyntheticEphemeris& file, BodyId body, int16_t origin, double jd) {
  State s = ExpectedBarycentric(file, body, jd);
  if (origin == kOriginSun) {
    const State sun = ExpectedBarycentric(file, kSun, jd);
    for (int c = 0; c < 3; ++c) {
      s.position[c] -= sun.position[c];
      s.velocity[c] -= sun.velocity[c];
    }
  }
  return s;
}

void ExpectStateNear(const State& actual, const State& expected, double tolerance,
                     const std::string& where) {
  for (int c = 0; c < 3; ++c) {
    EXPECT_NEAR(actual.position[c], expected.position[c], tolerance) << where << " x" << c;
    EXPECT_NEAR(actual.velocity[c], expected.velocity[c], tolerance) << where << " v" << c;
  }
}

class SyntheticEphemerisTest : public ::testing::Test {
 protected:
  EngineStatus Open(const SyntheticEphemeris& file, size_t size = std::string::npos) {
    const std::string path = directory_.File("test.eph");
    file.Write(path, size);
    return OpenEphemerisFile(path.c_str(), first_, last_);
  }

  EngineStatus StateAt(double jd, BodyId body, int16_t origin, State& state) {
    return GetBodyState(jd, body, origin, state.position, state.velocity);
  }

  TemporaryDirectory directory_;
  SyntheticEphemeris file_;
  double first_ = -1.0;
  double last_ = -1.0;
};

TEST_F(SyntheticEphemerisTest, OpenReportsTheCoveredDates) {
  ASSERT_EQ(Open(file_), 0);
  EXPECT_EQ(first_, file_.startJd);
  EXPECT_EQ(last_, file_.EndJd());
}

TEST_F(SyntheticEphemerisTest, MissingFileIsStatusOneAndLeavesDatesAlone) {
  EXPECT_EQ(OpenEphemerisFile(directory_.File("absent.eph").c_str(), first_, last_), 1);
  EXPECT_EQ(first_, -1.0);
  EXPECT_EQ(last_, -1.0);
}

// Each header field in turn cut short gives its own status.
TEST_F(SyntheticEphemerisTest, ShortHeaderGivesTheStatusOfTheFieldCut) {
  struct Cut {
    size_t size;
    EngineStatus status;
  };
  const Cut cuts[] = {{0, 2},    {251, 2},  {252, 3},  {2651, 3}, {2652, 4}, {2675, 4},
                      {2676, 5}, {2679, 5}, {2680, 6}, {5879, 6}, {5880, 7}, {5887, 7},
                      {5888, 8}, {5895, 8}, {5896, 9}, {6039, 9}, {6040, 10}, {6043, 10},
                      {6044, 0}};
  for (const Cut& cut : cuts) {
    first_ = -1.0;
    EXPECT_EQ(Open(file_, cut.size), cut.status) << "size " << cut.size;
    if (cut.status != 0) {
      EXPECT_EQ(first_, -1.0) << "size " << cut.size;
    }
  }
}

TEST_F(SyntheticEphemerisTest, ImplausibleHeaderValuesAreRefused) {
  SyntheticEphemeris bad = file_;
  bad.stepDays = 0.0;
  EXPECT_EQ(Open(bad), 4);
  bad = file_;
  bad.startJd = std::nan("");
  EXPECT_EQ(Open(bad), 4);
  bad = file_;
  bad.stepDays = 1e-3;  // with the end date below: 10^10 records
  std::vector<unsigned char> bytes = bad.Bytes();
  const double farEnd = bad.startJd + 1e7;
  std::memcpy(bytes.data() + 2660, &farEnd, sizeof farEnd);  // little-endian host
  testing::WriteBytes(directory_.File("bad.eph"), bytes);
  EXPECT_EQ(OpenEphemerisFile(directory_.File("bad.eph").c_str(), first_, last_), 4);
  bad = file_;
  bad.auKm = 0.0;
  EXPECT_EQ(Open(bad), 7);
  bad = file_;
  bad.earthMoonRatio = -1.0;
  EXPECT_EQ(Open(bad), 8);

  // Body rows whose coefficients would lie outside the 900 of a record.
  const testing::SyntheticRow outside[] = {{890, 10, 1}, {0, 5, 1}, {1, -3, 1}, {1, 5, -2},
                                           {1, 400, 1},  {800, 10, 4}};
  for (const testing::SyntheticRow& row : outside) {
    bad = file_;
    bad.rows[4] = row;
    testing::WriteBytes(directory_.File("bad.eph"), bad.Bytes());
    EXPECT_EQ(OpenEphemerisFile(directory_.File("bad.eph").c_str(), first_, last_), 9)
        << row.offset << " " << row.coefficientCount << " " << row.subintervalCount;
  }
}

// After a failed open nothing may be read from the old or the new file.
TEST_F(SyntheticEphemerisTest, FailedOpenLeavesNoReadableFile) {
  ASSERT_EQ(Open(file_), 0);
  State state;
  ASSERT_EQ(StateAt(file_.startJd + 10.0, kMars, kOriginBarycentre, state), 0);
  EXPECT_EQ(OpenEphemerisFile(directory_.File("absent.eph").c_str(), first_, last_), 1);
  EXPECT_EQ(StateAt(file_.startJd + 10.0, kMars, kOriginBarycentre, state), 3);
  EXPECT_EQ(StateAt(file_.startJd + 50.0, kMoon, kOriginSun, state), 3);

  ASSERT_EQ(Open(file_), 0);
  ASSERT_EQ(Open(file_, 3000), 6);
  EXPECT_EQ(StateAt(file_.startJd + 10.0, kMars, kOriginBarycentre, state), 3);
}

TEST_F(SyntheticEphemerisTest, RecordsMissingFromTheFileAreStatusThree) {
  ASSERT_EQ(Open(file_, 6044), 0);  // header only
  State state;
  EXPECT_EQ(StateAt(file_.startJd + 1.0, kJupiter, kOriginBarycentre, state), 3);

  // Cut inside record 3: records 1 and 2 still answer, before and after.
  ASSERT_EQ(Open(file_, 8000 * 3 + 4000), 0);
  const double inRecord1 = file_.startJd + 5.0;
  const double inRecord3 = file_.startJd + 2 * file_.stepDays + 5.0;
  ASSERT_EQ(StateAt(inRecord1, kJupiter, kOriginBarycentre, state), 0);
  EXPECT_EQ(StateAt(inRecord3, kJupiter, kOriginBarycentre, state), 3);
  ASSERT_EQ(StateAt(inRecord1, kJupiter, kOriginBarycentre, state), 0);
  ExpectStateNear(state, Expected(file_, kJupiter, kOriginBarycentre, inRecord1),
                  kSyntheticTolerance, "record 1 after failure");
}

TEST_F(SyntheticEphemerisTest, BodyAndOriginAreValidated) {
  ASSERT_EQ(Open(file_), 0);
  State state;
  const double jd = file_.startJd + 3.0;
  EXPECT_EQ(StateAt(jd, 0, kOriginBarycentre, state), 1);
  EXPECT_EQ(StateAt(jd, 12, kOriginBarycentre, state), 1);
  EXPECT_EQ(StateAt(jd, kSun, 2, state), 2);
  EXPECT_EQ(StateAt(jd, kSun, -1, state), 2);

  state.position = {1.0, 1.0, 1.0};
  const uint64_t reads = EphemerisRecordReadCount();
  ASSERT_EQ(StateAt(jd, kSun, kOriginSun, state), 0);
  EXPECT_EQ(state.position, (Vector3{0.0, 0.0, 0.0}));
  EXPECT_EQ(state.velocity, (Vector3{0.0, 0.0, 0.0}));
  EXPECT_EQ(EphemerisRecordReadCount(), reads);
}

// Both ends of the file and every record and sub-interval boundary, for rows
// with one, two and four sub-intervals; values differ per record and
// sub-interval, so a wrong choice shows.
TEST_F(SyntheticEphemerisTest, RecordAndSubintervalChoiceAtBoundaries) {
  ASSERT_EQ(Open(file_), 0);
  std::vector<double> dates;
  for (int record = 0; record <= file_.recordCount; ++record) {
    for (double quarter : {0.0, 0.25, 0.5, 0.75}) {
      const double boundary = file_.startJd + (record + quarter) * file_.stepDays;
      if (boundary > file_.EndJd()) continue;
      dates.push_back(boundary);
      if (boundary - 1e-6 >= file_.startJd) dates.push_back(boundary - 1e-6);
    }
  }
  for (double jd : dates) {
    for (BodyId body : {kMercury, kMars, kSun, kMoon, kEarth}) {
      State state;
      ASSERT_EQ(StateAt(jd, body, kOriginBarycentre, state), 0) << jd;
      ExpectStateNear(state, Expected(file_, body, kOriginBarycentre, jd), kSyntheticTolerance,
                      "jd " + std::to_string(jd) + " body " + std::to_string(body));
    }
  }
  State state;
  EXPECT_EQ(StateAt(file_.startJd - 1e-6, kMars, kOriginBarycentre, state), 3);
  EXPECT_EQ(StateAt(file_.EndJd() + 1e-6, kMars, kOriginBarycentre, state), 3);
  EXPECT_EQ(StateAt(std::nan(""), kMars, kOriginBarycentre, state), 3);
}

TEST_F(SyntheticEphemerisTest, EndDateUsesTheLastRecord) {
  ASSERT_EQ(Open(file_), 0);
  State atEnd;
  ASSERT_EQ(StateAt(file_.EndJd(), kMars, kOriginBarycentre, atEnd), 0);
  // t = 1 of the last record: x = +1, where T_j = 1 for every degree.
  for (int c = 0; c < 3; ++c) {
    double sum = 0.0;
    for (int j = 0; j < file_.rows[3].coefficientCount; ++j) {
      sum += file_.Coefficient(file_.recordCount, 3, 1, c, j);
    }
    EXPECT_NEAR(atEnd.position[c], sum / file_.auKm, 1e-12);
  }
}

TEST_F(SyntheticEphemerisTest, EveryBodyAndOriginAcrossTheFile) {
  ASSERT_EQ(Open(file_), 0);
  for (double jd = file_.startJd; jd <= file_.EndJd(); jd += 1.37) {
    for (BodyId body = kMercury; body <= kMoon; ++body) {
      for (int16_t origin : {kOriginBarycentre, kOriginSun}) {
        State state;
        ASSERT_EQ(StateAt(jd, body, origin, state), 0);
        ExpectStateNear(state, Expected(file_, body, origin, jd), kSyntheticTolerance,
                        "jd " + std::to_string(jd) + " body " + std::to_string(body) +
                            " origin " + std::to_string(origin));
      }
    }
  }
}

TEST_F(SyntheticEphemerisTest, RecordIsReadOnlyWhenTheDateLeavesIt) {
  ASSERT_EQ(Open(file_), 0);
  const double jd = file_.startJd + 40.0;  // record 2
  State state;
  const uint64_t before = EphemerisRecordReadCount();
  ASSERT_EQ(StateAt(jd, kEarth, kOriginBarycentre, state), 0);
  EXPECT_EQ(EphemerisRecordReadCount(), before + 1);
  ASSERT_EQ(StateAt(jd, kMoon, kOriginBarycentre, state), 0);
  ASSERT_EQ(StateAt(jd + 10.0, kVenus, kOriginSun, state), 0);  // same record
  EXPECT_EQ(EphemerisRecordReadCount(), before + 1);
  ASSERT_EQ(StateAt(jd + 30.0, kVenus, kOriginSun, state), 0);  // record 3
  EXPECT_EQ(EphemerisRecordReadCount(), before + 2);
  ASSERT_EQ(StateAt(jd, kVenus, kOriginSun, state), 0);  // back to record 2
  EXPECT_EQ(EphemerisRecordReadCount(), before + 3);
}

// Reopening must forget the old record and the old polynomial values even
// when the new file is evaluated at the same normalised times.
TEST_F(SyntheticEphemerisTest, ReopeningResetsEveryCache) {
  SyntheticEphemeris other = file_;
  other.coefficientSeed = -2.5;
  const double quarter = file_.startJd + 0.25 * file_.stepDays;  // x = -0.5
  const double middle = file_.startJd + 0.5 * file_.stepDays;    // x = 0
  State state;

  ASSERT_EQ(Open(file_), 0);
  ASSERT_EQ(StateAt(quarter, kMars, kOriginBarycentre, state), 0);
  const std::string otherPath = directory_.File("other.eph");
  other.Write(otherPath);
  const uint64_t before = EphemerisRecordReadCount();
  ASSERT_EQ(OpenEphemerisFile(otherPath.c_str(), first_, last_), 0);
  ASSERT_EQ(StateAt(middle, kMars, kOriginBarycentre, state), 0);
  EXPECT_EQ(EphemerisRecordReadCount(), before + 1);
  ExpectStateNear(state, Expected(other, kMars, kOriginBarycentre, middle), kSyntheticTolerance,
                  "after reopen");
}

}  // namespace
}  // namespace navora
