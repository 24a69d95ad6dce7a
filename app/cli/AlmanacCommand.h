#pragma once

namespace navora {

// almanac sun-moon-aries|planets|stars|all [options]: prints the almanac
// table exactly as the worksheet would receive it. Exit 0 when complete, 1
// when an entry is refused or the computation stops (the reason on the error
// output), 2 for a usage error.
int RunAlmanacCommand(int argc, char** argv);

}  // namespace navora
