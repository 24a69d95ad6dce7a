// The numeric edits of the task dialogs: which typed keys they take, how
// their text reads back, and the standard range messages.

#include <gtest/gtest.h>

#include <string>

#include "app/tasks/NumericFieldRules.h"

namespace navora {
namespace {

TEST(NumericFieldRules, TypedKeysFollowTheSignAndPointRules) {
  struct Case {
    const char* text;
    size_t start;
    size_t length;
    char typed;
    bool accepted;
  };
  const Case cases[] = {
      {"12", 2, 0, '3', true},
      {"12", 2, 0, 'a', false},
      {"12", 2, 0, 'e', false},   // no exponents
      {"12", 2, 0, 'Q', false},
      {"12", 2, 0, ' ', false},   // the blank is refused
      {"12", 2, 0, ',', false},
      {"12", 2, 0, '\\', false},
      {"12", 2, 0, '(', false},
      {"12", 2, 0, '"', true},    // not on the refused list
      {"12", 1, 0, '\b', true},   // editing keys pass
      {"12", 0, 0, '-', true},
      {"12", 1, 0, '-', false},   // a sign only at the start
      {"-12", 0, 0, '+', false},  // another sign stays
      {"-12", 0, 1, '+', true},   // the sign is being replaced
      {"1-2", 0, 0, '-', false},  // a sign anywhere outside the selection counts
      {"12", 0, 2, '-', true},
      {"15", 1, 0, '.', true},
      {"1.5", 3, 0, '.', false},  // a second point
      {"1.5", 1, 1, '.', true},   // the point is being replaced
      {"1.5", 0, 3, '.', true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumericFieldAccepts(c.text, c.start, c.length, c.typed), c.accepted)
        << "'" << c.typed << "' into \"" << c.text << "\" at " << c.start << "+" << c.length;
  }
}

TEST(NumericFieldRules, TextReadsAsEmptyValueOrInvalid) {
  struct IntegerCase {
    const char* text;
    FieldText read;
    int value;
  };
  const IntegerCase integers[] = {
      {"", FieldText::kEmpty, 0},      {"  ", FieldText::kEmpty, 0},
      {" 12 ", FieldText::kValue, 12}, {"+7", FieldText::kValue, 7},
      {"-03", FieldText::kValue, -3},  {"1.5", FieldText::kInvalid, 0},
      {"-", FieldText::kInvalid, 0},   {"1 2", FieldText::kInvalid, 0},
      {"99999999999", FieldText::kInvalid, 0},
  };
  for (const IntegerCase& c : integers) {
    int value = 0;
    EXPECT_EQ(ParseIntegerField(c.text, value), c.read) << '"' << c.text << '"';
    if (c.read == FieldText::kValue) {
      EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    }
  }
  struct NumberCase {
    const char* text;
    FieldText read;
    double value;
  };
  const NumberCase numbers[] = {
      {"", FieldText::kEmpty, 0},         {"59.9", FieldText::kValue, 59.9},
      {".5", FieldText::kValue, 0.5},     {"5.", FieldText::kValue, 5.0},
      {"+1.25", FieldText::kValue, 1.25}, {"-0.1", FieldText::kValue, -0.1},
      {"1.2.3", FieldText::kInvalid, 0},  {".", FieldText::kInvalid, 0},
      {"1e3", FieldText::kInvalid, 0},
  };
  for (const NumberCase& c : numbers) {
    double value = 0.0;
    EXPECT_EQ(ParseNumberField(c.text, value), c.read) << '"' << c.text << '"';
    if (c.read == FieldText::kValue) {
      EXPECT_DOUBLE_EQ(value, c.value) << '"' << c.text << '"';
    }
  }
}

TEST(NumericFieldRules, RangeMessagesPrintTheBoundsAsTyped) {
  EXPECT_EQ(IntegerRangeText(1, 999), "Please enter an integer between 1 and 999.");
  EXPECT_EQ(NumberRangeText(0.0, 59.9), "Please enter a number between 0 and 59.9.");
  EXPECT_EQ(NumberRangeText(0.0, 359.9), "Please enter a number between 0 and 359.9.");
}

}  // namespace
}  // namespace navora
