#pragma once

#include <cstddef>
#include <string>

#include "engine/common/EngineStatus.h"
#include "engine/position/PositionReport.h"

namespace navora {

// The human-readable voyage log "navora.slf": one scrambled line per clear
// line, every batch closed by a separator line.
inline constexpr size_t kTextLogDirectoryMaxLength = 255;
inline constexpr char kTextLogFileName[] = "navora.slf";

// Longest clear line the writer accepts; a reader takes at most
// kTextLogReadLimit stored bytes of a line (key, 78 characters, line feed).
inline constexpr size_t kTextLogLineMaxLength = 78;
inline constexpr size_t kTextLogReadLimit = 80;

// The separator written after every batch, and how it reads back.
inline constexpr char kTextLogSeparator[] = "$";
inline constexpr size_t kTextLogSeparatorWidth = 78;

// The directory is used as a prefix ("%snavora.slf"), so it ends with its
// separator. 1 when longer than kTextLogDirectoryMaxLength.
EngineStatus SetTextLogDirectory(const char* directory);

// Path of the text log in the directory last set.
std::string TextLogPath();

// True when the text log file does not exist or holds nothing; asked before
// OpenTextLog to tell a new voyage log from an existing one.
bool TextLogFileIsMissingOrEmpty();

// Opens (creating when missing) the text log for appending and reading and
// keeps it open; an open log is closed first. 1 when it cannot be opened.
EngineStatus OpenTextLog();

void CloseTextLog();

// Writes the clear lines, each under its own key, then the separator, and
// returns only after the data has reached the disk. The lines are appended
// whole or not at all; nothing is written when any line cannot be stored
// faithfully.
// 1: count below 1, or the separator or the flush to disk failed;
// 2: the log is not open, a line is longer than kTextLogLineMaxLength or
//    cannot be scrambled without a line feed, or a line could not be written.
EngineStatus WriteTextLogLines(const std::string* lines, int count);
EngineStatus WriteTextLogLines(const ReportLine* lines, int count);

// Reads the next clear line, from the start of the file when first is set.
// A separator reads back as 78 hyphens; a stored line longer than the read
// limit is cut and its rest skipped.
// 1: end of the file; 2: the log is not open or cannot be read.
EngineStatus ReadTextLogLine(bool first, std::string& line);

}  // namespace navora
