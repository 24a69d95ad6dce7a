#pragma once

namespace navora {

// plan sky-chart|selected-stars [options]: the sky chart's bodies as a table
// (and its ".spp" file), or the selected-stars tables exactly as the
// worksheet would receive them. Exit 0 when complete, 1 when a check
// refuses or the computation stops (the reason on the error output), 2 for
// a usage error.
int RunPlanCommand(int argc, char** argv);

}  // namespace navora
