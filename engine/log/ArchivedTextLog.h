#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/common/EngineStatus.h"

namespace navora {

// A text log read back from a file of any name: the archive of a finished
// voyage, which is the text log itself renamed, or an older log kept under
// another extension. Each stored line is taken as the live log's reader takes
// it (at most kTextLogReadLimit bytes, unscrambled, a separator shown as 78
// hyphens), so an archive reads exactly as its voyage's log did.

// Larger files are refused: a voyage's log holds some thousands of lines of
// at most 80 bytes, so anything this big is not a log and would only stall
// the window asked to show it.
inline constexpr int64_t kArchivedTextLogMaxBytes = 16 * 1024 * 1024;

inline constexpr EngineStatus kArchivedLogUnreadable = 1;
inline constexpr EngineStatus kArchivedLogTooLarge = 2;

// Every line of the file at `path` in clear, from its start; a last line
// without its line feed counts as a line. `lines` is replaced only on success.
// 1 the file cannot be opened or read (a directory included); 2 the file is
// larger than kArchivedTextLogMaxBytes.
[[nodiscard]] EngineStatus ReadArchivedTextLog(const std::string& path,
                                               std::vector<std::string>& lines);

}  // namespace navora
