// Star places against the reference written with the full modern models
// (space motion, relativistic aberration, solar light deflection).

#include <gtest/gtest.h>

#include <cstdio>

#include "engine/ephemeris/EphemerisReader.h"
#include "engine/places/ReferencePlaces.h"
#include "engine/places/StarCatalogue.h"
#include "engine/places/StarPlace.h"

namespace navora {
namespace {

using testing::LargestResiduals;
using testing::LoadReferencePlaces;
using testing::PlaceResidual;
using testing::ReferencePlace;
using testing::Track;

constexpr double kPlaceToleranceArcsec = 3.0;

TEST(ReferenceStarPlaces, CatalogueStarsAgreeWithTheReference) {
  double first = 0.0, last = 0.0;
  ASSERT_EQ(OpenEphemerisFile("1970-2025.eph", first, last), kStatusOk);
  LargestResiduals largest;
  int compared = 0;
  for (const ReferencePlace& reference : LoadReferencePlaces()) {
    if (reference.kind != "star") continue;
    ASSERT_GE(reference.body, 1);
    ASSERT_LE(reference.body, kStarCount);
    const StarEntry& star = kStarCatalogue[reference.body - 1];
    double ra = 0.0, dec = 0.0, obliquity = 0.0;
    Vector3 unitVector{};
    ASSERT_EQ(StarApparentPlace(reference.jdTt, kEarth, star.raHours, star.decDeg, star.pmRa,
                                star.pmDec, star.parallax, star.radialVelocity, ra, dec,
                                unitVector, obliquity),
              kStatusOk);
    const auto residual = PlaceResidual(ra, dec, reference);
    EXPECT_LT(residual.Largest(), kPlaceToleranceArcsec)
        << star.name << " at " << reference.jdTt;
    Track(largest, reference.body, residual.Largest());
    ++compared;
  }
  EXPECT_EQ(compared, 2400);
  for (const auto& [number, value] : largest) {
    std::printf("star %3d %-13s largest residual %.3f arcsec\n", number,
                kStarCatalogue[number - 1].name, value);
  }
}

}  // namespace
}  // namespace navora
