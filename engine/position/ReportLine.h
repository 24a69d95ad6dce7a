#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>

namespace navora {

// A report line: 78 characters and the terminator. Formatting is bounded
// (vsnprintf): a line never overruns, whatever the values.
inline constexpr size_t kReportLineBytes = 79;
using ReportLine = char[kReportLineBytes];

// printf into one report line, cut at its 78 characters; callers bound their
// values, so a cut only ever hides a damaged record's digits. Inline so that
// modules using the line type alone need not link the position library.
[[gnu::format(printf, 2, 3)]] inline void FormatReportLine(ReportLine& line, const char* format,
                                                           ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
}

inline void CopyReportLine(const char* text, ReportLine& line) {
  FormatReportLine(line, "%s", text);
}

}  // namespace navora
