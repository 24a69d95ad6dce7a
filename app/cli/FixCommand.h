#pragma once

namespace navora {

// navora-cli fix: the celestial fix from the sights since the last fix, its
// report, and with --save the fix logged as the desktop program's Save and
// Exit logs it.
int RunFixCommand(int argc, char** argv);

}  // namespace navora
