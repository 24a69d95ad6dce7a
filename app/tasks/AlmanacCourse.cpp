#include "app/tasks/AlmanacCourse.h"

#include <algorithm>
#include <string_view>

#include "app/bridge/AlmanacBridge.h"
#include "app/bridge/DataFileChecks.h"
#include "engine/almanac/AlmanacLine.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

// The commands tabulate UTC.
constexpr double kCommandDut1Seconds = 0.0;
// Tables of kinds 1 and 2 ignore the star number.
constexpr int16_t kNoStar = 0;

constexpr char kLineEnd[] = "\r\n";

bool Interrupted(TaskContext& context) {
  return context.interruptRequested && context.interruptRequested();
}

// A heading line or row: to the worksheet and to the shared report text.
void AppendReportLine(TaskContext& context, std::string_view line) {
  context.sink.AppendLine(line);
  if (context.lastReportText != nullptr) {
    context.lastReportText->append(line);
    context.lastReportText->append(kLineEnd);
  }
}

// Lines of the first heading of a command only: the title, the section title
// and the blank line after it.
bool FirstHeadingOnly(int lineIndex) { return lineIndex == 0 || lineIndex == 4 || lineIndex == 5; }

// The civil date a row's time prints on, rounding included: the heading is
// repeated when it changes, so a row computed a hair before midnight that
// prints as 00h carries its own date, and is not headed twice.
struct PrintedDate {
  int16_t year = 0;
  int16_t month = 0;
  int16_t day = 0;

  bool operator==(const PrintedDate&) const = default;
};

// Rows print to the second (rounded, carried into the minute) or to the
// minute; the date carries with them.
PrintedDate PrintedDateOf(double jd, bool withSeconds) {
  constexpr int16_t kWholeSeconds = 0;
  PrintedDate date;
  int16_t hour = 0, minute = 0;
  if (withSeconds) {
    double seconds = 0.0;
    char weekday[4];
    SplitJulianToSeconds(jd, kWholeSeconds, date.year, date.month, date.day, hour, minute, seconds,
                         weekday);
  } else {
    SplitJulianToMinute(jd, date.year, date.month, date.day, hour, minute);
  }
  return date;
}

}  // namespace

TaskOutcome AppendAlmanacHeading(TaskContext& context, AlmanacKind kind, double jd,
                                 double intervalDays, bool full) {
  if (CheckEphemerisForDate(context.notice, context.places.ephemeris, jd) != 0)
    return TaskOutcome::kStopped;
  AlmanacHeadingLines lines;
  int16_t lineCount = 0;
  if (TaskAlmanacHeading(context.notice, context.places, jd, kCommandDut1Seconds, kind,
                         intervalDays, lineCount, lines) != 0) {
    return TaskOutcome::kStopped;
  }
  const int shownCount = std::clamp<int>(lineCount, 0, kAlmanacHeadingLineCount);
  for (int j = 0; j < shownCount; ++j) {
    if (Interrupted(context)) return TaskOutcome::kInterrupted;
    if (full || !FirstHeadingOnly(j)) AppendReportLine(context, lines[j]);
  }
  return TaskOutcome::kCompleted;
}

TaskOutcome TabulateAlmanac(TaskContext& context, AlmanacKind kind, double startJd, int32_t count,
                            double intervalDays) {
  if (CheckEphemerisForDate(context.notice, context.places.ephemeris, startJd) != 0)
    return TaskOutcome::kStopped;
  const bool withSeconds = IntervalBelowOneMinute(intervalDays);
  PrintedDate headedDate;
  for (int32_t i = 0; i < count; ++i) {
    // Each instant by multiplication, so that rounding does not accumulate.
    const double jd = startJd + i * intervalDays;
    if (Interrupted(context)) return TaskOutcome::kInterrupted;
    if (CheckEphemerisForDate(context.notice, context.places.ephemeris, jd) != 0)
      return TaskOutcome::kStopped;

    const PrintedDate date = PrintedDateOf(jd, withSeconds);
    if (i == 0 || date != headedDate) {
      const TaskOutcome heading = AppendAlmanacHeading(context, kind, jd, intervalDays, i == 0);
      if (heading != TaskOutcome::kCompleted) return heading;
      headedDate = date;
    }

    AlmanacLine row;
    if (TaskAlmanac(context.notice, context.places, jd, kCommandDut1Seconds, kind, kNoStar,
                    intervalDays, row) != 0) {
      return TaskOutcome::kStopped;
    }
    AppendReportLine(context, row);
  }
  context.sink.AppendLine("");
  return TaskOutcome::kCompleted;
}

TaskOutcome AppendAlmanacStarList(TaskContext& context, AlmanacKind kind, double jd,
                                  double intervalDays) {
  for (int16_t star = 1; star <= kAlmanacLastStar; ++star) {
    if (Interrupted(context)) return TaskOutcome::kInterrupted;
    AlmanacLine row;
    if (TaskAlmanac(context.notice, context.places, jd, kCommandDut1Seconds, kind, star,
                    intervalDays, row) != 0) {
      return TaskOutcome::kStopped;
    }
    AppendReportLine(context, row);
  }
  context.sink.AppendLine("");
  return TaskOutcome::kCompleted;
}

}  // namespace navora
