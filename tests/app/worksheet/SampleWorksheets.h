#pragma once

// Worksheets whose files are committed under fixtures/worksheet/.

#include <string>

#include "app/worksheet/RichText.h"

namespace navora::testing {

inline CharFormat Worksheet() { return CharFormat{}; }

// An almanac page as the engine appends it: one format, degree signs.
inline RichText AlmanacReport() {
  RichText document;
  AppendText(document,
             "SUN  2024-03-20  12:00 UT\n"
             " GHA 358\xC2\xB0"
             "07,2'  Dec N 0\xC2\xB0"
             "00,4'  SD 16,1'\n"
             "\n",
             Worksheet());
  return document;
}

// Every character format the worksheet keeps, and text beyond Latin-1.
inline RichText FormattedNotes() {
  CharFormat heading{"Arial", 24, true, false, false, RgbColour{0, 0, 128}};
  CharFormat italic = Worksheet();
  italic.italic = true;
  CharFormat warning = Worksheet();
  warning.underline = true;
  warning.colour = RgbColour{255, 0, 0};
  RichText document;
  AppendText(document, "Noon sight {log}\n", heading);
  AppendText(document,
             "\xCE\x94\xCE\xBB = 0\xC2\xB0"
             "12' E\t",
             Worksheet());
  AppendText(document, "\xE2\x9A\x93 anchored\n", italic);
  AppendText(document, "check C:\\logs \xF0\x9F\xA7\xAD\n", warning);
  return document;
}

}  // namespace navora::testing
