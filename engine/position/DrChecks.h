#pragma once

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"

namespace navora {

// Checks run before a position is advanced for a task: whether the time
// suits the reference position and the advance stays clear of the polar
// region and of a longitude change too large for the sailings.
//
// Model: the dead reckoning of DeadReckoning.h; the latitude is extrapolated
// from the start with the latitude rate at the new position. Units: Julian
// dates, degrees. Domain: IsPositionRecordInDomain(position) and a finite
// time. Accuracy: that of the dead reckoning (0.0071 NM over 10 days).
//
// Results. Codes 5 are shared: kDrNoMotion comes only from CheckDrAdvance,
// kDrSunHighLatitude only from CheckUnderwayAdvance. kStatusOutOfDomain for a
// record or time outside the domain, or an advance that the dead reckoning
// refuses; CheckUnderwayAdvance then writes latitude 0 and leaves the table
// start.
inline constexpr EngineStatus kDrTimeTooEarly = 1;
inline constexpr EngineStatus kDrEntersPolarRegion = 2;
inline constexpr EngineStatus kDrLongitudeChangeTooLarge = 3;
inline constexpr EngineStatus kDrBeyondTenDays = 4;
inline constexpr EngineStatus kDrNoMotion = 5;          // CheckDrAdvance only
inline constexpr EngineStatus kDrSunHighLatitude = 5;   // CheckUnderwayAdvance only
inline constexpr EngineStatus kDrMoonHighLatitude = 6;  // CheckUnderwayAdvance only

// Check modes of CheckDrAdvance: whether the new time may equal the
// reference time. Other modes skip the time test.
inline constexpr int16_t kDrCheckAllowSameTime = 0;
inline constexpr int16_t kDrCheckRequireLaterTime = 1;

// Tests whether a position update to targetJd may start from `position`:
// 0 accepted, or one of the statuses above.
[[nodiscard]] EngineStatus CheckDrAdvance(int16_t mode, double targetJd,
                                          const PositionRecord& position);

// Tests whether a rise/set table starting at tableStartJd can be computed for a
// ship moving from `position`. On success tableStartJd is moved to 0 h of its
// day (of the position's day when it lay less than a day before the position)
// and latitudeDeg receives the extrapolated latitude. Returns 0, or one of the
// statuses above; kDrSunHighLatitude and kDrMoonHighLatitude are notes, the
// outputs are valid with them.
[[nodiscard]] EngineStatus CheckUnderwayAdvance(const PositionRecord& position, BodyId body,
                                                double& tableStartJd, double& latitudeDeg);

}  // namespace navora
