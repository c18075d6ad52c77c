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

bool IsSimpleIPPattern(std::string_view pattern) {
  for (char c : pattern) {
    if (c != '.' && c != '*' && (c < '0' || c > '9')) {
      return false;
    }
  }
  return true;
}

namespace {

// The expression is literal runs of digits and dots joined by ".+". Taking each run at its
// earliest place after the one before (plus the one character its star needs) leaves the most
// room for the rest, so the first such placement decides whether any exists.
bool FoundInLine(std::string_view pattern, std::string_view line) {
  std::size_t end = 0;
  bool first = true;
  while (true) {
    const std::size_t star = pattern.find('*');
    const std::string_view run = pattern.substr(0, star);
    const std::size_t at = line.find(run, first ? 0 : end + 1);
    if (at == std::string_view::npos) {
      return false;
    }
    end = at + run.size();
    if (star == std::string_view::npos) {
      return true;
    }
    pattern.remove_prefix(star + 1);
    first = false;
  }
}

}  // namespace

bool SimpleIPPatternFound(std::string_view pattern, std::string_view text) {
  // The engine's "." stops at line ends and the runs hold none, so a match lies within a line.
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
      if (FoundInLine(pattern, text.substr(lineStart, i - lineStart))) {
        return true;
      }
      lineStart = i + 1;
    }
  }
  return false;
}

bool IPPatternFound(const std::string& pattern, const std::string& text) {
  if (IsSimpleIPPattern(pattern)) {
    return SimpleIPPatternFound(pattern, text);
  }
  return RegExIsMatch(IPPatternToRegEx(pattern), text);
}

bool IsIPv4Address(const std::string& text) {
  static const TXALRegEx kAddress(kIPv4AddressRegEx);
  return kAddress.IsMatch(text);
}

}  // namespace xal
