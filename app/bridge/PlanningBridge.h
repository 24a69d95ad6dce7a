#pragma once

#include <cstdint>

#include "app/bridge/Notice.h"
#include "engine/common/PositionRecord.h"
#include "engine/places/PlaceContext.h"
#include "engine/planning/PlanningInstant.h"
#include "engine/planning/SkyChart.h"

namespace navora {

// The sight planning bridge entries: each calls one engine operation and,
// when it fails, tells the user and returns its status (0 = go on). Times
// are UTC Julian dates, UT1-UTC seconds, angles degrees, heights of eye
// metres.

// The sky chart's bodies (ComputeSkyChart).
int TaskSkyChart(Notice& notice, PlaceContext& places, double timeUtc, double ut1MinusUtc,
                 double latitude, double longitude, double heightOfEyeM,
                 SkyChartLuminary (&luminaries)[kSkyChartMaxLuminaries], int16_t& luminaryCount,
                 SkyChartPlanet (&planets)[kSkyChartMaxPlanets], int16_t& planetCount,
                 SkyChartStar (&stars)[kSkyChartMaxStars], int16_t& starCount);

// One instant of the selected-stars table (SelectedStarsAt).
int TaskSelectedStars(Notice& notice, PlaceContext& places, double timeUtc, double ut1MinusUtc,
                      double latitude, double longitude, double heightOfEyeM,
                      SelectedStarsResult& result);

// One instant of the Sun, Moon and planets table (PlanningBodiesAt).
int TaskPlanningBodies(Notice& notice, PlaceContext& places, double timeUtc, double ut1MinusUtc,
                       double latitude, double longitude, double heightOfEyeM,
                       PlanningBodiesResult& result);

// The message of a table line that cannot be written (a value the table
// cannot print): the star table's, or the Sun, Moon and planets table's.
void TellPlanningTableFailure(Notice& notice, bool starTable);

// The planning time of the "Twilight" option (FindTwilightPlanningTime) for
// the chosen date (0 h UTC); every refusal names the "Other" option, and a
// twilight that came before the reference position names that position's
// date and time.
int TaskTwilightPlanningTime(Notice& notice, PlaceContext& places, double dateUtc, bool morning,
                             const PositionRecord& reference, double ut1MinusUtc,
                             double heightOfEyeM, double& planningTimeUtc);

}  // namespace navora
