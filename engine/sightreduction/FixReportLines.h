#pragma once

#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/position/ReportLine.h"
#include "engine/sightreduction/FixTypes.h"
#include "engine/sightreduction/ReducedObservation.h"

namespace navora {

// The lines of the celestial fix report (FixReport.h), one formatter per
// block.
//
// Model: dates and times are UTC split to whole seconds, a time that rounds
// up to midnight belonging to the next day; positions split into hemisphere
// letter, degrees and minutes to 0.1' and courses, azimuths reduced into
// [0, 360) for one decimal, all through SplitPositionForReport. Ho and Hc
// print as degrees and minutes of their magnitudes; the intercept in
// arc-minutes with 'T' (towards, Ho above Hc), 'A' (away) or a blank for
// none. Values too large for their columns print at a ceiling followed by
// kCeilingMark: the intercept above kInterceptCeilingArcmin, speeds and
// their error bars above kSpeedCeilingKnots.
// Units: Julian dates UTC, degrees, knots; errors printed as twice the
// standard error, in degrees of course and arc-minutes of position.
// Domain: latitudes, Ho and Hc in -90..90, every other number finite.
// Accuracy: exact to the printed digits.
//
// Statuses: kStatusOutOfDomain for a value outside the domain; the count is
// then 0.

inline constexpr int kReducedHeaderLines = 4;
inline constexpr int kMaxLimbNotes = 2;
inline constexpr int kMaxSolutionBlockLines = 17;
inline constexpr int kMaxSolutionCourseSpeedLines = 3;
inline constexpr int kMaxSolutionTableLines = 9;

// The largest intercept that prints as itself (arc-minutes).
inline constexpr double kInterceptCeilingArcmin = 9999.9;

// Blank line, the UTC date, the column header and the unit marks above the
// reduced sights of one date. Writes kReducedHeaderLines lines.
[[nodiscard]] EngineStatus FormatReducedHeader(double timeUtc, ReportLine* lines);

// One reduced sight: name, time, assumed position, Ho, Hc, intercept and
// azimuth; in brackets when the sight is not included in the fix.
[[nodiscard]] EngineStatus FormatReducedLine(const ReducedObservation& sight, ReportLine& line);

// Appends the note on what Ho and Hc stand for when bodyName is a limb of
// the Sun or the Moon or the centre of light of Venus or Mars, unless that
// note is already among notes[0, noteCount). notes holds kMaxLimbNotes.
void FormatLimbNote(const char* bodyName, ReportLine* notes, int& noteCount);

// The fix compared with the last fix, the reference position and the DR at
// the time of fix, with twice the fix's standard errors, and the warning for
// a new fix's speed above the ceiling. Up to kMaxSolutionBlockLines lines.
[[nodiscard]] EngineStatus FormatSolutionBlock(const PositionRecord& lastFix,
                                               const PositionRecord& reference,
                                               const PositionRecord& drAtFix,
                                               const PositionRecord& newFix, const FixSolution& fix,
                                               ReportLine* lines, int& lineCount);

// The solved course and speed of the fix leg and their error bars; no lines
// when they were not solved (both standard errors 0). Up to
// kMaxSolutionCourseSpeedLines lines.
[[nodiscard]] EngineStatus FormatSolutionCourseSpeed(double courseDeg, double sigmaCourseDeg,
                                                     double speedKnots, double sigmaSpeedKnots,
                                                     ReportLine* lines, int& lineCount);

// The short form's one-row table of the fix: date, time, position, course
// and speed, the position's error bars when they print, and the speed
// warning. Up to kMaxSolutionTableLines lines.
[[nodiscard]] EngineStatus FormatSolutionTable(const FixSolution& fix, ReportLine* lines,
                                               int& lineCount);

}  // namespace navora
