#pragma once

namespace navora {

// compass plan|error [options]: prints the gyro/compass error planning table
// or determination report exactly as the worksheet would receive it. Exit 0
// when complete, 1 when a check refuses or the computation stops (the
// reason on the error output), 2 for a usage error.
int RunCompassCommand(int argc, char** argv);

}  // namespace navora
