#pragma once

namespace navora {

// navora-cli sights: the sights since the last fix from the command line, in
// the voyage directory of VoyageDirectory.h (--voyage-dir DIR on every
// subcommand). Values are checked exactly as the Observation Recorder checks
// them; what is recorded goes to the event log and the text log, and the
// lines the application would show are printed.
//   add --time T --body NAME|NUMBER [--limb upper|lower] --hs DEG MIN
//       --ic MIN --height-ft N --temp C --pressure MB [--dut1 S]
//       --quality good|average|poor
//            records one sight and prints its Sight Recorder table.
//   import FILE.csv
//            records every sight of the file (header time,body,limb,hs_deg,
//            hs_min,ic_min,height_ft,temp_c,press_mb,dut1_s,quality), or none
//            when a row is refused or the file would pass 25 sights.
//   list     the Sight Recorder table of the sights since the last fix, then
//            each sight's number, event-log offset and leg.
//   correct --offset N [value options of add]
//            changes the given values of the sight at offset N.
//   delete --offset N
//            marks the sight at offset N deleted.
// A star is named as in the catalogue or by its catalogue number (1..173).
// Exit 0 on success; 1 when a value or the log refuses (the message on the
// error output); 2 for a bad argument (one line on the error output).
int RunSightsCommand(int argc, char** argv);

}  // namespace navora
