#include "engine/log/TextLogPending.h"

#include <cstring>

namespace navora {

namespace {

constexpr char kLineEnd[] = "\r\n";

std::string& Pending() {
  static std::string text;
  return text;
}

}  // namespace

void AppendPendingLogText(const std::string* lines, int count) {
  for (int i = 0; i < count; ++i) {
    Pending().append(lines[i]).append(kLineEnd);
  }
}

void AppendPendingLogText(const ReportLine* lines, int count) {
  for (int i = 0; i < count; ++i) {
    Pending().append(lines[i], strnlen(lines[i], kReportLineBytes)).append(kLineEnd);
  }
}

const std::string& PendingLogText() { return Pending(); }

void ClearPendingLogText() { Pending().clear(); }

}  // namespace navora
