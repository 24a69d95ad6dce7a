#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "engine/log/EventLog.h"
#include "tests/engine/log/EventLogTestSupport.h"

namespace navora {
namespace {

using testing::EventLogTest;

// A short voyage: initial fix, DR update, two sights, a second DR update and a
// sight; then a correction of a sight and of the first DR update, and the
// deletion of the second sight and of the second DR update.
void WriteGoldenVoyage(EventLog& log) {
  ASSERT_EQ(OpenEventLog(log), 2);
  ASSERT_EQ(
      AppendPositionEntry(log, MakePositionRecord(kMotionNone, kPositionExternalFix, 2460400.5,
                                                  50.5, -4.25, 225.0, 6.5, 0.0, 0.0)),
      0);
  PositionRecord dr = MakePositionRecord(kMotionRhumbLine, kPositionDr, 2460400.625, 50.25, -4.75,
                                         240.0, 7.0, 90.0, 0.5);
  ASSERT_EQ(AppendPositionEntry(log, dr), 0);
  // Leg, body, star, time, UT1-UTC, temperature, pressure, spare, hs, index
  // correction, height of eye, quality code.
  ObservationRecord sunLowerLimb = MakeObservationRecord(0, 14, 0, 2460400.5625, -0.25, 12.0,
                                                         1013.0, 30.0, 35.5, 0.05, 3.048, 1);
  ASSERT_EQ(AppendSightEntry(log, sunLowerLimb), 0);
  ASSERT_EQ(AppendSightEntry(log, MakeObservationRecord(0, 20, 1, 2460400.75, -0.25, 11.0, 1012.0,
                                                        30.0, 42.25, -0.025, 3.048, 3)),
            0);
  ASSERT_EQ(AppendPositionEntry(log, MakePositionRecord(kMotionRhumbLine, kPositionDr, 2460400.875,
                                                        49.75, -5.5, 270.0, 8.0, 180.0, 1.0)),
            0);
  ASSERT_EQ(AppendSightEntry(log, MakeObservationRecord(0, 13, 0, 2460400.9375, 0.125, 10.0, 1010.0,
                                                        30.0, 20.75, 0.0, 4.572, 2)),
            0);
  sunLowerLimb.hs = 35.625;
  sunLowerLimb.sigma = 0.01;
  ASSERT_EQ(CorrectSightEntry(log, 144, sunLowerLimb), 0);
  dr.course = 245.0;
  ASSERT_EQ(CorrectPositionEntry(log, 72, dr), 0);
  ASSERT_EQ(DeleteSightEntry(log, 232), 0);
  ASSERT_EQ(DeletePositionEntry(log, 320), 0);
}

std::vector<uint8_t> GoldenBytes() {
  std::ifstream in(NAVORA_FIXTURE_DIR "/log/voyage-golden.evt", std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST_F(EventLogTest, VoyageFileMatchesHandCheckedBytes) {
  WriteGoldenVoyage(log_);
  std::vector<uint8_t> expected = GoldenBytes();
  ASSERT_EQ(expected.size(), 480u);
  std::vector<uint8_t> actual = FileBytes();
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(actual[i], expected[i]) << "first difference at byte " << i;
  }
}

TEST_F(EventLogTest, GoldenVoyageReadsBackEveryField) {
  WriteFileBytes(GoldenBytes());
  ASSERT_EQ(OpenEventLog(log_), 0);

  PositionRecord latest;
  ASSERT_EQ(ReadReferencePosition(log_, kLatestPosition, latest), 0);
  EXPECT_EQ(latest.motionMode, kMotionRhumbLine);
  EXPECT_EQ(latest.sailingMethod, 0);
  EXPECT_EQ(latest.positionType, kPositionDr);
  EXPECT_EQ(latest.time, 2460400.625);
  EXPECT_EQ(latest.latitude, 50.25);
  EXPECT_EQ(latest.longitude, -4.75);
  EXPECT_EQ(latest.course, 245.0);
  EXPECT_EQ(latest.speed, 7.0);
  EXPECT_DOUBLE_EQ(latest.speedKmPerDay, 7.0 * 44.448);
  EXPECT_EQ(latest.set, 90.0);
  EXPECT_EQ(latest.drift, 0.5);
  EXPECT_DOUBLE_EQ(latest.driftKmPerDay, 0.5 * 44.448);

  testing::SinceLastFix read;
  ASSERT_EQ(read.Read(log_), 0);
  auto& [sights, sightOffsets, positions, positionOffsets, sightCount, positionCount] = read;
  ASSERT_EQ(positionCount, 2);
  EXPECT_EQ(positionOffsets[0], 0);
  EXPECT_EQ(positionOffsets[1], 72);
  EXPECT_EQ(positions[0].positionType, kPositionExternalFix);

  ASSERT_EQ(sightCount, 2);  // the deleted star sight is skipped
  EXPECT_EQ(sightOffsets[0], 144);
  EXPECT_EQ(sightOffsets[1], 392);
  const ObservationRecord& sun = sights[0];
  EXPECT_EQ(sun.legIndex, 1);
  EXPECT_EQ(sun.bodyCode, 14);
  EXPECT_EQ(sun.starNumber, 0);
  EXPECT_EQ(sun.included, 1);
  EXPECT_EQ(sun.time, 2460400.5625);
  EXPECT_EQ(sun.ut1MinusUtc, -0.25);
  EXPECT_EQ(sun.weight, 1.0);
  EXPECT_EQ(sun.temperature, 12.0);
  EXPECT_EQ(sun.pressure, 1013.0);
  EXPECT_EQ(sun.spare, 30.0);
  EXPECT_EQ(sun.hs, 35.625);
  EXPECT_EQ(sun.indexCorrection, 0.05);
  EXPECT_EQ(sun.heightOfEye, 3.048);
  EXPECT_EQ(sun.sigma, 0.01);
  const ObservationRecord& moon = sights[1];
  EXPECT_EQ(moon.legIndex, 1);  // the deleted DR update opens no leg
  EXPECT_EQ(moon.bodyCode, 13);
  EXPECT_EQ(moon.ut1MinusUtc, 0.125);
  EXPECT_EQ(moon.heightOfEye, 4.572);
}

}  // namespace
}  // namespace navora
