#include "engine/sightreduction/SrpFile.h"

#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace navora {
namespace {

constexpr size_t kIntBytes = 4;
constexpr size_t kDoubleBytes = 8;
constexpr size_t kLongestName = kReducedBodyNameBytes - 1;  // the terminator is not stored
constexpr int32_t kLargestField = UINT16_MAX;               // fields held in 16 bits

constexpr size_t kHeaderBytes = 1 + kSrpSignature.size() + 3 * kIntBytes + kDoubleBytes;
constexpr size_t kSightBytes = 7 * kIntBytes + (1 + kLongestName) + 14 * kDoubleBytes;
constexpr size_t kLegBytes = 3 * kIntBytes + 9 * kDoubleBytes;
constexpr size_t kSolutionBytes = 11 * kDoubleBytes;
static_assert(kMaxSrpBytes ==
              kHeaderBytes + kMaxSights * kSightBytes + kMaxLegs * kLegBytes + kSolutionBytes);

class SrpWriter {
 public:
  explicit SrpWriter(std::string& bytes) : bytes_(bytes) {}

  void Int(int32_t value) { Bytes(static_cast<uint32_t>(value), kIntBytes); }
  void Double(double value) { Bytes(std::bit_cast<uint64_t>(value), kDoubleBytes); }
  void String(std::string_view text) {
    bytes_.push_back(static_cast<char>(text.size()));
    bytes_.append(text);
  }

 private:
  void Bytes(uint64_t bits, size_t count) {
    for (size_t i = 0; i < count; ++i)
      bytes_.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
  }

