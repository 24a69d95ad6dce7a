#pragma once

#include "app/bridge/Notice.h"

namespace navora {

// Opens the ephemeris file and probes the Delta T table once at start-up,
// telling the user about each missing file.
void CheckDataFilesAtStartup(Notice& notice);

// Makes sure the ephemeris covering the UTC Julian date jd is open before a
// task computes. Returns 0, or the non-zero status after telling the user why
// the task cannot run (1, 2, 3, 11 or 10 + k, as SelectEphemerisForDate).
int CheckEphemerisForDate(Notice& notice, double jd);

// What the data files cover, for a status display.
struct DataFileCoverage {
  bool ephemerisOpen = false;
  double ephemerisFirstJd = 0.0;
  double ephemerisLastJd = 0.0;
  bool deltaTOpen = false;
  double deltaTFirstJd = 0.0;
  double deltaTLastJd = 0.0;
};

void ReadDataFileCoverage(DataFileCoverage& coverage);

}  // namespace navora
