#include "app/tasks/TrackTree.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "engine/almanac/AlmanacRow.h"
#include "engine/common/PositionRecord.h"
#include "engine/places/StarCatalogue.h"

namespace navora {

namespace {

// Indexed by position type; "Celestal" is the text navigators have always seen.
constexpr std::array<const char*, kTrackImageCount - 1> kLegLabels = {
    "Celestal Fix", "External Fix", "Course/Speed Change", "Initial Fix"};

struct BodyLabel {
  uint16_t bodyCode;
  const char* label;
};

constexpr BodyLabel kBodyLabels[] = {
    {2, "Venus"},
    {4, "Mars"},
    {5, "Jupiter"},
    {6, "Saturn"},
    {10, "Sun, Center"},
    {11, "Moon, Center"},
    {12, "Sun, Upper Limb"},
    {13, "Moon, Upper Limb"},
    {14, "Sun, Lower Limb"},
    {15, "Moon, Lower Limb"},
};

// Catalogue names are stored in mixed spellings and padded in places
// ("SIRIUS", "Wezen "); the tree writes them as the almanac prints them.
std::string StarLabel(const char* catalogueName) {
  char mixed[14];
  MixedCaseStarName(catalogueName, mixed);
  std::string_view text(mixed);
  const size_t end = text.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1));
}

}  // namespace

std::string TrackLegLabel(uint16_t positionType) {
  return kLegLabels[std::min<size_t>(positionType, kPositionUserDefined)];
}

std::string TrackSightLabel(uint16_t bodyCode, uint16_t starNumber) {
  for (const BodyLabel& body : kBodyLabels) {
    if (body.bodyCode == bodyCode) return body.label;
  }
  if (starNumber < 1 || starNumber > kStarCount) return "Star " + std::to_string(starNumber);
  return StarLabel(kStarCatalogue[starNumber - 1].name);
}

std::vector<TrackLeg> BuildTrackTree(const LegsAndSights& loaded) {
  const int legCount = std::clamp<int>(loaded.legCount, 0, kMaxLoadedLegs);
  const int sightCount = std::clamp<int>(loaded.sightCount, 0, kMaxLoadedSights);
  std::vector<TrackLeg> tree(static_cast<size_t>(legCount));
  for (int leg = 0; leg < legCount; ++leg) {
    const uint16_t type = loaded.legs[static_cast<size_t>(leg)].positionType;
    TrackItem& item = tree[static_cast<size_t>(leg)].item;
    item.label = TrackLegLabel(type);
    item.image = std::min<int>(type, kPositionUserDefined);
    item.legIndex = leg;
  }
  for (int sight = 0; sight < sightCount; ++sight) {
    const ObservationRecord& record = loaded.sights[static_cast<size_t>(sight)];
    if (record.legIndex >= legCount) continue;
    tree[record.legIndex].sights.push_back(
        {TrackSightLabel(record.bodyCode, record.starNumber), kSightImage, kNoTrackIndex, sight});
  }
  return tree;
}

}  // namespace navora
