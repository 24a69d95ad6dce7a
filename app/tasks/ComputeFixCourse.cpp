#include "app/tasks/ComputeFixCourse.h"

#include "app/bridge/DataFileChecks.h"
#include "app/bridge/LogEntryBridge.h"
#include "app/tasks/SightPlotTasks.h"

namespace navora {

// The loaded legs and sights fill the plot's arrays one for one.
static_assert(kMaxLoadedLegs == kMaxLegs && kMaxLoadedSights == kMaxSights);

bool NeedsFixTimeChoice(const LegsAndSights& loaded) {
  return loaded.summary.lastLegIncludedCount > 1;
}

double TimeOfFix(const LegsAndSights& loaded, FixTimeChoice choice) {
  const SightTimeSummary& summary = loaded.summary;
  if (summary.lastLegIncludedCount == 0) return summary.lastLegTime;
  switch (choice) {
    case FixTimeChoice::kFirst:
      return summary.earliestIncludedTime;
    case FixTimeChoice::kAverage:
      return summary.meanIncludedTime;
    case FixTimeChoice::kLast:
      return summary.latestIncludedTime;
  }
  return summary.latestIncludedTime;
}

int OpenLivePlot(Notice& notice, PlaceContext& context, const LegsAndSights& loaded,
                 double timeOfFix, SightPlotDocument& document) {
  if (const int status = CheckEphemerisForDate(notice, context.ephemeris, timeOfFix)) {
    return status;
  }
  document = SightPlotDocument{};
  SightPlotState& state = document.state;
  state.nLegs = loaded.legCount;
  state.nSights = loaded.sightCount;
  state.timeOfFix = timeOfFix;
  for (int i = 0; i < loaded.legCount; ++i) state.legs[i].start = loaded.legs[i];
  for (int i = 0; i < loaded.sightCount; ++i) state.sights[i] = loaded.sights[i];
  if (const int status = ReduceAndPrune(notice, context, kReduceOnly, state, state.solution)) {
    return status;
  }
  RecomputeSightFlags(state);
  return 0;
}

int ComputeFix(Notice& notice, EventLog& events, PlaceContext& context, FixTimeChoice choice,
               SightPlotDocument& document) {
  LegsAndSights loaded;
  if (const int status = TaskReadPlotData(notice, events, loaded)) return status;
  return OpenLivePlot(notice, context, loaded, TimeOfFix(loaded, choice), document);
}

}  // namespace navora
