#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// Results of DiskOverlap, SunMoonEclipseCheck and LunarEclipseCheck. A failed
// apparent place makes SunMoonEclipseCheck return its status plus
// kEclipsePlaceFailureOffset.
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
// distance (any unit, the same for both).
void RelativeDirection(double ra1Hours, double dec1Deg, double distance1, const Vector3& vector1,
                       double ra2Hours, double dec2Deg, double distance2, const Vector3& vector2,
                       double& separationDeg, char& direction);

// Overlap of two disks of the radii (arcsec) at the separation (degrees):
// kDisksApart (touching counts as apart), kDisksPartialOverlap, or one inside
// the other (internal contact counts as inside): kFirstDiskCovered when disk 2
// is not smaller, kSecondDiskInside otherwise.
EngineStatus DiskOverlap(double separationDeg, double radius1Arcsec, double radius2Arcsec);

// Radii (arcsec) of the Earth's penumbra and umbra at the Moon's distance,
// enlarged by 2 per cent for the atmosphere.
void ShadowRadii(double sunParallaxArcsec, double sunSemiDiameterArcsec, double moonDistanceAu,
                 double& penumbraArcsec, double& umbraArcsec);

// Lunar eclipse at the geocentric positions (AU) of the Sun and the Moon:
// kTotalLunarEclipse, kPartialLunarEclipse, kPenumbralLunarEclipse or
// kNoEclipse.
EngineStatus LunarEclipseCheck(const Vector3& sun, double sunDistanceAu, const Vector3& moon,
                               double moonDistanceAu);

// Eclipse of the Sun or the Moon visible to an observer with the height of eye
// (metres), from the topocentric zenith distances (degrees) and semi-diameters
// (arcsec) of both and their separation (degrees). A solar eclipse counts
// while the Sun's upper limb is above the horizon, a lunar one while the
// Moon's upper limb is; the lunar check uses geocentric places at jd TT.
EngineStatus SunMoonEclipseCheck(PlaceContext& context, double jdTt, double heightOfEyeMetres,
                                 double sunZenithDeg,
                                 double moonZenithDeg, double sunSemiDiameterArcsec,
                                 double moonSemiDiameterArcsec, double separationDeg);

}  // namespace navora
