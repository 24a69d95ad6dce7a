#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/ephemeris/EphemerisReader.h"
#include "tests/engine/ephemeris/SyntheticEphemerisFile.h"

namespace navora {
namespace {

using testing::SyntheticEphemeris;

// Barycentric state of a body from the synthetic file's own evaluation.
void ExpectedBarycentric(const SyntheticEphemeris& file, BodyId body, double jd, double (&p)[3],
                         double (&v)[3]) {
  constexpr int kRowEarthMoonBarycentre = 2, kRowMoon = 9, kRowSun = 10;
  if (body != kEarth && body != kMoon)
    return file.RowState(body == kSun ? kRowSun : body - 1, jd, p, v);
  double moonP[3], moonV[3];
  file.RowState(kRowEarthMoonBarycentre, jd, p, v);
  file.RowState(kRowMoon, jd, moonP, moonV);
  const double ratio = file.earthMoonRatio;
  const double factor = body == kEarth ? -1.0 / (1.0 + ratio) : ratio / (1.0 + ratio);
  for (int c = 0; c < 3; ++c) {
    p[c] += factor * moonP[c];
    v[c] += factor * moonV[c];
  }
}

class SyntheticFile : public ::testing::Test {
 protected:
  EngineStatus Open(const SyntheticEphemeris& file, size_t size = SIZE_MAX) {
    file.Write(path_, size);
    return reader_.OpenEphemerisFile(path_.c_str(), first_, last_);
  }

  EngineStatus State(double jd, BodyId body, int16_t origin = kOriginBarycentre) {
    return reader_.GetBodyState(jd, body, origin, position_, velocity_);
  }

  // GetBodyState agrees with the independent evaluation of `file`.
  void ExpectState(const SyntheticEphemeris& file, double jd, BodyId body, int16_t origin) {
    ASSERT_EQ(State(jd, body, origin), 0) << jd;
    double p[3], v[3], sunP[3] = {}, sunV[3] = {};
    ExpectedBarycentric(file, body, jd, p, v);
    if (origin == kOriginSun) ExpectedBarycentric(file, kSun, jd, sunP, sunV);
    for (int c = 0; c < 3; ++c) {
      EXPECT_NEAR(position_[c], p[c] - sunP[c], 1e-11)
          << jd << " body " << body << " origin " << origin;
      EXPECT_NEAR(velocity_[c], v[c] - sunV[c], 1e-11)
          << jd << " body " << body << " origin " << origin;
    }
  }

