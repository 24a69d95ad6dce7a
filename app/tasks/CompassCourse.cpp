#include "app/tasks/CompassCourse.h"

#include "app/bridge/CompassBridge.h"
#include "app/tasks/SightTasks.h"
#include "engine/position/DeadReckoning.h"

namespace navora {
namespace {

// The underway check in its general form: a body that is neither the Sun nor
// the Moon has no latitude limit of its own.
constexpr int16_t kGeneralUnderwayCheck = kCompassStarBody;

void AppendLines(TaskContext& context, const ReportLine* lines, int count) {
  for (int i = 0; i < count; ++i) context.sink.AppendLine(lines[i]);
}

// The instant accepted by the voyage check and the observer there; false
// when the check refused (the user has been told).
bool ObserverAt(TaskContext& context, ReferenceState& state, const PositionRecord& reference,
                double timeUtc, PositionRecord& observer) {
  if (CheckCompassInstant(context.notice, context.places.ephemeris, state, reference, timeUtc) !=
      0) {
    return false;
  }
  // The check has advanced the same record: the advance cannot fail here.
  double latitudeRate = 0.0, longitudeRate = 0.0;
  return AdvanceDeadReckoning(timeUtc, reference, observer, latitudeRate, longitudeRate) ==
         kStatusOk;
}

}  // namespace

void ApplyLatestSightConditions(EventLog& events, CompassPlanningRequest& request) {
  const LatestSightConditions latest = ReadLatestSightConditions(events);
  request.heightOfEyeM = latest.heightOfEyeM;
  request.ut1MinusUtc = latest.ut1MinusUtc;
}

void ApplyLatestSightConditions(EventLog& events, CompassErrorRequest& request) {
  request.heightOfEyeM = ReadLatestSightConditions(events).heightOfEyeM;
}

int CheckCompassInstant(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                        const PositionRecord& reference, double timeUtc) {
  return TaskCheckUnderway(notice, ephemeris, state, reference, timeUtc, kGeneralUnderwayCheck,
                           nullptr);
}

TaskOutcome RunCompassPlanning(TaskContext& context, ReferenceState& state,
                               const CompassPlanningRequest& request) {
  PositionRecord observer;
  if (!ObserverAt(context, state, request.reference, request.timeUtc, observer)) {
    return TaskOutcome::kStopped;
  }
  ReportLine lines[kAzimuthPlanningMaxLines];
  int count = 0;
  if (TaskCompassErrorPlanning(context.notice, context.places, request.timeUtc,
                               request.ut1MinusUtc, observer.latitude, observer.longitude,
                               request.heightOfEyeM, request.reference.course, lines,
                               count) != 0) {
    return TaskOutcome::kStopped;
  }
  AppendLines(context, lines, count);
  return TaskOutcome::kCompleted;
}

TaskOutcome RunCompassError(TaskContext& context, ReferenceState& state,
                            const CompassErrorRequest& request, double* error) {
  const bool star = request.body == kCompassStarBody;
  // The dialog and the command offer stars 1..58 only.
  if (star && (request.starNumber < 1 || request.starNumber > kPolarisNumber)) {
    return TaskOutcome::kStopped;
  }
  PositionRecord observer;
  if (!ObserverAt(context, state, request.reference, request.timeUtc, observer)) {
    return TaskOutcome::kStopped;
  }
  const StarEntry entry = star ? kStarCatalogue[request.starNumber - 1] : StarEntry{};
  ReportLine lines[kCompassErrorMaxLines];
  int count = 0;
  double determined = 0.0;
  if (TaskGyroCompassError(context.notice, context.places, request.timeUtc, request.ut1MinusUtc,
                           request.body, entry, observer.latitude, observer.longitude,
                           request.heightOfEyeM, request.observed, request.heading,
                           request.relative, lines, count, determined) != 0) {
    return TaskOutcome::kStopped;
  }
  AppendLines(context, lines, count);
  if (error != nullptr) *error = determined;
  return TaskOutcome::kCompleted;
}

}  // namespace navora
