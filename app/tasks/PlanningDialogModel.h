#pragma once

#include <cstdint>
#include <string>

#include "app/bridge/Notice.h"
#include "app/bridge/ReferencePositionBridge.h"
#include "app/tasks/AlmanacDialogModel.h"
#include "app/tasks/PlanningCourse.h"
#include "app/tasks/RiseSetDialogModels.h"
#include "engine/common/ObservationRecord.h"
#include "engine/common/PositionRecord.h"
#include "engine/ephemeris/EphemerisTable.h"

namespace navora {

// The sight planning dialog shared by "Sky Chart..." and "Selected
// Stars..." without its window: the planning time as "Other:" (a date and a
// time, UTC) or "Twilight" (morning or evening of a date), the reference
// position shown and editable as in the rise/set underway dialog, and the
// expected-precision option with its sight grade.

enum class PlanningField { kDay, kMonth, kYear, kHour, kMinute };

inline constexpr char kPlanningReferenceCaption[] = "Sight Planning - Reference Position";

// The date list selections as in the almanac dialogs (index 0 is January /
// 1970, -1 none); the time edits as typed.
struct SightPlanningFields {
  bool twilight = false;  // false: "Other:"
  bool morning = true;    // twilight only
  int day = 1;
  int monthIndex = kNoSelection;
  int yearIndex = kNoSelection;
  std::string hour, minute;  // "Other:" only
  PositionRecord reference;  // shown; changed by EditPlanningReference
  bool showPrecision = false;
  uint16_t grade = kQualityAverage;
};

// Opens on "Other:" at the reference's date and time (to the minute), the
// precision option off with average sights.
SightPlanningFields InitialSightPlanningFields(const PositionRecord& reference);

// "Current Date": the date of the UTC Julian date `nowJd`; the time stays.
void SetCurrentPlanningDate(SightPlanningFields& fields, double nowJd);

// The reference position as the dialog shows it.
inline RiseSetReferenceTexts DescribePlanningReference(const PositionRecord& reference) {
  return DescribeRiseSetReference(reference);
}

// "Edit...": asks first; on Yes `enterFix` opens on the shown reference and
// what is entered becomes the reference, a user-defined position underway.
// True when the reference changed.
bool EditPlanningReference(Notice& notice, const FixDialog& enterFix, PositionRecord& reference);

// OK: the date, then with "Other:" the hour and minute, each refused with
// its message; then the planning time ("Other:") or the chosen day
// ("Twilight") against the ephemeris and the reference (TaskCheckUnderway,
// its messages and the high-latitude note at most once). True with the
// request (UT1-UTC and height of eye left 0 for the caller, from the latest
// sight), or false with the field to return to; a refused time or position
// returns to the day. The twilight time itself is found by the command.
bool AcceptSightPlanningDialog(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                               const SightPlanningFields& fields, SightPlanningRequest& request,
                               PlanningField& returnTo);

}  // namespace navora
