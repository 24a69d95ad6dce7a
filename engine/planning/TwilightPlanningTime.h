#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// The planning time of the "Twilight" option: an hour before sunrise for the
// morning, sunset for the evening, on or after the chosen date, for the ship
// following its reference position by dead reckoning.
//
// Model: the Sun's rise and set of ComputeRiseSetDay (zone 0, from the
// reference position underway) for the chosen day and the next, read from
// their table lines to the minute. Units: UTC Julian dates, UT1 - UTC in
// seconds, height of eye in metres. Accuracy: the rise/set tables' (a minute).

// Statuses; the task bridge turns each into its message.
inline constexpr EngineStatus kTwilightSunAlwaysUp = 1;          // "**"
inline constexpr EngineStatus kTwilightSunAlwaysDown = 2;        // "--"
inline constexpr EngineStatus kTwilightUndeterminate = 3;        // "??"
inline constexpr EngineStatus kTwilightNoEventLine = 4;          // none among the first nine lines
inline constexpr EngineStatus kTwilightComputationFailed = 5;    // ComputeRiseSetDay failed
inline constexpr EngineStatus kTwilightAfterChosenDay = 6;       // the event's local date is past the chosen day

// dateUtc: 0 h UTC of the chosen date. On success planningTimeUtc is the
// planning time; otherwise it is 0.
[[nodiscard]] EngineStatus FindTwilightPlanningTime(PlaceContext& places, double dateUtc,
                                                    bool morning, const PositionRecord& reference,
                                                    double ut1MinusUtc, double heightOfEyeM,
                                                    double& planningTimeUtc);

}  // namespace navora
