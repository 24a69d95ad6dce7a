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

// `program` with `arguments` (shell words) in the working directory `directory`.
inline CliRun RunProgram(const std::filesystem::path& program, const std::string& arguments,
                         const std::string& directory) {
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

// The navora-cli of the build, beside the shipped data files, with `arguments`
// in `directory`.
inline CliRun RunCli(const std::string& arguments, const std::string& directory = ".") {
  return RunProgram(std::filesystem::current_path() / "navora-cli", arguments, directory);
}

// A copy of navora-cli placed in `directory`, so that the data files it finds
// beside itself are those of `directory`, run there.
inline CliRun RunCliIn(const std::string& directory, const std::string& arguments) {
  const std::filesystem::path copy = std::filesystem::path(directory) / "navora-cli";
  std::filesystem::copy_file(std::filesystem::current_path() / "navora-cli", copy,
                             std::filesystem::copy_options::overwrite_existing);
  return RunProgram(copy, arguments, directory);
}

}  // namespace navora::testing
