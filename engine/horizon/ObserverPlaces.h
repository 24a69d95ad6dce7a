#pragma once

#include <cstdint>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"
#include "engine/places/PlaceContext.h"
#include "engine/places/StarCatalogue.h"

namespace navora {

// Where the Sun, the Moon, the planets and the catalogue stars stand in the
// sky of one observer at one instant: the common start of sight planning and
// of the compass error.
//
// Model: UT1 = UTC + (UT1 - UTC), TT = UT1 + Delta T of the table; the Sun,
// Moon and planets at their topocentric apparent places (ApparentPlace.h),
// the stars at their geocentric apparent places (StarPlace.h: the observer
// shifts a star by diurnal aberration alone, 0.3"); local apparent sidereal
// time from GMST 1982 and the 4-term equation of the equinoxes at TT, the
// same the topocentric places use; the exact rotations of HorizonFrame.h, no
// refraction. Units: Julian dates, UT1 - UTC and Delta T in seconds, angles
// in degrees, right ascension and sidereal time in hours, distances in AU,
// height in metres. Domain: the dates of the Delta T table and the open
// ephemeris; latitude -90..90. Accuracy: that of the places (0.3" to 0.85")
// and of the sidereal time (0.02 s), for a given UT1 - UTC.

// The time arguments and the observer of one instant.
struct ObserverInstant {
  double jdUtc = 0.0;
  double jdUt1 = 0.0;
  double deltaTSeconds = 0.0;
  double jdTt = 0.0;
  double localSiderealHours = 0.0;  // apparent, [0, 24)
  double latitudeDeg = 0.0;
  double eastLongitudeDeg = 0.0;
  double heightMetres = 0.0;
};

// Local hour angle of Aries (degrees, [0, 360)) of an instant.
inline double LhaAriesDeg(const ObserverInstant& instant) {
  return 15.0 * instant.localSiderealHours;
}

// A body's place and its horizon coordinates.
struct ObservedSkyPlace {
  double raHours = 0.0;
  double decDeg = 0.0;
  double distanceAu = 0.0;   // 0 for a star
  Vector3 positionOfDate{};  // topocentric vector of date, AU; a unit vector for a star
  double altitudeDeg = 0.0;  // filled by PlaceToHorizon
  double azimuthDeg = 0.0;   // true, [0, 360)
};

// Status: kStatusOk; the Delta T failure as the integer part of the table's
// answer (-1000 or below) when UT1 lies outside the table; kStatusOutOfDomain
// for a latitude outside -90..90 or an argument that is not finite.
[[nodiscard]] EngineStatus PrepareObserverInstant(PlaceContext& context, double jdUtc,
                                                  double ut1MinusUtcSeconds, double latitudeDeg,
                                                  double eastLongitudeDeg, double heightMetres,
                                                  ObserverInstant& instant);

// Topocentric apparent place of the Sun, the Moon or a planet (not the
// horizon coordinates). Status of TopocentricApparentPlace.
[[nodiscard]] EngineStatus ObserverBodyPlace(PlaceContext& context, const ObserverInstant& instant,
                                             BodyId body, ObservedSkyPlace& place);

// Geocentric apparent place of a catalogue star. Status of StarApparentPlace.
[[nodiscard]] EngineStatus ObserverStarPlace(PlaceContext& context, const ObserverInstant& instant,
                                             const StarEntry& star, ObservedSkyPlace& place);

// Altitude and azimuth of the place for the instant's observer. Status of
// RaDecToAzimuthAltitude (kAzAltVerticalVector at the zenith, azimuth 0).
[[nodiscard]] EngineStatus PlaceToHorizon(const ObserverInstant& instant, ObservedSkyPlace& place);

}  // namespace navora
