#pragma once

#include <string>

namespace navora {

// The directory that holds the read-only data files ("1970-2025.eph",
// "DeltaT.val"), as a prefix ending in its separator: the program's own
// directory, else "../share/navora/" beside it (an installed program), else
// the working directory (the empty prefix). The first that holds the
// ephemeris file wins; a damaged file there is refused rather than passed
// over for another copy.
std::string FindDataDirectory();

}  // namespace navora
