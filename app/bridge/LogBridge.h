#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "engine/common/PositionRecord.h"
#include "engine/log/EventLog.h"
#include "engine/log/NewInitialFix.h"
#include "engine/log/TextLog.h"

namespace navora {

// The voyage-log entries of the task bridge: each calls the engine's log
// operations and, when they fail, shows the user's message and returns a
// non-zero value that stops the task. The messages are fixed texts, shown
// exactly ('\n' breaks lines).

// The log's reading and writing messages, shared by the entries that use the log.
inline constexpr char kLogReadingFailedText[] = "An error occurred while\n reading the log.";
inline constexpr char kLogWritingFailedText[] = "An error occurred while\n writing to the log.";
inline constexpr char kLogFileWritingFailedText[] = "An error occurred writing to the log file";

// A notice with the information icon and an OK button.
inline constexpr NoticeStyle kNoticeOkInformation = 64;

// OpenEventLog. Returns its status: 0 entries exist, 2 empty (no message);
// 1 write-protected and 3 or more damaged (each with its warning).
int TaskOpenEventLog(Notice& notice, EventLog& log);

// OpenTextLog. Returns its status (1 with the reading message), plus 10 when
// the file was missing or empty before: a new voyage's text log.
int TaskOpenTextLog(Notice& notice, TextLog& log);

// The returned value of TaskOpenTextLog for a new, empty text log.
inline constexpr int kTextLogOpenedNew = 10;

// Every line of the open text log in clear, from its start (separators as
// 78 hyphens). Returns 0, or 2 with the reading message.
int TaskReadTextLog(Notice& notice, TextLog& log, std::vector<std::string>& lines);

// Logs a comment as the "COMMENT:" entry (CommentWrapping.h) and adds it to
// the pending log text; `written` receives its lines. 1 for an empty comment
// (nothing written, no message); otherwise the writing status, with the
// writing messages.
int TaskWriteComment(Notice& notice, TextLog& log, std::string_view comment,
                     std::vector<std::string>& written);

// The caption of the fix dialog that New Initial Fix opens.
inline constexpr char kNewInitialFixCaption[] = "New Initial Fix";

// New Initial Fix in the logs' directory: asks before archiving a non-empty
// text log (Yes and No), then lets the navigator enter the fix, starting from
// `start` (the latest position when the reference position is known, else
// DefaultPositionRecord); starts the new voyage from it (StartNewVoyage) and
// tells where the old log was archived. Returns 0 when the fix was recorded,
// with `voyage` filled; 1 when the navigator declined or cancelled, or the
// start was refused (with its message), both logs then as before.
int TaskNewInitialFix(Notice& notice, EventLog& events, TextLog& text, const PositionRecord& start,
                      const FixDialog& enterFix, NewVoyage& voyage);

// How many positions and sights since the last fix the log views and sight
// tasks list: at most the last 4 positions (kMaxLoadedLegs) and, of the
// latest 25 sights (kMaxLoadedSights), those on them. Returns 0; 1 when
// counting and 5 when reading fails (with the reading message).
int TaskCountSinceLastFix(Notice& notice, EventLog& log, int32_t& positions, int32_t& sights);

}  // namespace navora
