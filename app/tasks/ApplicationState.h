#pragma once

#include <string>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "engine/log/EventLog.h"
#include "engine/log/TextLog.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// What the desktop program keeps for one run: the engine state every task
// computes with, the two open voyage logs, and the few facts the windows
// consult. One object, owned by the program (or by a test), so that nothing
// lives in globals and two instances in one process never meet.
struct ApplicationState {
  // dataDirectory and voyageDirectory are prefixes ending in their separator.
  ApplicationState(const std::string& dataDirectory, std::string voyageDirectory)
      : places(dataDirectory), voyageDirectory(std::move(voyageDirectory)) {}

  PlaceContext places;
  EventLog events;
  TextLog text;
  ReferenceState reference;
  std::string voyageDirectory;

  bool logAvailable = false;       // both logs usable and the event log holds a position
  bool initialFixMissing = false;  // offer an initial fix once the main window is up
  bool textLogRead = false;        // the text log opened (or was new) at start-up
  bool closing = false;            // the main window has started closing

  // The latest almanac report, for the log windows.
  std::string lastReportText;
};

// Opens both voyage logs at start-up and sets the flags above: the text log
// first (a new, empty one means no voyage yet), then the event log, which is
// tested for write protection and damage. The user is told of a damaged or
// protected log by the bridge. Returns logAvailable.
bool OpenVoyageLogsAtStartup(Notice& notice, ApplicationState& state);

}  // namespace navora
