#pragma once

#include "app/bridge/Notice.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// Opens the ephemeris file and the Delta T table of the context once at
// start-up, telling the user about each file that is missing or refused (a
// refusal names the file and the reason in one line). Returns true when both
// files are usable; the desktop program goes on either way, the command-line
// program stops.
bool CheckDataFilesAtStartup(Notice& notice, PlaceContext& context);

// Makes sure the ephemeris covering the UTC Julian date jd is open before a
// task computes. Returns 0, or the non-zero status after telling the user why
// the task cannot run (1, 2, 3, 11 or 10 + k, as SelectEphemerisForDate).
int CheckEphemerisForDate(Notice& notice, EphemerisTable& table, double jd);

// What the data files cover, for a status display.
struct DataFileCoverage {
  bool ephemerisOpen = false;
  double ephemerisFirstJd = 0.0;
  double ephemerisLastJd = 0.0;
  bool deltaTOpen = false;
  double deltaTFirstJd = 0.0;
  double deltaTLastJd = 0.0;
};

void ReadDataFileCoverage(const PlaceContext& context, DataFileCoverage& coverage);

}  // namespace navora
