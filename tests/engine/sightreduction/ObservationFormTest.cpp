// The sight as the navigator enters it: the body list, and the conversions
// to and from the logged record with their rounding.

#include <gtest/gtest.h>

#include <utility>

#include "engine/places/StarCatalogue.h"
#include "engine/sightreduction/BodyNames.h"
#include "engine/sightreduction/ObservationForm.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

ObservationRecord Sight(uint16_t bodyCode, uint16_t starNumber, double hs, double sigma) {
  ObservationRecord sight = DefaultObservationRecord();
  sight.legIndex = 2;
  sight.spare = 17.5;
  sight.bodyCode = bodyCode;
  sight.starNumber = starNumber;
  sight.time = CalendarToJulian(2024, 4, 1, 23, 59, 58.0);
  sight.ut1MinusUtc = -0.3;
  sight.hs = hs;
  sight.indexCorrection = -1.5 / 60.0;
  sight.heightOfEye = 3.048;  // 10 ft
  sight.temperature = -4.0;
  sight.pressure = 1013.0;
  sight.sigma = sigma;
  return sight;
}

TEST(ObservationForm, EveryBodyCodeRoundTripsThroughTheForm) {
  const struct {
    uint16_t code, star;
    int body, limb;
  } cases[] = {
      {10, 0, kBodySun, kLimbNone},
      {11, 0, kBodyMoon, kLimbNone},
      {12, 0, kBodySun, kLimbUpper},
      {13, 0, kBodyMoon, kLimbUpper},
      {14, 0, kBodySun, kLimbLower},
      {15, 0, kBodyMoon, kLimbLower},
      {2, 0, 2, kLimbNone},
      {6, 0, 5, kLimbNone},
      {20, 1, 6, kLimbNone},
      {20, kPolarisNumber, 63, kLimbNone},
      {20, kStarCount, kObservedBodyCount - 1, kLimbNone},
  };
  for (const auto& c : cases) {
    const ObservationRecord sight = Sight(c.code, c.star, 35.2, 0.005);
    ObservationForm form;
    ASSERT_EQ(ObservationToForm(sight, form), kStatusOk) << c.code;
    EXPECT_EQ(form.body, c.body) << c.code;
    EXPECT_EQ(form.limb, c.limb) << c.code;
    const char* reportName = nullptr;
    ASSERT_EQ(BodyNameForCode(c.code, c.star, reportName), kStatusOk);
    if (c.code == 20) {
      EXPECT_STREQ(ObservedBodyName(form.body), reportName);
    }

    ObservationRecord back = DefaultObservationRecord();
    back.legIndex = sight.legIndex;
    back.spare = sight.spare;
    ASSERT_EQ(FormToObservation(form, back), kStatusOk);
    EXPECT_EQ(back.bodyCode, c.code);
    EXPECT_EQ(back.starNumber, c.star);
    EXPECT_NEAR(back.time, sight.time, 1e-9);
    EXPECT_NEAR(back.hs, sight.hs, 1e-12);
    EXPECT_NEAR(back.indexCorrection, sight.indexCorrection, 1e-12);
    EXPECT_DOUBLE_EQ(back.heightOfEye, 3.048);
    EXPECT_EQ(back.ut1MinusUtc, sight.ut1MinusUtc);
    EXPECT_EQ(back.temperature, sight.temperature);
    EXPECT_EQ(back.pressure, sight.pressure);
    EXPECT_EQ(back.sigma, sight.sigma);
    EXPECT_EQ(back.legIndex, 2);  // not the form's to change
    EXPECT_EQ(back.spare, 17.5);
  }
  // A limb chosen for a planet or star does not make a limb code.
  ObservationForm planet;
  ASSERT_EQ(ObservationToForm(Sight(4, 0, 10.0, 0.01), planet), kStatusOk);
  planet.limb = kLimbUpper;
  ObservationRecord back;
  ASSERT_EQ(FormToObservation(planet, back), kStatusOk);
  EXPECT_EQ(back.bodyCode, 4);
}

