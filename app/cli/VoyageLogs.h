#pragma once

#include <string>

#include "app/bridge/Notice.h"
#include "engine/log/EventLog.h"
#include "engine/log/TextLog.h"

namespace navora {

// The voyage's logs for the commands that read or write them. `command`
// names the command in the messages ("log update-dr" gives
// "navora-cli log update-dr: ..." on the error output).

inline constexpr char kNoVoyageDirectory[] =
    "no voyage directory: give --voyage-dir or set NAVORA_VOYAGE_DIR or HOME";

// One failure of `command`, on the error output; returns kExitFailure.
int CommandFailure(const std::string& command, const std::string& message);

// The voyage directory (--voyage-dir, else the environment's) set on both
// logs. False after saying why.
bool SetVoyageDirectory(const std::string& command, const char* voyageDirectory, EventLog& events,
                        TextLog& text);

// Both logs of a voyage that has started (its event log holds a position)
// opened. False after saying why: no voyage yet, or the bridge's message.
bool OpenStartedVoyage(const std::string& command, Notice& notice, const char* voyageDirectory,
                       EventLog& events, TextLog& text);

}  // namespace navora
