#include "regex/IPPattern.h"

#include "regex/RegEx.h"

namespace xal {

const char* const kIPv4AddressRegEx =
    R"(^(\d|[01]?\d\d|2[0-4]\d|25[0-5])\.(\d|[01]?\d\d|2[0-4]\d|25[0-5])\.)"
    R"((\d|[01]?\d\d|2[0-4]\d|25[0-5])\.(\d|[01]?\d\d|2[0-4]\d|25[0-5])$)";

const char* const kIPPatternRegEx =
    R"(^(\d|[01]?\d\d|2[0-4]\d|25[0-5]|\*)\.(\d|[01]?\d\d|2[0-4]\d|25[0-5]|\*)\.)"
    R"((\d|[01]?\d\d|2[0-4]\d|25[0-5]|\*)\.(\d|[01]?\d\d|2[0-4]\d|25[0-5]|\*)$)";

std::string IPPatternToRegEx(const std::string& pattern) {
  // One pass gives the same text as replacing the dots first and the stars second, since an
  // escaped dot holds no star.
  std::string result;
  result.reserve(pattern.size() + 8);
  for (char c : pattern) {
    if (c == '.') {
      result += "\\.";
    } else if (c == '*') {
      result += ".+";
    } else {
      result += c;
    }
  }
  return result;
}

bool IsIPv4Address(const std::string& text) {
  static const TXALRegEx kAddress(kIPv4AddressRegEx);
  return kAddress.IsMatch(text);
}

}  // namespace xal