  std::string& bytes_;
};

// Each read checks that the bytes are there and the value fits its field;
// the first refusal sticks, so a caller may read on and test ok() once.
class SrpReader {
 public:
  explicit SrpReader(std::string_view bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  bool AtEnd() const { return position_ == bytes_.size(); }
  void Refuse() { ok_ = false; }

  int32_t Int(int32_t lowest, int32_t highest) {
    const int32_t value = static_cast<int32_t>(static_cast<uint32_t>(Bits(kIntBytes)));
    Check(value >= lowest && value <= highest);
    return ok_ ? value : lowest;
  }
  uint16_t Field() { return static_cast<uint16_t>(Int(0, kLargestField)); }
  uint16_t LegIndex(int32_t nLegs) { return static_cast<uint16_t>(Int(0, nLegs - 1)); }
  uint8_t Flag() { return static_cast<uint8_t>(Int(0, 1)); }

  double Double() {
    const double value = std::bit_cast<double>(Bits(kDoubleBytes));
    Check(std::isfinite(value));
    return ok_ ? value : 0.0;
  }

  std::string_view String() {
    Check(Remaining(1));
    if (!ok_) return {};
    const size_t length = static_cast<unsigned char>(bytes_[position_++]);
    Check(Remaining(length));
    if (!ok_) return {};
    const std::string_view text = bytes_.substr(position_, length);
    position_ += length;
    return text;
  }

 private:
  bool Remaining(size_t count) const { return bytes_.size() - position_ >= count; }
  void Check(bool condition) { ok_ = ok_ && condition; }

  uint64_t Bits(size_t count) {
    Check(Remaining(count));
    if (!ok_) return 0;
    uint64_t bits = 0;
    for (size_t i = 0; i < count; ++i) {
      bits |= static_cast<uint64_t>(static_cast<unsigned char>(bytes_[position_ + i])) << (8 * i);
    }
    position_ += count;
    return bits;
  }

  std::string_view bytes_;
  size_t position_ = 0;
  bool ok_ = true;
};

bool CountsInRange(int32_t nLegs, int32_t nSights) {
  return nLegs >= 1 && nLegs <= kMaxLegs && nSights >= 0 && nSights <= kMaxSights;
}

void WriteSight(SrpWriter& out, const ReducedObservation& reduced, const ObservationRecord& sight,
                uint8_t rejected, uint8_t excluded) {
  out.Int(reduced.legIndex);
  out.String(std::string_view(reduced.bodyName, strnlen(reduced.bodyName, kLongestName)));
  out.Int(reduced.included);
  for (const double value : {reduced.time, reduced.drLatitude, reduced.drLongitude, reduced.hs,
                             reduced.refraction, reduced.dip, reduced.ho, reduced.hc, reduced.zn,
                             reduced.ra, reduced.dec, reduced.raAtFix, reduced.decAtFix}) {
    out.Double(value);
  }
  out.Int(sight.legIndex);
  out.Int(sight.bodyCode);
  out.Int(sight.included);
  out.Double(sight.weight);
  out.Int(rejected);
  out.Int(excluded);
}

void ReadSight(SrpReader& in, int32_t nLegs, ReducedObservation& reduced, ObservationRecord& sight,
               uint8_t& rejected, uint8_t& excluded) {
  reduced.legIndex = in.LegIndex(nLegs);
  const std::string_view name = in.String();
  // A NUL inside the name would end it early and the file would not come back the same.
  const bool nameFits = name.size() <= kLongestName && name.find('\0') == std::string_view::npos;
  if (in.ok() && nameFits) {
    name.copy(reduced.bodyName, name.size());
    reduced.bodyName[name.size()] = '\0';
  } else {
    in.Refuse();
  }
  reduced.included = in.Flag();
  for (double* value : {&reduced.time, &reduced.drLatitude, &reduced.drLongitude, &reduced.hs,
                        &reduced.refraction, &reduced.dip, &reduced.ho, &reduced.hc, &reduced.zn,
                        &reduced.ra, &reduced.dec, &reduced.raAtFix, &reduced.decAtFix}) {
    *value = in.Double();
  }
  sight.legIndex = in.LegIndex(nLegs);
  sight.bodyCode = in.Field();
  sight.included = in.Flag();
  sight.weight = in.Double();
  rejected = in.Flag();
  excluded = in.Flag();
}

void WriteLegEnd(SrpWriter& out, const PositionRecord& end) {
  out.Int(end.motionMode);
  out.Int(end.sailingMethod);
  for (const double value : {end.time, end.course, end.speedKmPerDay, end.speed, end.set,
                             end.driftKmPerDay, end.drift, end.latitude, end.longitude}) {
    out.Double(value);
  }
  out.Int(end.positionType);
}

void ReadLegEnd(SrpReader& in, PositionRecord& end) {
  end.motionMode = in.Field();
  end.sailingMethod = in.Field();
  for (double* value : {&end.time, &end.course, &end.speedKmPerDay, &end.speed, &end.set,
                        &end.driftKmPerDay, &end.drift, &end.latitude, &end.longitude}) {
    *value = in.Double();
  }
  end.positionType = in.Field();
}

void WriteSolution(SrpWriter& out, const FixSolution& fix) {
  for (const double value :
       {fix.time, fix.latitude, fix.longitude, fix.course, fix.speed, fix.sigmaLatitude,
        fix.sigmaLongitude, fix.sigmaCourse, fix.sigmaSpeed, fix.covLatLon, fix.sigmaUnitWeight}) {
    out.Double(value);
  }
}

void ReadSolution(SrpReader& in, FixSolution& fix) {
  for (double* value : {&fix.time, &fix.latitude, &fix.longitude, &fix.course, &fix.speed,
                        &fix.sigmaLatitude, &fix.sigmaLongitude, &fix.sigmaCourse, &fix.sigmaSpeed,
                        &fix.covLatLon, &fix.sigmaUnitWeight}) {
    *value = in.Double();
  }
}

EngineStatus ParseSrp(std::string_view bytes, SightPlotState& plot) {
  SrpReader in(bytes);
  if (in.String() != kSrpSignature || !in.ok()) return kSrpNotAPlot;
  plot.nLegs = in.Int(1, kMaxLegs);
  plot.nSights = in.Int(0, kMaxSights);
  plot.timeOfFix = in.Double();
  plot.fixCalculated = in.Flag();
  for (int32_t i = 0; i < plot.nSights && in.ok(); ++i) {
    ReadSight(in, plot.nLegs, plot.reduced[i], plot.sights[i], plot.rejected[i], plot.excluded[i]);
  }
  for (int32_t i = 0; i < plot.nLegs && in.ok(); ++i) ReadLegEnd(in, plot.legs[i].end);
  ReadSolution(in, plot.solution);
  return in.ok() && in.AtEnd() ? kStatusOk : kSrpNotAPlot;
}

}  // namespace

EngineStatus WriteSrp(const SightPlotState& plot, std::string& bytes) {
  bytes.clear();
  if (!CountsInRange(plot.nLegs, plot.nSights)) return kSrpNotAPlot;
  SrpWriter out(bytes);
  out.String(kSrpSignature);
  out.Int(plot.nLegs);
  out.Int(plot.nSights);
  out.Double(plot.timeOfFix);
  out.Int(plot.fixCalculated);
  for (int32_t i = 0; i < plot.nSights; ++i) {
    WriteSight(out, plot.reduced[i], plot.sights[i], plot.rejected[i], plot.excluded[i]);
  }
  for (int32_t i = 0; i < plot.nLegs; ++i) WriteLegEnd(out, plot.legs[i].end);
  WriteSolution(out, plot.solution);
  // A state the reader would refuse (a flag other than 0 or 1, a number not
  // finite) gives no bytes: its file could not be opened again.
  SightPlotState check;
  if (ParseSrp(bytes, check) != kStatusOk) {
    bytes.clear();
    return kSrpNotAPlot;
  }
  return kStatusOk;
}

EngineStatus ReadSrp(std::string_view bytes, SightPlotState& plot) {
  plot = SightPlotState{};
  if (bytes.size() > kMaxSrpBytes) return kSrpNotAPlot;
  const EngineStatus status = ParseSrp(bytes, plot);
  if (status != kStatusOk) plot = SightPlotState{};
  return status;
}

EngineStatus ReadSrpFile(const std::string& path, SightPlotState& plot) {
  plot = SightPlotState{};
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return kSrpCannotRead;
  char buffer[kMaxSrpBytes + 1];  // one byte more shows a file too long
  const size_t count = std::fread(buffer, 1, sizeof buffer, file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return kSrpCannotRead;
  return ReadSrp(std::string_view(buffer, count), plot);
}

EngineStatus WriteSrpFile(const std::string& path, const SightPlotState& plot) {
  std::string bytes;
  if (const EngineStatus status = WriteSrp(plot, bytes)) return status;
  const std::string partial = path + ".partial";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) return kSrpCannotWrite;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                       std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
  if (std::fclose(file) != 0 || !written || std::rename(partial.c_str(), path.c_str()) != 0) {
    std::remove(partial.c_str());
    return kSrpCannotWrite;
  }
  return kStatusOk;
}

}  // namespace navora
