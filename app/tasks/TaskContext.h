#pragma once

#include <functional>
#include <string>

#include "app/bridge/Notice.h"
#include "app/tasks/ReportSink.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// What every task course needs from its front end: where messages go, where
// report lines go, the engine state it computes with (its own, when courses
// run on several threads at once), and the interrupt check run between steps
// (true = the user chose to abort).
struct TaskContext {
  Notice& notice;
  ReportSink& sink;
  PlaceContext& places;
  std::function<bool()> interruptRequested = [] { return false; };
  // The text of the latest almanac report, shared with the log windows; the
  // almanac commands empty it when they start and copy every heading line and
  // row into it ("\r\n" after each). Not kept when null.
  std::string* lastReportText = nullptr;
};

// How a task course ended. What was appended before a stop stays appended.
enum class TaskOutcome {
  kCompleted,
  kStopped,      // a bridge entry or the date check refused; the user was told
  kInterrupted,  // the user aborted between steps
};

}  // namespace navora
