// The ephemeris file shipped with the program, in the tests' working directory.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/ephemeris/EphemerisReader.h"

namespace navora {
namespace {

// Reference states from an independent evaluation of the source ephemeris.
TEST(ShippedEphemeris, ReproducesTheReferenceStates) {
  EphemerisReader reader;
  double first = 0.0, last = 0.0;
  ASSERT_EQ(reader.OpenEphemerisFile("1970-2025.eph", first, last), 0);
  EXPECT_LE(first + 2.0, 2440562.5);
  EXPECT_GE(last - 2.0, 2460676.5);
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
    ASSERT_EQ(reader.GetBodyState(jd, static_cast<BodyId>(body), static_cast<int16_t>(origin), p, v), 0);
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

}  // namespace
}  // namespace navora
