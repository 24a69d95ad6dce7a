#include "engine/log/TextLogPending.h"

#include <cstring>

#include "engine/log/TextLogAccess.h"

namespace navora {

namespace {

constexpr char kLineEnd[] = "\r\n";

}  // namespace

void AppendPendingLogText(TextLog& log, const std::string* lines, int count) {
  std::string& pending = TextLogAccess::Of(log).pending;
  for (int i = 0; i < count; ++i) {
    pending.append(lines[i]).append(kLineEnd);
  }
}

void AppendPendingLogText(TextLog& log, const ReportLine* lines, int count) {
  std::string& pending = TextLogAccess::Of(log).pending;
  for (int i = 0; i < count; ++i) {
    pending.append(lines[i], strnlen(lines[i], kReportLineBytes)).append(kLineEnd);
  }
}

const std::string& PendingLogText(const TextLog& log) { return TextLogAccess::Of(log).pending; }

void ClearPendingLogText(TextLog& log) { TextLogAccess::Of(log).pending.clear(); }

}  // namespace navora
