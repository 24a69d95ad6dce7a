#pragma once

#include <cstdint>

namespace navora {

// Result of every engine operation: 0 is success, other values are defined
// per operation and turned into the user's message by the task bridge.
using EngineStatus = int16_t;

inline constexpr EngineStatus kStatusOk = 0;
inline constexpr EngineStatus kStatusOutOfMemory = -99;
// An argument lies outside the domain where the operation's result holds: a
// latitude, declination or altitude beyond [-90, 90] degrees, a non-finite
// angle, time, distance or vector. The same code for every operation, so that
// one message serves them all; the operation's outputs are then zero.
inline constexpr EngineStatus kStatusOutOfDomain = -98;

}  // namespace navora
