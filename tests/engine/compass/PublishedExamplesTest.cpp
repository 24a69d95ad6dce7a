// Published worked examples of the gyro error by the amplitude of the Sun.
// An example gives a latitude, the Sun's declination and its bearing with its
// centre on the celestial horizon, not an instant: the test finds the moment
// the Sun's declination passes the example's value, then the longitude where
// the setting Sun's centre is at altitude 0 (no refraction or dip), and there
// DetermineCompassError must give the published error within 0.2 degree.

#include <gtest/gtest.h>

#include <cmath>

#include "engine/compass/AzimuthRules.h"
#include "engine/compass/CompassError.h"
#include "engine/ephemeris/EphemerisTable.h"

namespace navora {
namespace {

constexpr double kToleranceDeg = 0.2;
constexpr double kNoHeightM = 0.0;  // the celestial horizon: no dip
constexpr int kBisections = 60;
constexpr double kParallaxDeg = 9.0 / 3600.0;
const StarEntry kNoStar{};

class PublishedAmplitudes : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(OpenDefaultEphemeris(context.ephemeris), kStatusOk); }

  ObservedSkyPlace Sun(double jd, double latitude, double longitude) {
    ObservedSkyPlace sun;
    EXPECT_EQ(ComputeBodyHorizonPlace(context, jd, 0.0, kSun, kNoStar, latitude, longitude,
                                      kNoHeightM, sun),
              kStatusOk);
    return sun;
  }

  // The instant in [from, to] when the Sun's declination, rising through
  // the interval, reaches declinationDeg.
  double WhenDeclination(double declinationDeg, double from, double to, double latitude) {
    for (int i = 0; i < kBisections; ++i) {
      const double middle = 0.5 * (from + to);
      (Sun(middle, latitude, 0.0).decDeg < declinationDeg ? from : to) = middle;
    }
    return from;
  }

  // The longitude where the Sun sets, its centre at altitude 0, at jd.
  double WhereSetting(double jd, double latitude) {
    for (double east = -180.0; east < 180.0; east += 1.0) {
      const ObservedSkyPlace a = Sun(jd, latitude, east), b = Sun(jd, latitude, east + 1.0);
      // Westward (to smaller east longitude) the Sun stands higher when setting.
      if (a.altitudeDeg > 0.0 && b.altitudeDeg <= 0.0 && a.azimuthDeg > 180.0) {
        double high = east, low = east + 1.0;
        for (int i = 0; i < kBisections; ++i) {
          const double middle = 0.5 * (high + low);
          (Sun(jd, latitude, middle).altitudeDeg > 0.0 ? high : low) = middle;
        }
        return high;
      }
    }
    ADD_FAILURE() << "no sunset found";
    return 0.0;
  }

  PlaceContext context;
};

TEST_F(PublishedAmplitudes, SettingSunsGiveThePublishedErrors) {
  const struct {
    const char* source;
    double latitude, declination;
    double searchFrom, searchTo;  // a month of 2024 when the declination rises through it
    double observed;              // true or gyro bearing, degrees
    double publishedAzimuth, publishedError;  // error: + East
  } kExamples[] = {
      // Quartermaster training manual (NAVEDTRA 14220), chapter 9, "Amplitude
      // of the Sun", pp. 9-13 to 9-15 (navyadministration.tpub.com/14220/css/
      // Amplitude-Of-The-Sun-Continued-271.htm and 14221/.../-269.htm): DR
      // latitude 51 04.6' N, declination of the setting Sun 19 00.4' N, bearing
      // 300; amplitude W 31.2 N from Bowditch table 27, azimuth 301.2, gyro
      // error 1.2 E.
      {"Quartermaster manual", 51.0 + 4.6 / 60.0, 19.0 + 0.4 / 60.0, 2460431.5, 2460461.5, 300.0,
       301.2, 1.2},
      // OIC-NW Reviewer, "Gyro Error" (oic-nwreviewer.blogspot.com/2014/05/
      // gyro-error.html): setting Sun bearing 290 pgc at latitude 37 10' S,
      // declination 13 37' N; amplitude W 17.18 N, true azimuth 287.18, gyro
      // error 2.8 W.
      {"OIC-NW Reviewer", -(37.0 + 10.0 / 60.0), 13.0 + 37.0 / 60.0, 2460415.5, 2460435.5, 290.0,
       287.18, -2.8},
  };
  for (const auto& example : kExamples) {
    SCOPED_TRACE(example.source);
    const double jd = WhenDeclination(example.declination, example.searchFrom, example.searchTo,
                                      example.latitude);
    const double longitude = WhereSetting(jd, example.latitude);
    const ObservedSkyPlace sun = Sun(jd, example.latitude, longitude);
    // Found at longitude 0: elsewhere the Sun's parallax moves it by 9" at most.
    EXPECT_NEAR(sun.decDeg, example.declination, kParallaxDeg);
    EXPECT_NEAR(sun.azimuthDeg, example.publishedAzimuth, kToleranceDeg);

    ReportLine lines[kCompassErrorMaxLines];
    int lineCount = 0;
    double error = 0.0;
    ASSERT_EQ(DetermineCompassError(context, jd, 0.0, kSun, kNoStar, example.latitude, longitude,
                                    kNoHeightM, example.observed, 0.0, false, lines, lineCount,
                                    error),
              kStatusOk);
    EXPECT_NEAR(error, example.publishedError, kToleranceDeg);
  }
}

}  // namespace
}  // namespace navora
