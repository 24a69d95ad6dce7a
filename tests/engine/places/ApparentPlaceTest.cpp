#include <gtest/gtest.h>

#include <cmath>

#include "engine/ephemeris/EphemerisTable.h"
#include "engine/places/ApparentPlace.h"
#include "engine/places/PlaceVectors.h"
#include "engine/places/PrecessionNutation.h"
#include "engine/places/StarCatalogue.h"
#include "engine/places/StarPlace.h"

namespace navora {
namespace {

// Well inside one 32-day ephemeris record, so that bodies at this instant and
// their light-time-retarded instants share the record.
constexpr double kMidRecordJd = 2450144.7;
constexpr double kSpeedOfLight = 173.14463272148387;  // AU/day
constexpr double kMetresPerAu = 149597870660.0;
constexpr double kEarthRadiusMetres = 6378137.0;
constexpr double kJ2000 = 2451545.0;
constexpr double kArcsecondsPerRadian = 206264.80624709636;
constexpr int kAlnilam = 15;

double Length(const Vector3& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

const StarEntry& Star(int number) { return kStarCatalogue[number - 1]; }

double SeparationArcsec(const Vector3& a, const Vector3& b) {
  const Vector3 cross = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                         a[0] * b[1] - a[1] * b[0]};
  const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  return std::atan2(Length(cross), dot) * kArcsecondsPerRadian;
}

struct Place {
  EngineStatus status = -1;
  double ra = 0.0, dec = 0.0, distance = 0.0, obliquity = 0.0, lightTime = 0.0, gast = 0.0;
  Vector3 ofDate{}, astrometric{};
};

class ApparentPlaceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(OpenDefaultEphemeris(places_.ephemeris), kStatusOk); }

  Place Geocentric(double jd, BodyId body) {
    Place p;
    p.status = GeocentricApparentPlace(places_, jd, body, kEarth, p.ra, p.dec, p.distance, p.ofDate,
                                       p.astrometric, p.obliquity, p.lightTime);
    return p;
  }

  Place Topocentric(double jd, BodyId body, double latitude) {
    Place p;
    p.status = TopocentricApparentPlace(places_, jd, 64.0, body, kEarth, -70.0, latitude, 20.0,
                                        p.ra, p.dec, p.distance, p.ofDate, p.astrometric,
                                        p.obliquity, p.gast, p.lightTime);
    return p;
  }

  struct StarPlace {
    EngineStatus status = -1;
    double ra = 0.0, dec = 0.0, obliquity = 0.0;
    Vector3 unit{};
  };

  StarPlace PlaceOf(int number, double jd) {
    const StarEntry& s = Star(number);
    StarPlace p;
    p.status = StarApparentPlace(places_, jd, kEarth, s.raHours, s.decDeg, s.pmRa, s.pmDec,
                                 s.parallax, s.radialVelocity, p.ra, p.dec, p.unit, p.obliquity);
    return p;
  }

