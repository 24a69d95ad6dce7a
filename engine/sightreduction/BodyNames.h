#pragma once

#include <cstdint>

#include "engine/common/EngineStatus.h"

namespace navora {

// Observation body codes beyond the BodyId numbers: limbs and stars.
inline constexpr uint16_t kBodyCodeSunUpperLimb = 12;
inline constexpr uint16_t kBodyCodeMoonUpperLimb = 13;
inline constexpr uint16_t kBodyCodeSunLowerLimb = 14;
inline constexpr uint16_t kBodyCodeMoonLowerLimb = 15;
inline constexpr uint16_t kBodyCodeStar = 20;

// Longest report name: the star names of the catalogue (13 characters).
inline constexpr int kBodyNameMaxLength = 13;

// Status of BodyNameForCode. One code for both faults: an unknown body code
// and a star number outside the catalogue (1..kStarCount).
inline constexpr EngineStatus kBodyNameUnknown = 1;

// The report name of an observed body ("Venus", "Sun (Upper)", a star's
// catalogue name, ...), pointing at static text that lives as long as the
// program. kBodyNameUnknown leaves name "".
[[nodiscard]] EngineStatus BodyNameForCode(uint16_t bodyCode, uint16_t starNumber,
                                           const char*& name);

}  // namespace navora
