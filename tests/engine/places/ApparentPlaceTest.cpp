#include "engine/places/ApparentPlace.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/places/PlaceVectors.h"
#include "engine/places/StarPlace.h"

namespace navora {
namespace {

// Well inside one 32-day ephemeris record, so that bodies at this instant and
// their light-time-retarded instants share the record.
constexpr double kMidRecordJd = 2450144.7;
constexpr double kSpeedOfLight = 173.14463272148387;  // AU/day

double Length(const Vector3& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

struct Place {
  EngineStatus status = -1;
  double ra = 0.0, dec = 0.0, distance = 0.0, obliquity = 0.0, lightTime = 0.0, gast = 0.0;
  Vector3 ofDate{}, astrometric{};
};

Place Geocentric(PlaceContext& context, double jd, BodyId body) {
  Place p;
  p.status = GeocentricApparentPlace(context, jd, body, kEarth, p.ra, p.dec, p.distance, p.ofDate,
                                     p.astrometric, p.obliquity, p.lightTime);
  return p;
}

Place Topocentric(PlaceContext& context, double jd, BodyId body, double latitude) {
  Place p;
  p.status = TopocentricApparentPlace(context, jd, 64.0, body, kEarth, -70.0, latitude, 20.0, p.ra, p.dec,
                                      p.distance, p.ofDate, p.astrometric, p.obliquity, p.gast,
                                      p.lightTime);
  return p;
}

class ApparentPlaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(OpenDefaultEphemeris(places_.ephemeris), kStatusOk);
  }

  Place Geocentric(double jd, BodyId body) { return navora::Geocentric(places_, jd, body); }
  Place Topocentric(double jd, BodyId body, double latitude) {
    return navora::Topocentric(places_, jd, body, latitude);
  }
  uint64_t RefreshCount() const { return places_.caches.bodyRefreshCount; }
  uint64_t RecordReadCount() const { return places_.ephemeris.reader.RecordReadCount(); }