  uint64_t RefreshCount() const { return places_.caches.bodyRefreshCount; }
  uint64_t DateComputations() const { return places_.caches.starRefreshCount; }
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

// A second body at the same date reuses the Earth state and nutation; the
// topocentric routine keeps a cache of its own.
TEST_F(ApparentPlaceTest, SameDateReusesEarthStateAndNutationPerRoutine) {
  ASSERT_EQ(Geocentric(kMidRecordJd, kSun).status, kStatusOk);
  const uint64_t refreshes = RefreshCount();
  const uint64_t reads = RecordReadCount();
  ASSERT_EQ(Geocentric(kMidRecordJd, kMoon).status, kStatusOk);
  EXPECT_EQ(RefreshCount(), refreshes);
  EXPECT_EQ(RecordReadCount(), reads);

  ASSERT_EQ(Topocentric(kMidRecordJd, kSun, 40.0).status, kStatusOk);
  EXPECT_EQ(RefreshCount(), refreshes + 1);
  const uint64_t topocentricReads = RecordReadCount();
  ASSERT_EQ(Topocentric(kMidRecordJd, kMoon, 40.0).status, kStatusOk);
  ASSERT_EQ(Topocentric(kMidRecordJd, kMoon, -40.0).status, kStatusOk);
  ASSERT_EQ(Geocentric(kMidRecordJd, kMoon).status, kStatusOk);
  EXPECT_EQ(RefreshCount(), refreshes + 1);
  EXPECT_EQ(RecordReadCount(), topocentricReads);

  ASSERT_EQ(Geocentric(kMidRecordJd + 0.01, kMoon).status, kStatusOk);
  EXPECT_EQ(RefreshCount(), refreshes + 2);
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

TEST_F(ApparentPlaceTest, PolarisIsPlacedOffTheAxis) {
  const double jd2020 = 2458849.5;
  const StarPlace polaris = PlaceOf(kPolarisNumber, jd2020);
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
TEST_F(ApparentPlaceTest, ZeroParallaxStarStillShowsAberration) {
  const double jdJune2001 = 2452064.5;
  const StarPlace alnilam = PlaceOf(kAlnilam, jdJune2001);
  ASSERT_EQ(alnilam.status, kStatusOk);
  ASSERT_TRUE(std::isfinite(alnilam.ra) && std::isfinite(alnilam.dec));

  const StarEntry& star = Star(kAlnilam);
  Vector3 position{}, velocity{}, geometric{};
  StarVectors(star.raHours, star.decDeg, star.pmRa, star.pmDec, star.parallax, star.radialVelocity,
              position, velocity);
  ApplyProperMotion(kJ2000, position, velocity, jdJune2001, geometric);
  NutationOfDate nutation;
  ComputeNutationOfDate(jdJune2001, nutation);
  J2000ToTrueOfDate(jdJune2001, nutation, geometric, geometric);

  const double aberration = SeparationArcsec(alnilam.unit, geometric);
  EXPECT_GT(aberration, 19.8);
  EXPECT_LT(aberration, 20.8);
}

TEST_F(ApparentPlaceTest, SecondStarAtTheSameDateReusesTheEarthState) {
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

TEST_F(ApparentPlaceTest, FailedDateIsNotCached) {
  const double outsideFile = 2400000.5;
  Vector3 earthPosition{}, earthVelocity{};
  const EngineStatus expected = places_.ephemeris.reader.GetBodyState(
      outsideFile, kEarth, kOriginBarycentre, earthPosition, earthVelocity);
  ASSERT_NE(expected, kStatusOk);

  EXPECT_EQ(PlaceOf(1, outsideFile).status, expected);
  const uint64_t afterFailure = DateComputations();
  EXPECT_EQ(PlaceOf(2, outsideFile).status, expected);
  EXPECT_EQ(DateComputations(), afterFailure + 1);

  EXPECT_EQ(PlaceOf(1, 2455000.5).status, kStatusOk);
}

// A planet 1 AU away along +x, radius and semi-diameter chosen so that one
// radius subtends the semi-diameter.
constexpr double kPlanetRadius = 6.0e6;
const double kSemiDiameter = std::asin(kPlanetRadius / kMetresPerAu) * kArcsecondsPerRadian;

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

TEST(VectorToRaDec, ZeroAndPoleVectorsAndTheWrapOfTheDay) {
  double ra = -1.0, dec = -1.0;
  EXPECT_EQ(VectorToRaDec({0.0, 0.0, 0.0}, ra, dec), kRaDecZeroVector);
  EXPECT_EQ(ra, 0.0);
  EXPECT_EQ(dec, 0.0);

  EXPECT_EQ(VectorToRaDec({0.0, 0.0, 1.0}, ra, dec), kRaDecPoleVector);
  EXPECT_EQ(ra, 0.0);
  EXPECT_EQ(dec, 90.0);
  EXPECT_EQ(VectorToRaDec({0.0, 0.0, -3.0}, ra, dec), kRaDecPoleVector);
  EXPECT_EQ(dec, -90.0);

  ASSERT_EQ(VectorToRaDec({1.0, -1.0, 0.0}, ra, dec), kStatusOk);
  EXPECT_NEAR(ra, 21.0, 1e-12);
  // An angle just below zero must not come back as 24.
  ASSERT_EQ(VectorToRaDec({1.0, -1e-300, 0.0}, ra, dec), kStatusOk);
  EXPECT_LT(ra, 24.0);
}

TEST(ObserverVectors, PlaceTheObserverOnTheEllipsoid) {
  Vector3 position{}, velocity{};
  // Eastward at 465.1 m/s on the equator, at rest on the pole.
  ObserverVectors(0.0, 0.0, 0.0, 0.0, position, velocity);
  EXPECT_NEAR(velocity[0], 0.0, 1e-20);
  EXPECT_NEAR(velocity[1] * kMetresPerAu / 86400.0, 465.1011, 1e-3);
  ObserverVectors(0.0, 90.0, 0.0, 7.0, position, velocity);
  EXPECT_NEAR(position[2] * kMetresPerAu, kEarthRadiusMetres * (1.0 - 0.00335281), 1e-4);
  EXPECT_NEAR(Length(velocity), 0.0, 1e-18);  // 1e-18 AU/day is 1.7 nm/s

  // Independent geodetic-to-Cartesian conversion; the local sidereal angle is
  // sidereal time plus east longitude.
  ObserverVectors(30.0, 45.0, 1000.0, 2.0, position, velocity);
  const Vector3 expected = {1.5101478263676641e-05, 2.6156527622084967e-05, 3.0000798141986165e-05};
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(position[i], expected[i], 1e-17) << i;
  ObserverVectors(-130.0, -33.0, 0.0, 2.0, position, velocity);
  const Vector3 south = {-6.2152942740495555e-06, -3.52486854199913e-05, -2.3088287486091627e-05};
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(position[i], south[i], 1e-17) << i;
  // Velocity is the rotation about the axis: perpendicular to the position.
  EXPECT_NEAR(position[0] * velocity[0] + position[1] * velocity[1], 0.0, 1e-22);
  EXPECT_EQ(velocity[2], 0.0);
}

// A light time of exactly zero means "not known": |position| / c is used,
// which gives the 20.5 arcsec of annual aberration at the Earth's speed.
TEST(ApplyAberration, TakesLightTimeFromDistanceWhenZero) {
  Vector3 out{};
  ApplyAberration({0.0, 2.0, 0.0}, {0.0172, 0.0, 0.0}, 0.0, out);
  EXPECT_NEAR(std::atan2(out[0], out[1]) * 206264.806, 20.49, 0.05);
  ApplyAberration({0.0, 2.0, 0.0}, {0.0172, 0.0, 0.0}, 0.5, out);
  EXPECT_EQ(out, (Vector3{0.0086, 2.0, 0.0}));
}

}  // namespace
}  // namespace navora
