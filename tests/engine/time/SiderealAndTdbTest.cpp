#include <gtest/gtest.h>

#include "engine/time/SiderealTime.h"
#include "engine/time/TdbMinusTt.h"

namespace navora {
namespace {

// Greenwich mean sidereal time (IAU 1982 model) from an independent
// implementation, hours.
struct GmstSample {
  double jdUt1;
  double gmstHours;
};
constexpr GmstSample kGmstSamples[] = {
    {2440587.5, 6.681975813813011},   {2451545.0, 18.697374558333337},
    {2455197.75, 12.718935963816255}, {2460676.5, 6.726637857694094},
    {2444239.123, 21.581480698941515},
};
constexpr double kSiderealToleranceHours = 1e-8;  // well under a millisecond of time

TEST(ComputeSiderealTime, GreenwichMeanMatchesReference) {
  for (const GmstSample& sample : kGmstSamples) {
    double mean = 0.0, apparent = 0.0;
    ComputeSiderealTime(sample.jdUt1, 0.0, 0.0, mean, apparent);
    EXPECT_NEAR(mean, sample.gmstHours, kSiderealToleranceHours) << sample.jdUt1;
    EXPECT_EQ(apparent, mean);
  }
}

TEST(ComputeSiderealTime, LongitudeAndEquationOfEquinoxesWrapIntoOneDay) {
  const double jd = 2451545.0;  // GMST 18.697 h
  double mean = 0.0, apparent = 0.0;
  ComputeSiderealTime(jd, 90.0, 0.0, mean, apparent);  // +6 h passes 24
  EXPECT_NEAR(mean, 18.697374558333337 + 6.0 - 24.0, kSiderealToleranceHours);

  ComputeSiderealTime(jd, -150.0, 0.0, mean, apparent);  // -10 h
  EXPECT_NEAR(mean, 8.697374558333337, kSiderealToleranceHours);

  ComputeSiderealTime(2440587.5, -100.5, -1.2, mean, apparent);  // wraps below 0
  EXPECT_NEAR(mean, 6.681975813813011 - 6.7 + 24.0, kSiderealToleranceHours);
  EXPECT_NEAR(apparent, mean - 1.2 / 54000.0, 1e-12);
  EXPECT_GE(mean, 0.0);
  EXPECT_LT(mean, 24.0);
}

// TDB - TT from the full series of an independent implementation, seconds;
// the two-term expression is good to about 20 microseconds.
struct TdbSample {
  double jd;
  double tdbMinusTt;
};
constexpr TdbSample kTdbSamples[] = {
    {2440587.5, -5.161209333154983e-05}, {2444239.123, -6.828803827180416e-05},
    {2448000.5, 0.0015857352525033984},  {2451545.0, -9.930719894379447e-05},
    {2455197.75, -8.695282086532458e-05}, {2458000.25, -0.001441777566822269},
    {2460676.5, -8.646286409618035e-05},
};

TEST(ConvertTdbToTt, AgreesWithFullSeriesAndShiftsTheDate) {
  for (const TdbSample& sample : kTdbSamples) {
    double seconds = 0.0, shifted = 0.0;
    ConvertTdbToTt(sample.jd, seconds, shifted);
    EXPECT_NEAR(seconds, sample.tdbMinusTt, 2e-5) << sample.jd;
    EXPECT_DOUBLE_EQ(shifted, sample.jd - seconds / 86400.0);
  }
}

}  // namespace
}  // namespace navora
