#pragma once

namespace navora {

// Flushes the standard output and checks that everything written reached it
// (a full disk, a closed pipe). Returns exitCode when it did; otherwise says
// so on the error output and returns kExitFailure, so that a report lost on
// the way is never reported as success.
int FinishStandardOutput(int exitCode);

}  // namespace navora
