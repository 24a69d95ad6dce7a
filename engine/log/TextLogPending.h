#pragma once

#include <string>

#include "engine/log/TextLog.h"
#include "engine/position/PositionReport.h"

namespace navora {

// The text a log has written since the current log window last took it:
// every line logged, each followed by carriage return and line feed, kept in
// memory by the TextLog.
void AppendPendingLogText(TextLog& log, const std::string* lines, int count);
void AppendPendingLogText(TextLog& log, const ReportLine* lines, int count);

const std::string& PendingLogText(const TextLog& log);

void ClearPendingLogText(TextLog& log);

}  // namespace navora
