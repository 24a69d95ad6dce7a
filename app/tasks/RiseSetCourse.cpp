#include "app/tasks/RiseSetCourse.h"

#include "app/bridge/RiseSetBridge.h"

namespace navora {
namespace {

// The next day's search starts one day after this day's transit, so that
// the Moon's later transits are followed day by day.
constexpr double kDaysBetweenSearches = 1.0;

bool Interrupted(TaskContext& context) {
  return context.interruptRequested && context.interruptRequested();
}

void AppendLines(TaskContext& context, const ReportLine* lines, uint16_t count) {
  for (uint16_t i = 0; i < count; ++i) context.sink.AppendLine(lines[i]);
}

struct TableRun {
  PositionRecord reference;
  BodyId body = kSun;
  float timeZoneHours = 0.0f;
  double heightOfEyeM = 0.0;
  double ut1MinusUtc = 0.0;
  double startUtc = 0.0;
  int32_t days = 0;
};

// The date must lie in the ephemeris (told by the check itself) and the
// position must suit the body and, underway, the time of the reference.
bool DayAccepted(TaskContext& context, ReferenceState& state, const TableRun& run,
                 double startUtc) {
  return TaskCheckUnderway(context.notice, context.places.ephemeris, state, run.reference, startUtc,
                           run.body, nullptr) == 0;
}

TaskOutcome Tabulate(TaskContext& context, ReferenceState& state, const TableRun& run) {
  if (!DayAccepted(context, state, run, run.startUtc)) return TaskOutcome::kStopped;
  RiseSetTableState table;
  ReportLine heading[kRiseSetHeaderMaxLines];
  uint16_t count = 0;
  if (TaskRiseSetHeader(context.notice, table, run.body, run.reference, run.timeZoneHours,
                        run.heightOfEyeM, count, heading) != 0) {
    return TaskOutcome::kStopped;
  }
  AppendLines(context, heading, count);

  double startUtc = run.startUtc;
  for (int32_t done = 0; done < run.days;) {
    if (Interrupted(context)) return TaskOutcome::kInterrupted;
    if (!DayAccepted(context, state, run, startUtc)) return TaskOutcome::kStopped;
    ReportLine lines[kRiseSetDayMaxLines];
    double transitUtc = 0.0;
    double hourAngleRate = 0.0;
    const int status = TaskRiseSetDay(
        context.notice, context.places, table, startUtc, run.ut1MinusUtc, run.timeZoneHours,
        run.body, run.heightOfEyeM, run.reference, transitUtc, count, lines, hourAngleRate);
    if (status == kStatusOk) {
      AppendLines(context, lines, count);
      ++done;
    } else if (status != kRiseSetNoEventAfterReference) {
      return TaskOutcome::kStopped;
    }
    startUtc = transitUtc + kDaysBetweenSearches;
  }
  return TaskOutcome::kCompleted;
}

TaskOutcome TabulateAndRearm(TaskContext& context, ReferenceState& state, const TableRun& run) {
  const TaskOutcome outcome = Tabulate(context, state, run);
  state.highLatitudeNoteDue = true;
  return outcome;
}

}  // namespace

TaskOutcome RunRiseSetFixed(TaskContext& context, ReferenceState& state,
                            const RiseSetFixedRequest& request) {
  TableRun run;
  run.reference = MakePositionRecord(kMotionNone, kPositionExternalFix, request.dateJd,
                                     request.latitudeDeg, request.longitudeDeg, 0.0, 0.0, 0.0, 0.0);
  run.body = request.body;
  run.timeZoneHours = request.timeZoneHours;
  run.heightOfEyeM = request.heightOfEyeM;
  run.ut1MinusUtc = request.ut1MinusUtc;
  run.startUtc = request.dateJd;
  // The Moon transits about 50 minutes later each day: one more row carries
  // its table to the end of the last date asked for.
  run.days = request.days + (request.body == kMoon ? 1 : 0);
  return TabulateAndRearm(context, state, run);
}

TaskOutcome RunRiseSetUnderway(TaskContext& context, ReferenceState& state,
                               const RiseSetUnderwayRequest& request) {
  TableRun run;
  run.reference = request.reference;
  run.reference.motionMode = kMotionRhumbLine;
  run.body = request.body;
  run.timeZoneHours = request.timeZoneHours;
  run.heightOfEyeM = request.heightOfEyeM;
  run.ut1MinusUtc = request.ut1MinusUtc;
  run.startUtc = request.dateJd;
  run.days = request.days;
  return TabulateAndRearm(context, state, run);
}

}  // namespace navora
