#include "engine/sightreduction/FixReport.h"

#include "engine/position/ExternalFix.h"
#include "engine/position/PositionBlocks.h"
#include "engine/sightreduction/FixReportLines.h"
#include "engine/time/Calendar.h"

namespace navora {

namespace {

constexpr int kTitleLines = 3;
constexpr int kReducedLinesPerSight = kReducedHeaderLines + 1;
// A blank line before the limb notes.
constexpr int kMaxNoteLines = 1 + kMaxLimbNotes;

// The caller's buffers hold the longest report: every sight under its own
// date heading, both notes, and every optional line of the solution.
static_assert(kTitleLines + kMaxSights * kReducedLinesPerSight + kMaxNoteLines +
                  kMaxSolutionBlockLines + kMaxSolutionCourseSpeedLines + kMaxCurrentBlockLines ==
              kFixReportLongLines);
static_assert(kTitleLines + kMaxSights * kReducedLinesPerSight + kMaxSolutionTableLines ==
              kFixReportShortLines);

// Lines appended to a report whose capacity the static_asserts above guarantee.
struct ReportText {
  ReportLine* lines;
  int count = 0;

  void Add(const char* text) { CopyReportLine(text, lines[count++]); }
  void Add(const ReportLine* block, int blockCount) {
    for (int i = 0; i < blockCount; ++i) Add(block[i]);
  }
};

struct UtcDate {
  int16_t year = 0, month = 0, day = 0;
  bool operator==(const UtcDate&) const = default;
};

// The date of a sight as its printed time reads (whole seconds).
UtcDate DateOf(double timeUtc) {
  UtcDate date;
  int16_t hour = 0, minute = 0;
  double seconds = 0.0;
  char weekday[4];
  SplitJulianToSeconds(timeUtc, 0, date.year, date.month, date.day, hour, minute, seconds, weekday);
  return date;
}

// The title and the reduced sights, with the limb notes they call for.
EngineStatus FormatReducedTable(std::span<const ReducedObservation> reduced, ReportText& text,
                                ReportLine* notes, int& noteCount) {
  text.Add("                                CELESTIAL FIX");
  text.Add(" ");
  text.Add("                             Reduced Observations");
  UtcDate previous;
  for (size_t i = 0; i < reduced.size(); ++i) {
    const ReducedObservation& sight = reduced[i];
    ReportLine line;
    if (FormatReducedLine(sight, line) != kStatusOk) return kStatusOutOfDomain;
    const UtcDate date = DateOf(sight.time);
    if (i == 0 || date != previous) {
      ReportLine header[kReducedHeaderLines];
      if (FormatReducedHeader(sight.time, header) != kStatusOk) return kStatusOutOfDomain;
      text.Add(header, kReducedHeaderLines);
      previous = date;
    }
    text.Add(line);
    FormatLimbNote(sight.bodyName, notes, noteCount);
  }
  return kStatusOk;
}

// The current and the course and speed made good, indented under the
// solution. Returns the status of ComputeCurrentAndMadeGood.
EngineStatus FormatCurrentLines(const PositionRecord& newFix, const PositionRecord& drAtFix,
                                const PositionRecord& lastFix, ReportText& text) {
  double set = 0.0, drift = 0.0, courseMadeGood = 0.0, speedMadeGood = 0.0;
  const EngineStatus status = ComputeCurrentAndMadeGood(newFix, drAtFix, lastFix, set, drift,
                                                        courseMadeGood, speedMadeGood);
  // On a failure the values are 0 and the block prints nothing.
  ReportLine current[kMaxCurrentBlockLines];
  int currentCount = 0;
  static_cast<void>(FormatCurrentBlock(set, drift, courseMadeGood, speedMadeGood, current,
                                       currentCount));  // finite values: cannot fail
  for (int i = 0; i < currentCount; ++i) {
    FormatReportLine(text.lines[text.count++], "   %s", current[i]);
  }
  return status;
}

// A failure of the current computation comes back after the report is complete.
EngineStatus CurrentFailure(EngineStatus current) {
  if (current == kStatusOk || current == kCurrentRunTooShort || current == kMadeGoodRunTooShort) {
    return kStatusOk;
  }
  if (current == kStatusOutOfDomain) return kStatusOutOfDomain;
  return static_cast<EngineStatus>(kFixReportCurrentFailed + current);
}

}  // namespace

EngineStatus FormatFixReport(std::span<const ReducedObservation> reduced,
                             const PositionRecord& lastFix, const PositionRecord& reference,
                             const PositionRecord& drAtFix, const FixSolution& fix,
                             const PositionRecord& newFix, ReportLine* longLines, int& longCount,
                             ReportLine* shortLines, int& shortCount) {
  longCount = 0;
  shortCount = 0;
  if (longLines == nullptr || shortLines == nullptr ||
      reduced.size() > static_cast<size_t>(kMaxSights)) {
    return kStatusOutOfDomain;
  }
  ReportText longText{longLines};
  ReportText shortText{shortLines};
  ReportLine notes[kMaxLimbNotes];
  int noteCount = 0;
  if (FormatReducedTable(reduced, longText, notes, noteCount) != kStatusOk) {
    return kStatusOutOfDomain;
  }
  shortText.Add(longLines, longText.count);

  if (noteCount > 0) {
    longText.Add(" ");
    longText.Add(notes, noteCount);
  }
  ReportLine solution[kMaxSolutionBlockLines];
  int solutionCount = 0;
  ReportLine courseSpeed[kMaxSolutionCourseSpeedLines];
  int courseSpeedCount = 0;
  ReportLine table[kMaxSolutionTableLines];
  int tableCount = 0;
  if (FormatSolutionBlock(lastFix, reference, drAtFix, newFix, fix, solution, solutionCount) !=
          kStatusOk ||
      FormatSolutionCourseSpeed(fix.course, fix.sigmaCourse, fix.speed, fix.sigmaSpeed, courseSpeed,
                                courseSpeedCount) != kStatusOk ||
      FormatSolutionTable(fix, table, tableCount) != kStatusOk) {
    return kStatusOutOfDomain;
  }
  longText.Add(solution, solutionCount);
  longText.Add(courseSpeed, courseSpeedCount);
  const EngineStatus current = FormatCurrentLines(newFix, drAtFix, lastFix, longText);
  shortText.Add(table, tableCount);

  longCount = longText.count;
  shortCount = shortText.count;
  return CurrentFailure(current);
}

}  // namespace navora
