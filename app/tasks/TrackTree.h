#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/log/EventLog.h"

namespace navora {

// The "Current Track" tree: the voyage since the last fix as one item per
// leg (the fix or course/speed change that starts it) with, under each, one
// item per sight taken on that leg. Built from the legs and sights as the fix
// computation loads them, so the tree shows exactly what a fix would use.

// The index an item does not have: a leg item has no sight, a sight item no leg.
inline constexpr int kNoTrackIndex = -99;

// Images: a leg shows the image of its position type (0 celestial fix,
// 1 external fix, 2 course/speed change, 3 initial fix); a sight, image 4.
inline constexpr int kTrackImageCount = 5;
inline constexpr int kSightImage = 4;

struct TrackItem {
  std::string label;
  int image = kSightImage;
  int legIndex = kNoTrackIndex;    // index into LegsAndSights::legs
  int sightIndex = kNoTrackIndex;  // index into LegsAndSights::sights
};

struct TrackLeg {
  TrackItem item;
  std::vector<TrackItem> sights;  // earliest first
};

// The label of a leg by the position type of its starting entry; the types
// the log cannot store (above 3) read as the initial fix's.
std::string TrackLegLabel(uint16_t positionType);

// The label of a sight: the body's name, or the star's catalogue name for a
// star (its capitals marking a first-magnitude star); a star number outside
// the catalogue gives "Star " and the number.
std::string TrackSightLabel(uint16_t bodyCode, uint16_t starNumber);

// The legs in time order, each with the sights whose leg index is its own.
std::vector<TrackLeg> BuildTrackTree(const LegsAndSights& loaded);

}  // namespace navora
