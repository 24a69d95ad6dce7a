#pragma once

#include <cstdint>

#include "engine/common/PositionRecord.h"

namespace navora {

// The sextant sight record and the quality grades of its standard error.
// Units: Julian date UTC, seconds, degrees Celsius, millibars, degrees,
// metres. The record and MakeObservationRecord store what they are given;
// the sight reduction checks the values it uses. The quality lookups are
// total: a sigma that matches no grade (NaN included) counts as "Average".

// One sextant sight.
struct ObservationRecord {
  uint16_t legIndex = 0;     // DR updates between the last fix and the sight
  uint16_t bodyCode = 10;    // 2,4,5,6 planets; 10 Sun; 11 Moon; 12..15 limbs; 20 star
  uint16_t starNumber = 0;   // catalogue number when bodyCode is 20
  uint16_t included = 1;     // 1 when the sight takes part in the fix
  double time = kDefaultRecordTime;  // Julian date, UTC
  double ut1MinusUtc = 0.0;  // seconds
  double weight = 1.0;       // leg weighting factor; 1.0 as read from the log
  double temperature = 10.0;  // degrees Celsius
  double pressure = 1010.0;   // millibars
  double spare = 30.0;        // stored and corrected with the sight, not interpreted
  double hs = 0.0;               // sextant altitude, degrees
  double indexCorrection = 0.0;  // degrees
  double heightOfEye = 0.0;      // metres
  double sigma = 0.0;            // standard error from the quality code, degrees
};

// Quality grades of a sight.
inline constexpr uint16_t kQualityGood = 1;
inline constexpr uint16_t kQualityAverage = 2;
inline constexpr uint16_t kQualityPoor = 3;

// Standard error in degrees of a quality code; unknown codes count as "Average".
double SigmaFromQualityCode(uint16_t qualityCode);

// The first code whose sigma agrees with the given one to a thousandth of a
// degree (both truncated); false when none does.
bool MatchQualityCode(double sigma, uint16_t& qualityCode);

// The matching code, "Average" when none matches.
uint16_t QualityCodeFromSigma(double sigma);

// A sight as read from the log: included, weight 1.0, sigma from the quality code.
ObservationRecord MakeObservationRecord(uint16_t legIndex, uint16_t bodyCode,
                                        uint16_t starNumber, double time, double ut1MinusUtc,
                                        double temperature, double pressure, double spare,
                                        double hs, double indexCorrection, double heightOfEye,
                                        uint16_t qualityCode);

// Sun sight at 2000 January 1, 0 h, 10 C, 1010 mb, spare 30.0, included, weight 1.
ObservationRecord DefaultObservationRecord();

}  // namespace navora
