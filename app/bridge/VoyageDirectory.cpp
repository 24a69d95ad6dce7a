#include "app/bridge/VoyageDirectory.h"

#include <cstdlib>

namespace navora {

namespace {

constexpr char kApplicationFolder[] = "navora/";
constexpr char kDefaultDataHome[] = "/.local/share/";  // below $HOME

// The variable's value, or nullptr when it is unset or empty.
const char* Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0' ? value : nullptr;
}

std::string WithTrailingSlash(std::string directory) {
  if (directory.back() != '/') {
    directory.push_back('/');
  }
  return directory;
}

}  // namespace

bool ResolveVoyageDirectory(const char* optionDirectory, std::string& directory) {
  if (optionDirectory != nullptr && optionDirectory[0] != '\0') {
    directory = WithTrailingSlash(optionDirectory);
    return true;
  }
  if (const char* voyage = Variable(kVoyageDirectoryVariable)) {
    directory = WithTrailingSlash(voyage);
    return true;
  }
  if (const char* dataHome = Variable("XDG_DATA_HOME"); dataHome != nullptr && dataHome[0] == '/') {
    directory = WithTrailingSlash(dataHome) + kApplicationFolder;
    return true;
  }
  if (const char* home = Variable("HOME")) {
    directory = std::string(home) + kDefaultDataHome + kApplicationFolder;
    return true;
  }
  return false;
}

}  // namespace navora
