// Reduction of single sights: the altitude corrections and limits, the limb
// handling, Hc and Zn against spherical trigonometry on the reference
// almanac (IAU 2006/2000A places), the failure statuses and the transport
// partials.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/places/SiderealArguments.h"
#include "engine/position/DeadReckoning.h"
#include "engine/position/DrPartials.h"
#include "engine/sightreduction/BodyNames.h"
#include "engine/sightreduction/HcZn.h"
#include "engine/sightreduction/SightReduction.h"
#include "support/FixtureRows.h"

namespace navora {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;

// A stationary leg: its reduction record is the assumed position at any time.
LegRecord StationaryLeg(double time, double latitude, double longitude) {
  LegRecord leg;
  leg.reduction = MakePositionRecord(kMotionNone, kPositionCelestialFix, time, latitude, longitude,
                                     0.0, 0.0, 0.0, 0.0);
  return leg;
}

ObservationRecord Sight(uint16_t bodyCode, uint16_t starNumber, double jdUtc,
                        double ut1MinusUtc = 0.0) {
  return MakeObservationRecord(0, bodyCode, starNumber, jdUtc, ut1MinusUtc, 10.0, 1010.0, 30.0,
                               30.0, 0.0, 0.0, kQualityAverage);
}

double DegreesApart(double a, double b) { return std::remainder(a - b, 360.0); }

TEST(CorrectObservedAltitudes, DipRefractionAndAltitudeLimits) {
  struct Case {
    double hs, indexCorrectionMinutes, heightMetres, temperature, pressure;
    double dip, refraction, tolerance;  // arc-minutes
    uint16_t included;
  };
  // Bennett at the horizon: 1 / tan(7.31 / 4.4 degrees) = 34.48'. The weather
  // row takes the ideal-gas scaling P / 1010 x 283 / (273 + T) of the
  // standard refraction, which the engine's fitted factor meets within 0.2'.
  const double horizonRefraction = 1.0 / std::tan(7.31 / 4.4 * kRad);
  const Case cases[] = {
      {0.0, 0.0, 0.0, 10.0, 1010.0, 0.0, horizonRefraction, 0.001, 1},
      {30.0, 2.0, 4.0, 10.0, 1010.0, 3.52, 1.72, 0.005, 1},
      {5.0, 0.0, 0.0, -20.0, 1040.0, 0.0, 11.38, 0.2, 1},
      {-0.1, 0.0, 0.0, 10.0, 1010.0, 0.0, 35.80, 0.005, 1},
      {-0.11, 0.0, 0.0, 10.0, 1010.0, 0.0, 35.94, 0.005, 0},
      {88.0, 0.0, 0.0, 10.0, 1010.0, 0.0, 0.03, 0.005, 1},
      {88.01, 0.0, 0.0, 10.0, 1010.0, 0.0, 0.03, 0.005, 0},
      // Below the reach of the refraction formula: no Ho to count.
      {-2.0, 0.0, 0.0, 10.0, 1010.0, 0.0, 0.0, 0.0, 0},
  };
  std::vector<ObservationRecord> sights;
  for (const Case& c : cases) {
    sights.push_back(MakeObservationRecord(0, kBodyCodeSunUpperLimb, 0, 2451545.0, 0.0,
                                           c.temperature, c.pressure, 30.0, c.hs,
                                           c.indexCorrectionMinutes / 60.0, c.heightMetres, 2));
    sights.back().weight = 0.25;
  }
  std::vector<ReducedObservation> reduced(sights.size());
  CorrectObservedAltitudes(sights, reduced);

  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE("hs " + std::to_string(c.hs));
    EXPECT_NEAR(reduced[i].dip, c.dip, 0.005);
    EXPECT_NEAR(reduced[i].refraction, c.refraction, c.tolerance);
    EXPECT_NEAR(reduced[i].ho,
                c.hs + (c.indexCorrectionMinutes - reduced[i].dip - reduced[i].refraction) / 60.0,
                1e-12);
    EXPECT_EQ(reduced[i].included, c.included);
    EXPECT_EQ(sights[i].weight, 1.0);
    EXPECT_EQ(reduced[i].weight, 1.0);
  }
  EXPECT_STREQ(reduced[0].bodyName, "Sun (Upper)");
}

class SightReductionTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(OpenDefaultEphemeris(context_.ephemeris), kStatusOk); }

  EngineStatus Reduce(const ObservationRecord& sight, const LegRecord& leg,
                      ReducedObservation& reduced) {
    ObservationRecord corrected = sight;
    CorrectObservedAltitudes({&corrected, 1}, {&reduced, 1});
    return ReduceObservation(context_, corrected, leg, leg, sight.ut1MinusUtc, reduced);
  }

  PlaceContext context_;
};

// Hc and Zn of the reduced sight against spherical trigonometry on the
// reference GHA and Dec. The reference is geocentric and the reduction
// topocentric: the Sun's parallax in altitude (8.79" cos Hc at 1 AU) is
// taken off the reference, and each planet is allowed its horizontal
// parallax, on top of the 0.03' that the places and sidereal time leave.
TEST_F(SightReductionTest, HcAndZnAgreeWithReferenceAlmanac) {
  struct Position {
    double latitude, longitude;
  };
  constexpr Position positions[] = {{51.48, -0.01}, {-33.87, 151.21}, {12.5, -61.3},
                                    {64.1, 21.9},   {-55.0, -67.3},   {0.0, 90.0}};
  constexpr double kPlaceToleranceArcmin = 0.03;
  auto parallaxBoundArcmin = [](int body) {
    switch (body) {
      case 2:
        return 0.53;  // Venus at inferior conjunction
      case 4:
        return 0.33;  // Mars at a perihelic opposition
      case 5:
        return 0.04;
      case 6:
        return 0.02;
      case 10:
        return 0.003;  // the Sun's distance varies by 1.7 per cent
      default:
        return 0.0;  // stars
    }
  };
  // Half a second of UT1 - UTC moves the sky by 7.5" and must be applied.
  constexpr double kUt1MinusUtc = 0.5;

  int compared = 0;
  for (std::istringstream& fields :
       testing::FixtureRows(NAVORA_FIXTURE_DIR "/almanac/reference-almanac.tsv")) {
    std::string kind;
    int body = 0;
    double jdUt1 = 0.0, deltaT = 0.0, gha = 0.0, dec = 0.0;
    fields >> kind >> body >> jdUt1 >> deltaT >> gha >> dec;
    if (!fields || (kind != "sun" && kind != "planet" && kind != "star")) continue;

    const Position& p = positions[compared % std::size(positions)];
    const uint16_t code = kind == "star" ? kBodyCodeStar : static_cast<uint16_t>(body);
    const uint16_t star = kind == "star" ? static_cast<uint16_t>(body) : 0;
    const ObservationRecord sight = Sight(code, star, jdUt1 - kUt1MinusUtc / 86400.0, kUt1MinusUtc);
    ReducedObservation reduced;
    ASSERT_EQ(Reduce(sight, StationaryLeg(sight.time, p.latitude, p.longitude), reduced), kStatusOk)
        << kind << " " << body << " at " << jdUt1;

    const double t = (gha + p.longitude) * kRad;
    const double phi = p.latitude * kRad, delta = dec * kRad;
    const double hc =
        std::asin(std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(t)) /
        kRad;
    const double zn = std::atan2(-std::cos(delta) * std::sin(t),
                                 std::cos(phi) * std::sin(delta) -
                                     std::sin(phi) * std::cos(delta) * std::cos(t)) /
                      kRad;
    const double sunParallax = kind == "sun" ? 8.794 / 3600.0 * std::cos(hc * kRad) : 0.0;
    const double hcResidual = std::fabs(reduced.hc - (hc - sunParallax)) * 60.0;
    const double znResidual = std::fabs(DegreesApart(reduced.zn, zn)) * std::cos(hc * kRad) * 60.0;
    const double tolerance = kPlaceToleranceArcmin + parallaxBoundArcmin(body * (kind != "star"));
    EXPECT_LT(hcResidual, tolerance) << kind << " " << body << " at " << jdUt1;
    EXPECT_LT(znResidual, tolerance) << kind << " " << body << " at " << jdUt1;
    EXPECT_TRUE(reduced.zn >= 0.0 && reduced.zn < 360.0) << reduced.zn;
    // Hour angles compare only for stars: those of bodies carry parallax.
    if (kind == "star") {
      EXPECT_NEAR(std::remainder(reduced.lha * 15.0 - (gha + p.longitude), 360.0), 0.0,
                  kPlaceToleranceArcmin / 60.0 / std::cos(dec * kRad));
    }

    // Seen from the same place at the same instant, the direction at the
    // time of fix is the sight's own place again.
    EXPECT_NEAR(reduced.decAtFix, reduced.dec, 1e-9);
    EXPECT_NEAR(std::remainder(reduced.raAtFix - reduced.ra, 24.0), 0.0, 1e-10);
    EXPECT_NEAR(std::remainder(reduced.lhaAtFix - reduced.lha, 24.0), 0.0, 1e-10);
    ++compared;
  }
  EXPECT_EQ(compared, 720 + 2880 + 1740);
}

