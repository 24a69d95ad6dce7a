#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/common/EngineStatus.h"

namespace navora {

inline constexpr size_t kCommentLineWidth = 78;

// Cuts text into lines at CR LF or a lone LF, then breaks every line longer
// than kCommentLineWidth: after the 78th character when a space follows it
// (that space is dropped), else after the last space within the first 78
// characters (the space ends the line), else after the 78th character.
std::vector<std::string> WrapTextLines(std::string_view text);

// The lines of a comment as logged: an empty line, "COMMENT:", then the
// wrapped comment. 1 for an empty comment (nothing to log).
[[nodiscard]] EngineStatus FormatCommentLines(std::string_view comment,
                                              std::vector<std::string>& lines);

}  // namespace navora
