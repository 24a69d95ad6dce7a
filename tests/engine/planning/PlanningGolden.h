#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace navora::testing {

// The bytes of a golden file under tests/fixtures/planning. With
// NAVORA_UPDATE_GOLDEN set in the environment the bytes given are written
// there first, for a reviewed change of format.
inline std::string PlanningGolden(const std::string& name, const std::string& actual) {
  const std::string path = std::string(NAVORA_FIXTURE_DIR) + "/planning/" + name;
  if (std::getenv("NAVORA_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << actual;
  }
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

}  // namespace navora::testing
