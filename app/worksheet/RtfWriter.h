#pragma once

// Writes a worksheet's rich text as an RTF 1.x stream that word processors
// and RtfReader read back to the same runs.
//
// Output: "{\rtf1\ansi\ansicpg1252\deff0", a font table of the faces in order
// of first use, a colour table ("\cf0" is the automatic colour), then each run
// as the control words that change the format ("\fN", "\fsN" in half-points,
// "\b", "\i", "\ul"/"\ulnone", "\cfN") followed by its text. '\n' becomes
// "\par", '\t' "\tab"; "\", "{" and "}" are escaped. Characters U+00A0..U+00FF
// (the degree sign among them) are written "\'hh", which is the same byte in
// Latin-1 and code page 1252; every other character above 127 is "\uN?" with
// N the signed 16-bit UTF-16 unit (two units for characters beyond U+FFFF) and
// '?' the fallback for readers without Unicode. Other control characters are
// "\'hh" too. Lines end with CR LF after each "\par", to keep the stream
// readable in a text editor. Face names are written as text is, less any
// ';' (which would end the font-table entry) and control characters.

#include <string>

#include "app/worksheet/RichText.h"

namespace navora {

std::string WriteRtf(const RichText& document);

}  // namespace navora
