#pragma once

// A synthetic sight fixture (tests/fixtures/sightreduction/synthetic-*.tsv)
// as the voyage log would hold it: the entries that start the legs, the
// sights as recorded, the time of fix and the true position there.

#include <string>
#include <vector>

#include "engine/common/ObservationRecord.h"
#include "engine/common/PositionRecord.h"
#include "engine/log/EventLog.h"
#include "support/FixtureRows.h"

namespace navora::testing {

struct SyntheticVoyage {
  double timeOfFix = 0.0;
  double trueLatitude = 0.0;
  double trueLongitude = 0.0;
  std::vector<PositionRecord> legStarts;  // the first the last fix, then DR updates
  std::vector<ObservationRecord> sights;
};

inline SyntheticVoyage LoadSyntheticVoyage(const std::string& name) {
  SyntheticVoyage voyage;
  const std::string path = std::string(NAVORA_FIXTURE_DIR) + "/sightreduction/" + name + ".tsv";
  for (std::istringstream& fields : FixtureRows(path)) {
    std::string kind;
    fields >> kind;
    if (kind == "fix") {
      double ut1MinusUtc = 0.0;
      fields >> voyage.timeOfFix >> ut1MinusUtc >> voyage.trueLatitude >> voyage.trueLongitude;
    } else if (kind == "leg") {
      int index = 0, positionType = 0;
      double time = 0.0, latitude = 0.0, longitude = 0.0, course = 0.0, speed = 0.0;
      fields >> index >> time >> latitude >> longitude >> course >> speed >> positionType;
      voyage.legStarts.push_back(MakePositionRecord(kMotionRhumbLine,
                                                    static_cast<uint16_t>(positionType), time,
                                                    latitude, longitude, course, speed, 0.0, 0.0));
    } else if (kind == "sight") {
      ObservationRecord sight = DefaultObservationRecord();
      fields >> sight.legIndex >> sight.bodyCode >> sight.starNumber >> sight.time >>
          sight.ut1MinusUtc >> sight.temperature >> sight.pressure >> sight.hs >>
          sight.indexCorrection >> sight.heightOfEye >> sight.sigma;
      sight.included = 1;
      voyage.sights.push_back(sight);
    }
  }
  return voyage;
}

// The voyage as Compute Fix loads it from the log.
inline LegsAndSights LoadedVoyage(const SyntheticVoyage& voyage) {
  LegsAndSights loaded;
  for (const PositionRecord& leg : voyage.legStarts) loaded.legs[loaded.legCount++] = leg;
  for (const ObservationRecord& sight : voyage.sights) loaded.sights[loaded.sightCount++] = sight;
  return loaded;
}

}  // namespace navora::testing
