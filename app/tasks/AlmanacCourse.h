#pragma once

#include <cstdint>

#include "app/tasks/TaskContext.h"
#include "engine/almanac/AlmanacValues.h"

namespace navora {

// The steps the almanac commands are built from. Each checks for an interrupt
// before every heading line and row it appends, and returns kCompleted when
// the command may go on.

// Heading of a table for the UTC instant jd after the date check. A repeated
// heading (full = false) leaves out the title, the section title and the
// blank line after it.
TaskOutcome AppendAlmanacHeading(TaskContext& context, AlmanacKind kind, double jd,
                                 double intervalDays, bool full);

// `count` rows of kind 1 or 2 from startJd every intervalDays, each after its
// date check, with a heading before the first row and again whenever a row
// falls on a new date; then one empty line.
TaskOutcome TabulateAlmanac(TaskContext& context, AlmanacKind kind, double startJd, int32_t count,
                            double intervalDays);

// One row of kind 3 or 4 for each navigational star and Polaris, then one
// empty line.
TaskOutcome AppendAlmanacStarList(TaskContext& context, AlmanacKind kind, double jd,
                                  double intervalDays);

}  // namespace navora
