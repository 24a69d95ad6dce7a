#pragma once

#include <string>

#include "engine/common/EngineStatus.h"

namespace navora {

// The archives of finished voyages: each text log, when a new voyage starts,
// is kept as "<directory>log%05d.saf" under the lowest free number from 00000
// to 99999. Archives are never overwritten: a name already taken, readable or
// not, is skipped, so numbers once used stay with their voyage.

inline constexpr char kArchiveNameFormat[] = "log%05d.saf";
inline constexpr int kMaxArchiveNumber = 99999;

// "<directory>log<number, five digits>.saf"; directory ends with its separator.
std::string ArchivePath(const std::string& directory, int number);

// Copies the file at `source` to the next free archive name in `directory`,
// and returns only once the copy and its directory entry are on disk (fsync),
// so that the source may be replaced afterwards without risk.
// 1 the source cannot be read; 2 every archive number is taken; 3 the copy
// could not be written or synced (a partial copy is removed).
[[nodiscard]] EngineStatus CopyToNextArchive(const std::string& source,
                                             const std::string& directory,
                                             std::string& archivePath);

}  // namespace navora