// Upper and lower limb lie one topocentric semi-diameter above and below the
// centre on the same vertical, and their recomputed places are that limb.
TEST_F(SightReductionTest, SunLimbsStraddleTheCentreBySemiDiameter) {
  // Reference almanac: the Sun's semi-diameter 16.26529' at 1970 Jan 1, 0h UT1.
  constexpr double kJd = 2440587.5;
  constexpr double kReferenceSemiDiameterArcmin = 16.26529;
  const LegRecord leg = StationaryLeg(kJd, -20.0, 170.0);  // Sun high, near noon

  std::array<ReducedObservation, 3> reduced;
  const uint16_t codes[] = {kBodyCodeSunLowerLimb, kSun, kBodyCodeSunUpperLimb};
  for (size_t i = 0; i < 3; ++i) {
    ASSERT_EQ(Reduce(Sight(codes[i], 0, kJd), leg, reduced[i]), kStatusOk);
  }
  const ReducedObservation& lower = reduced[0];
  const ReducedObservation& centre = reduced[1];
  const ReducedObservation& upper = reduced[2];
  ASSERT_GT(centre.hc, 45.0);
  double gmst = 0.0, gast = 0.0, jdTt = 0.0, equationOfEquinoxes = 0.0;
  ASSERT_EQ(PrepareTimeArguments(context_.deltaT, kJd, gmst, gast, jdTt, equationOfEquinoxes),
            kStatusOk);
  const double semiDiameter = (upper.hc - lower.hc) / 2.0;
  // Topocentric and geocentric semi-diameters differ by under 1e-4 of their size.
  EXPECT_NEAR(semiDiameter * 60.0, kReferenceSemiDiameterArcmin, 0.005);
  EXPECT_NEAR(centre.hc, (upper.hc + lower.hc) / 2.0, 1e-12);

  for (const ReducedObservation* limb : {&lower, &upper}) {
    const double cosSeparation = std::sin(limb->dec * kRad) * std::sin(centre.dec * kRad) +
                                 std::cos(limb->dec * kRad) * std::cos(centre.dec * kRad) *
                                     std::cos((limb->ra - centre.ra) * 15.0 * kRad);
    EXPECT_NEAR(std::acos(cosSeparation) / kRad, semiDiameter, 1e-7);
    // The limb's place brings back the limb's altitude.
    double hc = 0.0, zn = 0.0, lha = 0.0;
    ASSERT_EQ(ComputeHcZn(kJd, equationOfEquinoxes, 170.0, -20.0, limb->ra, limb->dec, hc, zn, lha),
              kStatusOk);
    EXPECT_NEAR(hc, limb->hc, 1e-9);
    EXPECT_NEAR(DegreesApart(zn, limb->zn), 0.0, 1e-9);
    EXPECT_NEAR(lha, limb->lha, 1e-10);
  }
}

