// Reads arbitrary bytes as a sky chart file. A file that opens is written
// back byte for byte; one that does not leaves an empty chart.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/planning/SppFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  navora::SkyChartState chart;
  if (navora::ReadSpp(bytes, chart) != navora::kStatusOk) {
    if (chart.totalCount != 0 || chart.starCount != 0) std::abort();
    return 0;
  }
  std::string written;
  if (navora::WriteSpp(chart, written) != navora::kStatusOk || written != bytes) std::abort();
  return 0;
}
