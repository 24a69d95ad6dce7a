#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// Geometric checks of sight planning: on which side of one body another lies,
// and whether the Sun or the Moon is eclipsed for the observer.
//
// Model: angles between geocentric or topocentric direction vectors; the
// Earth's shadow as a cone whose radii at the Moon are (Moon parallax at
// latitude 45 + Sun parallax +/- Sun semi-diameter), enlarged by 2 per cent
// for the atmosphere. Units: angles in degrees, radii and semi-diameters in
// arcseconds, right ascensions in hours, distances in AU (RelativeDirection:
// any unit, the same for both). Accuracy: the shadow radii at the Moon's
// mean distance are 42.0' and 74.7' to 0.5'; the eclipse type is decided at
// those radii, so contacts are placed to about 0.5'.
//
// Statuses: kStatusOutOfDomain (outputs zero or blank) for a declination
// outside -90..90, a separation or zenith distance outside 0..180, a negative
// radius, a non-positive distance, or a non-finite angle, radius, distance,
// time, height of eye or vector.
//
// Results of DiskOverlap, SunMoonEclipseCheck and LunarEclipseCheck. Codes are
// shared: kDisksApart, kNoEclipse and kStatusOk are all 0, and each solar
// eclipse is the DiskOverlap result of the same code. A failed apparent place
// makes SunMoonEclipseCheck return its status plus kEclipsePlaceFailureOffset.
inline constexpr EngineStatus kDisksApart = 0;
inline constexpr EngineStatus kDisksPartialOverlap = 1;
inline constexpr EngineStatus kFirstDiskCovered = 2;
inline constexpr EngineStatus kSecondDiskInside = 3;

inline constexpr EngineStatus kNoEclipse = 0;
inline constexpr EngineStatus kPartialSolarEclipse = kDisksPartialOverlap;
inline constexpr EngineStatus kTotalSolarEclipse = kFirstDiskCovered;
inline constexpr EngineStatus kAnnularSolarEclipse = kSecondDiskInside;
inline constexpr EngineStatus kPenumbralLunarEclipse = 4;
inline constexpr EngineStatus kPartialLunarEclipse = 5;
inline constexpr EngineStatus kTotalLunarEclipse = 6;
inline constexpr EngineStatus kEclipsePlaceFailureOffset = 90;

// Angular separation (degrees) of body 2 from body 1 and the side of body 1
// on which it lies: 'E' or 'W' by hour angle; for bodies within 5 degrees 'N'
// or 'S' when the difference in declination is the larger; ' ' when neither.
// Right ascensions in hours, declinations in degrees, vectors of length
// distance (positive).
[[nodiscard]] EngineStatus RelativeDirection(double ra1Hours, double dec1Deg, double distance1,
                                             const Vector3& vector1, double ra2Hours,
                                             double dec2Deg, double distance2,
                                             const Vector3& vector2, double& separationDeg,
                                             char& direction);

// Overlap of two disks of the radii (arcsec) at the separation (degrees):
// kDisksApart (touching counts as apart), kDisksPartialOverlap, or one inside
// the other (internal contact counts as inside): kFirstDiskCovered when disk 2
// is not smaller, kSecondDiskInside otherwise.
[[nodiscard]] EngineStatus DiskOverlap(double separationDeg, double radius1Arcsec,
                                       double radius2Arcsec);

// Radii (arcsec) of the Earth's penumbra and umbra at the Moon's distance,
// enlarged by 2 per cent for the atmosphere.
[[nodiscard]] EngineStatus ShadowRadii(double sunParallaxArcsec, double sunSemiDiameterArcsec,
                                       double moonDistanceAu, double& penumbraArcsec,
                                       double& umbraArcsec);

// Lunar eclipse at the geocentric positions (AU) of the Sun and the Moon:
// kTotalLunarEclipse, kPartialLunarEclipse, kPenumbralLunarEclipse or
// kNoEclipse.
[[nodiscard]] EngineStatus LunarEclipseCheck(const Vector3& sun, double sunDistanceAu,
                                             const Vector3& moon, double moonDistanceAu);

// Eclipse of the Sun or the Moon visible to an observer with the height of eye
// (metres), from the topocentric zenith distances (degrees) and semi-diameters
// (arcsec) of both and their separation (degrees). A solar eclipse counts
// while the Sun's upper limb is above the horizon, a lunar one while the
// Moon's upper limb is; the lunar check uses geocentric places at jd TT.
[[nodiscard]] EngineStatus SunMoonEclipseCheck(PlaceContext& context, double jdTt,
                                               double heightOfEyeMetres, double sunZenithDeg,
                                               double moonZenithDeg, double sunSemiDiameterArcsec,
                                               double moonSemiDiameterArcsec, double separationDeg);

}  // namespace navora
