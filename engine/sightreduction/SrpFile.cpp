#include "engine/sightreduction/SrpFile.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/common/DocumentFile.h"
#include "engine/common/LittleEndianFields.h"

namespace navora {
namespace {

constexpr size_t kIntBytes = 4;
constexpr size_t kDoubleBytes = 8;
constexpr size_t kLongestName = kReducedBodyNameBytes - 1;  // the terminator is not stored

constexpr size_t kHeaderBytes = 1 + kSrpSignature.size() + 3 * kIntBytes + kDoubleBytes;
constexpr size_t kSightBytes = 7 * kIntBytes + (1 + kLongestName) + 14 * kDoubleBytes;
constexpr size_t kLegBytes = 3 * kIntBytes + 9 * kDoubleBytes;
constexpr size_t kSolutionBytes = 11 * kDoubleBytes;
static_assert(kMaxSrpBytes ==
              kHeaderBytes + kMaxSights * kSightBytes + kMaxLegs * kLegBytes + kSolutionBytes);

// A leg index of a sight: 0..nLegs - 1.
uint16_t ReadLegIndex(LittleEndianReader& in, int32_t nLegs) {
  return static_cast<uint16_t>(in.Int(0, nLegs - 1));
}

bool CountsInRange(int32_t nLegs, int32_t nSights) {
  return nLegs >= 1 && nLegs <= kMaxLegs && nSights >= 0 && nSights <= kMaxSights;
}

void WriteSight(LittleEndianWriter& out, const ReducedObservation& reduced, const ObservationRecord& sight,
                uint8_t rejected, uint8_t excluded) {
  out.Int(reduced.legIndex);
  out.ShortString(std::string_view(reduced.bodyName, strnlen(reduced.bodyName, kLongestName)));
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

void ReadSight(LittleEndianReader& in, int32_t nLegs, ReducedObservation& reduced, ObservationRecord& sight,
               uint8_t& rejected, uint8_t& excluded) {
  reduced.legIndex = ReadLegIndex(in, nLegs);
  const std::string_view name = in.ShortString();
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
  sight.legIndex = ReadLegIndex(in, nLegs);
  sight.bodyCode = in.Field();
  sight.included = in.Flag();
  sight.weight = in.Double();
  rejected = in.Flag();
  excluded = in.Flag();
}

void WriteLegEnd(LittleEndianWriter& out, const PositionRecord& end) {
  out.Int(end.motionMode);
  out.Int(end.sailingMethod);
  for (const double value : {end.time, end.course, end.speedKmPerDay, end.speed, end.set,
                             end.driftKmPerDay, end.drift, end.latitude, end.longitude}) {
    out.Double(value);
  }
  out.Int(end.positionType);
}

void ReadLegEnd(LittleEndianReader& in, PositionRecord& end) {
  end.motionMode = in.Field();
  end.sailingMethod = in.Field();
  for (double* value : {&end.time, &end.course, &end.speedKmPerDay, &end.speed, &end.set,
                        &end.driftKmPerDay, &end.drift, &end.latitude, &end.longitude}) {
    *value = in.Double();
  }
  end.positionType = in.Field();
}

void WriteSolution(LittleEndianWriter& out, const FixSolution& fix) {
  for (const double value :
       {fix.time, fix.latitude, fix.longitude, fix.course, fix.speed, fix.sigmaLatitude,
        fix.sigmaLongitude, fix.sigmaCourse, fix.sigmaSpeed, fix.covLatLon, fix.sigmaUnitWeight}) {
    out.Double(value);
  }
}

void ReadSolution(LittleEndianReader& in, FixSolution& fix) {
  for (double* value : {&fix.time, &fix.latitude, &fix.longitude, &fix.course, &fix.speed,
                        &fix.sigmaLatitude, &fix.sigmaLongitude, &fix.sigmaCourse, &fix.sigmaSpeed,
                        &fix.covLatLon, &fix.sigmaUnitWeight}) {
    *value = in.Double();
  }
}

EngineStatus ParseSrp(std::string_view bytes, SightPlotState& plot) {
  LittleEndianReader in(bytes);
  if (in.ShortString() != kSrpSignature || !in.ok()) return kSrpNotAPlot;
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
  LittleEndianWriter out(bytes);
  out.ShortString(kSrpSignature);
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
  std::string bytes;
  if (!ReadFileUpTo(path, kMaxSrpBytes, bytes)) return kSrpCannotRead;
  return ReadSrp(bytes, plot);
}

EngineStatus WriteSrpFile(const std::string& path, const SightPlotState& plot) {
  std::string bytes;
  if (const EngineStatus status = WriteSrp(plot, bytes)) return status;
  return ReplaceFile(path, bytes) ? kStatusOk : kSrpCannotWrite;
}

}  // namespace navora
