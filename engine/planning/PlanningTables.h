#pragma once

#include <array>
#include <cstdint>

#include "engine/common/EngineStatus.h"
#include "engine/places/SelectedStars.h"
#include "engine/planning/PlanningInstant.h"
#include "engine/position/ReportLine.h"

namespace navora {

// The two tables of the "Selected Stars..." command, laid out like the
// selected-stars pages of a sight reduction table: the seven stars ordered by
// azimuth with a light column, then the Sun, Moon and planets with LHA Aries.
// Altitudes print in whole degrees and minutes, azimuths in whole degrees
// (360 as 000); a date line wherever the date changes, the star heading again
// wherever the stars or their azimuth order change. Exact to the printed
// digits.

// Heading kinds of FormatPlanningHeader.
inline constexpr int kPlanningHeaderStars = 1;
inline constexpr int kPlanningHeaderBodies = 4;

// The most lines one call writes: a date line and four heading lines before
// the row; six heading lines.
inline constexpr int kPlanningRowMaxLines = 6;
inline constexpr int kPlanningHeaderMaxLines = 6;

// What one table remembers from row to row; row 0 resets it. Each table owns
// its own, so two tables may be written at once.
struct PlanningTableState {
  int16_t previousDay = 0;
  std::array<int16_t, kSelectedStarCount> previousStars{};  // in azimuth order
  double horizonAltitudeDeg = 0.0;                          // RiseSetAltitude of the height of eye
};

// Kind 1: the stars' title, a blank line and the site block (6 lines);
// kind 4: the bodies' title and a blank line (2 lines); any other kind
// writes nothing. Latitude and longitude in degrees, height of eye in metres.
[[nodiscard]] EngineStatus FormatPlanningHeader(int kind, double latitude, double longitude,
                                                double heightOfEyeM,
                                                ReportLine (&lines)[kPlanningHeaderMaxLines],
                                                int& lineCount);

[[nodiscard]] EngineStatus FormatSelectedStarsRow(PlanningTableState& state, int rowIndex,
                                                  const SelectedStarsResult& result,
                                                  double heightOfEyeM,
                                                  ReportLine (&lines)[kPlanningRowMaxLines],
                                                  int& lineCount);

[[nodiscard]] EngineStatus FormatPlanningBodiesRow(PlanningTableState& state, int rowIndex,
                                                   const PlanningBodiesResult& result,
                                                   double heightOfEyeM,
                                                   ReportLine (&lines)[kPlanningRowMaxLines],
                                                   int& lineCount);

}  // namespace navora
