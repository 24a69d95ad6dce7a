#include "app/worksheet/RtfWriter.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "app/worksheet/Utf8.h"

namespace navora {
namespace {

struct Tables {
  std::vector<std::string> faces;
  std::vector<RgbColour> colours;  // "\cfN" is colours[N - 1]
};

size_t IndexOf(std::vector<std::string>& faces, const std::string& face) {
  for (size_t i = 0; i < faces.size(); ++i) {
    if (faces[i] == face) return i;
  }
  faces.push_back(face);
  return faces.size() - 1;
}

size_t IndexOf(std::vector<RgbColour>& colours, const RgbColour& colour) {
  for (size_t i = 0; i < colours.size(); ++i) {
    if (colours[i] == colour) return i + 1;
  }
  colours.push_back(colour);
  return colours.size();
}

void AppendFormatted(std::string& out, const char* format, long value) {
  char buffer[32];
  const int length = std::snprintf(buffer, sizeof buffer, format, value);
  if (length > 0) out.append(buffer, static_cast<size_t>(length));
}

void WriteUtf16Unit(std::string& out, char32_t unit) {
  AppendFormatted(out, "\\u%ld?", static_cast<long>(static_cast<int16_t>(unit)));
}

void WriteText(std::string& out, std::string_view text) {
  for (size_t position = 0; position < text.size();) {
    const char32_t c = DecodeUtf8(text, position);
    if (c == '\n') {
      out += "\\par\r\n";
    } else if (c == '\t') {
      out += "\\tab ";
    } else if (c == '\\' || c == '{' || c == '}') {
      out.push_back('\\');
      out.push_back(static_cast<char>(c));
    } else if (c >= 0x20 && c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x20 || (c >= 0xA0 && c <= 0xFF)) {
      AppendFormatted(out, "\\'%02lx", static_cast<long>(c));
    } else if (c < 0x10000) {
      WriteUtf16Unit(out, c);
    } else {
      const char32_t offset = c - 0x10000;
      WriteUtf16Unit(out, 0xD800 + (offset >> 10));
      WriteUtf16Unit(out, 0xDC00 + (offset & 0x3FF));
    }
  }
}

// A face name is written as text, without the ';' that would end the
// font-table entry and without line breaks, tabs or other controls.
void WriteFaceName(std::string& out, std::string_view face) {
  for (size_t position = 0; position < face.size();) {
    size_t next = position;
    const char32_t c = DecodeUtf8(face, next);
    if (c >= 0x20 && c != ';') WriteText(out, face.substr(position, next - position));
    position = next;
  }
}

void WriteHeader(std::string& out, const Tables& tables) {
  out += "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  for (size_t i = 0; i < tables.faces.size(); ++i) {
    AppendFormatted(out, "{\\f%ld\\fnil\\fcharset0 ", static_cast<long>(i));
    WriteFaceName(out, tables.faces[i]);
    out += ";}";
  }
  out += "}\r\n{\\colortbl ;";
  for (const RgbColour& colour : tables.colours) {
    AppendFormatted(out, "\\red%ld", colour.red);
    AppendFormatted(out, "\\green%ld", colour.green);
    AppendFormatted(out, "\\blue%ld;", colour.blue);
  }
  out += "}\r\n\\uc1\\pard";
}

// The control words that take `from` to `to`, each followed by a space-free
// delimiter: the next control word, or a single space before the text.
void WriteFormatChange(std::string& out, Tables& tables, const CharFormat* from,
                       const CharFormat& to) {
  const size_t before = out.size();
  if (from == nullptr || from->face != to.face) {
    AppendFormatted(out, "\\f%ld", static_cast<long>(IndexOf(tables.faces, to.face)));
  }
  if (from == nullptr || from->halfPoints != to.halfPoints) {
    AppendFormatted(out, "\\fs%ld", to.halfPoints);
  }
  if (from == nullptr || from->bold != to.bold) out += to.bold ? "\\b" : "\\b0";
  if (from == nullptr || from->italic != to.italic) out += to.italic ? "\\i" : "\\i0";
  if (from == nullptr || from->underline != to.underline) out += to.underline ? "\\ul" : "\\ulnone";
  if (from == nullptr || from->colour != to.colour) {
    const size_t index = to.colour ? IndexOf(tables.colours, *to.colour) : 0;
    AppendFormatted(out, "\\cf%ld", static_cast<long>(index));
  }
  if (out.size() != before) out.push_back(' ');
}

}  // namespace

std::string WriteRtf(const RichText& document) {
  // The tables come first in the stream, so they are gathered first.
  Tables tables;
  size_t textBytes = 0;
  for (const TextRun& run : document.runs) {
    IndexOf(tables.faces, run.format.face);
    if (run.format.colour) IndexOf(tables.colours, *run.format.colour);
    textBytes += run.text.size();
  }
  if (tables.faces.empty()) tables.faces.push_back(CharFormat{}.face);
  std::string out;
  out.reserve(textBytes + textBytes / 4 + 256);  // line ends and escapes
  WriteHeader(out, tables);
  const CharFormat* previous = nullptr;
  for (const TextRun& run : document.runs) {
    WriteFormatChange(out, tables, previous, run.format);
    WriteText(out, run.text);
    previous = &run.format;
  }
  out += "}\r\n";
  return out;
}

}  // namespace navora
