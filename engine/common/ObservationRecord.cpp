#include "engine/common/ObservationRecord.h"

#include <cmath>

namespace navora {

namespace {

// Standard errors in degrees, indexed by quality code - 1.
constexpr double kQualitySigma[] = {0.005, 0.01, 0.02};
constexpr uint16_t kQualityCodeCount = 3;
constexpr double kSigmaComparisonScale = 1000.0;  // compared in thousandths of a degree

// Whole thousandths of a degree, truncated toward zero. Kept in floating point
// so that a NaN or huge sigma from a file matches no code instead of overflowing.
double TruncatedThousandths(double sigma) { return std::trunc(sigma * kSigmaComparisonScale); }

}  // namespace

double SigmaFromQualityCode(uint16_t qualityCode) {
  if (qualityCode < kQualityGood || qualityCode > kQualityCodeCount) {
    return kQualitySigma[kQualityAverage - 1];
  }
  return kQualitySigma[qualityCode - 1];
}

bool MatchQualityCode(double sigma, uint16_t& qualityCode) {
  const double given = TruncatedThousandths(sigma);
  for (uint16_t code = kQualityGood; code <= kQualityCodeCount; ++code) {
    if (given == TruncatedThousandths(kQualitySigma[code - 1])) {
      qualityCode = code;
      return true;
    }
  }
  return false;
}

uint16_t QualityCodeFromSigma(double sigma) {
  uint16_t code = kQualityAverage;
  return MatchQualityCode(sigma, code) ? code : kQualityAverage;
}

ObservationRecord MakeObservationRecord(uint16_t legIndex, uint16_t bodyCode,
                                        uint16_t starNumber, double time, double ut1MinusUtc,
                                        double temperature, double pressure, double spare,
                                        double hs, double indexCorrection, double heightOfEye,
                                        uint16_t qualityCode) {
  ObservationRecord record;
  record.legIndex = legIndex;
  record.bodyCode = bodyCode;
  record.starNumber = starNumber;
  record.included = 1;
  record.time = time;
  record.ut1MinusUtc = ut1MinusUtc;
  record.weight = 1.0;
  record.temperature = temperature;
  record.pressure = pressure;
  record.spare = spare;
  record.hs = hs;
  record.indexCorrection = indexCorrection;
  record.heightOfEye = heightOfEye;
  record.sigma = SigmaFromQualityCode(qualityCode);
  return record;
}

ObservationRecord DefaultObservationRecord() { return ObservationRecord{}; }

}  // namespace navora
