#pragma once

namespace navora {

// worksheet text FILE.sdf: prints the plain text of a worksheet file (UTF-8,
// one '\n' per line). When the file's rich text is damaged its plain-text copy
// is printed and a note says so on the error output. Exit 0 when the text was
// printed, 1 when the file cannot be read as a worksheet (the file and the
// reason on the error output) or the text cannot be written, 2 for a usage
// error.
int RunWorksheetCommand(int argc, char** argv);

}  // namespace navora
