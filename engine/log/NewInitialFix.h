#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/log/EventLog.h"
#include "engine/log/LogEntries.h"
#include "engine/log/TextLog.h"

namespace navora {

// Starting a new voyage from an initial fix: the current text log is archived
// (LogArchive.h), the event log and the text log start again, and the fix
// becomes the first entry of both ("INITIAL FIX" in the text log). Units as
// in PositionRecord: Julian date UTC, degrees north and east positive, knots.
//
// No step may leave the voyage without its log. The new logs are first
// written in full beside the live ones (under kNewVoyageStagingPrefix), the
// archive copy is then written and synced, and only then do the new files
// replace the live ones by rename: the text log first, the event log last, so
// that a failure at any point leaves either the old voyage whole or the new
// one with the old text safely archived.

inline constexpr char kNewVoyageStagingPrefix[] = ".new-";

// What a new voyage wrote.
struct NewVoyage {
  std::string archivePath;  // the archived text log; empty when it was empty
  std::array<ReportLine, kNewPositionEntryLines> entry{};  // the INITIAL FIX lines
};

// The fix a navigator enters for a new voyage: an external fix without
// motion or current, latitude -90..90, longitude -180..180, course 0..360
// degrees, speed in knots.
PositionRecord MakeInitialFixRecord(double time, double latitude, double longitude, double course,
                                    double speed);

// Size in bytes of the text log's file, 0 when it does not exist; a non-empty
// log is archived by StartNewVoyage. 1 the file exists but cannot be read.
[[nodiscard]] EngineStatus MeasureTextLogFile(const TextLog& log, int64_t& bytes);

// Starts a new voyage in the logs' directories from `fix` (a fix of type 0 or
// 1, inside IsPositionRecordInDomain). The logs may be open, closed or even
// damaged beforehand; both are open afterwards on success. The new event
// log's sequence numbers continue from those `events` has seen, and
// `text`'s pending text is replaced by the new entry.
// Refusals, after which both logs are as before (reopened):
// 1 the event log is read-only; 2 the text log cannot be read; 3 the fix
// cannot be logged; 4 the new logs cannot be written in the directory;
// 5 the archive cannot be written (or every number is taken).
// 6 the new files could not replace the old (the archive stays; the old
// event log is kept); 7 the new logs are in place but do not reopen.
inline constexpr EngineStatus kNewVoyageEventLogReadOnly = 1;
inline constexpr EngineStatus kNewVoyageTextLogUnreadable = 2;
inline constexpr EngineStatus kNewVoyageFixNotLoggable = 3;
inline constexpr EngineStatus kNewVoyageStagingFailed = 4;
inline constexpr EngineStatus kNewVoyageArchiveFailed = 5;
inline constexpr EngineStatus kNewVoyageReplaceFailed = 6;
inline constexpr EngineStatus kNewVoyageReopenFailed = 7;
[[nodiscard]] EngineStatus StartNewVoyage(EventLog& events, TextLog& text,
                                          const PositionRecord& fix, NewVoyage& result);

}  // namespace navora
