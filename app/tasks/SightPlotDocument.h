#pragma once

#include <string>

#include "app/bridge/Notice.h"
#include "engine/sightreduction/SrpFile.h"

namespace navora {

// The sight reduction plot's document without its window: the working
// arrays of the fix (SightPlotState), the navigator's inclusion and
// exclusion of sights, the status line, and the ".srp" file. A live plot is
// opened by Compute Fix and can change its sights, solve (SightPlotTasks.h)
// and save itself; an archived plot is read from a file and only viewed.

enum class SightPlotKind { kLive, kArchived };

struct SightPlotDocument {
  SightPlotState state;
  SightPlotKind kind = SightPlotKind::kLive;
  bool edited = false;    // sights added or removed since the plot opened or last solved
  bool modified = false;  // changed since last saved
};

// A sight whose observed and computed altitudes differ by more than this
// (degrees) is taken for a misidentified body or a wrong entry.
inline constexpr double kFarSightDegrees = 10.0;

inline constexpr char kPlotAwaitingFixText[] = "Press <Enter> for Solution";
inline constexpr char kPlotSolvedText[] = "Solution";
inline constexpr char kPlotEditedText[] = "EDITED: Press <Enter> for Solution";
inline constexpr char kNotAPlotFileText[] =
    "This is not a sight reduction plot file\nor the file is corrupt.";

// Clears `included` of the sight and of its reduced record for every sight
// farther than kFarSightDegrees from its line of position.
void PruneFarSights(SightPlotState& state);

// rejected: the sight is not included or is too far; excluded: not included.
void RecomputeSightFlags(SightPlotState& state);

// Add/Remove of the sight at `index` (live plot): its inclusion toggled in
// the sight and in its reduced record, so that the report brackets what the
// fix leaves out; the plot is marked edited. False when there is no such
// sight or the plot is archived.
bool ToggleSight(SightPlotDocument& document, int index);

// The status line at the top of the plot.
const char* PlotStatusText(const SightPlotDocument& document);

// Writes the plot's file and clears `modified`; the SrpFile status.
int SaveSightPlot(SightPlotDocument& document, const std::string& path);

// Reads an archived plot. A file that cannot be read or is not a plot is
// told with kNotAPlotFileText and returns the SrpFile status; `document` is
// then left as it was.
int OpenSightPlot(Notice& notice, const std::string& path, SightPlotDocument& document);

}  // namespace navora
