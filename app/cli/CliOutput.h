#pragma once

#include <string>
#include <string_view>

#include "app/tasks/ReportSink.h"

namespace navora {

// A bad argument of `command`: one line on the error output that points to
// the command's help. Returns kExitUsage.
int UsageFailure(const char* command, const std::string& reason);

// Flushes the standard output and checks that everything written reached it
// (a full disk, a closed pipe). Returns exitCode when it did; otherwise says
// so on the error output and returns kExitFailure, so that a report lost on
// the way is never reported as success.
int FinishStandardOutput(int exitCode);

// Writes report lines to standard output as they are appended, each ended
// by `lineEnd`.
class StandardOutputSink : public ReportSink {
 public:
  explicit StandardOutputSink(const char* lineEnd = "\n") : lineEnd_(lineEnd) {}
  void AppendLine(std::string_view line) override;

 private:
  const char* lineEnd_;
};

}  // namespace navora
