#pragma once

#include <cstdint>

#include "app/tasks/TaskContext.h"

namespace navora {

// Sun/Moon/Aries or planets table: `count` rows from the UTC instant
// `startJd`, one every `intervalDays`.
struct AlmanacTableRequest {
  double startJd = 0.0;
  int32_t count = 0;
  double intervalDays = 0.0;
};

// Navigational stars at one UTC instant (whole minutes).
struct AlmanacStarsRequest {
  double jd = 0.0;
};

// The "All" page of one date.
struct AlmanacDayRequest {
  double dateJd = 0.0;  // 0h UTC of the date
};

// The four almanac commands, from accepted dialog entries to appended lines.
// Each empties the context's lastReportText first. A refused date, a bridge
// failure (the user has been told) or an interrupt ends the command; what was
// appended stays.
TaskOutcome RunSunMoonAriesAlmanac(TaskContext& context, const AlmanacTableRequest& request);
TaskOutcome RunPlanetsAlmanac(TaskContext& context, const AlmanacTableRequest& request);
TaskOutcome RunStarsAlmanac(TaskContext& context, const AlmanacStarsRequest& request);
// 24 hourly rows of Sun/Moon/Aries, 24 of the planets, then the stars' SHA
// and declination for the date.
TaskOutcome RunAllAlmanac(TaskContext& context, const AlmanacDayRequest& request);

}  // namespace navora
