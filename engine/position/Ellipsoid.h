#pragma once

#include "engine/common/Angles.h"
#include "engine/places/AstronomicalConstants.h"

namespace navora {

// Earth ellipsoid of the dead reckoning and the small helpers that every
// sailing shares.
//
// Model: WGS-84 semi-major axis 6378.137 km with the flattening rounded to
// 0.00335281 (every position test uses the same figure). Units: km, latitudes
// and azimuths in radians, courses in degrees. Domain: the helpers are total
// on finite input and have no status; the operations that call them check
// their arguments first. Accuracy: closed forms, exact to rounding.
inline constexpr double kEquatorialRadiusKm = kEarthEquatorialRadiusMetres * 0.001;
inline constexpr double kFlattening = kEarthFlattening;
inline constexpr double kEccentricitySquared = 2.0 * kFlattening - kFlattening * kFlattening;
// a (1 - e^2): the meridian radius of curvature at the equator.
inline constexpr double kMeridianRadiusAtEquatorKm =
    kEquatorialRadiusKm * (1.0 - kEccentricitySquared);

// sqrt(1 - e^2 sin^2 lat), the factor shared by both radii of curvature.
double EllipsoidW(double latitudeRad);

// Radius of curvature in the meridian, km.
double MeridianRadius(double latitudeRad);

// Radius of curvature in the prime vertical, km.
double PrimeVerticalRadius(double latitudeRad);

// Radius of curvature of a normal section in the direction azimuthRad
// (Euler's formula), km.
double RadiusOfCurvatureInDirection(double latitudeRad, double azimuthRad);

// Isometric latitude: the Mercator ordinate on the ellipsoid, radians.
double IsometricLatitude(double latitudeRad);

// Whether a course in degrees runs along a meridian (due north or south)
// within 1e-8 degree, either side of a multiple of 180.
bool IsMeridianCourse(double courseDeg);

}  // namespace navora
