#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "engine/common/BodyId.h"
#include "engine/common/Vector3.h"
#include "engine/ephemeris/EphemerisTable.h"
#include "engine/places/PrecessionNutation.h"
#include "engine/time/DeltaT.h"

namespace navora {

// What the place routines need once per date: report loops ask for several
// bodies at one instant. Keyed on every input the values depend on: the TT
// date, the body taken for the Earth and the ephemeris file they were read
// from. A cached date gives bit-identical results to a fresh computation.
struct DateArguments {
  double jdTt = std::numeric_limits<double>::quiet_NaN();  // NaN: nothing kept
  BodyId earth = 0;
  uint64_t ephemerisOpenCount = 0;
  Vector3 earthPosition{};  // barycentric, AU
  Vector3 earthVelocity{};  // AU/day
  NutationOfDate nutation;

  bool Holds(double date, BodyId body, uint64_t openCount) const {
    return jdTt == date && earth == body && ephemerisOpenCount == openCount;
  }
};

// The date arguments kept by each kind of place, and how often each was
// recomputed (so that tests and benchmarks can see a repeated date reuse
// them).
struct PlaceCaches {
  DateArguments geocentric;
  DateArguments topocentric;
  DateArguments star;
  uint64_t bodyRefreshCount = 0;  // geocentric and topocentric
  uint64_t starRefreshCount = 0;
};

// Everything the apparent-place computations keep between calls: the Delta T
// table, the ephemeris files with their reader, and the date caches. One
// context serves one thread of computation; two contexts share nothing, so
// two threads may compute at once, each with its own. The data files are
// looked for in `dataDirectory` (a prefix ending in its separator, or empty
// for the working directory).
struct PlaceContext {
  explicit PlaceContext(const std::string& dataDirectory = "")
      : deltaT(dataDirectory + kDeltaTFileName), ephemeris(dataDirectory) {}

  DeltaTTable deltaT;
  EphemerisTable ephemeris;
  PlaceCaches caches;
};

}  // namespace navora