  PlaceContext places_;
};

// The vector of date has the reported place and the geometric distance; the
// astrometric vector is the light-time corrected one.
TEST_F(ApparentPlaceTest, VectorsAgreeWithThePlaceDistanceAndLightTime) {
  for (BodyId body : {kSun, kMoon}) {
    const Place p = Geocentric(kMidRecordJd, body);
    ASSERT_EQ(p.status, kStatusOk);
    EXPECT_NEAR(p.lightTime, p.distance / kSpeedOfLight, 1e-9);
    EXPECT_NEAR(Length(p.ofDate), p.distance, 1e-15);
    double ra = 0.0, dec = 0.0;
    ASSERT_EQ(VectorToRaDec(p.ofDate, ra, dec), kStatusOk);
    EXPECT_NEAR(ra, p.ra, 1e-12);
    EXPECT_NEAR(dec, p.dec, 1e-12);
    EXPECT_NEAR(Length(p.astrometric), p.lightTime * kSpeedOfLight, 1e-15);
    EXPECT_NEAR(p.obliquity, 23.44, 0.01);
  }
}

TEST_F(ApparentPlaceTest, SecondBodyAtTheSameDateReusesEarthStateAndNutation) {
  ASSERT_EQ(Geocentric(kMidRecordJd, kSun).status, kStatusOk);
  const uint64_t refreshes = RefreshCount();
  const uint64_t reads = RecordReadCount();

  ASSERT_EQ(Geocentric(kMidRecordJd, kMoon).status, kStatusOk);
  EXPECT_EQ(RefreshCount(), refreshes);
  EXPECT_EQ(RecordReadCount(), reads);
  ASSERT_EQ(Geocentric(kMidRecordJd + 0.01, kMoon).status, kStatusOk);
  EXPECT_EQ(RefreshCount(), refreshes + 1);
}

TEST_F(ApparentPlaceTest, TopocentricRoutineKeepsItsOwnCache) {
  ASSERT_EQ(Geocentric(kMidRecordJd, kSun).status, kStatusOk);
  const uint64_t refreshes = RefreshCount();
  ASSERT_EQ(Topocentric(kMidRecordJd, kSun, 40.0).status, kStatusOk);
  EXPECT_EQ(RefreshCount(), refreshes + 1);
  const uint64_t reads = RecordReadCount();
  ASSERT_EQ(Topocentric(kMidRecordJd, kMoon, 40.0).status, kStatusOk);
  ASSERT_EQ(Topocentric(kMidRecordJd, kMoon, -40.0).status, kStatusOk);
  EXPECT_EQ(RefreshCount(), refreshes + 1);
  EXPECT_EQ(RecordReadCount(), reads);
  // The geocentric routine's cache still holds its date.
  ASSERT_EQ(Geocentric(kMidRecordJd, kMoon).status, kStatusOk);
  EXPECT_EQ(RefreshCount(), refreshes + 1);
}

TEST_F(ApparentPlaceTest, FailuresPassStatusesUpAndAreNotCached) {
  constexpr double kBeforeFile = 2440000.5;
  constexpr EngineStatus kEphemerisDateOutside = 3;
  constexpr EngineStatus kEphemerisBadBody = 1;
  const uint64_t refreshes = RefreshCount();
  EXPECT_EQ(Geocentric(kBeforeFile, kSun).status, kEphemerisDateOutside);
  EXPECT_EQ(Geocentric(kBeforeFile, kSun).status, kEphemerisDateOutside);
  EXPECT_EQ(RefreshCount(), refreshes + 2);
  EXPECT_EQ(Topocentric(kBeforeFile, kMoon, 10.0).status, kEphemerisDateOutside);

  EXPECT_EQ(Geocentric(kMidRecordJd, 12).status, kEphemerisBadBody);
  EXPECT_EQ(Topocentric(kMidRecordJd, 0, 10.0).status, kEphemerisBadBody);
  // The Earth seen from its own centre is the zero vector.
  EXPECT_EQ(Geocentric(kMidRecordJd, kEarth).status, kRaDecZeroVector);
  EXPECT_EQ(Geocentric(kMidRecordJd, kMars).status, kStatusOk);
}

// Arguments outside their domain are refused before anything is read.
TEST_F(ApparentPlaceTest, ArgumentsOutsideTheDomainAreRefused) {
  for (double latitude : {95.0, -90.0001, std::nan(""), double{INFINITY}}) {
    EXPECT_EQ(Topocentric(kMidRecordJd, kSun, latitude).status, kStatusOutOfDomain) << latitude;
  }
  double ra = 0.0, dec = 0.0, obliquity = 0.0;
  Vector3 unit{};
  for (double declination : {90.5, std::nan("")}) {
    EXPECT_EQ(StarApparentPlace(places_, kMidRecordJd, kEarth, 1.0, declination, 0.0, 0.0, 0.1, 0.0,
                                ra, dec, unit, obliquity),
              kStatusOutOfDomain);
  }
  double displacement = 0.0;
  for (double phase : {-0.1, 180.1, std::nan("")}) {
    EXPECT_EQ(CentreOfLightPlace({0, 0, 1}, {-1, 0, 0}, {1, 0, 0}, phase, 6.0e6, 8.0, ra, dec,
                                 displacement),
              kStatusOutOfDomain)
        << phase;
  }
}

// A planet 1 AU away along +x, radius and semi-diameter chosen so that one
// radius subtends the semi-diameter.
constexpr double kPlanetRadius = 6.0e6;
constexpr double kMetresPerAu = 149597870660.0;
const double kSemiDiameter = std::asin(kPlanetRadius / kMetresPerAu) * 206264.80624709636;

struct CentreOfLight {
  double ra = 0.0, dec = 0.0, displacement = 0.0;
  double offsetArcsec = 0.0;  // from the planet's centre, toward +z
};

// The Sun lies at phaseDeg from the Earth direction, on the +z side.
CentreOfLight CentreOfLightAt(double phaseDeg) {
  const double phase = phaseDeg * 3.14159265358979323846 / 180.0;
  const Vector3 towardEarth = {-1.0, 0.0, 0.0};
  const Vector3 towardSun = {-std::cos(phase), 0.0, std::sin(phase)};
  CentreOfLight c;
  EXPECT_EQ(CentreOfLightPlace(towardSun, towardEarth, {1.0, 0.0, 0.0}, phaseDeg, kPlanetRadius,
                               kSemiDiameter, c.ra, c.dec, c.displacement),
            kStatusOk);
  c.offsetArcsec = c.dec * 3600.0;
  return c;
}

TEST(CentreOfLightPlace, MovesTowardTheSunWithThePhase) {
  const CentreOfLight full = CentreOfLightAt(0.0);
  EXPECT_NEAR(full.offsetArcsec, 0.0, 1e-9);
  EXPECT_EQ(full.displacement, 0.0);
  EXPECT_NEAR(full.ra, 0.0, 1e-12);

  // Displacement across the line of sight is (1 - cos i) 4/(3 pi) radii; the
  // point also lies nearer the Earth than the centre, which enlarges the
  // angle it subtends by a few parts in 1e5.
  for (const double phase : {30.0, 60.0, 90.0, 120.0, 150.0, 179.0}) {
    const CentreOfLight c = CentreOfLightAt(phase);
    const double expected =
        (1.0 - std::cos(phase * 3.14159265358979323846 / 180.0)) * 0.4244131816 * kSemiDiameter;
    EXPECT_NEAR(c.offsetArcsec, expected, expected * 1e-4) << phase;
    EXPECT_NEAR(c.displacement, c.offsetArcsec, expected * 1e-4) << phase;
  }
  // The exact coefficients near 0 and 90 degrees join the general expression.
  EXPECT_NEAR(CentreOfLightAt(89.999).offsetArcsec, CentreOfLightAt(90.0).offsetArcsec, 1e-4);
  EXPECT_NEAR(CentreOfLightAt(0.001).offsetArcsec, 0.0, 1e-6);
  // With the Sun straight behind the planet no sunward side exists: the
  // point stays on the line of sight.
  EXPECT_NEAR(CentreOfLightAt(180.0).offsetArcsec, 0.0, 1e-9);
}

}  // namespace
}  // namespace navora
