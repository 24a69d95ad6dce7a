#pragma once

#include <string>

namespace navora {

// Where the voyage log ("navora.evt", "navora.slf") lives: the directory given
// on the command line, else $NAVORA_VOYAGE_DIR, else the per-user data
// directory "$XDG_DATA_HOME/navora/" (only an absolute XDG_DATA_HOME counts),
// else "$HOME/.local/share/navora/". Empty variables count as unset. The
// result ends with '/', as the logs take it as a prefix of their file names.
// The command line and the desktop application resolve it the same way.

inline constexpr char kVoyageDirectoryVariable[] = "NAVORA_VOYAGE_DIR";

// optionDirectory: the command line's choice, or nullptr. False when no rule
// gives a directory (no option, no variable, no HOME).
bool ResolveVoyageDirectory(const char* optionDirectory, std::string& directory);

}  // namespace navora
