#include "app/tasks/NumericFieldRules.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace navora {
namespace {

// Keys a numeric edit never takes (the blank included).
constexpr std::string_view kRefusedCharacters =
    "`~!@#$%^&* ( )_|=\\qwertyuiop[]asdfghjkl;'zxcvbnm,/QWERTYUIOP{}ASDFGHJKL:/ZXCVBNM<>?/";

bool IsSign(char c) { return c == '+' || c == '-'; }

// Whether a character matching `match` stands outside the selection.
template <typename Match>
bool FoundOutsideSelection(std::string_view text, size_t start, size_t length, Match match) {
  for (size_t i = 0; i < text.size(); ++i) {
    const bool selected = i >= start && i < start + length;
    if (!selected && match(text[i])) return true;
  }
  return false;
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Digits with an optional leading sign and, when `point` is allowed, one
// decimal point; at least one digit.
bool IsNumberText(std::string_view text, bool point) {
  if (!text.empty() && IsSign(text.front())) text.remove_prefix(1);
  bool digit = false;
  bool pointSeen = false;
  for (const char c : text) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digit = true;
    } else if (c == '.' && point && !pointSeen) {
      pointSeen = true;
    } else {
      return false;
    }
  }
  return digit;
}

}  // namespace

bool NumericFieldAccepts(std::string_view text, size_t selectionStart, size_t selectionLength,
                         char typed) {
  if (kRefusedCharacters.find(typed) != std::string_view::npos) return false;
  if (IsSign(typed)) {
    return selectionStart == 0 &&
           !FoundOutsideSelection(text, selectionStart, selectionLength, IsSign);
  }
  if (typed == '.') {
    return !FoundOutsideSelection(text, selectionStart, selectionLength,
                                  [](char c) { return c == '.'; });
  }
  return true;
}

FieldText ParseIntegerField(std::string_view text, int& value) {
  text = Trimmed(text);
  if (text.empty()) return FieldText::kEmpty;
  if (!IsNumberText(text, false)) return FieldText::kInvalid;
  const std::string digits(text);
  const long long parsed = std::strtoll(digits.c_str(), nullptr, 10);
  if (parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max()) {
    return FieldText::kInvalid;
  }
  value = static_cast<int>(parsed);
  return FieldText::kValue;
}

FieldText ParseNumberField(std::string_view text, double& value) {
  text = Trimmed(text);
  if (text.empty()) return FieldText::kEmpty;
  if (!IsNumberText(text, true)) return FieldText::kInvalid;
  // from_chars reads the same text whatever the C locale's decimal point.
  if (text.front() == '+') text.remove_prefix(1);
  std::from_chars(text.data(), text.data() + text.size(), value);
  return FieldText::kValue;
}

std::string IntegerRangeText(int lo, int hi) {
  char text[80];
  std::snprintf(text, sizeof text, "Please enter an integer between %d and %d.", lo, hi);
  return text;
}

std::string NumberRangeText(double lo, double hi) {
  // Shortest round-trip form: 59.9 prints as "59.9", 0 as "0", in any locale.
  const auto shortest = [](double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
  };
  return "Please enter a number between " + shortest(lo) + " and " + shortest(hi) + ".";
}

}  // namespace navora
