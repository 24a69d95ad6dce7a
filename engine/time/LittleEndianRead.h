#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>

namespace navora {

// Field-by-field decoding of little-endian binary data files, independent of
// the host's byte order. The Read functions return false on a short read.
// The bits are copied exactly, NaN and infinities included: checking that a
// value is finite and in range is the caller's job.

inline double DecodeLittleEndianDouble(const unsigned char* bytes) {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | bytes[i];
  return std::bit_cast<double>(bits);
}

inline bool ReadLittleEndianDouble(std::FILE* file, double& value) {
  unsigned char bytes[8];
  if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) return false;
  value = DecodeLittleEndianDouble(bytes);
  return true;
}

inline bool ReadLittleEndianInt32(std::FILE* file, int32_t& value) {
  unsigned char bytes[4];
  if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) return false;
  uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = (bits << 8) | bytes[i];
  value = static_cast<int32_t>(bits);
  return true;
}

}  // namespace navora
