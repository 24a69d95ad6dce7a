#pragma once

#include <cstdint>

#include "app/bridge/Notice.h"
#include "engine/compass/CompassError.h"

namespace navora {

// The gyro/compass error's bridge entries. Times are UTC Julian dates,
// ut1MinusUtc in seconds, angles in degrees, heights of eye in metres.

// Returned by TaskGyroCompassError for the engine's Delta T failure (-1):
// a positive value, so that a caller testing for a failure by sign stops too.
inline constexpr int kGyroCompassNoDeltaT = 1000;

// The planning table: the candidates of the instant (PlanAzimuthObservations)
// and their table (FormatAzimuthPlanning). Returns 0 with the lines;
// otherwise tells the user and returns the engine's status.
int TaskCompassErrorPlanning(Notice& notice, PlaceContext& places, double timeUtc,
                             double ut1MinusUtc, double latitude, double longitude,
                             double heightOfEyeM, double course,
                             ReportLine (&lines)[kAzimuthPlanningMaxLines], int& lineCount);

// The error of one observed bearing (DetermineCompassError). Returns 0 with
// the report and the error (+ East); otherwise tells the user the status and
// returns kGyroCompassNoDeltaT for the Delta T failure, else the status.
int TaskGyroCompassError(Notice& notice, PlaceContext& places, double timeUtc, double ut1MinusUtc,
                         BodyId body, const StarEntry& star, double latitude, double longitude,
                         double heightOfEyeM, double observed, double heading,
                         bool observedIsRelative, ReportLine (&lines)[kCompassErrorMaxLines],
                         int& lineCount, double& error);

}  // namespace navora
