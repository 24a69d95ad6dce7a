#pragma once

namespace navora {

// log repair [--voyage-dir DIR]: makes a voyage event log that ends in a
// torn entry whole again and prints what it kept, what it cut and where the
// copy of the torn file is. Exit 0 when the log is whole afterwards (or was
// already), 1 when it cannot be repaired or the report cannot be written
// (the reason on the error output), 2 for a usage error.
int RunLogCommand(int argc, char** argv);

}  // namespace navora
