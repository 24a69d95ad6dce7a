#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/planning/SkyChart.h"

namespace navora {

// A sky chart as its window keeps it and its ".spp" file stores it.
//
// The file is a sequence of little-endian fields with no signature: ints of
// 4 bytes, doubles of 8 bytes (IEEE-754), strings as a length and that many
// characters (the length one byte below 255; else 0xFF and 2 bytes below
// 0xFFFF; else 0xFF, 0xFFFF and 4 bytes):
//   luminary, planet, star and total counts, a reserved 0 (ints);
//   the observer's position: motionMode, sailingMethod (ints); time, course,
//     speedKmPerDay, speed, set, driftKmPerDay, drift, latitude, longitude
//     (doubles); positionType (int);
//   planningTime (double);
//   per luminary: name; zenithDistance, azimuth, illuminatedFraction,
//     lightZenithDistance, lightAzimuth, sunZenithDistance, sunAzimuth;
//   per planet: name; zenithDistance, azimuth, magnitude;
//   per star: name; starNumber (int); zenithDistance, azimuth, magnitude;
//     selectedMark (one byte).
//
// Reading checks every field before it is used and refuses what is not a
// chart: a count outside 0..2, 0..4 or 0..58, a total that is not their sum,
// a reserved word other than 0, a name longer than its field or holding a
// NUL, a star number outside 1..58, a mark other than ' ', '7' or '3', a
// 16-bit field out of range, a number that is not finite, a file that ends
// early or goes on after the last star. Writing what was read gives the same
// bytes.
struct SkyChartState {
  std::array<SkyChartLuminary, kSkyChartMaxLuminaries> luminaries{};
  std::array<SkyChartPlanet, kSkyChartMaxPlanets> planets{};
  std::array<SkyChartStar, kSkyChartMaxStars> stars{};
  int32_t luminaryCount = 0;
  int32_t planetCount = 0;
  int32_t starCount = 0;
  int32_t totalCount = 0;
  int32_t reserved = 0;
  PositionRecord observer;  // the observer at the planning time
  double planningTime = 0.0;  // UTC Julian date
};

// Statuses of the chart file.
inline constexpr EngineStatus kSppNotAChart = 1;     // damaged, forged or not a chart
inline constexpr EngineStatus kSppCannotRead = 2;    // cannot be opened or read
inline constexpr EngineStatus kSppCannotWrite = 3;   // cannot be written whole

// The chart's bytes; a chart that ReadSpp would refuse gives kSppNotAChart and
// no bytes.
[[nodiscard]] EngineStatus WriteSpp(const SkyChartState& chart, std::string& bytes);

// Reads a chart from a file's bytes; on failure `chart` is a default state.
[[nodiscard]] EngineStatus ReadSpp(std::string_view bytes, SkyChartState& chart);

// The same with a file; writing goes beside it and renames over it once
// complete, so a failed save leaves the previous file as it was.
[[nodiscard]] EngineStatus ReadSppFile(const std::string& path, SkyChartState& chart);
[[nodiscard]] EngineStatus WriteSppFile(const std::string& path, const SkyChartState& chart);

}  // namespace navora
