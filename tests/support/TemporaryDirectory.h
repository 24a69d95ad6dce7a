#pragma once

// Scratch directories for tests that build their own data files.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace navora::testing {

// A fresh directory under /tmp, removed with its contents at the end.
class TemporaryDirectory {
 public:
  TemporaryDirectory() {
    char pattern[] = "/tmp/navora-test-XXXXXX";
    path_ = ::mkdtemp(pattern) != nullptr ? pattern : "/nonexistent";
  }
  ~TemporaryDirectory() { std::filesystem::remove_all(path_, ignored_); }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::error_code ignored_;
};

// The engine opens its data files by bare name in the working directory.
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::string& path) { std::filesystem::current_path(path); }
  ~ScopedWorkingDirectory() { std::filesystem::current_path(previous_, ignored_); }

 private:
  std::filesystem::path previous_ = std::filesystem::current_path();
  std::error_code ignored_;
};

inline void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace navora::testing
