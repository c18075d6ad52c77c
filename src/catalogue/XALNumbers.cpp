#include "catalogue/XALNumbers.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

#include "catalogue/Utf8.h"
#include "catalogue/XALErrors.h"
#include "catalogue/XALLists.h"

namespace xal {
namespace {

// A hostile file may hold megabytes in one number; the message, shown in a box, quotes the start.
[[noreturn]] void RaiseNotInteger(std::string_view text) {
  throw EConvertError("'" + QuoteForMessage(text) + "' is not a valid integer value");
}

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

// Removes a leading "+" or "-"; true when it was "-".
bool TakeSign(std::string_view& text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
  }
  return false;
}

// The value of a run of decimal digits, or nothing when it exceeds 64 bits.
std::optional<std::uint64_t> DigitsValue(std::string_view digits) {
  if (digits.empty()) {
    return 0;
  }
  std::uint64_t value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> ToInt32(std::uint64_t magnitude, bool negative) {
  constexpr std::uint64_t kMaxPositive = std::numeric_limits<int>::max();
  if (magnitude > kMaxPositive + (negative ? 1 : 0)) {
    return std::nullopt;
  }
  const auto value = static_cast<std::int64_t>(magnitude);
  return static_cast<int>(negative ? -value : value);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

int StrictStrToInt(std::string_view text) {
  std::string_view digits = text;
  const bool negative = TakeSign(digits);
  if (digits.empty() || !AllDigits(digits)) {
    RaiseNotInteger(text);
  }
  const auto magnitude = DigitsValue(digits);
  const auto value = magnitude ? ToInt32(*magnitude, negative) : std::nullopt;
  if (!value) {
    RaiseNotInteger(text);
  }
  return *value;
}

int LenientStrToInt(std::string_view text) {
  std::string_view number = text;
  while (!number.empty() && IsBlank(number.front())) {
    number.remove_prefix(1);
  }
  while (!number.empty() && IsBlank(number.back())) {
    number.remove_suffix(1);
  }
  const bool negative = TakeSign(number);
  const auto dot = number.find('.');
  const std::string_view whole = number.substr(0, dot);
  const std::string_view fraction =
      dot == std::string_view::npos ? std::string_view() : number.substr(dot + 1);
  if ((whole.empty() && fraction.empty()) || !AllDigits(whole) || !AllDigits(fraction)) {
    RaiseNotInteger(text);
  }
  auto magnitude = DigitsValue(whole);
  if (magnitude && !fraction.empty() && fraction.front() >= '5') {
    ++*magnitude;
  }
  const auto value = magnitude ? ToInt32(*magnitude, negative) : std::nullopt;
  if (!value) {
    RaiseNotInteger(text);
  }
  return *value;
}

bool StrToBoolean(std::string_view text) {
  if (SameText(text, "True")) {
    return true;
  }
  if (SameText(text, "False")) {
    return false;
  }
  std::string_view digits = text;
  TakeSign(digits);
  if (digits.empty() || !AllDigits(digits)) {
    throw EConvertError("'" + QuoteForMessage(text) + "' is not a valid boolean value");
  }
  return digits.find_first_not_of('0') != std::string_view::npos;
}

std::string IntToStr(int value) {
  return std::to_string(value);
}

}  // namespace xal
