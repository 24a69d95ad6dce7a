#include "app/tasks/ApplicationState.h"

#include "app/bridge/LogBridge.h"

namespace navora {

bool OpenVoyageLogsAtStartup(Notice& notice, ApplicationState& state) {
  const char* directory = state.voyageDirectory.c_str();
  if (SetTextLogDirectory(state.text, directory) != kStatusOk ||
      SetEventLogDirectory(state.events, directory) != kStatusOk) {
    state.initialFixMissing = true;
    return false;
  }
  const int textStatus = TaskOpenTextLog(notice, state.text);
  state.textLogRead = textStatus == kStatusOk || textStatus == kTextLogOpenedNew;
  const int eventStatus = TaskOpenEventLog(notice, state.events);
  state.logAvailable = textStatus == kStatusOk && eventStatus == kStatusOk;
  state.initialFixMissing = !state.logAvailable;
  return state.logAvailable;
}

}  // namespace navora
