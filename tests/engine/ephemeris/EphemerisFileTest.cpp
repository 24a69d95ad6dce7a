// The ephemeris file shipped with the program, in the tests' working directory.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/ephemeris/EphemerisReader.h"

namespace navora {
namespace {

constexpr char kShippedFile[] = "1970-2025.eph";
constexpr double kFixtureTolerance = 1e-12;  // AU and AU/day

class ShippedEphemeris : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(OpenEphemerisFile(kShippedFile, first_, last_), 0) << kShippedFile << " missing";
  }

  double first_ = 0.0;
  double last_ = 0.0;
};

double Distance(const Vector3& a, const Vector3& b) {
  return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

TEST_F(ShippedEphemeris, CoversTheSupportedDatesWithMargin) {
  EXPECT_LE(first_ + 2.0, 2440562.5);
  EXPECT_GE(last_ - 2.0, 2460676.5);
}

TEST_F(ShippedEphemeris, ReproducesTheReferenceStates) {
  std::ifstream fixture(NAVORA_FIXTURE_DIR "/ephemeris/body_states.txt");
  ASSERT_TRUE(fixture) << "fixture missing";
  std::string line;
  int checked = 0;
  double worstPosition = 0.0;
  double worstVelocity = 0.0;
  while (std::getline(fixture, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    double jd = 0.0;
    int body = 0, origin = 0;
    Vector3 position{}, velocity{};
    ASSERT_TRUE(fields >> jd >> body >> origin >> position[0] >> position[1] >> position[2] >>
                velocity[0] >> velocity[1] >> velocity[2])
        << line;
    Vector3 p{}, v{};
    ASSERT_EQ(GetBodyState(jd, static_cast<BodyId>(body), static_cast<int16_t>(origin), p, v), 0)
        << line;
    for (int c = 0; c < 3; ++c) {
      worstPosition = std::fmax(worstPosition, std::abs(p[c] - position[c]));
      worstVelocity = std::fmax(worstVelocity, std::abs(v[c] - velocity[c]));
    }
    ++checked;
  }
  EXPECT_LE(worstPosition, kFixtureTolerance);
  EXPECT_LE(worstVelocity, kFixtureTolerance);
  EXPECT_GT(checked, 1000);
  std::ostringstream worst;
  worst << std::scientific << worstPosition << " AU, " << worstVelocity << " AU/day";
  ::testing::Test::RecordProperty("worst_residual", worst.str());
}

// The polynomials of neighbouring records meet: a state just before a record
// boundary, carried forward by its velocity, lands on the state at the boundary.
TEST_F(ShippedEphemeris, StatesAreContinuousAcrossRecordBoundaries) {
  constexpr double kStepDays = 32.0;
  for (double boundary = first_ + kStepDays; boundary < last_; boundary += 97 * kStepDays) {
    const double justBefore = boundary - 1e-6;
    const double elapsed = boundary - justBefore;
    for (BodyId body : {kMercury, kEarth, kMoon, kSun}) {
      Vector3 before{}, velocity{}, at{}, ignored{};
      ASSERT_EQ(GetBodyState(justBefore, body, kOriginBarycentre, before, velocity), 0);
      ASSERT_EQ(GetBodyState(boundary, body, kOriginBarycentre, at, ignored), 0);
      for (int c = 0; c < 3; ++c) before[c] += velocity[c] * elapsed;
      EXPECT_LT(Distance(before, at), 1e-11) << boundary << " body " << body;
    }
  }
}

TEST_F(ShippedEphemeris, GeometryIsPhysical) {
  for (double jd = first_; jd <= last_; jd += 29.3) {
    Vector3 earth{}, moon{}, v{};
    ASSERT_EQ(GetBodyState(jd, kEarth, kOriginSun, earth, v), 0);
    ASSERT_EQ(GetBodyState(jd, kMoon, kOriginSun, moon, v), 0);
    const Vector3 sun{};
    EXPECT_GT(Distance(earth, sun), 0.983) << jd;
    EXPECT_LT(Distance(earth, sun), 1.017) << jd;
    // Lunar distance 356 000 to 407 000 km.
    EXPECT_GT(Distance(moon, earth), 0.00237) << jd;
    EXPECT_LT(Distance(moon, earth), 0.00273) << jd;
  }
}

// Velocity is the derivative of position, here for the fastest body.
TEST_F(ShippedEphemeris, VelocityMatchesDifferencedPositions) {
  constexpr double kHalfStepDays = 0.01;
  for (double jd = first_ + 5.0; jd < last_ - 5.0; jd += 733.3) {
    Vector3 p0{}, p1{}, v{}, ignored{};
    ASSERT_EQ(GetBodyState(jd - kHalfStepDays, kMoon, kOriginBarycentre, p0, ignored), 0);
    ASSERT_EQ(GetBodyState(jd + kHalfStepDays, kMoon, kOriginBarycentre, p1, ignored), 0);
    Vector3 p{};
    ASSERT_EQ(GetBodyState(jd, kMoon, kOriginBarycentre, p, v), 0);
    for (int c = 0; c < 3; ++c) {
      EXPECT_NEAR(v[c], (p1[c] - p0[c]) / (2 * kHalfStepDays), 1e-8) << jd;
    }
  }
}

}  // namespace
}  // namespace navora
