// The expected precision of a planned round of sights: closed forms of the
// geometry, the cases that cannot give a fix, and agreement with the spread
// of the program's own least-squares fixes from noisy synthetic rounds of the
// selected stars (written by tools/reference/precision_sights.py).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine/common/Angles.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/horizon/ObserverPlaces.h"
#include "engine/places/SelectedStars.h"
#include "engine/planning/FixPrecision.h"
#include "engine/sightreduction/FixComputation.h"
#include "support/FixtureRows.h"

namespace navora {
namespace {

constexpr uint16_t kStarBodyCode = 20;
// 500 trials estimate a standard deviation to about 3 per cent; the fix's
// linearisation adds nothing visible at sights' errors of arc-minutes.
constexpr double kRatioTolerance = 0.2;

TEST(FixPrecisionTest, GeometryOfTheRound) {
  const double third = std::sqrt(2.0 / 3.0);
  struct Case {
    const char* what;
    std::vector<double> azimuths;
    double latitude;
    double sigmaLatitude, sigmaLongitude;  // in units of the sight's sigma
  };
  const Case cases[] = {
      {"three stars 120 degrees apart", {10.0, 130.0, 250.0}, 0.0, third, third},
      {"the same at 60 N: longitude degrees twice as wide", {10.0, 130.0, 250.0}, 60.0, third,
       2.0 * third},
      {"two stars at right angles", {45.0, 135.0}, 0.0, 1.0, 1.0},
      {"four stars north, east, south, west", {0.0, 90.0, 180.0, 270.0}, 0.0, std::sqrt(0.5),
       std::sqrt(0.5)},
      // Two stars near one azimuth cross at a narrow angle: latitude is badly
      // fixed along the common line, as a navigator would expect.
      {"two stars 20 degrees apart, both north", {350.0, 10.0}, 0.0,
       1.0 / std::sqrt(2.0) / std::cos(10.0 * kDegToRad),
       1.0 / std::sqrt(2.0) / std::sin(10.0 * kDegToRad)},
  };
  constexpr double kSigma = 0.01;
  for (const Case& c : cases) {
    double sigmaLatitude = 0.0, sigmaLongitude = 0.0;
    ASSERT_EQ(ExpectedFixPrecision(c.azimuths, c.latitude, kSigma, sigmaLatitude, sigmaLongitude),
              kStatusOk)
        << c.what;
    EXPECT_NEAR(sigmaLatitude, c.sigmaLatitude * kSigma, 1e-12) << c.what;
    EXPECT_NEAR(sigmaLongitude, c.sigmaLongitude * kSigma, 1e-12) << c.what;
  }

  struct Refused {
    const char* what;
    std::vector<double> azimuths;
    double latitude, sigma;
  };
  const Refused refused[] = {
      {"one star", {45.0}, 0.0, kSigma},
      {"two stars on one line", {90.0, 270.0}, 20.0, kSigma},
      {"three stars on one line", {0.0, 180.0, 0.0}, 20.0, kSigma},
      {"at the pole", {0.0, 120.0, 240.0}, 90.0, kSigma},
      {"no error given", {0.0, 120.0, 240.0}, 20.0, 0.0},
      {"an azimuth that is not a number", {0.0, NAN, 240.0}, 20.0, kSigma},
  };
  for (const Refused& r : refused) {
    double sigmaLatitude = -1.0, sigmaLongitude = -1.0;
    EXPECT_EQ(ExpectedFixPrecision(r.azimuths, r.latitude, r.sigma, sigmaLatitude, sigmaLongitude),
              kPrecisionUndetermined)
        << r.what;
    EXPECT_EQ(sigmaLatitude, 0.0) << r.what;
    EXPECT_EQ(sigmaLongitude, 0.0) << r.what;
  }
}

struct PrecisionRounds {
  std::string name;
  double time = 0.0, ut1MinusUtc = 0.0, latitude = 0.0, longitude = 0.0, heightOfEye = 0.0;
  double temperature = 0.0, pressure = 0.0, sigma = 0.0;
  std::vector<int> stars;  // signed as the selected-stars lookup gives them
  std::vector<double> hs, azimuths;
  std::vector<std::vector<double>> errors;  // per trial, per star
};

PrecisionRounds LoadRounds(const std::filesystem::path& path) {
  PrecisionRounds rounds;
  rounds.name = path.stem().string();
  for (std::istringstream& fields : testing::FixtureRows(path.string())) {
    std::string kind;
    fields >> kind;
    if (kind == "instant") {
      fields >> rounds.time >> rounds.ut1MinusUtc >> rounds.latitude >> rounds.longitude >>
          rounds.heightOfEye >> rounds.temperature >> rounds.pressure >> rounds.sigma;
    } else if (kind == "star") {
      int number = 0;
      double hs = 0.0, altitude = 0.0, azimuth = 0.0;
      fields >> number >> hs >> altitude >> azimuth;
      rounds.stars.push_back(number);
      rounds.hs.push_back(hs);
      rounds.azimuths.push_back(azimuth);
    } else if (kind == "trial") {
      int index = 0;
      fields >> index;
      std::vector<double>& errors = rounds.errors.emplace_back(rounds.stars.size());
      for (double& error : errors) fields >> error;
    }
  }
  return rounds;
}

struct Spread {
  double latitude = 0.0, longitude = 0.0;  // standard deviations, degrees
};

// The fixes of every trial from the stars `chosen` (indices of the rows),
// solved by the program as Compute Fix solves a round at one instant.
Spread FixSpread(PlaceContext& context, const PrecisionRounds& rounds,
                 const std::vector<size_t>& chosen) {
  std::vector<double> latitudes, longitudes;
  for (const std::vector<double>& errors : rounds.errors) {
    std::vector<LegRecord> legs(1);
    legs[0].start = MakePositionRecord(kMotionRhumbLine, kPositionExternalFix, rounds.time,
                                       rounds.latitude, rounds.longitude, 0.0, 0.0, 0.0, 0.0);
    std::vector<ObservationRecord> sights;
    for (size_t i : chosen) {
      ObservationRecord sight = DefaultObservationRecord();
      sight.legIndex = 0;
      sight.bodyCode = kStarBodyCode;
      sight.starNumber = static_cast<uint16_t>(std::abs(rounds.stars[i]));
      sight.time = rounds.time;
      sight.ut1MinusUtc = rounds.ut1MinusUtc;
      sight.temperature = rounds.temperature;
      sight.pressure = rounds.pressure;
      sight.hs = rounds.hs[i] + errors[i];
      sight.indexCorrection = 0.0;
      sight.heightOfEye = rounds.heightOfEye;
      sight.sigma = rounds.sigma;
      sights.push_back(sight);
    }
    std::vector<ReducedObservation> reduced(sights.size());
    FixSolution fix;
    for (const uint8_t flags : {kReduceOnly, uint8_t{0}}) {
      EXPECT_EQ(ReduceSights(context, flags, rounds.time, rounds.ut1MinusUtc, legs, sights, 0,
                             reduced, fix),
                kStatusOk);
    }
    latitudes.push_back(fix.latitude);
    longitudes.push_back(fix.longitude);
  }
  const auto deviation = [](const std::vector<double>& values) {
    double mean = 0.0;
    for (double v : values) mean += v / static_cast<double>(values.size());
    double squares = 0.0;
    for (double v : values) squares += (v - mean) * (v - mean);
    return std::sqrt(squares / static_cast<double>(values.size() - 1));
  };
  return {deviation(latitudes), deviation(longitudes)};
}

TEST(FixPrecisionTest, AgreesWithTheSpreadOfNoisyFixes) {
  PlaceContext context;
  ASSERT_EQ(OpenDefaultEphemeris(context.ephemeris), kStatusOk);
  std::vector<std::filesystem::path> paths;
  for (const auto& entry : std::filesystem::directory_iterator(NAVORA_FIXTURE_DIR "/planning")) {
    if (entry.path().filename().string().rfind("precision-", 0) == 0) paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());
  ASSERT_GE(paths.size(), 2u);
  for (const auto& path : paths) {
    const PrecisionRounds rounds = LoadRounds(path);
    ASSERT_EQ(rounds.stars.size(), static_cast<size_t>(kSelectedStarCount)) << rounds.name;
    ASSERT_EQ(rounds.errors.size(), 500u) << rounds.name;

    // The rounds are of the stars the planning tables select for the instant.
    ObserverInstant instant;
    ASSERT_EQ(PrepareObserverInstant(context, rounds.time, rounds.ut1MinusUtc, rounds.latitude,
                                     rounds.longitude, rounds.heightOfEye, instant),
              kStatusOk);
    int16_t selected[kSelectedStarCount];
    ASSERT_EQ(LookupSelectedStars(rounds.latitude, LhaAriesDeg(instant), selected), kStatusOk);
    ASSERT_TRUE(std::equal(rounds.stars.begin(), rounds.stars.end(), selected)) << rounds.name;

    std::vector<size_t> all, bestThree;
    for (size_t i = 0; i < rounds.stars.size(); ++i) {
      all.push_back(i);
      if (rounds.stars[i] < 0) bestThree.push_back(i);
    }
    ASSERT_EQ(bestThree.size(), 3u) << rounds.name;
    for (const std::vector<size_t>* chosen : {&bestThree, &all}) {
      std::vector<double> azimuths;
      for (size_t i : *chosen) azimuths.push_back(rounds.azimuths[i]);
      double sigmaLatitude = 0.0, sigmaLongitude = 0.0;
      ASSERT_EQ(ExpectedFixPrecision(azimuths, rounds.latitude, rounds.sigma, sigmaLatitude,
                                     sigmaLongitude),
                kStatusOk);
      const Spread spread = FixSpread(context, rounds, *chosen);
      const std::string what = rounds.name + (chosen == &all ? ", seven stars" : ", best three");
      EXPECT_NEAR(spread.latitude / sigmaLatitude, 1.0, kRatioTolerance) << what;
      EXPECT_NEAR(spread.longitude / sigmaLongitude, 1.0, kRatioTolerance) << what;
    }
  }
}

}  // namespace
}  // namespace navora
