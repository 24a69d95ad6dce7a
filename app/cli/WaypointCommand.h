#pragma once

namespace navora {

// waypoint --depart T --arrive T --lat L --lon L [--voyage-dir DIR]: the
// course, speed and distance from the voyage's dead reckoning at the
// departure time to a waypoint at the arrival time, printed exactly as the
// worksheet would receive it. Nothing is logged. Exit 0 with the report, 1
// when an entry is refused or the log cannot be read (the reason on the
// error output), 2 for a usage error.
int RunWaypointCommand(int argc, char** argv);

}  // namespace navora
