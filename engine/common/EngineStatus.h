#pragma once

#include <cstdint>

namespace navora {

// Result of every engine operation: 0 is success, other values are defined
// per operation and turned into the user's message by the task bridge.
using EngineStatus = int16_t;

inline constexpr EngineStatus kStatusOk = 0;
inline constexpr EngineStatus kStatusOutOfMemory = -99;

}  // namespace navora
