#include "engine/places/StarPlace.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/places/PrecessionNutation.h"
#include "engine/places/StarCatalogue.h"

namespace navora {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kArcsecondsPerRadian = 206264.80624709636;

constexpr int kAlnilam = 15;

const StarEntry& Star(int number) { return kStarCatalogue[number - 1]; }

double Length(const Vector3& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

double SeparationArcsec(const Vector3& a, const Vector3& b) {
  const Vector3 cross = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                         a[0] * b[1] - a[1] * b[0]};
  const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  return std::atan2(Length(cross), dot) * kArcsecondsPerRadian;
}

// Catalogue direction moved by space motion from J2000 to jd.
Vector3 MovedPosition(const StarEntry& star, double jd) {
  Vector3 position{}, velocity{}, moved{};
  StarVectors(star.raHours, star.decDeg, star.pmRa, star.pmDec, star.parallax, star.radialVelocity,
              position, velocity);
  ApplyProperMotion(kJ2000, position, velocity, jd, moved);
  return moved;
}

class StarApparentPlaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(OpenDefaultEphemeris(places_.ephemeris), kStatusOk);
  }

  struct Place {
    EngineStatus status = -1;
    double ra = 0.0, dec = 0.0, obliquity = 0.0;
    Vector3 unit{};
  };

  Place PlaceOf(int number, double jd) {
    const StarEntry& s = Star(number);
    Place p;
    p.status = StarApparentPlace(places_, jd, kEarth, s.raHours, s.decDeg, s.pmRa, s.pmDec, s.parallax,
                                 s.radialVelocity, p.ra, p.dec, p.unit, p.obliquity);
    return p;
  }

  uint64_t DateComputations() const { return places_.caches.starRefreshCount; }

  PlaceContext places_;
};

TEST_F(StarApparentPlaceTest, PolarisIsPlacedOffTheAxis) {
  const double jd2020 = 2458849.5;
  const Place polaris = PlaceOf(kPolarisNumber, jd2020);
  ASSERT_EQ(polaris.status, kStatusOk);
  // Precession carries Polaris toward the pole: about 89 deg 21' and 2 h 57 m in 2020.
  EXPECT_NEAR(polaris.dec, 89.35, 0.02);
  EXPECT_NEAR(polaris.ra, 2.95, 0.05);
  EXPECT_NEAR(Length(polaris.unit), 1.0, 1e-12);
  EXPECT_GT(std::hypot(polaris.unit[0], polaris.unit[1]), 0.01);
  EXPECT_NEAR(polaris.obliquity, 23.436, 0.005);
}

// Alnilam has no parallax. Early in June the Earth moves at right angles to
// it, so its apparent place lies a full aberration (about 20") from its
// geometric place of date.
TEST_F(StarApparentPlaceTest, ZeroParallaxStarStillShowsAberration) {
  const double jdJune2001 = 2452064.5;
  const Place alnilam = PlaceOf(kAlnilam, jdJune2001);
  ASSERT_EQ(alnilam.status, kStatusOk);
  ASSERT_TRUE(std::isfinite(alnilam.ra) && std::isfinite(alnilam.dec));

  Vector3 geometric = MovedPosition(Star(kAlnilam), jdJune2001);
  NutationOfDate nutation;
  ComputeNutationOfDate(jdJune2001, nutation);
  J2000ToTrueOfDate(jdJune2001, nutation, geometric, geometric);

  const double aberration = SeparationArcsec(alnilam.unit, geometric);
  EXPECT_GT(aberration, 19.8);
  EXPECT_LT(aberration, 20.8);
}

TEST_F(StarApparentPlaceTest, SecondStarAtTheSameDateReusesTheEarthState) {
  const double jd = 2455000.25;
  const uint64_t before = DateComputations();
  ASSERT_EQ(PlaceOf(49, jd).status, kStatusOk);
  EXPECT_EQ(DateComputations(), before + 1);

  const uint64_t recordsRead = places_.ephemeris.reader.RecordReadCount();
  ASSERT_EQ(PlaceOf(5, jd).status, kStatusOk);
  ASSERT_EQ(PlaceOf(kPolarisNumber, jd).status, kStatusOk);
  EXPECT_EQ(DateComputations(), before + 1);
  EXPECT_EQ(places_.ephemeris.reader.RecordReadCount(), recordsRead);
  ASSERT_EQ(PlaceOf(49, jd + 1.0).status, kStatusOk);
  EXPECT_EQ(DateComputations(), before + 2);
}

TEST_F(StarApparentPlaceTest, FailedDateIsNotCached) {
  const double outsideFile = 2400000.5;
  Vector3 earthPosition{}, earthVelocity{};
  const EngineStatus expected =
      places_.ephemeris.reader.GetBodyState(outsideFile, kEarth, kOriginBarycentre, earthPosition, earthVelocity);
  ASSERT_NE(expected, kStatusOk);

  EXPECT_EQ(PlaceOf(1, outsideFile).status, expected);
  const uint64_t afterFailure = DateComputations();
  EXPECT_EQ(PlaceOf(2, outsideFile).status, expected);
  EXPECT_EQ(DateComputations(), afterFailure + 1);

  EXPECT_EQ(PlaceOf(1, 2455000.5).status, kStatusOk);
}

}  // namespace
}  // namespace navora
