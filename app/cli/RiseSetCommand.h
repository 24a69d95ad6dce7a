#pragma once

namespace navora {

// riseset fixed|underway [options]: prints the rise, set and transit table
// exactly as the worksheet would receive it. Exit 0 when complete, 1 when a
// check refuses or the computation stops (the reason on the error output),
// 2 for a usage error.
int RunRiseSetCommand(int argc, char** argv);

}  // namespace navora
