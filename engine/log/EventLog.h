#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "engine/common/EngineStatus.h"
#include "engine/common/ObservationRecord.h"
#include "engine/common/PositionRecord.h"
#include "engine/log/EventLogEntryFormat.h"

namespace navora {

// The voyage's binary event log "navora.evt": every fix, DR update and sight
// since the last New Initial Fix, in entry order. Format: a headerless run of
// little-endian entries of 72 bytes (fixes and DR updates) or 88 bytes
// (sights), each starting and ending with its 16-bit kind (EventLogEntryFormat.h).
// Units: offsets and sizes in bytes from the start of the file; times Julian
// dates (UTC); angles degrees; speeds knots. Every change is on disk (fsync)
// before an operation returns 0, so an acknowledged entry survives a crash.
// Domain: one thread per EventLog; two EventLogs must not share a directory.

inline constexpr char kEventLogFileName[] = "navora.evt";
inline constexpr int kMaxEventLogDirectoryLength = 255;

// Byte offset of an entry in the file; -1 where there is none.
using EventLogOffset = int64_t;
inline constexpr EventLogOffset kNoEventLogEntry = -1;

// For each entry kind, the offset of its last entry in the file.
using EventLogKindOffsets = std::array<EventLogOffset, kEntryKindCount>;

// At most this many sights and legs are loaded for a fix.
inline constexpr int kMaxLoadedSights = 25;
inline constexpr int kMaxLoadedLegs = 4;

// Sights further than this after the start of the last leg are not used.
inline constexpr double kMaxSightDaysAfterLastLeg = 10.0;

// The sights of the last leg, for the choice of the time of fix.
struct SightTimeSummary {
  double lastLegTime = 0.0;
  uint16_t lastLegSightCount = 0;
  uint16_t lastLegIncludedCount = 0;
  double earliestIncludedTime = 0.0;  // all three 0 when no sight of the last
  double latestIncludedTime = 0.0;    // leg is included
  double meanIncludedTime = 0.0;
};

// Legs and sights since the last fix, as the fix computation and its plot use them.
struct LegsAndSights {
  std::array<ObservationRecord, kMaxLoadedSights> sights{};  // earliest first
  std::array<EventLogOffset, kMaxLoadedSights> sightOffsets{};
  int16_t sightCount = 0;
  std::array<PositionRecord, kMaxLoadedLegs> legs{};  // ascending time
  std::array<EventLogOffset, kMaxLoadedLegs> legOffsets{};
  int16_t legCount = 0;
  int32_t rawSightCount = 0;     // sights after the last fix, deleted ones not counted
  int32_t rawPositionCount = 0;  // the last fix and the DR updates after it
  SightTimeSummary summary;
};

// One voyage log, owned by its caller: the directory, the open file, the
// index of the last entry of each kind and the sequence counter. The counter
// survives CloseEventLog and a reopen of the same object, so that a new
// voyage's numbers continue from the old one. The destructor closes the file.
class EventLog {
 public:
  EventLog() = default;
  ~EventLog();
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;

 private:
  friend struct EventLogAccess;  // the operations below

