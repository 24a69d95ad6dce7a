#include "app/tasks/AlmanacTasks.h"

#include "app/tasks/AlmanacCourse.h"

namespace navora {
namespace {

// The stars table is computed to the minute.
constexpr double kStarsIntervalDays = 1.0 / 720.0;
// The "All" page: a day of hourly rows from 0h.
constexpr int32_t kHoursPerDay = 24;
constexpr double kHourDays = 1.0 / 24.0;

void StartReport(TaskContext& context) {
  if (context.lastReportText != nullptr) context.lastReportText->clear();
}

}  // namespace

TaskOutcome RunSunMoonAriesAlmanac(TaskContext& context, const AlmanacTableRequest& request) {
  StartReport(context);
  return TabulateAlmanac(context, kAlmanacSunMoonAries, request.startJd, request.count,
                         request.intervalDays);
}

TaskOutcome RunPlanetsAlmanac(TaskContext& context, const AlmanacTableRequest& request) {
  StartReport(context);
  return TabulateAlmanac(context, kAlmanacPlanets, request.startJd, request.count,
                         request.intervalDays);
}

TaskOutcome RunStarsAlmanac(TaskContext& context, const AlmanacStarsRequest& request) {
  StartReport(context);
  const TaskOutcome heading =
      AppendAlmanacHeading(context, kAlmanacStarAtInstant, request.jd, kStarsIntervalDays, true);
  if (heading != TaskOutcome::kCompleted) return heading;
  return AppendAlmanacStarList(context, kAlmanacStarAtInstant, request.jd, kStarsIntervalDays);
}

TaskOutcome RunAllAlmanac(TaskContext& context, const AlmanacDayRequest& request) {
  StartReport(context);
  for (const AlmanacKind kind : {kAlmanacSunMoonAries, kAlmanacPlanets}) {
    const TaskOutcome table =
        TabulateAlmanac(context, kind, request.dateJd, kHoursPerDay, kHourDays);
    if (table != TaskOutcome::kCompleted) return table;
  }
  const TaskOutcome heading =
      AppendAlmanacHeading(context, kAlmanacStarForDay, request.dateJd, kHourDays, true);
  if (heading != TaskOutcome::kCompleted) return heading;
  return AppendAlmanacStarList(context, kAlmanacStarForDay, request.dateJd, kHourDays);
}

}  // namespace navora
