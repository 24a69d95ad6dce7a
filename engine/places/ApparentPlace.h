#pragma once

#include <cstdint>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// Model: barycentric ephemeris states at jdTt, light time by one iteration,
// first-order aberration from the observer's barycentric velocity, IAU 1976
// precession (Lieske) and IAU 1980 nutation (4 largest terms); no
// gravitational light deflection, no polar motion. Against IAU 2006/2000A
// with full deflection and aberration, over 200 instants 1970-2024: Sun
// 0.32", Moon, Venus, Mars and Saturn 0.33", Jupiter 0.85" (light bending
// near the Sun), topocentric Sun and Moon 0.32" and 0.33". Holds for the
// supported dates (kFirstSupportedJd..kLastSupportedJd) inside the open file.

// Apparent place of the Sun, Moon or a planet seen from the Earth's centre,
// true equator and equinox of date. Right ascension in hours [0, 24),
// declination degrees, distance AU (geometric, at jdTt); positionOfDate is
// distance x unit vector of the place; astrometric is the light-time corrected
// J2000 vector; light time in days. earth is the Earth's BodyId (kEarth).
// Status: that of GetBodyState (1, 2, 3) or of VectorToRaDec (1, 2).
[[nodiscard]] EngineStatus GeocentricApparentPlace(PlaceContext& context, double jdTt, BodyId body,
                                                   BodyId earth, double& raHours, double& decDeg,
                                                   double& distanceAu, Vector3& positionOfDate,
                                                   Vector3& astrometric, double& trueObliquityDeg,
                                                   double& lightTimeDays);

// The same from an observer at east longitude, geodetic latitude -90..90
// (degrees) and height above the ellipsoid (metres); UT1 = jdTt -
// deltaTSeconds / 86400 gives the Greenwich apparent sidereal time (hours),
// which is returned as well. Diurnal aberration is included.
// kStatusOutOfDomain for a latitude outside -90..90 or an argument that is
// not finite.
[[nodiscard]] EngineStatus TopocentricApparentPlace(
    PlaceContext& context, double jdTt, double deltaTSeconds, BodyId body, BodyId earth,
    double eastLongitudeDeg, double latitudeDeg, double heightMetres, double& raHours,
    double& decDeg, double& distanceAu, Vector3& positionOfDate, Vector3& astrometric,
    double& trueObliquityDeg, double& gastHours, double& lightTimeDays);

// Place of a planet's centre of light, displaced from its centre toward the
// Sun across the line of sight by (1 - cos i) x 4 / (3 pi) radii at phase
// angle i (degrees, 0..180). towardSun and towardEarth are unit vectors from
// the planet; planetPosition its geocentric vector (AU); radius in metres,
// semi-diameter and displacement in arcsec; right ascension hours [0, 24),
// declination degrees. Status of VectorToRaDec, or kStatusOutOfDomain for a
// phase angle outside 0..180, a negative radius or a value not finite.
[[nodiscard]] EngineStatus CentreOfLightPlace(const Vector3& towardSun, const Vector3& towardEarth,
                                              const Vector3& planetPosition, double phaseAngleDeg,
                                              double planetRadiusMetres, double semiDiameterArcsec,
                                              double& raHours, double& decDeg,
                                              double& displacementArcsec);

}  // namespace navora
