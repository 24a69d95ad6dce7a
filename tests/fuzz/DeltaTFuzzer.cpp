// Opens arbitrary bytes as a Delta T table and looks up dates across and
// beyond its range. A table the reader accepts must answer every date inside
// its range with a value within the accepted limits.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "engine/time/DeltaT.h"

namespace {

const std::string& FilePath() {
  static const std::string path = [] {
    std::string pattern =
        access("/dev/shm", W_OK) == 0 ? "/dev/shm/navora-fuzz-XXXXXX" : "/tmp/navora-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern + "/DeltaT.val";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::ofstream(FilePath(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  navora::DeltaTTable table(FilePath());
  if (table.Open() != navora::kStatusOk) {
    if (table.LookupDeltaT(2451545.0) != navora::kDeltaTFileMissing) std::abort();
    return 0;
  }
  double first = 0.0, last = 0.0;
  if (table.GetDeltaTCoverage(first, last) != navora::kStatusOk) std::abort();
  for (double fraction : {-0.1, 0.0, 0.01, 0.5, 0.77, 1.0, 1.1}) {
    const double value = table.LookupDeltaT(first + fraction * (last - first));
    const bool inside = fraction >= 0.0 && fraction <= 1.0;
    if (inside && !(value >= navora::kDeltaTMinSeconds && value <= navora::kDeltaTMaxSeconds)) {
      std::abort();
    }
  }
  return 0;
}
