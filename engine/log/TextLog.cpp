#include "engine/log/TextLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "engine/log/TextLogAccess.h"
#include "engine/log/TextLogCipher.h"

namespace navora {

namespace {

constexpr EngineStatus kStatusSeparatorFailed = 1;
constexpr EngineStatus kStatusLineFailed = 2;
constexpr EngineStatus kStatusEndOfFile = 1;
constexpr EngineStatus kStatusReadFailed = 2;

constexpr char kSeparatorMark = '$';
constexpr char kSeparatorDash = '-';
constexpr mode_t kNewFileMode = 0644;

// The log is kept as a descriptor opened for appending and reading: writes
// go straight to the file, so a failed write leaves nothing buffered that a
// later write could push out as half a line.
using LogState = TextLogAccess::State;

// The batch in stored form, each line under its own key and ended by a line
// feed; 1 when a line is too long or has no key that keeps it on one line.
EngineStatus ScrambleLines(TextLogKeys& keys, const std::vector<std::string_view>& clear,
                           std::string& stored) {
  for (const std::string_view line : clear) {
    char key = 0;
    if (line.size() > kTextLogLineMaxLength ||
        ChooseTextLogKey(line, NextTextLogKey(keys), key) != kStatusOk) {
      return 1;
    }
    stored.append(ScrambleTextLogLine(line, key)).push_back('\n');
  }
  return 0;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    done += static_cast<size_t>(written);
  }
  return true;
}

// Appends bytes whole or not at all: a partial write is cut off again so
// that the next line does not run on from half a line.
bool AppendWhole(int fd, const std::string& bytes) {
  struct stat before {};
  if (::fstat(fd, &before) != 0) {
    return false;
  }
  if (WriteAll(fd, bytes)) {
    return true;
  }
  // Should the cut fail too, the next batch still starts on a line of its
  // own: WriteBatch closes a cut-off line first.
  static_cast<void>(::ftruncate(fd, before.st_size));
  return false;
}

// A navigator's entries must survive a crash or power loss once reported
// written, so the data is pushed through to the disk.
bool SyncToDisk(int fd) {
  while (::fsync(fd) != 0) {
    if (errno != EINTR) {
      return false;
    }
  }
  return true;
}

// A newly created file is only durable once its directory entry is.
void SyncDirectory(const std::string& directory) {
  const std::string path = directory.empty() ? std::string(".") : directory;
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    SyncToDisk(fd);
    ::close(fd);
  }
}

// Sets midLine when the file's last line lacks its line feed, as after a
// crash in the middle of a write by an earlier run; false when the file
// cannot be examined.
bool EndsMidLine(int fd, bool& midLine) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    return false;
  }
  midLine = false;
  if (status.st_size == 0) {
    return true;
  }
  char last = '\n';
  if (::pread(fd, &last, 1, status.st_size - 1) != 1) {
    return false;
  }
  midLine = last != '\n';
  return true;
}

EngineStatus WriteBatch(LogState& log, const std::vector<std::string_view>& clear) {
  const int fd = log.fd;
  if (fd < 0) {
    return kStatusLineFailed;
  }
  // A cut-off last line is closed first so that it cannot swallow the key
  // of the batch's first line.
  bool midLine = false;
  if (!EndsMidLine(fd, midLine)) {
    return kStatusLineFailed;
  }
  std::string lines(midLine ? "\n" : "");
  std::string separator;
  if (ScrambleLines(log.keys, clear, lines) != kStatusOk ||
      ScrambleLines(log.keys, {std::string_view(kTextLogSeparator)}, separator) != kStatusOk) {
    return kStatusLineFailed;
  }
  if (!AppendWhole(fd, lines)) {
    return kStatusLineFailed;
  }
  const bool separatorWritten = AppendWhole(fd, separator);
  const bool synced = SyncToDisk(fd);
  return separatorWritten && synced ? kStatusOk : kStatusSeparatorFailed;
}

// Reads up to count bytes at offset; fewer only at the end of the file.
bool ReadAt(int fd, off_t offset, char* bytes, size_t count, size_t& got) {
  got = 0;
  while (got < count) {
    const ssize_t n = ::pread(fd, bytes + got, count - got, offset + static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      return false;
    }
    if (n == 0) {
      break;
    }
    got += static_cast<size_t>(n);
  }
  return true;
}

