#pragma once

#include <cstdint>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// Apparent place of the Sun, Moon or a planet seen from the Earth's centre,
// true equator and equinox of date. Right ascension in hours [0, 24),
// declination degrees, distance AU (geometric, at jdTt); positionOfDate is
// distance x unit vector of the place; astrometric is the light-time corrected
// J2000 vector; light time in days. earth is the Earth's BodyId (kEarth).
// Status: that of GetBodyState (1, 2, 3) or of VectorToRaDec (1, 2).
[[nodiscard]] EngineStatus GeocentricApparentPlace(PlaceContext& context, double jdTt, BodyId body, BodyId earth,
                                     double& raHours, double& decDeg,
                                     double& distanceAu,
                                     Vector3& positionOfDate,
                                     Vector3& astrometric,
                                     double& trueObliquityDeg,
                                     double& lightTimeDays);

// The same from an observer at east longitude, latitude (degrees) and height
// (metres); UT1 = jdTt - deltaTSeconds / 86400 gives the Greenwich apparent
// sidereal time (hours), which is returned as well.
[[nodiscard]] EngineStatus TopocentricApparentPlace(PlaceContext& context, double jdTt, double deltaTSeconds,
                                      BodyId body, BodyId earth,
                                      double eastLongitudeDeg,
                                      double latitudeDeg, double heightMetres,
                                      double& raHours, double& decDeg,
                                      double& distanceAu,
                                      Vector3& positionOfDate,
                                      Vector3& astrometric,
                                      double& trueObliquityDeg,
                                      double& gastHours,
                                      double& lightTimeDays);

// Place of a planet's centre of light, displaced from its centre toward the
// Sun across the line of sight by the phase. towardSun and towardEarth are
// unit vectors from the planet; planetPosition its geocentric vector (AU).
// Displacement in arcsec. Status of VectorToRaDec.
[[nodiscard]] EngineStatus CentreOfLightPlace(const Vector3& towardSun,
                                const Vector3& towardEarth,
                                const Vector3& planetPosition,
                                double phaseAngleDeg, double planetRadiusMetres,
                                double semiDiameterArcsec, double& raHours,
                                double& decDeg, double& displacementArcsec);

}  // namespace navora
