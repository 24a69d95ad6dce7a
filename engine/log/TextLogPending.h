#pragma once

#include <string>

#include "engine/position/PositionReport.h"

namespace navora {

// The log text written since the current log window last took it: every
// line logged, each followed by carriage return and line feed.
void AppendPendingLogText(const std::string* lines, int count);
void AppendPendingLogText(const ReportLine* lines, int count);

const std::string& PendingLogText();

void ClearPendingLogText();

}  // namespace navora
