#pragma once

// Reading the committed text fixtures: '#' lines are comments, the first other
// line names the columns, each further line is one row of blank-separated fields.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace navora::testing {

// The rows of a fixture file as field streams, header skipped; empty when
// the file cannot be read.
inline std::vector<std::istringstream> FixtureRows(const std::string& path) {
  std::vector<std::istringstream> rows;
  std::ifstream stream(path);
  std::string line;
  bool headerSeen = false;
  while (std::getline(stream, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (!headerSeen) {
      headerSeen = true;
      continue;
    }
    rows.emplace_back(line);
  }
  return rows;
}

}  // namespace navora::testing
