#pragma once

#include <string>
#include <string_view>

namespace navora {

// Receives the lines a task appends to its worksheet, one at a time and
// without line ends (the worksheet adds "\r\n" to each).
class ReportSink {
 public:
  virtual ~ReportSink() = default;
  virtual void AppendLine(std::string_view line) = 0;
};

// Keeps the appended text as the worksheet would receive it.
class TextReportSink : public ReportSink {
 public:
  explicit TextReportSink(std::string_view lineEnd = "\r\n") : lineEnd_(lineEnd) {}

  void AppendLine(std::string_view line) override {
    text.append(line);
    text.append(lineEnd_);
  }

  std::string text;

 private:
  std::string lineEnd_;
};

}  // namespace navora
