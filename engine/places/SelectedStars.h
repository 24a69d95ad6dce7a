#pragma once

#include <cstdint>

#include "engine/common/EngineStatus.h"

namespace navora {

// The seven stars recommended for a round of sights, by latitude band and
// local hour angle of Aries. Star numbers are catalogue numbers; a negative
// number marks one of the three stars that give the best three-star fix.
// A planning aid, computed offline for each band's middle latitude at epoch
// 2010.0: every star at least 15 degrees high, the marked three at least 60
// degrees apart in azimuth. It chooses stars; it gives no altitudes to
// reduce with.

inline constexpr int kSelectedStarCount = 7;
inline constexpr int kSelectedStarsBandCount = 86;   // 85 bands and a closing entry
inline constexpr int kSelectedStarsRowCount = 1657;  // rows and a closing entry

// Band k covers (89 - latitude) in [bandStart(k), bandStart(k + 1)) and the
// rows [firstRow(k) - 1, firstRow(k + 1) - 1); firstRow is 1-based.
struct SelectedStarsBand {
  uint16_t bandStart;
  uint16_t firstRow;
};

// A row covers LHA Aries [lhaStart, lhaStart of the next row), where a next
// lhaStart of 0 means 360.
struct SelectedStarsRow {
  int16_t lhaStart;  // degrees
  int8_t stars[kSelectedStarCount];
  uint8_t zero;
};

static_assert(sizeof(SelectedStarsBand) == 4, "band entries are two 16-bit fields");
static_assert(sizeof(SelectedStarsRow) == 10, "row entries are 10 bytes");

extern const SelectedStarsBand kSelectedStarsBands[kSelectedStarsBandCount];
extern const SelectedStarsRow kSelectedStarsRows[kSelectedStarsRowCount];

// Seven signed star numbers for a latitude (degrees, rounded to the nearest
// degree, halves away from zero) and LHA Aries (degrees, any value, rounded
// to the nearest degree). Status 0; 1 when the rounded latitude lies outside
// -89..89, the outputs then being 0.
[[nodiscard]] EngineStatus LookupSelectedStars(double latitudeDeg, double lhaAriesDeg,
                                               int16_t (&starNumbers)[kSelectedStarCount]);

}  // namespace navora
