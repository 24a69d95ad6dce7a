#pragma once

#include <string>
#include <vector>

#include "engine/sightreduction/SrpFile.h"

namespace navora {

// The strip form of one sight of a plot: the sight's reduction written out
// field by field, as the navigator checks it against a worked form.
//
// Angles are split into whole degrees and minutes rounded to 0.1', a minute
// that would read 60.0 carried into the degrees. Latitude and declination
// carry N/S, longitude E/W; an angle that reads as zero has no hemisphere and
// shows two blanks in place of the letter and its space (an altitude or hour
// angle likewise gains the two blanks). The index correction is not kept in
// a plot file, so it is recovered from the reduced altitudes as
// Ho - hs + (dip + refraction) / 60, which holds for a live and an archived
// plot alike. An archived plot keeps no hour angle: its LHA reads zero.
//
// Encoding: every text is UTF-8; the degree sign is U+00B0 (the engine's
// Latin-1 byte 0xB0 converted), so Qt shows it as it is.

// Degrees (with the degree sign) and minutes of one angle.
struct StripFormAngle {
  std::string degrees;  // "N 41°", "W 070°", "123°", zero "  00°"
  std::string minutes;  // "07.3'"
};

struct StripForm {
  std::string lopId;            // "A" for the plot's first sight
  std::string leg;              // 1-based
  std::string utcDate;          // "05 Mar 2024"
  std::string time;             // "14:03:27" UTC
  std::string body;
  std::string indexCorrection;  // "+1.5'"
  std::string dip;              // "03.1'"
  std::string refraction;       // "00.9'"
  StripFormAngle hs;
  StripFormAngle estimatedLatitude;
  StripFormAngle estimatedLongitude;
  StripFormAngle lha;
  StripFormAngle dec;
  StripFormAngle hc;
  StripFormAngle ho;
  std::string intercept;  // "8.8' T": toward (T) when Ho >= Hc, else away (A)
  std::string azimuth;    // "215.4"
};

inline constexpr char kStripFormTitle[] = "Strip Form";

// The form of the sight at `sightIndex`; false (and `form` untouched) when
// the plot has no such sight.
bool BuildStripForm(const SightPlotState& state, int sightIndex, StripForm& form);

// One line of the form in its order on screen; `minutes` is empty for the
// lines of a single field.
struct StripFormRow {
  const char* label;
  std::string value;
  std::string minutes;
};

std::vector<StripFormRow> StripFormRows(const StripForm& form);

}  // namespace navora
