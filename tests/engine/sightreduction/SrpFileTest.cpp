// The plot file: the fields land where the format puts them, a plot comes
// back the same, and every damaged or forged file is refused.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

#include "engine/sightreduction/SrpFile.h"

namespace navora {
namespace {

constexpr size_t kHeader = 24;             // signature, nLegs, nSights, timeOfFix, fixCalculated
constexpr size_t kFirstSightDoubles = 12;  // after legIndex, a 3-letter name, included

double DoubleAt(const std::string& bytes, size_t at) {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(bytes[at + i]);
  return std::bit_cast<double>(bits);
}

void PutIntAt(std::string& bytes, size_t at, int32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
}

// Every stored double numbered in file order, so a field out of place shows.
SightPlotState NumberedPlot(int32_t nLegs, int32_t nSights) {
  SightPlotState plot;
  plot.nLegs = nLegs;
  plot.nSights = nSights;
  plot.timeOfFix = 2460400.75;
  plot.fixCalculated = 1;
  double n = 1.0;
  for (int32_t i = 0; i < nSights; ++i) {
    ReducedObservation& r = plot.reduced[i];
    r.legIndex = static_cast<uint16_t>(i % nLegs);
    std::strcpy(r.bodyName, i == 0 ? "Sun" : "Gamma2 SGR");
    r.included = static_cast<uint16_t>(i % 2);
    for (double* value : {&r.time, &r.drLatitude, &r.drLongitude, &r.hs, &r.refraction, &r.dip,
                          &r.ho, &r.hc, &r.zn, &r.ra, &r.dec, &r.raAtFix, &r.decAtFix}) {
      *value = n++;
    }
    plot.sights[i].legIndex = r.legIndex;
    plot.sights[i].bodyCode = 20;
    plot.sights[i].included = r.included;
    plot.sights[i].weight = n++;
    plot.rejected[i] = 1;
    plot.excluded[i] = static_cast<uint8_t>(1 - r.included);
  }
  for (int32_t i = 0; i < nLegs; ++i) {
    PositionRecord& end = plot.legs[i].end;
    end.motionMode = 1;
    end.positionType = 2;
    for (double* value : {&end.time, &end.course, &end.speedKmPerDay, &end.speed, &end.set,
                          &end.driftKmPerDay, &end.drift, &end.latitude, &end.longitude}) {
      *value = n++;
    }
  }
  FixSolution& s = plot.solution;
  for (double* value :
       {&s.time, &s.latitude, &s.longitude, &s.course, &s.speed, &s.sigmaLatitude,
        &s.sigmaLongitude, &s.sigmaCourse, &s.sigmaSpeed, &s.covLatLon, &s.sigmaUnitWeight}) {
    *value = n++;
  }
  return plot;
}

std::string Bytes(const SightPlotState& plot) {
  std::string bytes;
  EXPECT_EQ(WriteSrp(plot, bytes), kStatusOk);
  return bytes;
}

TEST(SrpFile, OneSightOneLegLaysItsFieldsOutInOrder) {
  const std::string bytes = Bytes(NumberedPlot(1, 1));
  ASSERT_EQ(bytes.size(), kHeader + 3 * 4 + 14 * 8 + 5 * 4 + 2 * 4 + 9 * 8 + 4 + 11 * 8);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\3srp", 4));
  EXPECT_EQ(DoubleAt(bytes, 12), 2460400.75);
  EXPECT_EQ(bytes.substr(kHeader + 4, 4), std::string("\3Sun", 4));
  // 13 reduced values, the sight's weight after its three ints, 9 of the leg's end
  // after its two ints, then the 11 of the solution.
  size_t at = kHeader + kFirstSightDoubles;
  double expected = 1.0;
  for (int k = 0; k < 13; ++k, at += 8) EXPECT_EQ(DoubleAt(bytes, at), expected++) << at;
  EXPECT_EQ(DoubleAt(bytes, at + 12), expected++);
  at += 12 + 8 + 8 + 8;
  for (int k = 0; k < 9; ++k, at += 8) EXPECT_EQ(DoubleAt(bytes, at), expected++) << at;
  at += 4;
  for (int k = 0; k < 11; ++k, at += 8) EXPECT_EQ(DoubleAt(bytes, at), expected++) << at;
  EXPECT_EQ(at, bytes.size());
}

TEST(SrpFile, PlotsComeBackWithTheSameValuesAndBytes) {
  for (const auto& [nLegs, nSights] : {std::pair{1, 0}, {1, 1}, {2, 7}, {kMaxLegs, kMaxSights}}) {
    SCOPED_TRACE(testing::Message() << nLegs << " legs, " << nSights << " sights");
    const SightPlotState plot = NumberedPlot(nLegs, nSights);
    const std::string bytes = Bytes(plot);
    SightPlotState read;
    ASSERT_EQ(ReadSrp(bytes, read), kStatusOk);
    EXPECT_EQ(Bytes(read), bytes);
    EXPECT_EQ(read.nLegs, nLegs);
    EXPECT_EQ(read.nSights, nSights);
    EXPECT_EQ(read.fixCalculated, 1);
    EXPECT_EQ(read.solution.sigmaUnitWeight, plot.solution.sigmaUnitWeight);
    EXPECT_EQ(read.legs[nLegs - 1].end.longitude, plot.legs[nLegs - 1].end.longitude);
    for (int32_t i = 0; i < nSights; ++i) {
      EXPECT_STREQ(read.reduced[i].bodyName, plot.reduced[i].bodyName);
      EXPECT_EQ(read.reduced[i].decAtFix, plot.reduced[i].decAtFix);
      EXPECT_EQ(read.sights[i].included, plot.sights[i].included);
      EXPECT_EQ(read.excluded[i], plot.excluded[i]);
    }
  }
  // Every sight with the longest name: the largest file there can be.
  SightPlotState largest = NumberedPlot(kMaxLegs, kMaxSights);
  for (ReducedObservation& r : largest.reduced) std::strcpy(r.bodyName, "Omicron2 CMA.");
  EXPECT_EQ(Bytes(largest).size(), kMaxSrpBytes);
}

TEST(SrpFile, EveryShortenedFileIsRefused) {
  const std::string bytes = Bytes(NumberedPlot(3, 5));
  for (size_t length = 0; length < bytes.size(); ++length) {
    SightPlotState read;
    ASSERT_EQ(ReadSrp(std::string_view(bytes).substr(0, length), read), kSrpNotAPlot) << length;
    EXPECT_EQ(read.nSights, 0);
  }
}

TEST(SrpFile, ForgedFilesAreRefused) {
  const std::string good = Bytes(NumberedPlot(2, 1));
  const size_t sight = kHeader;
  const size_t afterName = sight + 4 + 4;
  const size_t sightInts = afterName + 4 + 13 * 8;
  const size_t flags = sightInts + 12 + 8;
  struct Case {
    const char* name;
    std::function<void(std::string&)> forge;
  };
  const Case cases[] = {
      {"signature", [](std::string& b) { b[3] = 'q'; }},
      {"signature length", [](std::string& b) { b[0] = 4; }},
      {"no legs", [](std::string& b) { PutIntAt(b, 4, 0); }},
      {"too many legs", [](std::string& b) { PutIntAt(b, 4, kMaxLegs + 1); }},
      {"negative sights", [](std::string& b) { PutIntAt(b, 8, -1); }},
      {"too many sights", [](std::string& b) { PutIntAt(b, 8, kMaxSights + 1); }},
      {"fix flag 2", [](std::string& b) { PutIntAt(b, 20, 2); }},
      {"reduced leg beyond nLegs", [=](std::string& b) { PutIntAt(b, sight, 2); }},
      {"name past the end", [=](std::string& b) { b[sight + 4] = static_cast<char>(255); }},
      {"name too long",
       [=](std::string& b) {
         b.insert(sight + 5, 11, 'x');
         b[sight + 4] = 14;
       }},
      {"NUL in the name", [=](std::string& b) { b[sight + 6] = '\0'; }},
      {"sight leg negative", [=](std::string& b) { PutIntAt(b, sightInts, -1); }},
      {"body code beyond 16 bits", [=](std::string& b) { PutIntAt(b, sightInts + 4, 65536); }},
      {"included 2", [=](std::string& b) { PutIntAt(b, sightInts + 8, 2); }},
      {"excluded 2", [=](std::string& b) { PutIntAt(b, flags + 4, 2); }},
      {"hc not a number",
       [=](std::string& b) {
         for (int i = 0; i < 8; ++i) b[afterName + 4 + 7 * 8 + i] = static_cast<char>(0xFF);
       }},
      {"a byte after the solution", [](std::string& b) { b.push_back('\0'); }},
  };
  for (const Case& c : cases) {
    std::string forged = good;
    c.forge(forged);
    SightPlotState read;
    EXPECT_EQ(ReadSrp(forged, read), kSrpNotAPlot) << c.name;
  }
}

TEST(SrpFile, StatesTheReaderWouldRefuseAreNotWritten) {
  SightPlotState plot = NumberedPlot(1, 2);
  std::string bytes = "stale";
  plot.excluded[1] = 2;
  EXPECT_EQ(WriteSrp(plot, bytes), kSrpNotAPlot);
  EXPECT_TRUE(bytes.empty());
  plot = NumberedPlot(1, 2);
  plot.reduced[0].ho = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(WriteSrp(plot, bytes), kSrpNotAPlot);
  plot.nLegs = 0;
  EXPECT_EQ(WriteSrp(plot, bytes), kSrpNotAPlot);
}

TEST(SrpFile, FilesAreWrittenWholeAndReadBack) {
  char pattern[] = "/tmp/navora-srp-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::string directory = pattern;
  const std::string path = directory + "/Sight Reduction Plot1.srp";
  const SightPlotState plot = NumberedPlot(2, 3);
  ASSERT_EQ(WriteSrpFile(path, plot), kStatusOk);
  SightPlotState read;
  ASSERT_EQ(ReadSrpFile(path, read), kStatusOk);
  EXPECT_EQ(Bytes(read), Bytes(plot));
  EXPECT_EQ(ReadSrpFile(directory + "/missing.srp", read), kSrpCannotRead);
  EXPECT_EQ(WriteSrpFile(directory + "/no/such/dir.srp", plot), kSrpCannotWrite);
  ::unlink(path.c_str());
  ::rmdir(pattern);
}

}  // namespace
}  // namespace navora
