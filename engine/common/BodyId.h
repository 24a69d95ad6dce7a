#pragma once

#include <cstdint>

namespace navora {

// Public body numbering of the whole engine, as in the ephemeris file; the
// observation body codes of ObservationRecord add limbs and stars beyond 11.
using BodyId = int16_t;

inline constexpr BodyId kMercury = 1;
inline constexpr BodyId kVenus = 2;
inline constexpr BodyId kEarth = 3;
inline constexpr BodyId kMars = 4;
inline constexpr BodyId kJupiter = 5;
inline constexpr BodyId kSaturn = 6;
inline constexpr BodyId kUranus = 7;
inline constexpr BodyId kNeptune = 8;
inline constexpr BodyId kPluto = 9;
inline constexpr BodyId kSun = 10;
inline constexpr BodyId kMoon = 11;

// Origins of ephemeris states.
inline constexpr int16_t kOriginBarycentre = 0;
inline constexpr int16_t kOriginSun = 1;

}  // namespace navora
