#include "app/worksheet/Utf8.h"

namespace navora {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool IsSurrogate(char32_t codePoint) { return codePoint >= 0xD800 && codePoint <= 0xDFFF; }

}  // namespace

char32_t DecodeUtf8(std::string_view text, size_t& position) {
  const auto lead = static_cast<unsigned char>(text[position]);
  ++position;
  if (lead < 0x80) return lead;
  size_t length = 0;
  char32_t codePoint = 0;
  char32_t smallest = 0;  // below this the form is overlong
  if ((lead & 0xE0) == 0xC0) {
    length = 2, codePoint = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, codePoint = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, codePoint = lead & 0x07, smallest = 0x10000;
  } else {
    return kReplacementCharacter;
  }
  if (position + length - 1 > text.size()) return kReplacementCharacter;
  for (size_t i = 0; i < length - 1; ++i) {
    const auto byte = static_cast<unsigned char>(text[position + i]);
    if (!IsContinuation(byte)) return kReplacementCharacter;
    codePoint = (codePoint << 6) | (byte & 0x3F);
  }
  if (codePoint < smallest || codePoint > kLastCodePoint || IsSurrogate(codePoint)) {
    return kReplacementCharacter;
  }
  position += length - 1;
  return codePoint;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint > kLastCodePoint || IsSurrogate(codePoint)) codePoint = kReplacementCharacter;
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

std::string Utf8ToLatin1(std::string_view text) {
  std::string latin1;
  latin1.reserve(text.size());
  for (size_t position = 0; position < text.size();) {
    const char32_t codePoint = DecodeUtf8(text, position);
    latin1.push_back(codePoint <= 0xFF ? static_cast<char>(codePoint) : '?');
  }
  return latin1;
}

}  // namespace navora
