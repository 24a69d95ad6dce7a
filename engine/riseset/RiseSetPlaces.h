#pragma once

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/places/PlaceContext.h"
#include "engine/riseset/RiseSetDay.h"

namespace navora {

// The places behind the rise/set events: geocentric apparent places of the
// Sun and the Moon, the Moon's illuminated percentage, and the refraction that
// turns a true altitude into an apparent one.
//
// Model: the apparent-place chain of ApparentPlace.h (first-order aberration,
// 1976 precession, 4-term 1980 nutation) with a fixed light time instead of
// the iterated one: 0.0058 day for the Sun, 0.000015 day for the Moon. The
// true light time strays from these by up to 0.0001 day (Sun, over the year)
// and 0.000001 day (Moon), which moves the places by under 0.4" and 0.05".
// The Earth's state is read once per instant and carried linearly over the
// 1e-5 day it is reused for, so a reused state costs under 0.001".
// Checked against GeocentricApparentPlace once a year 2000-2024, with and
// without a reused Earth state: Sun within 0.5", Moon within 0.2" (the
// places' own error against IAU 2006/2000A is given in ApparentPlace.h).
// Units: Julian dates (TT where named so, else UT1), hours of right
// ascension [0, 24), degrees, AU. Domain: the dates of the open ephemeris.

// Light time the events' places are retarded by (days).
inline constexpr double kSunEventLightTimeDays = 0.0058;
inline constexpr double kMoonEventLightTimeDays = 0.000015;
// The Earth's kept state serves instants closer than this to it (days).
inline constexpr double kEarthStateReuseDays = 1e-5;

// Apparent right ascension (hours), declination (degrees) and geocentric
// distance (AU) of the Sun or the Moon at jdTt, true equator and equinox of
// date. `earth` keeps the Earth's state between calls. Status: that of
// GetBodyState or VectorToRaDec; kStatusOutOfDomain for another body or a
// date that is not finite.
[[nodiscard]] EngineStatus SunMoonPlaceForEvents(PlaceContext& places, RiseSetEarthCache& earth,
                                                 double jdTt, BodyId body, double& raHours,
                                                 double& decDeg, double& distanceAu);

// Answer of MoonIlluminationPercent when a place cannot be computed.
inline constexpr double kIlluminationUnavailable = -1.0;

// Illuminated percentage (0..100) of the Moon's disk at the UT1 instant, from
// the geocentric places of the Moon and the Sun (exact for a spherical Moon;
// the fixed light time changes it by under 0.001 per cent). Negative when it
// cannot be had: Delta T's own failure value (<= kDeltaTUnavailable) when
// Delta T is missing for the date, else kIlluminationUnavailable.
double MoonIlluminationPercent(PlaceContext& places, RiseSetEarthCache& earth, double jdUt1);

// Refraction r (degrees) for a true altitude a (degrees): the refraction of
// RefractionMinutes at the apparent altitude a + r, found by iteration to
// 0.00025 degree. Below kLowestRefractedAltitudeDeg, where the formula does
// not hold, the apparent altitude takes the refraction of that lowest
// altitude (about 0.83 degree), so that an altitude under the horizon still
// gets a finite, continuous value. 0 for a temperature or pressure that is
// not finite.
double RefractionForTrueAltitude(double trueAltitudeDeg, double temperatureC, double pressureMb);

}  // namespace navora
