#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace navora {

// The fields of the program's binary documents (worksheets, plots and
// charts), written to and read from memory: ints of 4 bytes (two's
// complement) and doubles of 8 bytes (IEEE-754), little-endian whatever the
// host; strings as a length and that many bytes. A short string's length is
// one byte; a length-prefixed string escapes longer lengths: one byte below
// 0xFF, else 0xFF and 2 bytes below 0xFFFF, else 0xFF, 0xFFFF and 4 bytes.

inline constexpr uint8_t kLength16Follows = 0xFF;     // the byte length escape
inline constexpr uint16_t kLength32Follows = 0xFFFF;  // the 16-bit length escape

inline void AppendLittleEndian(std::string& out, uint64_t bits, size_t count) {
  for (size_t i = 0; i < count; ++i) out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

// Bytes of the length prefix that AppendLengthPrefixed writes for a length.
inline size_t LengthPrefixBytes(size_t length) {
  if (length < kLength16Follows) return 1;
  return length < kLength32Follows ? 3 : 7;
}

// Appends the length prefix and the bytes of a length-prefixed string.
inline void AppendLengthPrefixed(std::string& out, std::string_view bytes) {
  const size_t length = bytes.size();
  if (length < kLength16Follows) {
    AppendLittleEndian(out, length, 1);
  } else if (length < kLength32Follows) {
    AppendLittleEndian(out, kLength16Follows, 1);
    AppendLittleEndian(out, length, 2);
  } else {
    AppendLittleEndian(out, kLength16Follows, 1);
    AppendLittleEndian(out, kLength32Follows, 2);
    AppendLittleEndian(out, length, 4);
  }
  out.append(bytes);
}

// The unsigned value of `count` bytes at bytes[position], advancing position;
// false (position unchanged) when they run past the end.
inline bool ReadLittleEndian(std::string_view bytes, size_t& position, size_t count,
                             uint64_t& bits) {
  if (position > bytes.size() || bytes.size() - position < count) return false;
  bits = 0;
  for (size_t i = 0; i < count; ++i) {
    bits |= static_cast<uint64_t>(static_cast<unsigned char>(bytes[position + i])) << (8 * i);
  }
  position += count;
  return true;
}

// Reads a length-prefixed string at bytes[position] and advances position
// past it; false (position unchanged) when the prefix or the string runs
// past the end. The length is checked against the bytes left before use.
inline bool ReadLengthPrefixed(std::string_view bytes, size_t& position,
                               std::string_view& value) {
  size_t at = position;
  uint64_t length = 0;
  if (!ReadLittleEndian(bytes, at, 1, length)) return false;
  if (length == kLength16Follows && !ReadLittleEndian(bytes, at, 2, length)) return false;
  if (length == kLength32Follows && !ReadLittleEndian(bytes, at, 4, length)) return false;
  if (bytes.size() - at < length) return false;
  value = bytes.substr(at, length);
  position = at + length;
  return true;
}

class LittleEndianWriter {
 public:
  explicit LittleEndianWriter(std::string& bytes) : bytes_(bytes) {}

  void Int(int32_t value) { AppendLittleEndian(bytes_, static_cast<uint32_t>(value), 4); }
  void Double(double value) { AppendLittleEndian(bytes_, std::bit_cast<uint64_t>(value), 8); }
  void Byte(char value) { bytes_.push_back(value); }
  // A one-byte length: the caller keeps the text below 256 bytes.
  void ShortString(std::string_view text) {
    bytes_.push_back(static_cast<char>(text.size()));
    bytes_.append(text);
  }
  void String(std::string_view text) { AppendLengthPrefixed(bytes_, text); }

 private:
  std::string& bytes_;
};

// Each read checks that the bytes are there and the value fits its field;
// the first refusal sticks and later reads give defaults, so a caller may
// read on and test ok() once.
class LittleEndianReader {
 public:
  explicit LittleEndianReader(std::string_view bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  bool AtEnd() const { return position_ == bytes_.size(); }
  void Refuse() { ok_ = false; }

  int32_t Int(int32_t lowest, int32_t highest) {
    const int32_t value = static_cast<int32_t>(static_cast<uint32_t>(Bits(4)));
    Check(value >= lowest && value <= highest);
    return ok_ ? value : lowest;
  }
  uint16_t Field() { return static_cast<uint16_t>(Int(0, UINT16_MAX)); }
  uint8_t Flag() { return static_cast<uint8_t>(Int(0, 1)); }

  double Double() {
    const double value = std::bit_cast<double>(Bits(8));
    Check(std::isfinite(value));
    return ok_ ? value : 0.0;
  }

  char Byte() { return static_cast<char>(Bits(1)); }

  std::string_view ShortString() {
    const size_t length = Bits(1);
    Check(Remaining(length));
    return Take(length);
  }

  // Only the shortest prefix is taken, so that what is read writes back the same.
  std::string_view String() {
    if (!ok_) return {};
    const size_t start = position_;
    std::string_view text;
    Check(ReadLengthPrefixed(bytes_, position_, text));
    Check(position_ - start == LengthPrefixBytes(text.size()) + text.size());
    return ok_ ? text : std::string_view();
  }

 private:
  bool Remaining(size_t count) const { return bytes_.size() - position_ >= count; }
  void Check(bool condition) { ok_ = ok_ && condition; }

  uint64_t Bits(size_t count) {
    uint64_t bits = 0;
    Check(ok_ && ReadLittleEndian(bytes_, position_, count, bits));
    return ok_ ? bits : 0;
  }

  std::string_view Take(size_t count) {
    if (!ok_) return {};
    const std::string_view text = bytes_.substr(position_, count);
    position_ += count;
    return text;
  }

  std::string_view bytes_;
  size_t position_ = 0;
  bool ok_ = true;
};

}  // namespace navora
