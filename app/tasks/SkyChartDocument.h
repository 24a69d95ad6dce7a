#pragma once

#include <string>

#include "app/bridge/Notice.h"
#include "engine/common/PositionRecord.h"
#include "engine/planning/SppFile.h"

namespace navora {

// The sky chart's document without its window: the chart of one planning
// instant (SkyChartState), whether it has changes not yet in a file, and its
// ".spp" file. A chart fresh from the Sky Chart command has never been saved,
// so it counts as modified until it is.

struct SkyChartDocument {
  SkyChartState chart;
  bool modified = false;  // not yet in a file, or changed since saved
};

inline constexpr char kSkyChartTitleFormat[] = "Sky Chart%d.spp";
inline constexpr char kSaveChangesFormat[] = "Save changes to %s?";
inline constexpr char kNotAChartFileText[] =
    "This is not a sky chart file\nor the file is corrupt.";
inline constexpr char kChartUnreadableFormat[] = "The sky chart file\n%s\ncannot be read.";
inline constexpr char kChartUnwritableFormat[] = "The sky chart could not be saved as\n%s.";

// The titles of new charts: "Sky Chart1.spp", "Sky Chart2.spp", ... one
// number per chart made in the run, never reused. The application owns one.
class SkyChartNumbering {
 public:
  std::string NextTitle();

 private:
  int last_ = 0;
};

// A new chart from the computed records: at most the kSkyChartMax... of each
// kind are copied (counts beyond are cut there), the total is their sum, the
// reserved word 0. The document is modified: it is in no file yet.
SkyChartDocument InitialiseSkyChart(const SkyChartLuminary* luminaries, int luminaryCount,
                                    const SkyChartPlanet* planets, int planetCount,
                                    const SkyChartStar* stars, int starCount,
                                    const PositionRecord& observer, double planningTime);

// The question asked when a modified chart titled `title` closes.
std::string SaveChangesQuestion(const std::string& title);

// Writes the chart's file and clears `modified`. A failure is told with
// kChartUnwritableFormat; the SppFile status is returned.
int SaveSkyChart(Notice& notice, SkyChartDocument& document, const std::string& path);

// Reads a chart saved before (not modified). A damaged, forged or foreign
// file is told with kNotAChartFileText, one that cannot be read with
// kChartUnreadableFormat; the SppFile status is returned and `document`
// left as it was.
int OpenSkyChart(Notice& notice, const std::string& path, SkyChartDocument& document);

}  // namespace navora
