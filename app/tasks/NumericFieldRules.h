#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace navora {

// The rules of the numeric edits of every task dialog: which typed
// characters an edit takes, and how its text reads back as a number.

// Whether an edit holding `text`, with `selectionLength` characters selected
// from `selectionStart` (the caret alone when 0), takes the typed character.
// Letters, the space and most punctuation are refused; a sign only at the
// start and when no other sign stays outside the selection; a decimal point
// only when no other stays outside the selection. Every other character,
// control characters included, is passed on.
bool NumericFieldAccepts(std::string_view text, size_t selectionStart, size_t selectionLength,
                         char typed);

// How an edit's text reads: empty (blanks only), a value, or not a number.
enum class FieldText { kEmpty, kValue, kInvalid };

// An optional sign and decimal digits, blanks around allowed.
FieldText ParseIntegerField(std::string_view text, int& value);
// An optional sign, digits with at most one decimal point, blanks around allowed.
FieldText ParseNumberField(std::string_view text, double& value);

// The platform's standard messages for an edit that does not hold a number
// or holds one out of its range.
inline constexpr char kIntegerExpectedText[] = "Please enter an integer.";
inline constexpr char kNumberExpectedText[] = "Please enter a number.";
std::string IntegerRangeText(int lo, int hi);
std::string NumberRangeText(double lo, double hi);

}  // namespace navora
