#include "engine/planning/SppFile.h"

#include <cstring>

#include "engine/common/DocumentFile.h"
#include "engine/common/LittleEndianFields.h"

namespace navora {
namespace {

constexpr size_t kIntBytes = 4;
constexpr size_t kDoubleBytes = 8;
constexpr int32_t kFirstChartedStar = 1;
constexpr int32_t kLastChartedStar = 58;  // Polaris

// A name of n characters keeps n + 1 bytes of its field for the terminator.
constexpr size_t kLongestBodyName = sizeof(SkyChartLuminary::name) - 1;
constexpr size_t kLongestStarName = sizeof(SkyChartStar::name) - 1;
static_assert(sizeof(SkyChartPlanet::name) - 1 == kLongestBodyName);

// The largest file: every record with the longest name. A name that short
// always takes a one-byte length.
constexpr size_t kHeaderBytes = 5 * kIntBytes;
constexpr size_t kPositionBytes = 3 * kIntBytes + 9 * kDoubleBytes;
constexpr size_t kLuminaryBytes = 1 + kLongestBodyName + 7 * kDoubleBytes;
constexpr size_t kPlanetBytes = 1 + kLongestBodyName + 3 * kDoubleBytes;
constexpr size_t kStarBytes = 1 + kLongestStarName + kIntBytes + 3 * kDoubleBytes + 1;
constexpr size_t kMaxSppBytes = kHeaderBytes + kPositionBytes + kDoubleBytes +
                                kSkyChartMaxLuminaries * kLuminaryBytes +
                                kSkyChartMaxPlanets * kPlanetBytes + kSkyChartMaxStars * kStarBytes;

bool CountsInRange(const SkyChartState& chart) {
  return chart.luminaryCount >= 0 && chart.luminaryCount <= kSkyChartMaxLuminaries &&
         chart.planetCount >= 0 && chart.planetCount <= kSkyChartMaxPlanets &&
         chart.starCount >= 0 && chart.starCount <= kSkyChartMaxStars;
}

// The name up to its terminator; a field without one is taken whole, so
// that the reader refuses it rather than the writer cutting it.
template <size_t N>
std::string_view NameOf(const char (&field)[N]) {
  return std::string_view(field, strnlen(field, N));
}

// A NUL inside a name would end it early and the file would not come back the same.
template <size_t N>
void ReadName(LittleEndianReader& in, char (&field)[N]) {
  const std::string_view name = in.String();
  if (!in.ok() || name.size() >= N || name.find('\0') != std::string_view::npos) {
    in.Refuse();
    return;
  }
  name.copy(field, name.size());
  field[name.size()] = '\0';
}

void WritePosition(LittleEndianWriter& out, const PositionRecord& position) {
  out.Int(position.motionMode);
  out.Int(position.sailingMethod);
  for (const double value :
       {position.time, position.course, position.speedKmPerDay, position.speed, position.set,
        position.driftKmPerDay, position.drift, position.latitude, position.longitude}) {
    out.Double(value);
  }
  out.Int(position.positionType);
}

void ReadPosition(LittleEndianReader& in, PositionRecord& position) {
  position.motionMode = in.Field();
  position.sailingMethod = in.Field();
  for (double* value : {&position.time, &position.course, &position.speedKmPerDay,
                        &position.speed, &position.set, &position.driftKmPerDay, &position.drift,
                        &position.latitude, &position.longitude}) {
    *value = in.Double();
  }
  position.positionType = in.Field();
}

void WriteLuminary(LittleEndianWriter& out, const SkyChartLuminary& body) {
  out.String(NameOf(body.name));
  for (const double value : {body.zenithDistance, body.azimuth, body.illuminatedFraction,
                             body.lightZenithDistance, body.lightAzimuth, body.sunZenithDistance,
                             body.sunAzimuth}) {
    out.Double(value);
  }
}

void ReadLuminary(LittleEndianReader& in, SkyChartLuminary& body) {
  ReadName(in, body.name);
  for (double* value : {&body.zenithDistance, &body.azimuth, &body.illuminatedFraction,
                        &body.lightZenithDistance, &body.lightAzimuth, &body.sunZenithDistance,
                        &body.sunAzimuth}) {
    *value = in.Double();
  }
}

void WritePlanet(LittleEndianWriter& out, const SkyChartPlanet& planet) {
  out.String(NameOf(planet.name));
  for (const double value : {planet.zenithDistance, planet.azimuth, planet.magnitude}) {
    out.Double(value);
  }
}

void ReadPlanet(LittleEndianReader& in, SkyChartPlanet& planet) {
  ReadName(in, planet.name);
  for (double* value : {&planet.zenithDistance, &planet.azimuth, &planet.magnitude}) {
    *value = in.Double();
  }
}

void WriteStar(LittleEndianWriter& out, const SkyChartStar& star) {
  out.String(NameOf(star.name));
  out.Int(star.starNumber);
  for (const double value : {star.zenithDistance, star.azimuth, star.magnitude}) {
    out.Double(value);
  }
  out.Byte(star.selectedMark);
}

void ReadStar(LittleEndianReader& in, SkyChartStar& star) {
  ReadName(in, star.name);
  star.starNumber = static_cast<uint16_t>(in.Int(kFirstChartedStar, kLastChartedStar));
  for (double* value : {&star.zenithDistance, &star.azimuth, &star.magnitude}) {
    *value = in.Double();
  }
  star.selectedMark = in.Byte();
  if (star.selectedMark != kStarNotSelected && star.selectedMark != kStarSelected &&
      star.selectedMark != kStarBestThree) {
    in.Refuse();
  }
}

EngineStatus ParseSpp(std::string_view bytes, SkyChartState& chart) {
  LittleEndianReader in(bytes);
  chart.luminaryCount = in.Int(0, kSkyChartMaxLuminaries);
  chart.planetCount = in.Int(0, kSkyChartMaxPlanets);
  chart.starCount = in.Int(0, kSkyChartMaxStars);
  chart.totalCount = in.Int(0, kSkyChartMaxLuminaries + kSkyChartMaxPlanets + kSkyChartMaxStars);
  chart.reserved = in.Int(0, 0);
  if (chart.totalCount != chart.luminaryCount + chart.planetCount + chart.starCount) in.Refuse();
  if (!in.ok()) return kSppNotAChart;  // no record is read under a bad count
  ReadPosition(in, chart.observer);
  chart.planningTime = in.Double();
  for (int32_t i = 0; i < chart.luminaryCount && in.ok(); ++i) {
    ReadLuminary(in, chart.luminaries[i]);
  }
  for (int32_t i = 0; i < chart.planetCount && in.ok(); ++i) ReadPlanet(in, chart.planets[i]);
  for (int32_t i = 0; i < chart.starCount && in.ok(); ++i) ReadStar(in, chart.stars[i]);
  return in.ok() && in.AtEnd() ? kStatusOk : kSppNotAChart;
}

}  // namespace

EngineStatus WriteSpp(const SkyChartState& chart, std::string& bytes) {
  bytes.clear();
  if (!CountsInRange(chart)) return kSppNotAChart;
  LittleEndianWriter out(bytes);
  for (const int32_t value : {chart.luminaryCount, chart.planetCount, chart.starCount,
                              chart.totalCount, chart.reserved}) {
    out.Int(value);
  }
  WritePosition(out, chart.observer);
  out.Double(chart.planningTime);
  for (int32_t i = 0; i < chart.luminaryCount; ++i) WriteLuminary(out, chart.luminaries[i]);
  for (int32_t i = 0; i < chart.planetCount; ++i) WritePlanet(out, chart.planets[i]);
  for (int32_t i = 0; i < chart.starCount; ++i) WriteStar(out, chart.stars[i]);
  // A chart the reader would refuse (a wrong total, a bad mark, a number not
  // finite ...) gives no bytes: its file could not be opened again.
  SkyChartState check;
  if (ParseSpp(bytes, check) != kStatusOk) {
    bytes.clear();
    return kSppNotAChart;
  }
  return kStatusOk;
}

EngineStatus ReadSpp(std::string_view bytes, SkyChartState& chart) {
  chart = SkyChartState{};
  if (bytes.size() > kMaxSppBytes) return kSppNotAChart;
  const EngineStatus status = ParseSpp(bytes, chart);
  if (status != kStatusOk) chart = SkyChartState{};
  return status;
}

EngineStatus ReadSppFile(const std::string& path, SkyChartState& chart) {
  chart = SkyChartState{};
  std::string bytes;
  if (!ReadFileUpTo(path, kMaxSppBytes, bytes)) return kSppCannotRead;
  return ReadSpp(bytes, chart);
}

EngineStatus WriteSppFile(const std::string& path, const SkyChartState& chart) {
  std::string bytes;
  if (const EngineStatus status = WriteSpp(chart, bytes)) return status;
  return ReplaceFile(path, bytes) ? kStatusOk : kSppCannotWrite;
}

}  // namespace navora
