#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"

namespace navora {

// Dead reckoning: a position advanced in time by its course, speed and current.
//
// Model: WGS-84 semi-major axis with flattening 0.00335281. Rhumb line with
// current (motion mode 1): the course and speed made good over the ground,
// then mid-latitude sailing for tracks of little northing (under 20 km or
// within about half a degree of east-west) and otherwise Mercator sailing
// (meridian arc inverted by a series in e^2, longitude from meridional
// parts). Great circle without current (mode 2): the sphere of the ellipsoid's
// radius of curvature at the middle of the track in its direction; along a
// meridian the meridian radius at the middle of the run.
// Units: times as Julian dates (days), angles in degrees, speeds in km per day
// (speedKmPerDay, driftKmPerDay) and knots, rates in degrees per day.
// Domain: IsPositionRecordInDomain(from) and a finite target time.
// Accuracy against an independent geodesy library on the same ellipsoid, up
// to 10 days at 20 knots: rhumb line within 0.0071 NM of the rhumb-line
// direct solution; great circle within 0.062 per cent of the geodesic
// distance and 0.19 degree of its azimuth.
//
// Statuses: kStatusOutOfDomain (`to` a default record, rates 0) for a record
// or target time outside the domain, or a run whose end is not a position (not
// finite, or carried past a pole by mid-latitude sailing).

// Sailing methods that the advance records in sailingMethod.
inline constexpr uint16_t kSailingMercator = 0;
inline constexpr uint16_t kSailingMidLatitude = 1;

// Advances `from` to targetJd and writes the dead-reckoning position to `to`.
// A rhumb-line record comes out carrying the course and speed made good over
// the ground; set and drift are carried over. The rates are those of
// latitude and longitude at the new position (0 without motion). Motion modes
// other than rhumb line and great circle do not move the position.
[[nodiscard]] EngineStatus AdvanceDeadReckoning(double targetJd, const PositionRecord& from,
                                                PositionRecord& to, double& latitudeRateDegPerDay,
                                                double& longitudeRateDegPerDay);

}  // namespace navora
