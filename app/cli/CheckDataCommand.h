#pragma once

namespace navora {

// check-data: runs the start-up check of the data files (its notices go to the
// error output) and prints what each file covers. Exit 0 when both files are
// usable, 1 otherwise.
int RunCheckDataCommand(int argc, char** argv);

}  // namespace navora
