#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/common/EngineStatus.h"
#include "engine/log/TextLogCipher.h"
#include "engine/position/PositionReport.h"

namespace navora {

// The human-readable voyage log "navora.slf": every fix, DR update,
// correction, deletion and comment as clear text lines of at most 78
// characters, stored one line each under a per-line letter key
// (TextLogCipher.h), every batch closed by a separator line. Units: lengths
// and counts in characters and lines. A batch reported written (0) is on disk
// (fsync). Domain: one thread per TextLog; two TextLogs must not share a
// directory.
inline constexpr size_t kTextLogDirectoryMaxLength = 255;
inline constexpr char kTextLogFileName[] = "navora.slf";

// Longest clear line the writer accepts; a reader takes at most
// kTextLogReadLimit stored bytes of a line (key, 78 characters, line feed).
inline constexpr size_t kTextLogLineMaxLength = 78;
inline constexpr size_t kTextLogReadLimit = 80;

// The separator written after every batch, and how it reads back.
inline constexpr char kTextLogSeparator[] = "$";
inline constexpr size_t kTextLogSeparatorWidth = 78;

// One text log, owned by its caller: the directory, the open file and the
// next read position, the key sequence of the lines it writes, and the
// pending text for the current log window (TextLogPending.h). The destructor
// closes the file.
class TextLog {
 public:
  TextLog() = default;
  ~TextLog();
  TextLog(const TextLog&) = delete;
  TextLog& operator=(const TextLog&) = delete;

 private:
  friend struct TextLogAccess;  // the operations on a text log

  struct State {
    std::string directory;
    int fd = -1;
    off_t readOffset = 0;  // where the next sequential read starts
    TextLogKeys keys;
    std::string pending;
  };
  State state_;
};

// The directory is used as a prefix ("%snavora.slf"), so it ends with its
// separator. 1 when longer than kTextLogDirectoryMaxLength.
[[nodiscard]] EngineStatus SetTextLogDirectory(TextLog& log, const char* directory);

// Path of the text log in the directory last set.
std::string TextLogPath(const TextLog& log);

// True when the text log file does not exist or holds nothing; asked before
// OpenTextLog to tell a new voyage log from an existing one.
bool TextLogFileIsMissingOrEmpty(const TextLog& log);

// Opens (creating when missing) the text log for appending and reading and
// keeps it open; an open log is closed first. 1 when it cannot be opened.
[[nodiscard]] EngineStatus OpenTextLog(TextLog& log);

void CloseTextLog(TextLog& log);

// Seeds the log's key sequence; until called, the first key seeds itself from
// the clock. Tests call it for repeatable keys.
void SeedTextLogKeys(TextLog& log, uint32_t seed);

// Writes the clear lines, each under its own key, then the separator, and
// returns only after the data has reached the disk. The lines are appended
// whole or not at all; nothing is written when any line cannot be stored
// faithfully. Two causes share each code:
// 1: count below 1 (or no lines), or the separator or the flush to disk failed;
// 2: the log is not open, a line is longer than kTextLogLineMaxLength or
//    cannot be scrambled without a line feed, or a line could not be written.
[[nodiscard]] EngineStatus WriteTextLogLines(TextLog& log, const std::string* lines, int count);
[[nodiscard]] EngineStatus WriteTextLogLines(TextLog& log, const ReportLine* lines, int count);

// Reads the next clear line, from the start of the file when first is set.
// A separator reads back as 78 hyphens; a stored line longer than the read
// limit is cut and its rest skipped.
// 1: end of the file; 2: the log is not open or cannot be read.
[[nodiscard]] EngineStatus ReadTextLogLine(TextLog& log, bool first, std::string& line);

}  // namespace navora
