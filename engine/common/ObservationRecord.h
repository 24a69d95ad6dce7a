#pragma once

#include <cstdint>

namespace navora {

// One sextant sight.
struct ObservationRecord {
  uint16_t legIndex = 0;     // DR updates between the last fix and the sight
  uint16_t bodyCode = 10;    // 2,4,5,6 planets; 10 Sun; 11 Moon; 12..15 limbs; 20 star
  uint16_t starNumber = 0;   // catalogue number when bodyCode is 20
  uint16_t included = 1;     // 1 when the sight takes part in the fix
  double time = 0.0;         // Julian date, UTC
  double ut1MinusUtc = 0.0;  // seconds
  double weight = 1.0;
  double temperature = 0.0;  // degrees Celsius
  double pressure = 0.0;     // millibars
  double spare = 0.0;
  double hs = 0.0;               // sextant altitude, degrees
  double indexCorrection = 0.0;  // degrees
  double heightOfEye = 0.0;      // metres
  double sigma = 0.0;            // standard error from the quality code, degrees
};

}  // namespace navora
