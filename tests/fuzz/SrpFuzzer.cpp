// Reads arbitrary bytes as a sight reduction plot file. A file that opens
// is written back byte for byte; one that does not leaves a default plot.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/sightreduction/SrpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  navora::SightPlotState plot;
  if (navora::ReadSrp(bytes, plot) != navora::kStatusOk) {
    if (plot.nSights != 0 || plot.nLegs != 0) std::abort();
    return 0;
  }
  std::string written;
  if (navora::WriteSrp(plot, written) != navora::kStatusOk || written != bytes) std::abort();
  return 0;
}
