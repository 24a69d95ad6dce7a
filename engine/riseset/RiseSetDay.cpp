#include "engine/riseset/RiseSetDay.h"

#include "engine/riseset/RiseSetEvents.h"
#include "engine/riseset/RiseSetTables.h"
#include "engine/time/TimeConstants.h"

namespace navora {
namespace {

// Whether any of the body's events (all seven for the Sun, rise to set for the
// Moon) falls after the UTC instant.
bool HasEventAfter(const RiseSetDay& day, BodyId body, double dutDays, double utc) {
  const int first = body == kSun ? 0 : kRiseEvent;
  const int last = body == kSun ? kRiseSetEventCount - 1 : kSetEvent;
  for (int index = first; index <= last; ++index) {
    if (day.events[index].time - dutDays > utc) return true;
  }
  return false;
}

}  // namespace

EngineStatus ComputeRiseSetDay(PlaceContext& places, RiseSetTableState& table, double startUtc,
                               double ut1MinusUtc, float timeZoneHours, BodyId body,
                               double heightOfEyeM, PositionRecord reference, double& transitUtc,
                               uint16_t& lineCount, ReportLine* lines,
                               double& transitHourAngleRate) {
  lineCount = 0;
  RiseSetDay day;
  const EngineStatus status =
      ComputeRiseSetEvents(places, table, startUtc, ut1MinusUtc, body, heightOfEyeM, reference, day,
                           transitUtc, transitHourAngleRate);
  if (status != kStatusOk) return status;
  if (reference.motionMode != kMotionNone &&
      !HasEventAfter(day, body, ut1MinusUtc / kSecondsPerDay, reference.time)) {
    return kRiseSetNoEventAfterReference;
  }
  const EngineStatus written =
      WriteRiseSetDay(day, body, reference, ut1MinusUtc, timeZoneHours, lineCount, lines);
  return written == kStatusOk ? kStatusOk
                              : static_cast<EngineStatus>(kRiseSetTableStatusOffset + written);
}

}  // namespace navora
