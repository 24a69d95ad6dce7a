#include "engine/log/CommentWrapping.h"

namespace navora {

namespace {

constexpr char kCommentHeading[] = "\nCOMMENT:\n";

// Breaks one line (without its line end) into pieces of at most
// kCommentLineWidth characters.
void AppendBrokenLine(std::string_view line, std::vector<std::string>& lines) {
  if (line.empty()) {
    lines.emplace_back();
    return;
  }
  while (line.size() > kCommentLineWidth) {
    if (line[kCommentLineWidth] == ' ') {
      lines.emplace_back(line.substr(0, kCommentLineWidth));
      line.remove_prefix(kCommentLineWidth + 1);
      continue;
    }
    const size_t lastSpace = line.substr(0, kCommentLineWidth).rfind(' ');
    const size_t cut = lastSpace == std::string_view::npos ? kCommentLineWidth : lastSpace + 1;
    lines.emplace_back(line.substr(0, cut));
    line.remove_prefix(cut);
  }
  if (!line.empty()) {
    lines.emplace_back(line);
  }
}

}  // namespace

std::vector<std::string> WrapTextLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t lineFeed = text.find('\n', start);
    if (lineFeed == std::string_view::npos) {
      AppendBrokenLine(text.substr(start), lines);
      break;
    }
    size_t end = lineFeed;
    if (end > start && text[end - 1] == '\r') {
      --end;
    }
    AppendBrokenLine(text.substr(start, end - start), lines);
    start = lineFeed + 1;
  }
  return lines;
}

EngineStatus FormatCommentLines(std::string_view comment, std::vector<std::string>& lines) {
  if (comment.empty()) {
    lines.clear();
    return 1;
  }
  std::string text(kCommentHeading);
  text.append(comment);
  lines = WrapTextLines(text);
  return kStatusOk;
}

}  // namespace navora
