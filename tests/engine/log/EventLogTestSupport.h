#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "engine/log/EventLog.h"
#include "support/TemporaryDirectory.h"

namespace navora::testing {

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// ReadSinceLastFix into arrays of a fixed capacity.
struct SinceLastFix {
  std::array<ObservationRecord, 8> sights;
  std::array<EventLogOffset, 8> sightOffsets{};
  std::array<PositionRecord, 8> positions;
  std::array<EventLogOffset, 8> positionOffsets{};
  int32_t sightCount = 0;
  int32_t positionCount = 0;

  EngineStatus Read(EventLog& log, size_t sightCapacity = 8, size_t positionCapacity = 8) {
    return ReadSinceLastFix(log, std::span(sights).first(sightCapacity), sightOffsets,
                            std::span(positions).first(positionCapacity), positionOffsets,
                            sightCount, positionCount);
  }
};

// Each test owns its log, in an empty directory of its own.
class EventLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = scratch_.path() + "/";
    ASSERT_EQ(SetEventLogDirectory(log_, directory_.c_str()), 0);
  }

  std::string LogPath() const { return directory_ + kEventLogFileName; }

  std::vector<uint8_t> FileBytes() const { return ReadBytes(LogPath()); }

  void WriteFileBytes(const std::vector<uint8_t>& bytes) const {
    std::ofstream out(LogPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  // Opens an empty log and appends the voyage's initial fix.
  void StartVoyage(double time = 2460400.5) {
    ASSERT_EQ(OpenEventLog(log_), 2);
    ASSERT_EQ(AppendPositionEntry(log_, Fix(time, 50.0, -4.0, kPositionExternalFix)), 0);
  }

  // Positions and sights since the last fix.
  std::pair<int32_t, int32_t> Counts() {
    int32_t positions = -1;
    int32_t sights = -1;
    EXPECT_EQ(CountSinceLastFix(log_, positions, sights), 0);
    return {positions, sights};
  }

  PositionRecord Reference(int16_t which) {
    PositionRecord position;
    EXPECT_EQ(ReadReferencePosition(log_, which, position), 0);
    return position;
  }

  static PositionRecord Fix(double time, double latitude, double longitude,
                            uint16_t type = kPositionCelestialFix) {
    return MakePositionRecord(kMotionNone, type, time, latitude, longitude, 180.0, 6.0, 0.0, 0.0);
  }

  static PositionRecord DrUpdate(double time, double course = 90.0, double speed = 8.0) {
    return MakePositionRecord(kMotionRhumbLine, kPositionDr, time, 49.5, -5.0, course, speed,
                              45.0, 0.5);
  }

  // A Sun sight of average quality.
  static ObservationRecord Sight(double time, double hs = 30.0) {
    return MakeObservationRecord(0, 10, 0, time, 0.0, 10.0, 1010.0, 30.0, hs, 0.0, 0.0, 2);
  }

  TemporaryDirectory scratch_;
  std::string directory_;
  EventLog log_;  // closed before the directory goes
};

}  // namespace navora::testing
