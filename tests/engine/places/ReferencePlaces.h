#pragma once

// Reference apparent places written by tools/reference/write_places_fixture.py
// with the full modern models, for the accuracy tests of the place routines.

#include <cmath>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/FixtureRows.h"

namespace navora::testing {

struct ReferencePlace {
  std::string kind;  // geo, topo, star, gast
  int body = 0;      // BodyId, star number, or 0
  double jdTt = 0.0;
  double deltaT = 0.0;  // seconds
  double eastLongitude = 0.0, latitude = 0.0, heightMetres = 0.0;
  double raHours = 0.0, decDeg = 0.0, distanceAu = 0.0, gastHours = 0.0;
};

inline std::vector<ReferencePlace> LoadReferencePlaces() {
  std::vector<ReferencePlace> places;
  for (std::istringstream& fields : FixtureRows(NAVORA_FIXTURE_DIR "/places/reference-places.tsv")) {
    ReferencePlace p;
    fields >> p.kind >> p.body >> p.jdTt >> p.deltaT >> p.eastLongitude >> p.latitude >>
        p.heightMetres >> p.raHours >> p.decDeg >> p.distanceAu >> p.gastHours;
    if (fields) places.push_back(p);
  }
  return places;
}

// Angular residuals in arcsec: right ascension times cos(dec), declination.
struct Residual {
  double raArcsec;
  double decArcsec;
  double Largest() const { return std::fmax(std::fabs(raArcsec), std::fabs(decArcsec)); }
};

inline Residual PlaceResidual(double raHours, double decDeg, const ReferencePlace& reference) {
  double raDifference = raHours - reference.raHours;
  if (raDifference > 12.0) raDifference -= 24.0;
  if (raDifference < -12.0) raDifference += 24.0;
  const double cosDec = std::cos(reference.decDeg * 3.14159265358979323846 / 180.0);
  return {raDifference * 54000.0 * cosDec, (decDeg - reference.decDeg) * 3600.0};
}

// Sidereal hours difference in seconds of time, across the 0/24 wrap.
inline double SiderealResidualSeconds(double hours, double referenceHours) {
  double difference = hours - referenceHours;
  if (difference > 12.0) difference -= 24.0;
  if (difference < -12.0) difference += 24.0;
  return difference * 3600.0;
}

// Largest residual of each body, for the summary the tests print.
using LargestResiduals = std::map<int, double>;

inline void Track(LargestResiduals& largest, int body, double value) {
  double& slot = largest[body];
  slot = std::fmax(slot, std::fabs(value));
}

}  // namespace navora::testing
