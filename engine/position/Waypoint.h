#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/position/ReportLine.h"

namespace navora {

// The course, speed and distance that take the ship from its dead-reckoning
// track, left at a chosen departure time, to a waypoint at a chosen arrival
// time, by rhumb line and by great circle; and the report that shows them.
//
// Model: the departure position is the reference advanced by dead reckoning
// (DeadReckoning.h); the routes are those of CourseAndDistance.h (rhumb line
// on the ellipsoid, great-circle course on the sphere with its arc measured
// on the ellipsoid). Speeds are the distance over the elapsed time.
// Units: Julian dates UTC, degrees, knots, nautical miles (1.852 km).
// Domain: IsPositionRecordInDomain(reference), finite times, the waypoint's
// latitude within -90..90 and a finite longitude.
// Accuracy against an independent geodesy library on the same ellipsoid,
// measured over routes of 15 to 4900 NM between 34 S and 72.5 N, across 180
// degrees, along meridians and the equator: rhumb-line course within 1e-6
// degree, distance within 0.02 NM up to 600 NM and 0.034 NM (1.3e-5 of the
// run) on long tracks near east-west; great-circle distance within 0.07 per
// cent, initial course within 0.18 degree of the geodesic azimuth.
//
// Statuses: kStatusOutOfDomain for arguments outside the domain; the
// refusals below. On any non-zero status the result is not to be used.
inline constexpr EngineStatus kWaypointDepartureBeforeReference = 1;
inline constexpr EngineStatus kWaypointArrivalNotAfterDeparture = 2;
// The waypoint lies within kWaypointMinimumArcDeg of the departure position or
// of its antipode: the great circle, and so its initial course, is undefined.
inline constexpr EngineStatus kWaypointNoGreatCircle = 3;

// The resolution of a waypoint's entry, 0.1 minute of arc, in degrees.
inline constexpr double kWaypointMinimumArcDeg = 0.1 / 60.0;

// Lines of the report: 20, then 3 for the distance warning and 2 for the
// speed warning.
inline constexpr int kWaypointReportMaxLines = 25;

struct WaypointRoute {
  double course = 0.0;      // initial course, degrees true [0, 360)
  double speed = 0.0;       // speed of advance, knots
  double distanceNm = 0.0;  // nautical miles
};

struct WaypointResult {
  PositionRecord waypoint;   // user-defined, no motion, at the arrival time
  PositionRecord departure;  // DR at the departure time, the reference's course and speed
  WaypointRoute rhumbLine;
  WaypointRoute greatCircle;
};

// The waypoint at (latitudeDeg, longitudeDeg) reached at arrivalJd from the
// reference advanced to departureJd. A departure before the reference gives
// kWaypointDepartureBeforeReference; an arrival not after the departure
// kWaypointArrivalNotAfterDeparture.
[[nodiscard]] EngineStatus ComputeWaypoint(const PositionRecord& reference, double departureJd,
                                           double latitudeDeg, double longitudeDeg,
                                           double arrivalJd, WaypointResult& result);

// The report of a computed waypoint: 20 to kWaypointReportMaxLines lines and
// their count. Speeds above 50 knots print as 50.0+ with a warning, distances
// above 6000 NM as 6000.0+; a great circle of more than 5.5 degrees of arc
// adds a warning. kStatusOutOfDomain (no lines) for records outside the
// domain or results that are not finite.
[[nodiscard]] EngineStatus FormatWaypointReport(const WaypointResult& result,
                                                const PositionRecord& reference, ReportLine* lines,
                                                int& lineCount);

}  // namespace navora
