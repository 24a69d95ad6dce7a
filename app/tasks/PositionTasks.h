#pragma once

#include <string>
#include <vector>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "app/tasks/NewInitialFixDialogModel.h"
#include "engine/common/PositionRecord.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/log/EventLog.h"
#include "engine/log/TextLog.h"
#include "engine/position/ExternalFix.h"

namespace navora {

// The Update DR and External Fix commands without their windows: OK's
// checks in the dialogs' order, the computation and report shown for
// confirmation, and "Save to Log" into the event log and the text log; and
// the correction and deletion of a position entry since the last fix.
// Times UTC, angles in degrees and minutes of arc, speeds in knots.

// Both logs and the engine state the commands work with, owned by the caller.
struct PositionTaskLogs {
  Notice& notice;
  EventLog& events;  // open
  TextLog& text;     // open
  EphemerisTable& ephemeris;
  ReferenceState& state;
};

// The Update DR dialog's entries, as in the fix dialog; course and speed are
// read only when `change` is set.
struct UpdateDrFields {
  int day = 1;
  int monthIndex = -1;
  int yearIndex = -1;
  std::string hour, minute, second;
  bool change = false;
  std::string course, speed;
};

// The fields showing the reference: its date and time, course and speed.
UpdateDrFields InitialUpdateDrFields(const PositionRecord& reference);

// A report shown before anything is logged.
struct UpdateDrPreview {
  PositionRecord reference;
  PositionRecord updated;
  bool changed = false;  // course or speed differ: the update starts a leg
  std::vector<std::string> report;
};

struct ExternalFixPreview {
  PositionRecord fix;
  ExternalFixResult result;
  std::vector<std::string> report;
};

// Before the dialog: true when the navigator goes on. With four legs and a
// sight since the last fix, a new course loses observations; asked (No
// default).
bool ConfirmNewLeg(Notice& notice, const LegsAndSights& loaded);

// OK of Update DR against the reference (the latest position): the fields,
// then the time against the reference (later, within 10 days, clear of the
// polar region and of 100 degrees of longitude). False with the field to go
// back to after telling why; true with the preview.
bool AcceptUpdateDr(PositionTaskLogs& logs, const PositionRecord& reference,
                    const UpdateDrFields& fields, UpdateDrPreview& preview, FixField& returnTo);

// "Save to Log": a changed update is appended to the event log (a failure
// ends it, nothing written), then the DR UPDATE entry goes to the text log;
// an unchanged one is written to the text log only. 0, or non-zero after
// the bridge told why. `written` receives the text-log lines.
int SaveUpdateDr(PositionTaskLogs& logs, const UpdateDrPreview& preview,
                 std::vector<std::string>& written);

// OK of External Fix: the fix dialog's fields and rules, then the time
// against the reference; then the reference and the last fix are read and
// the current worked out. False (told why, `returnTo` set for a field) or
// true with the preview.
bool AcceptExternalFix(PositionTaskLogs& logs, const NewInitialFixFields& fields,
                       ExternalFixPreview& preview, FixField& returnTo);

// "Save to Log": the fix into the event log, then its EXTERNAL FIX entry.
int SaveExternalFix(PositionTaskLogs& logs, const ExternalFixPreview& preview,
                    std::vector<std::string>& written);

// Returned values of the correction and deletion besides 0 and the bridge's.
inline constexpr int kNoSuchLeg = 40;  // `offset` is not the fix or a DR update since it

// Rewrites the position entry at `offset` (the last fix or a DR update after
// it) with `corrected`'s time, position, course and speed, keeping its type,
// and writes the correction entry.
int CorrectPosition(PositionTaskLogs& logs, EventLogOffset offset, const PositionRecord& corrected,
                    std::vector<std::string>& written);

// Marks the position entry at `offset` deleted and writes the deletion entry.
int DeletePosition(PositionTaskLogs& logs, EventLogOffset offset,
                   std::vector<std::string>& written);

}  // namespace navora
