#pragma once

#include <cstdint>

#include "app/bridge/ReferencePositionBridge.h"
#include "app/tasks/TaskContext.h"
#include "engine/common/ObservationRecord.h"
#include "engine/common/PositionRecord.h"
#include "engine/planning/SppFile.h"

namespace navora {

// The two sight planning commands, "Sky Chart..." and "Selected Stars...",
// from an accepted dialog to the chart or the worksheet tables. Times are
// UTC Julian dates, UT1-UTC seconds, angles degrees, heights of eye metres.

struct SightPlanningRequest {
  // The planning time: `timeUtc` ("Other:"), or the morning or evening
  // twilight of the day `dateUtc` (0 h UTC) for the ship.
  bool twilight = false;
  bool morning = true;
  double timeUtc = 0.0;
  double dateUtc = 0.0;
  PositionRecord reference;  // the ship moves from it by dead reckoning
  // From the latest recorded sight (ReadLatestSightConditions); 0 without one.
  double ut1MinusUtc = 0.0;
  double heightOfEyeM = 0.0;
  // Beyond the tables: the expected precision of a fix from the selected
  // stars, for sights of this grade (kQualityGood to kQualityPoor).
  bool showPrecision = false;
  uint16_t grade = kQualityAverage;
};

// The planning time and the ship's dead-reckoning position at it.
struct PlanningObserver {
  double timeUtc = 0.0;
  PositionRecord position;
};

// The planning time (the twilight option's refusals told) and the position
// by dead reckoning, after the date and dead-reckoning checks (their
// messages, and the high-latitude note at most once). False when refused.
bool ResolvePlanningObserver(TaskContext& context, ReferenceState& state,
                             const SightPlanningRequest& request, PlanningObserver& observer);

// "Sky Chart...": the chart of the planning instant, ready for its window or
// file. kStopped after a message; `chart` is then a default chart.
TaskOutcome RunSkyChart(TaskContext& context, ReferenceState& state,
                        const SightPlanningRequest& request, SkyChartState& chart);

// "Selected Stars...": the star table, an empty line and the Sun, Moon and
// planets table, 16 instants 4 minutes apart, appended line by line with an
// interrupt check before each instant; with `showPrecision`, the expected
// precision of the best three and of all seven stars after them. A failure
// or an interrupt keeps what was appended.
TaskOutcome RunSelectedStars(TaskContext& context, ReferenceState& state,
                             const SightPlanningRequest& request);

}  // namespace navora