  testing::TemporaryDirectory directory_;
  std::string path_ = directory_.File("test.eph");
  EphemerisReader reader_;
  SyntheticEphemeris file_;
  double first_ = -1.0, last_ = -1.0;
  Vector3 position_{}, velocity_{};
};

// Each header field in turn cut short or implausible gives its own status; a
// failed open leaves the dates alone and nothing readable, not even the file
// that was open before.
TEST_F(SyntheticFile, HeaderStatuses) {
  EXPECT_EQ(reader_.OpenEphemerisFile(directory_.File("absent.eph").c_str(), first_, last_), 1);
  const struct {
    size_t size;
    EngineStatus status;
  } kCuts[] = {{0, 2},    {251, 2},  {252, 3},  {2651, 3}, {2652, 4},  {2675, 4},
               {2676, 5}, {2679, 5}, {2680, 6}, {5879, 6}, {5880, 7},  {5887, 7},
               {5888, 8}, {5895, 8}, {5896, 9}, {6039, 9}, {6040, 10}, {6043, 10}};
  for (const auto& cut : kCuts) {
    ASSERT_EQ(Open(file_), 0);
    EXPECT_EQ(Open(file_, cut.size), cut.status) << "size " << cut.size;
    EXPECT_EQ(State(file_.startJd + 1.0, kMars), 3) << "size " << cut.size;
  }
  first_ = -1.0;
  SyntheticEphemeris bad = file_;
  for (double step : {0.0, 400.0}) {
    bad.stepDays = step;
    EXPECT_EQ(Open(bad), 4) << step;
  }
  bad = file_;
  bad.startJd = std::nan("");
  EXPECT_EQ(Open(bad), 4);
  // Units other than kilometres, or a mass ratio that is not the Earth's.
  for (double auKm : {0.0, 1000.0, std::nan("")}) {
    bad = file_;
    bad.auKm = auKm;
    EXPECT_EQ(Open(bad), 7) << auKm;
  }
  for (double ratio : {-1.0, 0.0123, std::nan("")}) {
    bad = file_;
    bad.earthMoonRatio = ratio;
    EXPECT_EQ(Open(bad), 8) << ratio;
  }
  EXPECT_EQ(first_, -1.0);
  // Rows whose coefficients would lie outside the 900 of a record.
  for (testing::SyntheticRow row : {testing::SyntheticRow{890, 10, 1},
                                    {0, 5, 1},
                                    {1, -3, 1},
                                    {1, 5, -2},
                                    {1, 400, 1},
                                    {800, 10, 4}}) {
    bad = file_;
    bad.rows[4] = row;
    EXPECT_EQ(Open(bad), 9) << row.offset << " " << row.coefficientCount << " "
                            << row.subintervalCount;
  }
  // 10^10 records of 0.001 days would overflow the file offsets.
  std::vector<unsigned char> bytes = file_.Bytes();
  const double span[] = {file_.startJd, file_.startJd + 1e7, 1e-3};
  std::memcpy(&bytes[2652], span, sizeof span);
  testing::WriteBytes(path_, bytes);
  EXPECT_EQ(reader_.OpenEphemerisFile(path_.c_str(), first_, last_), 4);
}

// A copy that is cut short, a record whose dates disagree with the header
// (or a header shifted against its records), and a coefficient that is not a
// number are refused when the file is opened, with a reason.
TEST_F(SyntheticFile, DamagedFilesAreRefusedWhenOpened) {
  const auto record = [&](int number) { return SyntheticEphemeris::kBlockBytes * number; };
  const auto poke = [&](size_t offset, double value) {
    std::vector<unsigned char> bytes = file_.Bytes();
    std::memcpy(&bytes[offset], &value, 8);
    testing::WriteBytes(path_, bytes);
    return reader_.OpenEphemerisFile(path_.c_str(), first_, last_);
  };
  const struct {
    const char* damage;
    size_t offset;
    double value;
    EngineStatus status;
  } kDamage[] = {
      {"record 2 starts a day late", record(2), file_.startJd + file_.stepDays + 1.0,
       kEphemerisRecordDates},
      {"record 4 ends early", record(4) + 8, file_.EndJd() - 1.0, kEphemerisRecordDates},
      {"header start a day late", 2652, file_.startJd + 1.0, kEphemerisRecordDates},
      {"header start a day early: a record more than the file holds", 2652,
       file_.startJd - 1.0, kEphemerisFileShort},
      {"NaN coefficient in record 3", record(3) + 8 * 200, std::nan(""),
       kEphemerisRecordNotFinite},
      {"infinite coefficient in record 1", record(1) + 8 * 899, INFINITY,
       kEphemerisRecordNotFinite},
  };
  for (const auto& d : kDamage) {
    EXPECT_EQ(poke(d.offset, d.value), d.status) << d.damage;
    EXPECT_FALSE(reader_.FailureReason().empty()) << d.damage;
    EXPECT_EQ(State(file_.startJd + 1.0, kMars), 3) << d.damage;
  }
  for (size_t size : {size_t{6044}, record(3) + 4000, record(5) - 1}) {
    EXPECT_EQ(Open(file_, size), kEphemerisFileShort) << size;
    EXPECT_EQ(State(file_.startJd + 1.0, kMars), 3) << size;
  }
  ASSERT_EQ(Open(file_), 0);
  EXPECT_TRUE(reader_.FailureReason().empty());
}

// A record spoiled after the file was opened is refused when it is read;
// the others still serve.
TEST_F(SyntheticFile, RecordSpoiledAfterOpeningIsRefusedWhenRead) {
  ASSERT_EQ(Open(file_), 0);
  std::vector<unsigned char> bytes = file_.Bytes();
  const double nan = std::nan("");
  std::memcpy(&bytes[SyntheticEphemeris::kBlockBytes * 3 + 8 * 10], &nan, 8);
  testing::WriteBytes(path_, bytes);
  EXPECT_EQ(State(file_.startJd + 2 * file_.stepDays + 5.0, kMercury), 3);
  EXPECT_FALSE(reader_.FailureReason().empty());
  ExpectState(file_, file_.startJd + 5.0, kJupiter, kOriginBarycentre);
}

// Finite coefficients whose sum is beyond the largest double give no state.
TEST_F(SyntheticFile, StateTooLargeToRepresentIsRefused) {
  std::vector<unsigned char> bytes = file_.Bytes();
  const double huge = 1.7e308;
  for (int j = 0; j < 6; ++j) {  // Mercury: position 3 onward, 6 per coordinate
    std::memcpy(&bytes[SyntheticEphemeris::kBlockBytes * 2 + 8 * (2 + j)], &huge, 8);
  }
  testing::WriteBytes(path_, bytes);
  ASSERT_EQ(reader_.OpenEphemerisFile(path_.c_str(), first_, last_), 0);
  EXPECT_EQ(State(file_.startJd + file_.stepDays + 0.1, kMercury), 3);
  EXPECT_FALSE(reader_.FailureReason().empty());
}

TEST_F(SyntheticFile, BodyOriginAndDateAreValidated) {
  ASSERT_EQ(Open(file_), 0);
  const double jd = file_.startJd + 3.0;
  EXPECT_EQ(State(jd, 0), 1);
  EXPECT_EQ(State(jd, 12), 1);
  EXPECT_EQ(State(jd, kSun, 2), 2);
  EXPECT_EQ(State(jd, kSun, -1), 2);
  EXPECT_EQ(State(file_.startJd - 1e-6, kMars), 3);
  EXPECT_EQ(State(file_.EndJd() + 1e-6, kMars), 3);
  EXPECT_EQ(State(std::nan(""), kMars), 3);
  ASSERT_EQ(State(jd, kSun, kOriginSun), 0);
  EXPECT_EQ(position_, (Vector3{0.0, 0.0, 0.0}));
}

// Both ends of the file, every record and quarter-record boundary and just
// before it, every body and origin: values differ per record and sub-interval,
// so a wrong choice shows.
TEST_F(SyntheticFile, StatesAtEveryBoundary) {
  ASSERT_EQ(Open(file_), 0);
  EXPECT_EQ(first_, file_.startJd);
  EXPECT_EQ(last_, file_.EndJd());
  for (double quarter = 0; quarter <= 4 * file_.recordCount; ++quarter) {
    const double boundary = file_.startJd + quarter * file_.stepDays / 4;
    for (double jd : {boundary, boundary - 1e-6, boundary + 0.3}) {
      if (jd < file_.startJd || jd > file_.EndJd()) continue;
      for (BodyId body = kMercury; body <= kMoon; ++body) {
        ExpectState(file_, jd, body, kOriginBarycentre);
        ExpectState(file_, jd, body, kOriginSun);
      }
    }
  }
}

TEST_F(SyntheticFile, RecordIsReadOnlyWhenTheDateLeavesIt) {
  ASSERT_EQ(Open(file_), 0);
  const double jd = file_.startJd + 40.0;  // record 2
  const uint64_t before = reader_.RecordReadCount();
  ASSERT_EQ(State(jd, kEarth), 0);
  ASSERT_EQ(State(jd, kMoon), 0);
  ASSERT_EQ(State(jd + 10.0, kVenus, kOriginSun), 0);
  EXPECT_EQ(reader_.RecordReadCount(), before + 1);
  ASSERT_EQ(State(jd + 30.0, kVenus), 0);  // record 3
  ASSERT_EQ(State(jd, kVenus), 0);         // record 2 again
  EXPECT_EQ(reader_.RecordReadCount(), before + 3);
}

// Reopening forgets the record and the polynomial values, also when the new
// file is first evaluated at Chebyshev time 0.
TEST_F(SyntheticFile, ReopeningResetsEveryCache) {
  ASSERT_EQ(Open(file_), 0);
  ASSERT_EQ(State(file_.startJd + 8.0, kMars), 0);
  SyntheticEphemeris other = file_;
  other.seed = -2.5;
  ASSERT_EQ(Open(other), 0);
  const uint64_t before = reader_.RecordReadCount();
  ExpectState(other, file_.startJd + 16.0, kMars, kOriginBarycentre);
  EXPECT_EQ(reader_.RecordReadCount(), before + 1);
}

}  // namespace
}  // namespace navora
