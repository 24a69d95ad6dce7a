#include <algorithm>
#include <compare>
#include <memory>
#include <new>
#include <numeric>

#include "engine/log/EventLog.h"

namespace navora {

namespace {

constexpr EngineStatus kCountFailed = 1;
constexpr EngineStatus kNothingToLoad = 2;
constexpr EngineStatus kNoMemory = 3;
constexpr EngineStatus kSameTime = 4;
constexpr EngineStatus kOutOfTimeOrder = 5;
constexpr EngineStatus kReadFailedBase = 10;

constexpr int kBeforeFirstLeg = -1;
constexpr int kTooLongAfterLastLeg = -2;

// Ascending time in IEEE total order, so that a NaN read from a damaged file
// cannot break the sorting.
bool EarlierTime(double a, double b) { return std::strong_order(a, b) < 0; }

template <typename T>
std::unique_ptr<T[]> AllocateArray(int32_t count) {
  return std::unique_ptr<T[]>(new (std::nothrow) T[static_cast<size_t>(count)]);
}

// Indices of records in ascending time; equal times keep file order.
template <typename Record>
std::unique_ptr<int32_t[]> TimeOrder(const Record* records, int32_t count) {
  std::unique_ptr<int32_t[]> order = AllocateArray<int32_t>(count);
  if (order) {
    std::iota(order.get(), order.get() + count, 0);
    std::stable_sort(order.get(), order.get() + count, [records](int32_t a, int32_t b) {
      return EarlierTime(records[a].time, records[b].time);
    });
  }
  return order;
}

// Sights on the last leg, including those too long after its start; a sight
// before the first leg is filed under leg 0 but lies on no leg.
void SummariseLastLeg(LegsAndSights& loaded) {
  SightTimeSummary& summary = loaded.summary;
  std::span<const PositionRecord> legs(loaded.legs.data(), loaded.legCount);
  uint16_t lastLeg = static_cast<uint16_t>(loaded.legCount - 1);
  double sum = 0.0;
  for (int k = 0; k < loaded.sightCount; ++k) {
    const ObservationRecord& sight = loaded.sights[k];
    if (sight.legIndex != lastLeg || FindLegOfTime(legs, sight.time) == kBeforeFirstLeg) {
      continue;
    }
    ++summary.lastLegSightCount;
    if (sight.included == 0) {
      continue;
    }
    if (summary.lastLegIncludedCount == 0) {
      summary.earliestIncludedTime = sight.time;
      summary.latestIncludedTime = sight.time;
    }
    summary.earliestIncludedTime = std::min(summary.earliestIncludedTime, sight.time);
    summary.latestIncludedTime = std::max(summary.latestIncludedTime, sight.time);
    sum += sight.time;
    ++summary.lastLegIncludedCount;
  }
  if (summary.lastLegIncludedCount > 0) {
    summary.meanIncludedTime = sum / summary.lastLegIncludedCount;
  }
}

// The latest sights, at most 25, each on the loaded leg its time falls in.
// Sights before the first loaded leg or too long after the last are kept but
// not included. Output runs from the earliest to the latest.
EngineStatus AssignSightsToLegs(const ObservationRecord* sights, const EventLogOffset* offsets,
                                int32_t count, LegsAndSights& loaded) {
  std::unique_ptr<int32_t[]> order = TimeOrder(sights, count);
  if (!order) {
    return kNoMemory;
  }
  std::span<const PositionRecord> legs(loaded.legs.data(), loaded.legCount);
  int kept = std::min<int32_t>(count, kMaxLoadedSights);
  for (int k = 0; k < kept; ++k) {
    int32_t source = order[count - 1 - k];
    ObservationRecord sight = sights[source];
    int leg = FindLegOfTime(legs, sight.time);
    sight.included = leg >= 0 ? 1 : 0;
    if (leg == kBeforeFirstLeg) {
      sight.legIndex = 0;
    } else if (leg == kTooLongAfterLastLeg) {
      sight.legIndex = static_cast<uint16_t>(loaded.legCount - 1);
    } else {
      sight.legIndex = static_cast<uint16_t>(leg);
    }
    loaded.sights[k] = sight;
    loaded.sightOffsets[k] = offsets[source];
  }
  loaded.sightCount = static_cast<int16_t>(kept);
  std::reverse(loaded.sights.begin(), loaded.sights.begin() + kept);
  std::reverse(loaded.sightOffsets.begin(), loaded.sightOffsets.begin() + kept);
  return kStatusOk;
}

EngineStatus LoadCurrentTrack(EventLog& log, bool markInitialFix, bool requireSights,
                              LegsAndSights& loaded) {
  loaded = LegsAndSights{};
  int32_t positionCount = 0;
  int32_t sightCount = 0;
  if (CountSinceLastFix(log, positionCount, sightCount) != kStatusOk) {
    return kCountFailed;
  }
  if (positionCount == 0 || (requireSights && sightCount == 0)) {
    return kNothingToLoad;
  }
  auto positions = AllocateArray<PositionRecord>(positionCount);
  auto positionOffsets = AllocateArray<EventLogOffset>(positionCount);
  auto sights = AllocateArray<ObservationRecord>(sightCount);
  auto sightOffsets = AllocateArray<EventLogOffset>(sightCount);
  if (!positions || !positionOffsets || !sights || !sightOffsets) {
    return kNoMemory;
  }
  int32_t positionsRead = 0;
  int32_t sightsRead = 0;
  EngineStatus status = ReadSinceLastFix(
      log,
      std::span(sights.get(), static_cast<size_t>(sightCount)),
      std::span(sightOffsets.get(), static_cast<size_t>(sightCount)),
      std::span(positions.get(), static_cast<size_t>(positionCount)),
      std::span(positionOffsets.get(), static_cast<size_t>(positionCount)), sightsRead,
      positionsRead);
  if (status != kStatusOk) {
    return static_cast<EngineStatus>(kReadFailedBase + status);
  }
  if (markInitialFix && IsInitialFixReference(log)) {
    positions[0].positionType = kPositionUserDefined;
  }
  loaded.rawSightCount = sightsRead;
  loaded.rawPositionCount = positionsRead;

  std::unique_ptr<int32_t[]> order = TimeOrder(positions.get(), positionsRead);
  if (!order) {
    return kNoMemory;
  }
  bool inFileOrder = true;
  for (int32_t i = 0; i < positionsRead; ++i) {
    if (i > 0 && positions[order[i]].time == positions[order[i - 1]].time) {
      return kSameTime;
    }
    inFileOrder = inFileOrder && order[i] == i;
  }
  int legCount = std::min<int32_t>(positionsRead, kMaxLoadedLegs);
  for (int leg = 0; leg < legCount; ++leg) {
    int32_t source = order[positionsRead - legCount + leg];
    loaded.legs[leg] = positions[source];
    loaded.legOffsets[leg] = positionOffsets[source];
  }
  loaded.legCount = static_cast<int16_t>(legCount);
  loaded.summary.lastLegTime = loaded.legs[legCount - 1].time;

  status = AssignSightsToLegs(sights.get(), sightOffsets.get(), sightsRead, loaded);
  if (status != kStatusOk) {
    return status;
  }
  SummariseLastLeg(loaded);
  return inFileOrder ? kStatusOk : kOutOfTimeOrder;
}

}  // namespace

int FindLegOfTime(std::span<const PositionRecord> legs, double t) {
  if (legs.empty() || t < legs.front().time) {
    return kBeforeFirstLeg;
  }
  double lastStart = legs.back().time;
  int lastLeg = static_cast<int>(legs.size()) - 1;
  if (t - lastStart > kMaxSightDaysAfterLastLeg) {
    return kTooLongAfterLastLeg;
  }
  if (t >= lastStart) {
    return lastLeg;
  }
  for (int i = 0; i < lastLeg; ++i) {
    if (legs[i].time <= t && t < legs[i + 1].time) {
      return i;
    }
  }
  return lastLeg;
}

EngineStatus LoadLegsAndSights(EventLog& log, LegsAndSights& loaded) {
  return LoadCurrentTrack(log, /*markInitialFix=*/true, /*requireSights=*/false, loaded);
}

EngineStatus ReadPlotData(EventLog& log, LegsAndSights& loaded) {
  return LoadCurrentTrack(log, /*markInitialFix=*/false, /*requireSights=*/true, loaded);
}

}  // namespace navora
