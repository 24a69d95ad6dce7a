// The ephemeris file shipped with the program, in the tests' working directory.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/ephemeris/EphemerisReader.h"

namespace navora {
namespace {

class ShippedEphemeris : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(OpenEphemerisFile("1970-2025.eph", first_, last_), 0); }

  double Distance(double jd, BodyId a, BodyId b) {
    Vector3 pa, pb, v;
    EXPECT_EQ(GetBodyState(jd, a, kOriginSun, pa, v), 0);
    EXPECT_EQ(GetBodyState(jd, b, kOriginSun, pb, v), 0);
    return std::hypot(pa[0] - pb[0], pa[1] - pb[1], pa[2] - pb[2]);
  }

  double first_ = 0.0, last_ = 0.0;
};

// Reference states from an independent evaluation of the source ephemeris.
TEST_F(ShippedEphemeris, ReproducesTheReferenceStates) {
  EXPECT_LE(first_ + 2.0, 2440562.5);
  EXPECT_GE(last_ - 2.0, 2460676.5);
  std::ifstream fixture(NAVORA_FIXTURE_DIR "/ephemeris/body_states.txt");
  ASSERT_TRUE(fixture);
  int checked = 0;
  double worst = 0.0;
  for (std::string line; std::getline(fixture, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    double jd;
    int body, origin;
    double expected[6];
    ASSERT_TRUE(fields >> jd >> body >> origin) << line;
    for (double& value : expected) fields >> value;
    Vector3 p, v;
    ASSERT_EQ(GetBodyState(jd, static_cast<BodyId>(body), static_cast<int16_t>(origin), p, v), 0);
    for (int c = 0; c < 3; ++c) {
      worst = std::fmax(worst,
                        std::fmax(std::abs(p[c] - expected[c]), std::abs(v[c] - expected[3 + c])));
    }
    ++checked;
  }
  EXPECT_LE(worst, 1e-12);  // AU and AU/day
  EXPECT_GT(checked, 1000);
  RecordProperty("worst_residual", std::to_string(worst * 1e15) + "e-15");
}

TEST_F(ShippedEphemeris, OrbitsArePhysicalAndContinuousAcrossRecords) {
  for (double jd = first_; jd <= last_; jd += 29.3) {
    const double sunDistance = Distance(jd, kEarth, kSun);
    EXPECT_TRUE(sunDistance > 0.983 && sunDistance < 1.017) << jd;
    const double moonDistance = Distance(jd, kMoon, kEarth);  // 356 000 to 407 000 km
    EXPECT_TRUE(moonDistance > 0.00237 && moonDistance < 0.00273) << jd;
  }
  // A state just before a record boundary, carried on by its velocity, lands
  // on the state that the next record gives at the boundary.
  for (double boundary = first_ + 32.0; boundary < last_; boundary += 97 * 32.0) {
    const double before = boundary - 1e-6;
    for (BodyId body : {kMercury, kMoon}) {
      Vector3 p0, v0, p1, v1;
      ASSERT_EQ(GetBodyState(before, body, kOriginBarycentre, p0, v0), 0);
      ASSERT_EQ(GetBodyState(boundary, body, kOriginBarycentre, p1, v1), 0);
      for (int c = 0; c < 3; ++c) EXPECT_NEAR(p0[c] + v0[c] * (boundary - before), p1[c], 1e-11);
    }
  }
}

}  // namespace
}  // namespace navora
