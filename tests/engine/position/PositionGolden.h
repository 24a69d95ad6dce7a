#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/position/ReportLine.h"

namespace navora::testing {

// Report lines as the worksheet receives them, one "\n" after each.
inline std::string JoinLines(const ReportLine* lines, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::string(lines[i]) + "\n";
  return text;
}

// A golden report under tests/fixtures/position. With NAVORA_UPDATE_GOLDEN
// set in the environment the report given is written there first, for a
// reviewed change of format.
inline std::string GoldenReport(const std::string& name, const std::string& actual) {
  const std::string path = std::string(NAVORA_FIXTURE_DIR) + "/position/" + name;
  if (std::getenv("NAVORA_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << actual;
  }
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace navora::testing
