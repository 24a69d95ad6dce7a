#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace navora {

// Whole-file reading and replacing for the program's documents, which are
// small enough to hold in memory.

// Reads at most maxBytes + 1 bytes of the file into bytes, so that a file too
// long to be a document shows as such without being read whole. False when
// the file cannot be opened or read.
inline bool ReadFileUpTo(const std::string& path, size_t maxBytes, std::string& bytes) {
  bytes.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char buffer[1 << 16];
  size_t count = 0;
  while (bytes.size() <= maxBytes &&
         (count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.append(buffer, count);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (bytes.size() > maxBytes + 1) bytes.resize(maxBytes + 1);
  return !failed;
}

// Writes the bytes beside the file and renames them over it once they are on
// disk, so that a failed save leaves the previous file as it was. False when
// the file could not be written whole.
inline bool ReplaceFile(const std::string& path, std::string_view bytes) {
  const std::string partial = path + ".partial";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                       std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
  if (std::fclose(file) != 0 || !written || std::rename(partial.c_str(), path.c_str()) != 0) {
    std::remove(partial.c_str());
    return false;
  }
  return true;
}

}  // namespace navora