  struct State {
    std::string directory;
    int descriptor = -1;
    EventLogKindOffsets lastOffset = {-1, -1, -1, -1, -1, -1};
    uint32_t sequenceCounter = 0;
  };
  State state_;
};

// Directory of the log including its trailing separator; the file is
// "<directory>navora.evt". 1: null or longer than 255 characters.
[[nodiscard]] EngineStatus SetEventLogDirectory(EventLog& log, const char* directory);

// "<directory>navora.evt" of the directory last set.
std::string EventLogPath(const EventLog& log);

// Opens (creating it empty if missing) and indexes the log. 1 cannot be opened
// for update; 2 empty; 3 the first entry is not a fix; 4 the file is not a
// whole sequence of valid entries: a bad or mismatched kind word anywhere and
// a torn last entry share this code (InspectEventLog tells them apart).
// A log that fails stays closed.
[[nodiscard]] EngineStatus OpenEventLog(EventLog& log);

void CloseEventLog(EventLog& log);

// 1 position type not 0..2, or not a fix as the log's first entry; 2 write
// error, or the log is not open.
[[nodiscard]] EngineStatus AppendPositionEntry(EventLog& log, PositionRecord position);

// 1 the log holds no entry yet; 2 write error, or the log is not open.
[[nodiscard]] EngineStatus AppendSightEntry(EventLog& log, const ObservationRecord& sight);

// Rewrites the data of the entry at offset. 1 no fix or DR update starts
// there; 2 read error, the log is not open or is damaged before offset; 3 the
// new position type cannot be stored there; 4 write error.
[[nodiscard]] EngineStatus CorrectPositionEntry(EventLog& log, EventLogOffset offset,
                                                PositionRecord position);

// 1 no sight entry starts there; 2 read error, the log is not open or is
// damaged before offset; 3 write error.
[[nodiscard]] EngineStatus CorrectSightEntry(EventLog& log, EventLogOffset offset,
                                             const ObservationRecord& sight);

// Marks the entry deleted (its data stay). 1 offset 0, the initial fix; 2 no
// fix or DR update starts there; 3 read error or the log is not open; 4 write
// error; 5 bad kind word before offset.
[[nodiscard]] EngineStatus DeletePositionEntry(EventLog& log, EventLogOffset offset);

// 1 no sight entry starts there; 2 read error or the log is not open; 3 write
// error; 4 bad kind word before offset.
[[nodiscard]] EngineStatus DeleteSightEntry(EventLog& log, EventLogOffset offset);

inline constexpr int16_t kLatestPosition = 0;  // later of the last fix and last DR update
inline constexpr int16_t kLastFix = 1;

// Motion mode 1 and the stored values. 1 other `which`; 2 no such entry; 3 read
// error or the log is not open.
[[nodiscard]] EngineStatus ReadReferencePosition(EventLog& log, int16_t which,
                                                 PositionRecord& position);

// positions: the last fix plus the DR updates after it (0 when there is no
// fix); sights: the sight entries after it. 1 read error or the log is not open.
[[nodiscard]] EngineStatus CountSinceLastFix(EventLog& log, int32_t& positions, int32_t& sights);

// Fills positions (the last fix first) and sights in file order, each with its
// offset. Capacities are the smaller size of each record/offset pair.
// 1 no fix; 2 the fix cannot be read or the log is not open; 3 a bad kind word
// or a fix after the last fix; 4 more positions than fit; 5 more sights than fit.
[[nodiscard]] EngineStatus ReadSinceLastFix(EventLog& log, std::span<ObservationRecord> sights,
                                            std::span<EventLogOffset> sightOffsets,
                                            std::span<PositionRecord> positions,
                                            std::span<EventLogOffset> positionOffsets,
                                            int32_t& sightCount, int32_t& positionCount);

// The last 4 legs and latest 25 sights, each sight assigned to its leg by time.
// 1 counting failed; 2 no position after the last fix; 3 out of memory; 4 two
// positions with the same time; 5 positions out of time order in the file
// (outputs filled all the same); 10 + the status of ReadSinceLastFix.
// Marks the voyage's initial fix with position type 3.
[[nodiscard]] EngineStatus LoadLegsAndSights(EventLog& log, LegsAndSights& loaded);

// As LoadLegsAndSights without the initial-fix mark; 2 also when there is no sight.
[[nodiscard]] EngineStatus ReadPlotData(EventLog& log, LegsAndSights& loaded);

// True when the log is open and its last fix is the first entry of the file.
bool IsInitialFixReference(const EventLog& log);

// Index of the leg of time t among legs in ascending time order: -1 before the
// first leg, -2 more than 10 days after the last leg's start.
int FindLegOfTime(std::span<const PositionRecord> legs, double t);

}  // namespace navora
