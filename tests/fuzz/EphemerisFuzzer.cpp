// Opens arbitrary bytes as an ephemeris file and asks it for every body. The
// first byte chooses the form: the bytes as they come, or the bytes as the
// body table and records behind a plausible header, so that the evaluation
// is reached as well. A state the reader accepts must be finite.

#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "engine/ephemeris/EphemerisReader.h"

namespace {

constexpr size_t kBlockBytes = 8000;
constexpr size_t kRecordCount = 2;
constexpr double kStartJd = 2451536.5;
constexpr double kStepDays = 32.0;

const std::string& FilePath() {
  static const std::string path = [] {
    std::string pattern =
        access("/dev/shm", W_OK) == 0 ? "/dev/shm/navora-fuzz-XXXXXX" : "/tmp/navora-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern + "/fuzz.eph";
  }();
  return path;
}

void Put(std::vector<uint8_t>& bytes, size_t offset, const void* value, size_t size) {
  std::memcpy(bytes.data() + offset, value, size);  // little-endian host
}

// A header the reader accepts, then the input as body table and records.
std::vector<uint8_t> WithPlausibleHeader(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(kBlockBytes * (kRecordCount + 1), 0);
  const double span[] = {kStartJd, kStartJd + kRecordCount * kStepDays, kStepDays};
  Put(bytes, 2652, span, sizeof span);
  const double scales[] = {149597870.691, 81.30056};
  Put(bytes, 5880, scales, sizeof scales);
  const size_t table = size < 144 ? size : 144;
  Put(bytes, 5896, data, table);
  const size_t rest = size - table;
  for (size_t record = 1; record <= kRecordCount; ++record) {
    const double dates[] = {kStartJd + (record - 1) * kStepDays, kStartJd + record * kStepDays};
    const size_t offset = kBlockBytes * record;
    const size_t take = rest < kBlockBytes - 16 ? rest : kBlockBytes - 16;
    Put(bytes, offset + 16, data + table, take);
    Put(bytes, offset, dates, sizeof dates);
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::vector<uint8_t> bytes = data[0] % 2 == 0 ? std::vector<uint8_t>(data + 1, data + size)
                                                      : WithPlausibleHeader(data + 1, size - 1);
  std::ofstream(FilePath(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));

  navora::EphemerisReader reader;
  double first = 0.0, last = 0.0;
  if (reader.OpenEphemerisFile(FilePath().c_str(), first, last) != navora::kStatusOk) return 0;
  for (double fraction : {0.0, 0.3, 0.5, 0.99, 1.0}) {
    const double jd = first + fraction * (last - first);
    for (navora::BodyId body = navora::kMercury; body <= navora::kMoon; ++body) {
      navora::Vector3 position{}, velocity{};
      if (reader.GetBodyState(jd, body, navora::kOriginSun, position, velocity) != 0) continue;
      for (int c = 0; c < 3; ++c) {
        if (!std::isfinite(position[c]) || !std::isfinite(velocity[c])) std::abort();
      }
    }
  }
  return 0;
}
