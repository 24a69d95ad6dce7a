#pragma once

// UTF-8 decoding and encoding for the worksheet's text. Malformed input
// (a stray continuation byte, an overlong form, a surrogate, a truncated
// sequence) decodes to U+FFFD one byte at a time, so every byte string has a
// decoding and nothing is lost silently beyond the damaged bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace navora {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;
inline constexpr char32_t kLastCodePoint = 0x10FFFF;

// Decodes the code point at text[position] and advances position past it.
// position must be below text.size().
char32_t DecodeUtf8(std::string_view text, size_t& position);

// Appends the UTF-8 form of a code point (U+FFFD for a surrogate or a value
// beyond U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);

// One byte per character: code points up to U+00FF keep their value, others
// become '?'. The worksheet file's plain-text copy is stored this way.
std::string Utf8ToLatin1(std::string_view text);

}  // namespace navora
