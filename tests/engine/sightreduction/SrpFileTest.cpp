// The plot file: the fields land where the format puts them, a plot comes
// back with the same bytes, and every shortened or forged file is refused.

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <functional>
#include <string>

#include "engine/sightreduction/SrpFile.h"

namespace navora {
namespace {

constexpr size_t kHeader = 24;  // signature, nLegs, nSights, timeOfFix, fixCalculated

double DoubleAt(const std::string& bytes, size_t at) {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(bytes[at + i]);
  return std::bit_cast<double>(bits);
}

void PutIntAt(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// Every stored double numbered 1, 2, ... in file order, so a field out of place shows.
SightPlotState NumberedPlot(int32_t nLegs, int32_t nSights) {
  SightPlotState plot;
  plot.nLegs = nLegs;
  plot.nSights = nSights;
  plot.timeOfFix = 2460400.75;
  plot.fixCalculated = 1;
  double n = 1.0;
  for (int32_t i = 0; i < nSights; ++i) {
    ReducedObservation& r = plot.reduced[i];
    r.legIndex = plot.sights[i].legIndex = static_cast<uint16_t>(i % nLegs);
    std::strcpy(r.bodyName, "Sun");
    r.included = plot.sights[i].included = plot.excluded[i] = static_cast<uint16_t>(i % 2);
    for (double* v : {&r.time, &r.drLatitude, &r.drLongitude, &r.hs, &r.refraction, &r.dip, &r.ho,
                      &r.hc, &r.zn, &r.ra, &r.dec, &r.raAtFix, &r.decAtFix}) {
      *v = n++;
    }
    plot.sights[i].weight = n++;
  }
  for (int32_t i = 0; i < nLegs; ++i) {
    PositionRecord& e = plot.legs[i].end;
    for (double* v : {&e.time, &e.course, &e.speedKmPerDay, &e.speed, &e.set, &e.driftKmPerDay,
                      &e.drift, &e.latitude, &e.longitude}) {
      *v = n++;
    }
  }
  FixSolution& s = plot.solution;
  for (double* v :
       {&s.time, &s.latitude, &s.longitude, &s.course, &s.speed, &s.sigmaLatitude,
        &s.sigmaLongitude, &s.sigmaCourse, &s.sigmaSpeed, &s.covLatLon, &s.sigmaUnitWeight}) {
    *v = n++;
  }
  return plot;
}

std::string Bytes(const SightPlotState& plot) {
  std::string bytes;
  EXPECT_EQ(WriteSrp(plot, bytes), kStatusOk);
  return bytes;
}

TEST(SrpFile, FieldsLieInTheirOrderAndComeBackByteForByte) {
  const std::string one = Bytes(NumberedPlot(1, 1));
  EXPECT_EQ(one.substr(0, 4), std::string("\3srp"));
  EXPECT_EQ(DoubleAt(one, 12), 2460400.75);
  EXPECT_EQ(one.substr(kHeader + 4, 4), std::string("\3Sun"));
  // The sight's 13 doubles after its leg, name and flag; its weight after
  // three ints; the leg end's 9 after two flags and two ints; the solution's
  // 11 after the leg's position type.
  std::vector<size_t> offsets;
  for (size_t k = 0, at = kHeader + 12; k < 13; ++k) offsets.push_back(at + 8 * k);
  offsets.push_back(offsets.back() + 8 + 12);
  for (size_t k = 0, at = offsets.back() + 8 + 8 + 8; k < 9; ++k) offsets.push_back(at + 8 * k);
  for (size_t k = 0, at = offsets.back() + 8 + 4; k < 11; ++k) offsets.push_back(at + 8 * k);
  ASSERT_EQ(offsets.back() + 8, one.size());
  for (size_t k = 0; k < offsets.size(); ++k) EXPECT_EQ(DoubleAt(one, offsets[k]), k + 1.0) << k;

  SightPlotState largest = NumberedPlot(kMaxLegs, kMaxSights);
  for (ReducedObservation& r : largest.reduced) std::strcpy(r.bodyName, "Omicron2 CMA.");
  EXPECT_EQ(Bytes(largest).size(), kMaxSrpBytes);
  for (const SightPlotState& plot : {NumberedPlot(1, 0), NumberedPlot(3, 7), largest}) {
    const std::string bytes = Bytes(plot);
    SightPlotState read;
    ASSERT_EQ(ReadSrp(bytes, read), kStatusOk);
    EXPECT_EQ(Bytes(read), bytes);
    EXPECT_EQ(read.solution.sigmaUnitWeight, plot.solution.sigmaUnitWeight);
  }
}

TEST(SrpFile, ShortenedAndForgedFilesAreRefused) {
  const std::string good = Bytes(NumberedPlot(2, 1));
  for (size_t length = 0; length < good.size(); ++length) {
    SightPlotState read;
    ASSERT_EQ(ReadSrp(good.substr(0, length), read), kSrpNotAPlot) << length;
    EXPECT_EQ(read.nLegs, 0);
  }
  constexpr size_t kName = kHeader + 4;
  constexpr size_t kHc = kName + 4 + 4 + 7 * 8;
  constexpr size_t kSightInts = kName + 4 + 4 + 13 * 8;
  using Forge = std::function<void(std::string&)>;
  const std::pair<const char*, Forge> cases[] = {
      {"signature", [](std::string& b) { b[3] = 'q'; }},
      {"signature length", [](std::string& b) { b[0] = 4; }},
      {"no legs", [](std::string& b) { PutIntAt(b, 4, 0); }},
      {"too many legs", [](std::string& b) { PutIntAt(b, 4, kMaxLegs + 1); }},
      {"negative sights", [](std::string& b) { PutIntAt(b, 8, UINT32_MAX); }},
      {"too many sights", [](std::string& b) { PutIntAt(b, 8, kMaxSights + 1); }},
      {"fix flag 2", [](std::string& b) { PutIntAt(b, 20, 2); }},
      {"reduced leg beyond nLegs", [](std::string& b) { PutIntAt(b, kHeader, 2); }},
      {"name past the end", [](std::string& b) { b[kName] = '\xFF'; }},
      {"name of 14", [](std::string& b) { b.insert(kName + 1, 11, 'x'), b[kName] = 14; }},
      {"NUL in the name", [](std::string& b) { b[kName + 2] = '\0'; }},
      {"hc not a number", [](std::string& b) { b.replace(kHc, 8, 8, '\xFF'); }},
      {"body code beyond 16 bits", [](std::string& b) { PutIntAt(b, kSightInts + 4, 65536); }},
      {"excluded 2", [](std::string& b) { PutIntAt(b, kSightInts + 12 + 8 + 4, 2); }},
      {"a byte after the solution", [](std::string& b) { b.push_back('\0'); }},
  };
  for (const auto& [name, forge] : cases) {
    std::string forged = good;
    forge(forged);
    SightPlotState read;
    EXPECT_EQ(ReadSrp(forged, read), kSrpNotAPlot) << name;
  }
  // Nor is a state the reader would refuse ever written.
  SightPlotState unreadable = NumberedPlot(1, 1);
  unreadable.rejected[0] = 2;
  std::string bytes = "stale";
  EXPECT_EQ(WriteSrp(unreadable, bytes), kSrpNotAPlot);
  EXPECT_TRUE(bytes.empty());
}

}  // namespace
}  // namespace navora
