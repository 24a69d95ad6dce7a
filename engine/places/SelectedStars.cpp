#include "engine/places/SelectedStars.h"

#include <cmath>

#include "engine/common/Angles.h"

namespace navora {

namespace {

constexpr EngineStatus kLatitudeOutsideTable = 1;  // also a non-finite input

constexpr int kNorthernmostBandLatitude = 89;  // bandStart counts down from here
constexpr int kClosingBand = kSelectedStarsBandCount - 1;

// Rows of one latitude band.
struct BandRows {
  int firstRow = 0;  // 0-based, inclusive
  int endRow = 0;    // 0-based, exclusive
};

// Nearest whole degree, halves away from zero.
int RoundLatitude(double latitudeDeg) {
  return static_cast<int>(latitudeDeg >= 0.0 ? latitudeDeg + 0.5 : latitudeDeg - 0.5);
}

// Nearest whole degree of LHA in 0..359.
int RoundHourAngle(double lhaDeg) {
  const int rounded = static_cast<int>(WrapDegrees360(lhaDeg) + 0.5);
  return rounded >= 360 ? 0 : rounded;
}

BandRows FindBand(int bandValue) {
  for (int band = 0; band < kClosingBand; ++band) {
    if (bandValue >= kSelectedStarsBands[band].bandStart &&
        bandValue < kSelectedStarsBands[band + 1].bandStart) {
      return {kSelectedStarsBands[band].firstRow - 1, kSelectedStarsBands[band + 1].firstRow - 1};
    }
  }
  return {0, 0};
}

// End of a row's LHA range; a following start of 0 begins the next band.
int RowEnd(int row) {
  const int next = kSelectedStarsRows[row + 1].lhaStart;
  return next == 0 ? 360 : next;
}

}  // namespace

EngineStatus LookupSelectedStars(double latitudeDeg, double lhaAriesDeg,
                                 int16_t (&starNumbers)[kSelectedStarCount]) {
  // Refused before any conversion to int: a rounded latitude beyond 89, and
  // non-finite inputs, which would otherwise leave the outputs undefined.
  if (!(std::fabs(latitudeDeg) < kNorthernmostBandLatitude + 0.5) || !std::isfinite(lhaAriesDeg)) {
    for (int16_t& number : starNumbers) {
      number = 0;
    }
    return kLatitudeOutsideTable;
  }
  // 85 bands: searching them costs less than remembering the last one.
  const BandRows band = FindBand(kNorthernmostBandLatitude - RoundLatitude(latitudeDeg));
  const int h = RoundHourAngle(lhaAriesDeg);
  for (int row = band.firstRow; row < band.endRow; ++row) {
    if (h >= kSelectedStarsRows[row].lhaStart && h < RowEnd(row)) {
      for (int i = 0; i < kSelectedStarCount; ++i) {
        starNumbers[i] = kSelectedStarsRows[row].stars[i];
      }
      break;
    }
  }
  return kStatusOk;
}

}  // namespace navora
