#pragma once

#include <cstdint>

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/Vector3.h"

namespace navora {

// One Chebyshev ephemeris file is open at a time, with one data record cached.

// Closes the open file, opens `fileName`, resets the record cache and reads the
// header; on status 0 returns the first and last Julian dates covered.
// Status: 0 header read; 1 the file could not be opened; 2..10 a header field
// could not be read or is not valid (2 title lines, 3 constant names, 4 start,
// end and step of the records, 5 number of constants, 6 constant values,
// 7 astronomical unit, 8 Earth/Moon mass ratio, 9 body table, 10 ephemeris
// number). After a failure no file is open and firstJd, lastJd are unchanged.
EngineStatus OpenEphemerisFile(const char* fileName, double& firstJd, double& lastJd);

// Position (AU) and velocity (AU/day) of `body` relative to `origin`
// (kOriginBarycentre or kOriginSun) at the TT Julian date jdTt, in the axes of
// the file. Status: 0 ok; 1 body outside kMercury..kMoon; 2 unknown origin;
// 3 no file open, the date outside the file, or its record could not be read.
EngineStatus GetBodyState(double jdTt, BodyId body, int16_t origin, Vector3& position,
                          Vector3& velocity);

// Data records read from files so far in this process.
uint64_t EphemerisRecordReadCount();

}  // namespace navora
