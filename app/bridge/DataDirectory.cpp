#include "app/bridge/DataDirectory.h"

#include <filesystem>
#include <system_error>

#include "engine/ephemeris/EphemerisTable.h"

namespace navora {

std::string FindDataDirectory() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "";
  const std::filesystem::path programDirectory = program.parent_path();
  for (const std::filesystem::path& candidate :
       {programDirectory, programDirectory / ".." / "share" / "navora"}) {
    if (std::filesystem::is_regular_file(candidate / kDefaultEphemerisFileName, error)) {
      return (candidate / "").string();
    }
  }
  return "";
}

}  // namespace navora
