#include <gtest/gtest.h>

#include "engine/time/SiderealTime.h"
#include "engine/time/TdbMinusTt.h"

namespace navora {
namespace {

// Reference values from an independent implementation of the same models.
TEST(SiderealTime, GreenwichMeanAndLocalWrapIntoOneDay) {
  const struct {
    double jdUt1, gmstHours;
  } kSamples[] = {{2440587.5, 6.681975813813011},
                  {2451545.0, 18.697374558333337},
                  {2455197.75, 12.718935963816255},
                  {2460676.5, 6.726637857694094}};
  double mean, apparent;
  for (const auto& sample : kSamples) {
    ComputeSiderealTime(sample.jdUt1, 0.0, 0.0, mean, apparent);
    EXPECT_NEAR(mean, sample.gmstHours, 1e-8) << sample.jdUt1;
  }
  ComputeSiderealTime(2451545.0, 90.0, 0.0, mean, apparent);
  EXPECT_NEAR(mean, 18.697374558333337 + 6.0 - 24.0, 1e-8);
  ComputeSiderealTime(2440587.5, -100.5, -1.2, mean, apparent);
  EXPECT_NEAR(mean, 6.681975813813011 - 6.7 + 24.0, 1e-8);
}

// Full-series TDB - TT; the two-term expression is good to about 20 us.
TEST(TdbMinusTt, AgreesWithTheFullSeries) {
  const struct {
    double jd, seconds;
  } kSamples[] = {{2440587.5, -5.161209333154983e-05},
                  {2448000.5, 0.0015857352525033984},
                  {2451545.0, -9.930719894379447e-05},
                  {2458000.25, -0.001441777566822269}};
  for (const auto& sample : kSamples) {
    double seconds, shifted;
    ConvertTdbToTt(sample.jd, seconds, shifted);
    EXPECT_NEAR(seconds, sample.seconds, 2e-5) << sample.jd;
    EXPECT_EQ(shifted, sample.jd - seconds / 86400.0);
  }
}

}  // namespace
}  // namespace navora
