#include "engine/log/LogArchive.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>

#include "engine/log/EventLogFile.h"

namespace navora {

namespace {

constexpr EngineStatus kSourceUnreadable = 1;
constexpr EngineStatus kNoFreeNumber = 2;
constexpr EngineStatus kCopyFailed = 3;

constexpr size_t kCopyChunkBytes = 64 * 1024;
constexpr size_t kArchiveNameBytes = 16;  // "log99999.saf" and its terminator

// Copies every byte of `from` to `to` and syncs `to`.
bool CopyDurably(int from, int to) {
  std::array<uint8_t, kCopyChunkBytes> chunk;
  int64_t offset = 0;
  for (;;) {
    const ssize_t got = ::pread(from, chunk.data(), chunk.size(), static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return false;
    }
    if (got == 0) {
      return ::fsync(to) == 0;
    }
    if (!WriteDurablyAt(to, offset,
                        std::span<const uint8_t>(chunk.data(), static_cast<size_t>(got)))) {
      return false;
    }
    offset += got;
  }
}

}  // namespace

std::string ArchivePath(const std::string& directory, int number) {
  char name[kArchiveNameBytes];
  std::snprintf(name, sizeof name, kArchiveNameFormat, number);
  return directory + name;
}

EngineStatus CopyToNextArchive(const std::string& source, const std::string& directory,
                               std::string& archivePath) {
  const int from = OpenFileForReading(source.c_str());
  if (from < 0) {
    return kSourceUnreadable;
  }
  EngineStatus status = kNoFreeNumber;
  for (int number = 0; number <= kMaxArchiveNumber; ++number) {
    const std::string path = ArchivePath(directory, number);
    bool taken = false;
    const int to = CreateNewFile(path.c_str(), taken);
    if (taken) {
      continue;
    }
    const bool copied = to >= 0 && CopyDurably(from, to);
    CloseFile(to);
    if (copied && SyncParentDirectory(path.c_str())) {
      archivePath = path;
      status = kStatusOk;
    } else {
      if (to >= 0) {
        RemoveFile(path.c_str());
      }
      status = kCopyFailed;
    }
    break;
  }
  CloseFile(from);
  return status;
}

}  // namespace navora
