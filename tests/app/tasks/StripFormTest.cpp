#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/tasks/StripForm.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

constexpr double kMinute = 1.0 / 60.0;  // degrees

struct Sight {
  int index;
  uint16_t legIndex;
  double time;  // UTC Julian date
  const char* body;
  double hs, indexCorrectionMinutes, dip, refraction;  // degrees, arc-minutes
  double hc, drLatitude, drLongitude, lhaHours, dec, zn;
};

struct Case {
  const char* name;
  Sight sight;
  StripForm expected;
};

// The sight at its index of a plot with one more sight after it; only the
// reduced record is filled, as in a plot read from its file.
SightPlotState PlotWith(const Sight& s) {
  SightPlotState state;
  state.nLegs = 4;
  state.nSights = s.index + 2;
  ReducedObservation& r = state.reduced[static_cast<size_t>(s.index)];
  r.legIndex = s.legIndex;
  r.time = s.time;
  std::snprintf(r.bodyName, sizeof r.bodyName, "%s", s.body);
  r.hs = s.hs;
  r.dip = s.dip;
  r.refraction = s.refraction;
  r.ho = s.hs + (s.indexCorrectionMinutes - s.dip - s.refraction) * kMinute;
  r.hc = s.hc;
  r.drLatitude = s.drLatitude;
  r.drLongitude = s.drLongitude;
  r.lha = s.lhaHours;
  r.dec = s.dec;
  r.zn = s.zn;
  return state;
}

const Case kCases[] = {
    {"north west toward",
     {0, 0, CalendarToJulian(2024, 3, 5, 14, 3, 27.4), "Sun LL", 52 + 10.0 * kMinute, 1.5, 3.1,
      0.7, 52 + 3.3 * kMinute, 41 + 7.3 * kMinute, -(70 + 15.0 * kMinute),
      (123 + 45.6 * kMinute) / 15.0, -(5 + 22.1 * kMinute), 215.4},
     {"A", "1", "05 Mar 2024", "14:03:27", "Sun LL", "+1.5'", "03.1'", "00.7'",
      {"52\u00B0", "10.0'"}, {"N 41\u00B0", "07.3'"}, {"W 070\u00B0", "15.0'"},
      {"123\u00B0", "45.6'"}, {"S 05\u00B0", "22.1'"}, {"52\u00B0", "03.3'"},
      {"52\u00B0", "07.7'"}, "4.4' T", "215.4"}},
    {"south east away, every minute carried",
     {3, 2, CalendarToJulian(2023, 12, 31, 23, 59, 59.7), "Vega", 23 + 59.96 * kMinute, -2.0, 4.4,
      2.2, 24 + 3.96 * kMinute, -(33 + 59.97 * kMinute), 151 + 12.5 * kMinute,
      (287 + 59.99 * kMinute) / 15.0, 38 + 47.1 * kMinute, 359.96},
     {"D", "3", "01 Jan 2024", "00:00:00", "Vega", "-2.0'", "04.4'", "02.2'",
      {"24\u00B0", "00.0'"}, {"S 34\u00B0", "00.0'"}, {"E 151\u00B0", "12.5'"},
      {"288\u00B0", "00.0'"}, {"N 38\u00B0", "47.1'"}, {"24\u00B0", "04.0'"},
      {"23\u00B0", "51.4'"}, "12.6' A", "000.0"}},
    {"zero values blank, zero degrees keep their hemisphere or sign",
     {1, 1, CalendarToJulian(2024, 7, 9, 3, 7, 5.0), "Mars", 12 * kMinute, 0.0, 2.9, 12.7, 0.0,
      0.0, -0.0001 * kMinute, 0.0, -12.3 * kMinute, 5.0},
     {"B", "2", "09 Jul 2024", "03:07:05", "Mars", "+0.0'", "02.9'", "12.7'",
      {"00\u00B0", "12.0'"}, {"  00\u00B0", "00.0'"}, {"  000\u00B0", "00.0'"},
      {"  000\u00B0", "00.0'"}, {"S 00\u00B0", "12.3'"}, {"  00\u00B0", "00.0'"},
      {"-00\u00B0", "03.6'"}, "3.6' A", "005.0"}},
};

TEST(StripForm, FieldTextsOfReducedSights) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    StripForm form;
    ASSERT_TRUE(BuildStripForm(PlotWith(c.sight), c.sight.index, form));
    const auto actual = StripFormRows(form);
    const auto expected = StripFormRows(c.expected);
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
      EXPECT_EQ(actual[i].value, expected[i].value) << expected[i].label;
      EXPECT_EQ(actual[i].minutes, expected[i].minutes) << expected[i].label;
    }
  }
}

TEST(StripForm, OnlyThePlotsSightsHaveAForm) {
  SightPlotState state = PlotWith(kCases[0].sight);
  StripForm form;
  form.body = "kept";
  for (const int index : {-1, state.nSights, kMaxSights}) {
    EXPECT_FALSE(BuildStripForm(state, index, form)) << index;
  }
  EXPECT_EQ(form.body, "kept");
  EXPECT_TRUE(BuildStripForm(state, state.nSights - 1, form));
}

}  // namespace
}  // namespace navora
