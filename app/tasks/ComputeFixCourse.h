#pragma once

#include "app/bridge/Notice.h"
#include "app/tasks/SightPlotDocument.h"
#include "engine/log/EventLog.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// The Compute Fix command up to the plot, without its windows: the legs and
// sights since the last fix are read, the time of fix chosen and checked
// against the ephemeris, and every sight reduced at its DR position into a
// new live plot. The desktop program asks for the time of fix in its dialog
// when NeedsFixTimeChoice; the command line passes its choice.

// Which included sight of the last leg gives the time of fix.
enum class FixTimeChoice { kFirst, kAverage, kLast };

// True when the last leg has more than one included sight to choose from.
bool NeedsFixTimeChoice(const LegsAndSights& loaded);

// UTC Julian date of the fix: with no included sight on the last leg the
// time of the entry that starts it; with one that sight's; with more the
// earliest, mean or latest of theirs, as chosen.
double TimeOfFix(const LegsAndSights& loaded, FixTimeChoice choice);

// Steps after the choice: CheckEphemerisForDate, the legs' starts from the
// loaded entries, ReduceAndPrune with kReduceOnly; the plot then holds the
// DR position at the time of fix as its solution, no fix, and its flags.
// 0, or non-zero after the user was told why (`document` not to be used).
int OpenLivePlot(Notice& notice, PlaceContext& context, const LegsAndSights& loaded,
                 double timeOfFix, SightPlotDocument& document);

// The whole course: TaskReadPlotData, TimeOfFix with `choice`, OpenLivePlot.
int ComputeFix(Notice& notice, EventLog& events, PlaceContext& context, FixTimeChoice choice,
               SightPlotDocument& document);

}  // namespace navora
