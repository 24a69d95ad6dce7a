#pragma once

#include <cstdint>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// Barycentric position (AU) and velocity (AU/day) of a catalogue star at
// J2000 from its catalogue values (units as in StarEntry). A parallax that is
// zero or negative means "unknown" and places the star very far away, which
// keeps annual parallax negligible while aberration stays valid.
void StarVectors(double raHours, double decDeg, double pmRa, double pmDec, double parallax,
                 double radialVelocity, Vector3& position, Vector3& velocity);

// Space motion from jd1 to jd2: position + (jd2 - jd1) x velocity.
void ApplyProperMotion(double jd1, const Vector3& position, const Vector3& velocity, double jd2,
                       Vector3& movedPosition);

// Geocentric apparent place of a star at jdTt (true equator and equinox of
// date): right ascension in hours [0, 24), declination in degrees, the unit
// vector of date and the true obliquity in degrees. Model: linear space
// motion from J2000, annual parallax from the barycentric Earth, first-order
// aberration, IAU 1976 precession and 4-term IAU 1980 nutation; no light
// deflection. Twelve stars agree with IAU 2006/2000A to 0.10" to 0.32" over
// 1970-2024, given the catalogue values; the supported dates inside the open
// ephemeris. Status 0; the ephemeris status for the Earth; 1 or 2 from
// VectorToRaDec; kStatusOutOfDomain for a declination outside -90..90 or a
// catalogue value that is not finite. The context keeps the Earth state,
// nutation and obliquity of the last date that succeeded.
[[nodiscard]] EngineStatus StarApparentPlace(PlaceContext& context, double jdTt, BodyId earth,
                                             double raHours, double decDeg, double pmRa,
                                             double pmDec, double parallax, double radialVelocity,
                                             double& apparentRaHours, double& apparentDecDeg,
                                             Vector3& unitVectorOfDate, double& trueObliquityDeg);

}  // namespace navora
