#pragma once

namespace navora {

// navora-cli log: the voyage log from the command line, in the voyage
// directory of VoyageDirectory.h (--voyage-dir DIR on every subcommand).
//   repair   makes an event log that ends in a torn entry whole again and
//            prints what it kept, what it cut and where the copy of the torn
//            file is.
//   new-fix --time T --lat L --lon L [--course C --speed S] [--yes]
//            starts a new voyage from an initial fix (argument forms in
//            CliArguments.h; course 0 to 359.9 degrees, speed 0 to 99.9 knots,
//            latitude below 80 degrees): a non-empty text log is archived
//            only with --yes. Prints the INITIAL FIX entry.
//   comment TEXT  logs a comment and prints its lines.
//   show     prints the text log in clear.
//   entries  lists the event log, one entry a line: offset (bytes), kind,
//            position type (or the sight's body), sequence number, time UTC,
//            latitude and longitude (a sight has "-" for both).
// Exit 0 on success; 1 when the log refuses or fails (the message on the
// error output); 2 for a bad argument (one line on the error output).
int RunLogCommand(int argc, char** argv);

}  // namespace navora
