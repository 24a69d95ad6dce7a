// The sky chart file: golden files byte for byte, charts that come back with
// the same bytes, and every shortened or forged file refused without harm.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <string>

#include "engine/planning/SppFile.h"
#include "support/TemporaryDirectory.h"
#include "tests/engine/planning/PlanningGolden.h"

namespace navora {
namespace {

// Offsets of the file: five counts, the position record, the planning time,
// then the first luminary's name.
constexpr size_t kMotionModeAt = 20;
constexpr size_t kPlanningTimeAt = 104;
constexpr size_t kFirstRecordAt = 112;

template <size_t N>
void SetName(char (&field)[N], const char* name) {
  std::memset(field, 0, N);
  std::memcpy(field, name, std::strlen(name));
}

void AddStar(SkyChartState& chart, const char* name, uint16_t number, double z, char mark) {
  SkyChartStar& star = chart.stars[chart.starCount++];
  SetName(star.name, name);
  star.starNumber = number;
  star.zenithDistance = z;
  star.azimuth = 3.5 * number;
  star.magnitude = 0.1 * number - 1.5;
  star.selectedMark = mark;
}

void Total(SkyChartState& chart) {
  chart.totalCount = chart.luminaryCount + chart.planetCount + chart.starCount;
}

SkyChartState BaseChart(double planningTime) {
  SkyChartState chart;
  chart.observer = {2, 1, planningTime, 245.5, 444.48, 10.0, 30.0, 22.224, 0.5, -33.9, 18.4, 2};
  chart.planningTime = planningTime;
  return chart;
}

// Evening twilight: the Sun below the horizon, the Moon, every planet, a
// star of the longest name that fits and each mark.
SkyChartState NightChart() {
  SkyChartState chart = BaseChart(2460390.2375);
  chart.luminaryCount = 2;
  chart.luminaries[0] = {"Sun", 93.0, 265.25, 1.0, 93.0, 265.25, 93.0, 265.25};
  chart.luminaries[1] = {"Moon", 48.5, 75.0, 0.62, 48.49, 75.2, 93.0, 265.25};
  chart.planetCount = 4;
  chart.planets[0] = {"Venus", 70.0, 250.0, -4.1};
  chart.planets[1] = {"Mars", 40.25, 120.0, 1.3};
  chart.planets[2] = {"Jupiter", 10.5, 300.75, -2.0};
  chart.planets[3] = {"Saturn", 89.9, 359.6, 0.9};
  AddStar(chart, "Alpheratz", 1, 60.0, kStarSelected);
  AddStar(chart, "RIGIL KENT.", 38, 30.0, kStarBestThree);
  AddStar(chart, "Miaplacidus", 24, 20.0, kStarNotSelected);
  AddStar(chart, "Kaus Australis", 48, 55.0, kStarBestThree);  // 14 characters: the whole field
  AddStar(chart, "POLARIS", 58, 89.5, kStarNotSelected);
  Total(chart);
  return chart;
}

// Daytime: the Sun alone of the luminaries and no planets.
SkyChartState DaytimeChart() {
  SkyChartState chart = BaseChart(2460390.7);
  chart.luminaryCount = 1;
  chart.luminaries[0] = {"Sun", 35.0, 200.0, 1.0, 35.0, 200.0, 35.0, 200.0};
  AddStar(chart, "SIRIUS", 18, 50.0, kStarSelected);
  AddStar(chart, "CANOPUS", 17, 40.0, kStarSelected);
  Total(chart);
  return chart;
}

std::string Bytes(const SkyChartState& chart) {
  std::string bytes;
  EXPECT_EQ(WriteSpp(chart, bytes), kStatusOk);
  return bytes;
}

void PutInt(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

void PutDouble(std::string& bytes, size_t at, double value) {
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  for (int i = 0; i < 8; ++i) bytes[at + i] = static_cast<char>(bits >> (8 * i));
}

TEST(SppFile, GoldenChartsComeBackByteForByte) {
  testing::TemporaryDirectory directory;
  for (const auto& [name, chart] :
       {std::pair{"night_chart.spp", NightChart()}, std::pair{"daytime_chart.spp", DaytimeChart()}}) {
    const std::string bytes = Bytes(chart);
    EXPECT_EQ(bytes, testing::PlanningGolden(name, bytes)) << name;

    const std::string path = directory.File(name);
    ASSERT_EQ(WriteSppFile(path, chart), kStatusOk);
    SkyChartState read;
    ASSERT_EQ(ReadSppFile(path, read), kStatusOk) << name;
    EXPECT_EQ(Bytes(read), bytes) << name;
  }
  // The layout under the golden bytes: counts 2, 4, 5, 11, then the Sun.
  const std::string night = Bytes(NightChart());
  EXPECT_EQ(night.substr(0, 16), std::string("\2\0\0\0\4\0\0\0\5\0\0\0\13\0\0\0", 16));
  EXPECT_EQ(night.substr(kFirstRecordAt, 4), "\3Sun");
}

TEST(SppFile, ShortenedAndForgedFilesAreRefused) {
  const std::string golden = Bytes(NightChart());
  const std::string empty = Bytes(BaseChart(2460390.5));
  const size_t sunName = kFirstRecordAt;
  const size_t sunSize = 1 + 3 + 7 * 8;
  const size_t starsAt = kFirstRecordAt + sunSize + (1 + 4 + 7 * 8) + (1 + 5) + (1 + 4) +
                         (1 + 7) + (1 + 6) + 4 * 3 * 8;
  const size_t firstStarNumber = starsAt + 1 + 9;
  const size_t firstStarMark = firstStarNumber + 4 + 3 * 8;
  ASSERT_EQ(golden.substr(starsAt, 10), "\11Alpheratz");

  struct Forgery {
    const char* what;
    std::string bytes;
  };
  auto edit = [&golden](auto change) {
    std::string bytes = golden;
    change(bytes);
    return bytes;
  };
  const Forgery forgeries[] = {
      {"three luminaries", edit([](std::string& b) { PutInt(b, 0, 3); PutInt(b, 12, 12); })},
      {"five planets", edit([](std::string& b) { PutInt(b, 4, 5); PutInt(b, 12, 12); })},
      {"59 stars", edit([](std::string& b) { PutInt(b, 8, 59); PutInt(b, 12, 65); })},
      {"negative count", edit([](std::string& b) { PutInt(b, 8, -1); PutInt(b, 12, 5); })},
      {"total not the sum", edit([](std::string& b) { PutInt(b, 12, 10); })},
      {"reserved word", edit([](std::string& b) { PutInt(b, 16, 1); })},
      {"motion mode beyond 16 bits", edit([](std::string& b) { PutInt(b, kMotionModeAt, 65536); })},
      {"planning time NaN", edit([](std::string& b) { PutDouble(b, kPlanningTimeAt, NAN); })},
      {"azimuth infinite", edit([&](std::string& b) { PutDouble(b, sunName + 4 + 8, INFINITY); })},
      {"star number 0", edit([&](std::string& b) { PutInt(b, firstStarNumber, 0); })},
      {"star number 59", edit([&](std::string& b) { PutInt(b, firstStarNumber, 59); })},
      {"mark 'x'", edit([&](std::string& b) { b[firstStarMark] = 'x'; })},
      {"mark NUL", edit([&](std::string& b) { b[firstStarMark] = '\0'; })},
      {"NUL inside a name", edit([&](std::string& b) { b[sunName + 2] = '\0'; })},
      {"name of 15 characters",
       edit([&](std::string& b) { b.replace(starsAt, 10, "\17Kaus Australis."); })},
      {"luminary name of 8 characters",
       edit([&](std::string& b) { b.replace(sunName, 4, std::string("\10Sunshine")); })},
      {"escape claiming more than the file",
       edit([&](std::string& b) { b.replace(sunName, 1, std::string("\xFF\x34\x12", 3)); })},
      {"32-bit escape claiming 4 GB",
       edit([&](std::string& b) {
         b.replace(sunName, 1, std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7));
       })},
      {"escape for a short name",
       edit([&](std::string& b) { b.replace(sunName, 1, std::string("\xFF\x03\x00", 3)); })},
      {"trailing byte", golden + '\0'},
      {"empty chart with a trailing star", empty + golden.substr(starsAt, 39)},
  };
  for (const Forgery& f : forgeries) {
    SkyChartState chart = NightChart();
    EXPECT_EQ(ReadSpp(f.bytes, chart), kSppNotAChart) << f.what;
    EXPECT_EQ(chart.totalCount, 0) << f.what;
  }
  for (size_t length = 0; length < golden.size(); ++length) {
    SkyChartState chart = NightChart();
    ASSERT_EQ(ReadSpp(std::string_view(golden).substr(0, length), chart), kSppNotAChart)
        << length;
    ASSERT_EQ(chart.starCount, 0) << length;
  }
}

TEST(SppFile, ChartsThatCouldNotBeReadAgainAreNotWritten) {
  const auto changed = [](auto change) {
    SkyChartState chart = NightChart();
    change(chart);
    return chart;
  };
  const SkyChartState refused[] = {
      changed([](SkyChartState& c) { c.starCount = 59; }),
      changed([](SkyChartState& c) { c.totalCount = 3; }),
      changed([](SkyChartState& c) { c.stars[2].azimuth = NAN; }),
      changed([](SkyChartState& c) { std::memset(c.stars[0].name, 'A', sizeof c.stars[0].name); }),
  };
  testing::TemporaryDirectory directory;
  const std::string path = directory.File("chart.spp");
  ASSERT_EQ(WriteSppFile(path, DaytimeChart()), kStatusOk);
  for (const SkyChartState& chart : refused) {
    std::string bytes = "previous";
    EXPECT_EQ(WriteSpp(chart, bytes), kSppNotAChart);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(WriteSppFile(path, chart), kSppNotAChart);
  }
  SkyChartState kept;
  EXPECT_EQ(ReadSppFile(path, kept), kStatusOk);  // the earlier save is untouched
  EXPECT_EQ(Bytes(kept), Bytes(DaytimeChart()));
  EXPECT_EQ(ReadSppFile(directory.File("none.spp"), kept), kSppCannotRead);
  EXPECT_EQ(WriteSppFile(directory.File("no/such/folder.spp"), NightChart()), kSppCannotWrite);
}

}  // namespace
}  // namespace navora
