#pragma once

#include <cstdint>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/places/PlaceContext.h"
#include "engine/places/StarCatalogue.h"
#include "engine/position/ReportLine.h"

namespace navora {

// The gyro or compass error from the azimuth of a celestial body: which
// bodies suit an azimuth observation at an instant (low ones, or the Sun and
// Moon by day), and the error of one observed bearing.
//
// Model: the places and horizon coordinates of ObserverPlaces.h (topocentric
// Sun, Moon and planets, geocentric stars, no refraction: refraction changes
// altitude, not azimuth); the horizon altitude RiseSetAltitude of the height
// of eye; the Sun's and Moon's upper limbs from radii of 696 000 000 m and
// 1 738 000 m. Units: degrees (azimuths and bearings true or relative, [0,
// 360)), UTC Julian dates, UT1 - UTC in seconds, height of eye in metres.
// Accuracy: the exact azimuth against the ERFA/DE405 reference is measured in
// the compass tests; it is printed to 0.1 degree.

// Bodies above this altitude (degrees) give too steep a bearing for planning;
// the Sun and Moon are offered at any altitude.
inline constexpr double kAzimuthPlanningMaxAltitudeDeg = 15.0;

// Moon, Sun, four planets and the 58 stars.
inline constexpr int kMaxAzimuthCandidates = 64;

struct AzimuthCandidate {
  uint16_t starNumber = 0;  // catalogue number; 0 for the Sun, Moon and planets
  char name[14] = {};
  double azimuth = 0.0;          // true, [0, 360)
  double relativeBearing = 0.0;  // clockwise from the ship's head, [0, 360)
  double altitude = 0.0;
};

// Status offsets of PlanAzimuthObservations, added to the failing step's
// status; a Delta T failure is returned as itself (-1000 or below).
inline constexpr EngineStatus kAzimuthPlanPlaceFailure = 10;
inline constexpr EngineStatus kAzimuthPlanHorizonFailure = 20;
inline constexpr EngineStatus kAzimuthPlanStarPlaceFailure = 30;

// Statuses of DetermineCompassError.
inline constexpr EngineStatus kCompassNoDeltaT = -1;
inline constexpr EngineStatus kCompassUnknownBody = 1;

// The body code of a star for DetermineCompassError.
inline constexpr BodyId kCompassStarBody = 20;

// The planning table's lines: title, position block, course, column heads
// and one line per candidate.
inline constexpr int kAzimuthPlanningHeaderLines = 10;
inline constexpr int kAzimuthPlanningMaxLines = kAzimuthPlanningHeaderLines + kMaxAzimuthCandidates;
// The determination report's most lines.
inline constexpr int kCompassErrorMaxLines = 20;

// Candidates in the order examined: Moon, Sun, Venus, Mars, Jupiter, Saturn,
// then stars 1..58; the Sun above the horizon ends the list.
[[nodiscard]] EngineStatus PlanAzimuthObservations(PlaceContext& context, double timeUtc,
                                                   double ut1MinusUtc, double latitude,
                                                   double longitude, double heightOfEyeM,
                                                   double course,
                                                   AzimuthCandidate (&candidates)[kMaxAzimuthCandidates],
                                                   int16_t& count);

// The table, candidates in ascending order of azimuth.
[[nodiscard]] EngineStatus FormatAzimuthPlanning(double timeUtc, double latitude,
                                                 double longitude, double heightOfEyeM,
                                                 double course,
                                                 const AzimuthCandidate* candidates, int16_t count,
                                                 ReportLine (&lines)[kAzimuthPlanningMaxLines],
                                                 int& lineCount);

// body: Venus, Mars, Jupiter, Saturn, Sun, Moon, or kCompassStarBody with
// `star` its catalogue entry. observed is the azimuth, or with
// observedIsRelative the relative bearing taken with `heading`. error =
// exact - observed, brought into (-350, 350): positive is East.
[[nodiscard]] EngineStatus DetermineCompassError(PlaceContext& context, double timeUtc,
                                                 double ut1MinusUtc, BodyId body,
                                                 const StarEntry& star, double latitude,
                                                 double longitude, double heightOfEyeM,
                                                 double observed, double heading,
                                                 bool observedIsRelative,
                                                 ReportLine (&lines)[kCompassErrorMaxLines],
                                                 int& lineCount, double& error);

}  // namespace navora
