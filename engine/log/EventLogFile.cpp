#include "engine/log/EventLogFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace navora {

namespace {

constexpr mode_t kNewFileMode = 0666;  // narrowed by the user's umask

}  // namespace

bool SyncParentDirectory(const char* path) {
  std::string directory(path);
  size_t slash = directory.find_last_of('/');
  directory = slash == std::string::npos ? std::string(".") : directory.substr(0, slash + 1);
  int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) {
    return false;
  }
  bool synced = ::fsync(descriptor) == 0;
  ::close(descriptor);
  return synced;
}

int OpenFileForUpdate(const char* path) {
  int descriptor = ::open(path, O_RDWR | O_CLOEXEC);
  if (descriptor >= 0 || errno != ENOENT) {
    return descriptor;
  }
  descriptor = ::open(path, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
  if (descriptor < 0 && errno == EEXIST) {
    descriptor = ::open(path, O_RDWR | O_CLOEXEC);
  } else if (descriptor >= 0) {
    // Best effort: the new log is usable either way, and some file systems
    // cannot sync a directory at all.
    static_cast<void>(SyncParentDirectory(path));
  }
  return descriptor;
}

int OpenFileForReading(const char* path) { return ::open(path, O_RDONLY | O_CLOEXEC); }

int OpenExistingFileForUpdate(const char* path) { return ::open(path, O_RDWR | O_CLOEXEC); }

int CreateNewFile(const char* path, bool& exists) {
  int descriptor = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
  exists = descriptor < 0 && errno == EEXIST;
  return descriptor;
}

void RemoveFile(const char* path) { ::unlink(path); }

void CloseFile(int descriptor) {
  if (descriptor >= 0) {
    ::close(descriptor);
  }
}

bool GetFileSize(int descriptor, int64_t& size) {
  struct stat status;
  if (::fstat(descriptor, &status) != 0) {
    return false;
  }
  size = static_cast<int64_t>(status.st_size);
  return true;
}

bool ReadExactlyAt(int descriptor, int64_t offset, std::span<uint8_t> bytes) {
  if (offset < 0) {
    return false;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t got = ::pread(descriptor, bytes.data() + done, bytes.size() - done,
                          static_cast<off_t>(offset + static_cast<int64_t>(done)));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      return false;
    }
    done += static_cast<size_t>(got);
  }
  return true;
}

bool WriteDurablyAt(int descriptor, int64_t offset, std::span<const uint8_t> bytes) {
  if (offset < 0) {
    return false;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t put = ::pwrite(descriptor, bytes.data() + done, bytes.size() - done,
                           static_cast<off_t>(offset + static_cast<int64_t>(done)));
    if (put < 0 && errno == EINTR) {
      continue;
    }
    if (put <= 0) {
      return false;
    }
    done += static_cast<size_t>(put);
  }
  return ::fsync(descriptor) == 0;
}

bool TruncateDurably(int descriptor, int64_t size) {
  return ::ftruncate(descriptor, static_cast<off_t>(size)) == 0 && ::fsync(descriptor) == 0;
}

}  // namespace navora
