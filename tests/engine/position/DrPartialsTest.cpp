#include "engine/position/DrPartials.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "engine/position/DeadReckoning.h"
#include "engine/position/Ellipsoid.h"
#include "engine/position/ReferenceGeodesy.h"

namespace navora {
namespace {

using testing::MovingRecord;

constexpr double kStartJd = 2451545.0;

// The advanced latitude and longitude in radians.
void AdvancedPosition(const PositionRecord& start, double days, double& lat, double& lon) {
  PositionRecord advanced;
  double latRate = 0.0;
  double lonRate = 0.0;
  AdvanceDeadReckoning(start.time + days, start, advanced, latRate, lonRate);
  lat = advanced.latitude * kRadiansPerDegree;
  lon = advanced.longitude * kRadiansPerDegree;
}

// Central differences of the advance with respect to start latitude, start
// longitude, course (radians) and speed (km per day).
void NumericalPartials(const PositionRecord& start, double days, DrPartialRow& latRow,
                       DrPartialRow& lonRow) {
  const double angleStep = 1e-6;  // radians
  const double speedStep = 1e-3;  // km per day
  for (int k = 0; k < 4; ++k) {
    PositionRecord plus = start;
    PositionRecord minus = start;
    const double step = k == 3 ? speedStep : angleStep;
    const double stepInField = k == 3 ? step : step * kDegreesPerRadian;
    double* plusField[] = {&plus.latitude, &plus.longitude, &plus.course, &plus.speedKmPerDay};
    double* minusField[] = {&minus.latitude, &minus.longitude, &minus.course,
                            &minus.speedKmPerDay};
    *plusField[k] += stepInField;
    *minusField[k] -= stepInField;
    double latPlus = 0.0;
    double lonPlus = 0.0;
    double latMinus = 0.0;
    double lonMinus = 0.0;
    AdvancedPosition(plus, days, latPlus, lonPlus);
    AdvancedPosition(minus, days, latMinus, lonMinus);
    latRow[k] = (latPlus - latMinus) / (2.0 * step);
    lonRow[k] = (lonPlus - lonMinus) / (2.0 * step);
  }
}

void ExpectRowsAgree(const DrPartialRow& analytic, const DrPartialRow& numerical,
                     const char* row) {
  for (int k = 0; k < 4; ++k) {
    const double scale = std::fmax(std::fabs(analytic[k]), std::fabs(numerical[k]));
    EXPECT_NEAR(analytic[k], numerical[k], 1e-6 * scale + 1e-13) << row << " " << k;
  }
}

struct PartialsCase {
  double latitude;
  double course;
  double speedKnots;
  double days;
  uint16_t expectedSailing;
};

void PrintTo(const PartialsCase& c, std::ostream* os) {
  *os << "lat " << c.latitude << " course " << c.course << " speed " << c.speedKnots << " days "
      << c.days;
}

class DrPartialsAgainstDifferences : public ::testing::TestWithParam<PartialsCase> {};

TEST_P(DrPartialsAgainstDifferences, AgreeWithCentralDifferences) {
  const PartialsCase& c = GetParam();
  const PositionRecord start =
      MovingRecord(kMotionRhumbLine, kStartJd, c.latitude, -40.0, c.course, c.speedKnots);
  PositionRecord advanced;
  double latRate = 0.0;
  double lonRate = 0.0;
  AdvanceDeadReckoning(start.time + c.days, start, advanced, latRate, lonRate);
  ASSERT_EQ(advanced.sailingMethod, c.expectedSailing);

  DrPartialRow latRow{};
  DrPartialRow lonRow{};
  DrPartials(advanced, start, latRow, lonRow);
  DrPartialRow latNumerical{};
  DrPartialRow lonNumerical{};
  NumericalPartials(start, c.days, latNumerical, lonNumerical);
  ExpectRowsAgree(latRow, latNumerical, "latitude");
  ExpectRowsAgree(lonRow, lonNumerical, "longitude");
  EXPECT_EQ(latRow[1], 0.0);
  EXPECT_EQ(lonRow[1], 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    BothSailings, DrPartialsAgainstDifferences,
    ::testing::Values(PartialsCase{30.0, 40.0, 15.0, 1.0, kSailingMercator},
                      PartialsCase{-52.0, 200.0, 22.0, 1.5, kSailingMercator},
                      PartialsCase{65.0, 315.0, 12.0, 2.0, kSailingMercator},
                      PartialsCase{5.0, 120.0, 8.0, -0.8, kSailingMercator},
                      PartialsCase{30.0, 89.8, 15.0, 1.0, kSailingMidLatitude},
                      PartialsCase{-45.0, 250.0, 10.0, 0.05, kSailingMidLatitude},
                      PartialsCase{58.0, 270.4, 20.0, 1.0, kSailingMidLatitude}));

TEST(DrPartials, FixedSiteIsTheIdentity) {
  const PositionRecord start = MovingRecord(kMotionNone, kStartJd, 10.0, 10.0, 0.0, 0.0);
  PositionRecord advanced = start;
  advanced.time += 1.0;
  DrPartialRow latRow{9, 9, 9, 9};
  DrPartialRow lonRow{9, 9, 9, 9};
  DrPartials(advanced, start, latRow, lonRow);
  EXPECT_EQ(latRow, (DrPartialRow{1.0, 0.0, 0.0, 0.0}));
  EXPECT_EQ(lonRow, (DrPartialRow{0.0, 1.0, 0.0, 0.0}));
}

TEST(DrPartials, GreatCircleGivesZeroRows) {
  const PositionRecord start = MovingRecord(kMotionGreatCircle, kStartJd, 10.0, 10.0, 50.0, 12.0);
  PositionRecord advanced;
  double latRate = 0.0;
  double lonRate = 0.0;
  AdvanceDeadReckoning(start.time + 1.0, start, advanced, latRate, lonRate);
  DrPartialRow latRow{9, 9, 9, 9};
  DrPartialRow lonRow{9, 9, 9, 9};
  DrPartials(advanced, start, latRow, lonRow);
  EXPECT_EQ(latRow, (DrPartialRow{0.0, 0.0, 0.0, 0.0}));
  EXPECT_EQ(lonRow, (DrPartialRow{0.0, 0.0, 0.0, 0.0}));
}

}  // namespace
}  // namespace navora
