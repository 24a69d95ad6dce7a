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

// The report name of an observed body ("Venus", "Sun (Upper)", a star's
// catalogue name, ...), pointing at static text. 1 when the body code is
// unknown or a star number is outside the catalogue; name is then "".
EngineStatus BodyNameForCode(uint16_t bodyCode, uint16_t starNumber, const char*& name);

}  // namespace navora
