#pragma once

// The worksheet's rich text in memory: a sequence of runs, each a piece of
// text in one character format. Text is UTF-8; a paragraph ends with '\n'
// (the RTF "\par"), a tab is '\t'. Report lines from the engine are Latin-1
// and are converted (Latin1ToUtf8) before they are appended here.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace navora {

// A text colour, 8 bits per channel.
struct RgbColour {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const RgbColour&) const = default;
};

struct CharFormat {
  std::string face = "Courier New";
  int32_t halfPoints = 18;  // font size in half-points (RTF's unit): 18 is 9 pt
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::optional<RgbColour> colour;  // none: the window's text colour
  bool operator==(const CharFormat&) const = default;
};

struct TextRun {
  std::string text;  // UTF-8
  CharFormat format;
  bool operator==(const TextRun&) const = default;
};

struct RichText {
  std::vector<TextRun> runs;
  bool operator==(const RichText&) const = default;
};

// Adds text in a format, joining it to the last run when the formats agree.
void AppendText(RichText& document, const std::string& text, const CharFormat& format);

// The concatenated text of every run.
std::string PlainText(const RichText& document);

}  // namespace navora
