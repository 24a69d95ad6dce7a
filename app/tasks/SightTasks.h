#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/bridge/Notice.h"
#include "app/tasks/ObservationRecorderModel.h"
#include "app/tasks/ReportSink.h"
#include "engine/common/ObservationRecord.h"
#include "engine/log/EventLog.h"
#include "engine/log/TextLog.h"

namespace navora {

// Record Observations and the correction and deletion of sights without
// their windows: the limit of sights since the last fix, the Sight Recorder
// table shown before saving, "Save to Log" into both logs and the worksheet,
// and each change of a logged sight with its text-log entry. Every step that
// fails has told the navigator why (through the bridge) and returns non-zero.

// Both logs the commands work with, open, owned by the caller.
struct SightTaskLogs {
  Notice& notice;
  EventLog& events;
  TextLog& text;
};

inline constexpr char kMaxObservationsText[] =
    "The maximum number of Observations\nallowed has already been recorded.";

// Returned values besides 0 and the bridge's.
inline constexpr int kObservationLimitReached = 30;  // 25 sights since the last fix
inline constexpr int kNoSuchSight = 41;              // `offset` is not a sight since the last fix

// Before the recorder opens: `recorded` receives the sights since the last
// fix; at 25 the navigator is told so and kObservationLimitReached returned.
int BeginRecordObservations(Notice& notice, EventLog& events, int32_t& recorded);

// What the first new observation shows: the latest sight since the last fix
// (its date, instrument and weather values), else the latest position's time
// with the default sight's values.
ObservationRecord FirstNewObservation(EventLog& events);

// The Sight Recorder table of the new sights, one batch, for the preview.
int FormatNewSightsTable(Notice& notice, const std::vector<ObservationRecord>& sights,
                         std::vector<std::string>& table);

// "Save to Log": each sight appended to the event log on the current leg
// (its leg index the number of DR updates since the last fix), then `table`
// to the worksheet and the text log. An event-log failure ends it before the
// table is written.
int SaveObservations(SightTaskLogs& logs, const std::vector<ObservationRecord>& sights,
                     const std::vector<std::string>& table, ReportSink& worksheet);

// Every sight logged since the last fix in file order, with its offset (not
// only the latest 25 that a fix takes). False when the log cannot be read.
bool ReadLoggedSights(EventLog& events, std::vector<ObservationRecord>& sights,
                      std::vector<EventLogOffset>& offsets);

// What the tables that are computed for the ship take from the latest sight
// recorded since the last fix: UT1-UTC (seconds) and the height of eye
// (metres). Both 0 when there is none or the log cannot be read (UT1 is then
// tabulated as UTC, an error below a second).
struct LatestSightConditions {
  double ut1MinusUtc = 0.0;
  double heightOfEyeM = 0.0;
};
LatestSightConditions ReadLatestSightConditions(EventLog& events);

// The sights the recorder opens on in Viewing, Editing or Deleting, and the
// time of the last fix to ask about earlier ones. Returns 0 (sightCount may
// be 0: nothing to open), else non-zero after the reading message.
int LoadLoggedSights(Notice& notice, EventLog& events, LegsAndSights& loaded, double& lastFixTime);

// Rewrites the sight at `offset` with `corrected`'s entered values (its leg,
// included flag and spare value kept as logged) and writes the CORRECT SIGHT
// entry; `written` receives its lines.
int CorrectSight(SightTaskLogs& logs, EventLogOffset offset, const ObservationRecord& corrected,
                 std::vector<std::string>& written);

// Marks the sight at `offset` deleted and writes the DELETE SIGHT entry.
int DeleteSight(SightTaskLogs& logs, EventLogOffset offset, std::vector<std::string>& written);

// Applies the recorder's edits, corrections first, stopping at the first
// failure; `noteEntry` receives the text-log lines of each entry written.
int ApplySightEdits(SightTaskLogs& logs, const SightEdits& edits,
                    const std::function<void(const std::vector<std::string>&)>& noteEntry);

}  // namespace navora
