#pragma once

// Runs the navora-cli program that the build puts beside the tests.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TemporaryDirectory.h"

namespace navora::testing {

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// navora-cli with `arguments` in `directory` (default: beside the data files).
inline CliRun RunCli(const std::string& arguments, const std::string& directory = ".") {
  const std::filesystem::path program = std::filesystem::current_path() / "navora-cli";
  CliRun run;
  TemporaryDirectory scratch;
  const std::string errPath = scratch.File("stderr");
  const std::string command = "cd '" + directory + "' && '" + program.string() + "' " + arguments +
                              " 2>'" + errPath + "'";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot run " << command;
    return run;
  }
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = ReadFile(errPath);
  return run;
}

}  // namespace navora::testing