TEST(ObservationForm, RecordValuesAreRoundedAsTheDialogShowsThem) {
  const struct {
    double hs, sigma, metres, temperature, pressure;
    int hsDegrees;
    double hsMinutes;
    int quality, feet, shownTemperature, shownPressure;
  } cases[] = {
      {35.2, 0.005, 3.048, -4.0, 1013.0, 35, 12.0, 0, 10, -4, 1013},
      {35.999999, 0.0149, 0.0, -2.5, 1012.5, 36, 0.0, 1, 0, -3, 1013},  // carry; no grade: Average
      {90.0, 0.02, 304.5, 2.5, 1012.49, 90, 0.0, 2, 999, 3, 1012},
      {12.5 + 0.04 / 60, 0.0301, 1.0, 0.4, 999.6, 12, 30.0, 1, 3, 0, 1000},
  };
  for (const auto& c : cases) {
    ObservationRecord sight = Sight(10, 0, c.hs, c.sigma);
    sight.heightOfEye = c.metres;
    sight.temperature = c.temperature;
    sight.pressure = c.pressure;
    ObservationForm form;
    ASSERT_EQ(ObservationToForm(sight, form), kStatusOk);
    EXPECT_EQ(form.hsDegrees, c.hsDegrees) << c.hs;
    EXPECT_NEAR(form.hsMinutes, c.hsMinutes, 1e-9) << c.hs;
    EXPECT_EQ(form.quality, c.quality) << c.sigma;
    EXPECT_EQ(form.heightOfEye, c.feet) << c.metres;
    EXPECT_FALSE(form.heightInMetres);
    EXPECT_EQ(form.temperature, c.shownTemperature) << c.temperature;
    EXPECT_EQ(form.pressure, c.shownPressure) << c.pressure;
    EXPECT_DOUBLE_EQ(form.indexCorrection, -1.5);
  }
  // The time is split to the second, with the carry of a rounded second.
  ObservationRecord late = Sight(10, 0, 1.0, 0.01);
  late.time = CalendarToJulian(2024, 12, 31, 23, 59, 59.6);
  ObservationForm form;
  ASSERT_EQ(ObservationToForm(late, form), kStatusOk);
  EXPECT_EQ(form.year * 10000 + form.month * 100 + form.day, 20250101);
  EXPECT_EQ(form.hour * 3600 + form.minute * 60 + form.second, 0);

  // A height already in metres is taken as it is.
  form.heightOfEye = 12;
  form.heightInMetres = true;
  ASSERT_EQ(FormToObservation(form, late), kStatusOk);
  EXPECT_EQ(late.heightOfEye, 12.0);
}

TEST(ObservationForm, BodyListAndUnknownBodies) {
  for (int i = 0; i < kObservedBodyCount; ++i) {
    EXPECT_EQ(FindObservedBody(ObservedBodyName(i)), i) << i;
    EXPECT_EQ(LimbApplies(i), i == kBodySun || i == kBodyMoon) << i;
  }
  EXPECT_EQ(ObservedBodyName(kObservedBodyCount), nullptr);
  EXPECT_EQ(ObservedBodyName(-1), nullptr);
  EXPECT_EQ(FindObservedBody("polaris"), BodyIndexOfStar(kPolarisNumber));
  EXPECT_EQ(FindObservedBody("Pluto"), kFormNoSelection);
  EXPECT_EQ(BodyIndexOfStar(0), kFormNoSelection);
  EXPECT_EQ(BodyIndexOfStar(kStarCount + 1), kFormNoSelection);

  ObservationForm form;
  for (const auto& [code, star] :
       {std::pair<uint16_t, uint16_t>{1, 0}, {16, 0}, {20, 0}, {20, kStarCount + 1}}) {
    EXPECT_EQ(ObservationToForm(Sight(code, star, 10.0, 0.01), form), kFormUnknownBody) << code;
    EXPECT_EQ(form.body, kFormNoSelection);
  }
  ObservationRecord untouched = DefaultObservationRecord();
  form.body = kObservedBodyCount;
  EXPECT_EQ(FormToObservation(form, untouched), kFormUnknownBody);
  EXPECT_EQ(untouched.time, DefaultObservationRecord().time);
}

}  // namespace
}  // namespace navora
