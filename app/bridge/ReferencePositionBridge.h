#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/bridge/Notice.h"
#include "engine/common/PositionRecord.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/log/EventLog.h"
#include "engine/log/TextLog.h"

namespace navora {

// The task bridge entries around the voyage's reference position: making sure
// the event log holds one before a task uses it, and testing a time and a
// moving observer against it. Times are UTC Julian dates, angles degrees.

// What the application keeps for these entries during one run of the program.
struct ReferenceState {
  bool referenceKnown = false;  // the log holds a reference position
  // Whether the next underway check may show the high-latitude note; the
  // rise/set dialogs set it again after the note has cleared it.
  bool highLatitudeNoteDue = true;
};

// The fix dialog, supplied by the desktop program: opens with `caption`,
// starting from `start`; false on Cancel, else `fix` holds the entered time,
// latitude, longitude, course and speed.
using FixDialog =
    std::function<bool(std::string_view caption, const PositionRecord& start, PositionRecord& fix)>;

// The returned values of TaskEnsureReferencePosition besides 0 and the open
// status of TaskOpenEventLog (1, or 3 and more, its warning shown).
inline constexpr int kReferenceFixDeclined = 27;
inline constexpr int kReferenceFixNotLogged = 50;
inline constexpr int kReferenceReadFailed = 60;  // plus the read status
inline constexpr int kReferenceFixCancelled = 99;

// Opens the event log (its directory already set) and makes sure it holds a
// reference position. An empty log asks for a first fix (not asked first when
// `quiet`) and records it as the voyage's initial fix in both logs; the text
// log must be open. On 0 the reference is known in `state`.
int TaskEnsureReferencePosition(Notice& notice, EventLog& events, TextLog& text, bool quiet,
                                const FixDialog& enterFix, ReferenceState& state);

// The refusal of a time not after the reference position's (Julian date
// `referenceJd`), naming that position's date and time to the second.
std::string TimeTooEarlyMessage(double referenceJd);

// Modes of TaskCheckUnderway below kSun select the time check of a position
// update (CheckDrAdvance); kSun and kMoon ask whether their rise/set table
// can be worked out for a ship underway (CheckUnderwayAdvance).
// `latitudeDeg` (nullptr when not wanted) receives the latitude extrapolated
// by the underway check. Returns 0; 7 when no ephemeris covers jd (told by
// CheckEphemerisForDate); 1 to 5, the refusal of the check, with its
// message; kStatusOutOfDomain, with a message, for a reference position that
// is not a latitude and longitude. The high-latitude notes of the underway
// check are shown once while `state` lets them, and return 0.
int TaskCheckUnderway(Notice& notice, EphemerisTable& ephemeris, ReferenceState& state,
                      const PositionRecord& position, double jd, int16_t mode, double* latitudeDeg);

}  // namespace navora
