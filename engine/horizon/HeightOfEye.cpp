#include "engine/horizon/HeightOfEye.h"

#include <cmath>

#include "engine/common/Angles.h"

namespace navora {

namespace {

constexpr double kDipMinutesPerRootMetre = 1.76;
// Refraction at the horizon used for rising and setting, arc-minutes.
constexpr double kHorizontalRefractionMinutes = 34.0;
// The further lowering of the visible horizon with height, arc-minutes per
// square root of a metre.
constexpr double kHorizonExtensionMinutesPerRootMetre = 0.37;

// Coefficients of the refraction formula: altitude shift (degrees squared and
// degrees), standard pressure offset and span (millibars), temperature scale.
constexpr double kRefractionAltitudeNumerator = 7.31;
constexpr double kRefractionAltitudeOffset = 4.4;
constexpr double kPressureOffsetMb = 80.0;
constexpr double kPressureSpanMb = 930.0;
constexpr double kTemperatureCoefficient = 8e-5;
constexpr double kTemperatureRefractionOffset = 39.0;
constexpr double kStandardTemperatureC = 10.0;

}  // namespace

double DipMinutes(double heightOfEyeMetres) {
  if (heightOfEyeMetres <= 0.0) return 0.0;
  return kDipMinutesPerRootMetre * std::sqrt(heightOfEyeMetres);
}

double RiseSetAltitude(double heightOfEyeMetres) {
  if (heightOfEyeMetres < 0.0) return 0.0;
  return (-kHorizontalRefractionMinutes - DipMinutes(heightOfEyeMetres) -
          kHorizonExtensionMinutesPerRootMetre * std::sqrt(heightOfEyeMetres)) /
         kArcminutesPerDegree;
}

EngineStatus RefractionMinutes(double apparentAltitudeDeg, double temperatureC, double pressureMb,
                               double& minutes) {
  minutes = 0.0;
  if (!(apparentAltitudeDeg >= kLowestRefractedAltitudeDeg &&
        apparentAltitudeDeg <= kDegreesPerQuarterCircle) ||
      !std::isfinite(temperatureC) || !std::isfinite(pressureMb)) {
    return kStatusOutOfDomain;
  }
  const double shiftedDeg =
      apparentAltitudeDeg +
      kRefractionAltitudeNumerator / (apparentAltitudeDeg + kRefractionAltitudeOffset);
  const double standard = 1.0 / std::tan(DegreesToRadians(shiftedDeg));
  const double pressureFactor = (pressureMb - kPressureOffsetMb) / kPressureSpanMb;
  const double temperatureFactor =
      1.0 + kTemperatureCoefficient * (standard + kTemperatureRefractionOffset) *
                (temperatureC - kStandardTemperatureC);
  // A temperature far outside any air cancels the denominator.
  const double refraction = pressureFactor * standard / temperatureFactor;
  if (!std::isfinite(refraction)) return kStatusOutOfDomain;
  minutes = refraction;
  return kStatusOk;
}

}  // namespace navora
