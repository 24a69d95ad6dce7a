#pragma once

#include <cstdint>
#include <string_view>

#include "engine/common/EngineStatus.h"
#include "engine/common/ObservationRecord.h"

namespace navora {

// One sight as the navigator enters it, and its conversions to and from the
// ObservationRecord of the log. The form keeps the units and precision of
// the entries: date and time UTC to the second, hs in whole degrees and
// minutes of arc, the index correction in minutes of arc, height of eye in
// whole feet (or whole metres), temperature in whole degrees Celsius,
// pressure in whole millibars, UT1 - UTC in seconds. The record keeps
// degrees and metres. A form holds whatever was entered; the recorder
// checks it against the limits below before converting it.

// The list of observed bodies: the Sun, the Moon and the four navigational
// planets, then the 173 catalogue stars in catalogue order (the 57
// navigational stars in almanac order, Polaris, then the other stars
// alphabetically), so that the stars a navigator uses most come first.
inline constexpr int kSolarSystemBodyCount = 6;  // Sun, Moon, Venus, Mars, Jupiter, Saturn
inline constexpr int kObservedBodyCount = 179;
inline constexpr int kBodySun = 0;
inline constexpr int kBodyMoon = 1;

// Limb choices; only the Sun and the Moon have one.
inline constexpr int kLimbNone = 0;
inline constexpr int kLimbUpper = 1;
inline constexpr int kLimbLower = 2;
inline constexpr int kLimbCount = 3;

// Nothing selected in a list of the form.
inline constexpr int kFormNoSelection = -1;

// Limits of the entries.
inline constexpr int kMaxHsDegrees = 90;
inline constexpr double kMaxHsMinutes = 59.9;          // minutes of arc
inline constexpr double kMaxAbsUt1MinusUtc = 0.9;      // seconds
inline constexpr double kMaxAbsIndexCorrection = 9.9;  // minutes of arc
inline constexpr int kMaxHeightOfEyeFeet = 999;
inline constexpr int kMaxHeightOfEyeMetres = 304;
inline constexpr int kMaxAbsTemperature = 49;  // degrees Celsius
inline constexpr int kMinPressure = 900;       // millibars
inline constexpr int kMaxPressure = 1100;      // millibars

// Feet to metres is exact by definition; metres to feet is the rounded
// factor the reports print with, so a whole number of feet shows again as
// the same number.
inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kFeetPerMetre = 3.28084;

struct ObservationForm {
  int year = 0;   // calendar year; 0 when not selected
  int month = 0;  // 1..12; 0 when not selected
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  double ut1MinusUtc = 0.0;     // seconds
  int body = kFormNoSelection;  // index into the body list
  int hsDegrees = 0;
  double hsMinutes = 0.0;
  int limb = kLimbNone;
  int quality = kQualityAverage - 1;  // list index: quality code - 1
  int heightOfEye = 0;                // feet, or metres when heightInMetres
  bool heightInMetres = false;
  double indexCorrection = 0.0;  // minutes of arc
  int temperature = 10;          // degrees Celsius
  int pressure = 1010;           // millibars
};

// The list entry of a body index ("Sun", "Venus", "Alpheratz", ...); nullptr
// outside the list.
const char* ObservedBodyName(int body);

// The body index of a name in the list, ignoring case; kFormNoSelection when
// none.
int FindObservedBody(std::string_view name);

// The body index of catalogue star `starNumber` (1..173); kFormNoSelection
// outside the catalogue.
int BodyIndexOfStar(int starNumber);

// Whether the limb list applies to the body: the Sun and the Moon only.
bool LimbApplies(int body);

inline constexpr EngineStatus kFormUnknownBody = 1;

// The form showing `sight`: its time split to the second, hs split into
// degrees and minutes rounded to 0.1' (carried into the degrees), index
// correction in minutes, height in feet = trunc(metres x 3.28084 + 0.5),
// temperature rounded half away from zero, pressure = trunc(mb + 0.5), the
// grade matching its sigma ("Average" when none does). kFormUnknownBody for a
// body code or star number outside the list (body left unselected).
[[nodiscard]] EngineStatus ObservationToForm(const ObservationRecord& sight, ObservationForm& form);

// Writes the form's values into `sight`, leaving its leg index, included
// flag, weight and spare value as they are: body code and star number from
// body and limb (the limb counts for the Sun and the Moon only), time from
// the date fields, sigma from the grade, the height in metres.
// kFormUnknownBody for a body index outside the list (`sight` unchanged).
[[nodiscard]] EngineStatus FormToObservation(const ObservationForm& form, ObservationRecord& sight);

}  // namespace navora