// Moves offset past the line feed that ends the line it lies in, or to the
// end of the file.
bool SkipRestOfLine(int fd, off_t& offset) {
  char chunk[kTextLogReadLimit];
  for (;;) {
    size_t got = 0;
    if (!ReadAt(fd, offset, chunk, sizeof chunk, got)) {
      return false;
    }
    const void* lineFeed = std::memchr(chunk, '\n', got);
    if (lineFeed != nullptr) {
      offset += static_cast<const char*>(lineFeed) - chunk + 1;
      return true;
    }
    offset += static_cast<off_t>(got);
    if (got < sizeof chunk) {
      return true;
    }
  }
}

// Reads the stored line at offset, at most kTextLogReadLimit bytes of it
// without its line feed, and moves offset to the next line. 1 at the end of
// the file, 2 on a read error.
EngineStatus ReadStoredLine(int fd, off_t& offset, std::string& stored) {
  char bytes[kTextLogReadLimit];
  size_t got = 0;
  if (!ReadAt(fd, offset, bytes, sizeof bytes, got)) {
    return kStatusReadFailed;
  }
  if (got == 0) {
    return kStatusEndOfFile;
  }
  const void* lineFeed = std::memchr(bytes, '\n', got);
  if (lineFeed != nullptr) {
    const size_t length = static_cast<size_t>(static_cast<const char*>(lineFeed) - bytes);
    stored.assign(bytes, length);
    offset += static_cast<off_t>(length + 1);
    return kStatusOk;
  }
  stored.assign(bytes, got);
  offset += static_cast<off_t>(got);
  return SkipRestOfLine(fd, offset) ? kStatusOk : kStatusReadFailed;
}

}  // namespace

TextLog::~TextLog() { CloseTextLog(*this); }

EngineStatus SetTextLogDirectory(TextLog& log, const char* directory) {
  const char* text = directory == nullptr ? "" : directory;
  if (strnlen(text, kTextLogDirectoryMaxLength + 1) > kTextLogDirectoryMaxLength) {
    return 1;
  }
  TextLogAccess::Of(log).directory = text;
  return kStatusOk;
}

std::string TextLogPath(const TextLog& log) {
  return TextLogAccess::Of(log).directory + kTextLogFileName;
}

bool TextLogFileIsMissingOrEmpty(const TextLog& log) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(TextLogPath(log), error);
  return error || size == 0;
}

EngineStatus OpenTextLog(TextLog& owner) {
  CloseTextLog(owner);
  LogState& log = TextLogAccess::Of(owner);
  const std::string path = TextLogPath(owner);
  std::error_code error;
  const bool existed = std::filesystem::exists(path, error);
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, kNewFileMode);
  if (fd < 0) {
    return 1;
  }
  if (!existed) {
    SyncDirectory(log.directory);
  }
  log.fd = fd;
  log.readOffset = 0;
  return kStatusOk;
}

void CloseTextLog(TextLog& owner) {
  LogState& log = TextLogAccess::Of(owner);
  if (log.fd >= 0) {
    ::close(log.fd);
    log.fd = -1;
  }
  log.readOffset = 0;
}

void SeedTextLogKeys(TextLog& log, uint32_t seed) {
  SeedTextLogKeys(TextLogAccess::Of(log).keys, seed);
}

EngineStatus WriteTextLogLines(TextLog& log, const std::string* lines, int count) {
  if (count < 1 || lines == nullptr) {
    return 1;
  }
  const std::vector<std::string_view> clear(lines, lines + count);
  return WriteBatch(TextLogAccess::Of(log), clear);
}

EngineStatus WriteTextLogLines(TextLog& log, const ReportLine* lines, int count) {
  if (count < 1 || lines == nullptr) {
    return 1;
  }
  std::vector<std::string_view> clear;
  clear.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    clear.emplace_back(lines[i], strnlen(lines[i], kReportLineBytes));
  }
  return WriteBatch(TextLogAccess::Of(log), clear);
}

EngineStatus ReadTextLogLine(TextLog& log, bool first, std::string& line) {
  LogState& state = TextLogAccess::Of(log);
  if (state.fd < 0) {
    return kStatusReadFailed;
  }
  off_t offset = first ? 0 : state.readOffset;
  std::string stored;
  const EngineStatus status = ReadStoredLine(state.fd, offset, stored);
  if (status == kStatusReadFailed) {
    return status;
  }
  state.readOffset = offset;
  if (status != kStatusOk) {
    return status;
  }
  line = UnscrambleTextLogLine(stored);
  if (!line.empty() && line.front() == kSeparatorMark) {
    line.assign(kTextLogSeparatorWidth, kSeparatorDash);
  }
  return kStatusOk;
}

}  // namespace navora
