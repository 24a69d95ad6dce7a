#include "app/worksheet/RichText.h"

namespace navora {

void AppendText(RichText& document, const std::string& text, const CharFormat& format) {
  if (text.empty()) return;
  if (!document.runs.empty() && document.runs.back().format == format) {
    document.runs.back().text += text;
  } else {
    document.runs.push_back(TextRun{text, format});
  }
}

std::string PlainText(const RichText& document) {
  size_t size = 0;
  for (const TextRun& run : document.runs) size += run.text.size();
  std::string text;
  text.reserve(size);
  for (const TextRun& run : document.runs) text += run.text;
  return text;
}

}  // namespace navora