TEST_F(SightReductionTest, FailuresStopThePassWithTheirStatus) {
  constexpr double kGoodJd = 2451545.0;
  struct Case {
    const char* what;
    uint16_t bodyCode, starNumber, legIndex;
    double sightJd, fixJd;
    EngineStatus status;
  };
  const Case cases[] = {
      {"no Delta T before the table", kSun, 0, 0, 2440000.5, kGoodJd, kSightReductionNoDeltaT},
      {"no Delta T after the table", kBodyCodeStar, 12, 0, 2460800.5, kGoodJd,
       kSightReductionNoDeltaT},
      {"no Delta T at the time of fix", kSun, 0, 0, kGoodJd, 2460800.5, kSightReductionNoDeltaT},
      {"Delta T but no ephemeris", kMoon, 0, 0, 2440510.5, kGoodJd, kSightReductionNoPlace},
      {"star without ephemeris", kBodyCodeStar, 12, 0, 2440510.5, kGoodJd, kSightReductionNoPlace},
      {"the Earth", 3, 0, 0, kGoodJd, kGoodJd, kSightReductionNoPlace},
      {"star 0", kBodyCodeStar, 0, 0, kGoodJd, kGoodJd, kSightReductionNoPlace},
      {"star past the catalogue", kBodyCodeStar, 174, 0, kGoodJd, kGoodJd, kSightReductionNoPlace},
      {"a leg that does not exist", kSun, 0, 2, kGoodJd, kGoodJd, kSightReductionBadLegCount},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ObservationRecord> sights = {Sight(kVenus, 0, kGoodJd),
                                             Sight(c.bodyCode, c.starNumber, c.sightJd),
                                             Sight(kJupiter, 0, kGoodJd)};
    sights[1].legIndex = c.legIndex;
    const std::vector<LegRecord> legs = {StationaryLeg(kGoodJd, 40.0, -30.0),
                                         StationaryLeg(c.fixJd, 41.0, -29.0)};
    std::vector<ReducedObservation> reduced(sights.size());
    CorrectObservedAltitudes(sights, reduced);
    EXPECT_EQ(ReduceSightsAtPositions(context_, sights, 0.0, 1, legs, reduced), c.status);
    // The sight before the failure is reduced; the one after is left alone.
    EXPECT_NE(reduced[0].hc, 0.0);
    EXPECT_EQ(reduced[2].hc, 0.0);
  }
}

// The stored assumed position and partials are those of the advance from the
// leg's reduction record to the sight (the partials themselves are checked
// against differences of the advance with the dead reckoning).
TEST_F(SightReductionTest, TransportPartialsAreThoseOfTheAdvanceToTheSight) {
  constexpr double kLegEnd = 2455000.5;
  LegRecord leg;
  leg.reduction = MakePositionRecord(kMotionRhumbLine, kPositionCelestialFix, kLegEnd, 42.0, -35.0,
                                     60.0, 15.0, 0.0, 0.0);
  const ObservationRecord sight = Sight(kBodyCodeStar, 20, kLegEnd - 0.3);
  ReducedObservation reduced;
  ASSERT_EQ(Reduce(sight, leg, reduced), kStatusOk);

  PositionRecord assumed;
  double latitudeRate = 0.0, longitudeRate = 0.0;
  ASSERT_EQ(AdvanceDeadReckoning(sight.time, leg.reduction, assumed, latitudeRate, longitudeRate),
            kStatusOk);
  EXPECT_NEAR(reduced.drLatitude, assumed.latitude, 1e-10);
  EXPECT_NEAR(reduced.drLongitude, assumed.longitude, 1e-10);
  DrPartialRow latitudeRow, longitudeRow;
  ASSERT_EQ(DrPartials(assumed, leg.reduction, latitudeRow, longitudeRow), kStatusOk);
  EXPECT_EQ(reduced.drPartialsLat, latitudeRow);
  EXPECT_EQ(reduced.drPartialsLon, longitudeRow);
  EXPECT_NE(latitudeRow[2], 0.0);  // a moving leg: the course matters
}

}  // namespace
}  // namespace navora
