#include "regex/IPPattern.h"

#include <bit>
#include <utility>

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

TXALPatternText::TXALPatternText(std::string text) : text_(std::move(text)) {
  if (text_.size() > 64 || text_.find_first_of("\r\n") != std::string::npos) {
    return;
  }
  byPositions_ = true;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    const char c = text_[i];
    if (c >= '0' && c <= '9') {
      positions_[static_cast<std::size_t>(c - '0')] |= std::uint64_t{1} << i;
    } else if (c == '.') {
      positions_[10] |= std::uint64_t{1} << i;
    }
  }
}

std::uint64_t TXALPatternText::Positions(char c) const {
  if (c >= '0' && c <= '9') {
    return positions_[static_cast<std::size_t>(c - '0')];
  }
  // A character no simple pattern holds is found nowhere rather than read out of bounds.
  return c == '.' ? positions_[10] : 0;
}

bool TXALPatternText::Found(std::string_view pattern) const {
  return byPositions_ ? FoundByPositions(pattern) : SimpleIPPatternFound(pattern, text_);
}

// The placement of FoundInLine, with the starts where a run fits worked out for all positions at
// once: a start survives a run's k-th character when that character stands at start + k. A run
// that fits nowhere fails the whole pattern.
bool TXALPatternText::FoundByPositions(std::string_view pattern) const {
  const std::size_t length = text_.size();
  std::size_t from = 0;
  std::size_t i = 0;
  while (true) {
    std::uint64_t starts = from >= 64 ? 0 : ~std::uint64_t{0} << from;
    std::size_t k = 0;
    for (; i < pattern.size() && pattern[i] != '*'; ++i, ++k) {
      if (k >= 64) {
        return false;
      }
      starts &= Positions(pattern[i]) >> k;
      if (starts == 0) {
        return false;
      }
    }
    // An empty run, before the first star, after the last or between two, is placed at once.
    std::size_t at = from;
    if (k != 0) {
      at = static_cast<std::size_t>(std::countr_zero(starts));
    } else if (from > length) {
      return false;
    }
    if (i == pattern.size()) {
      return true;
    }
    ++i;
    // The star takes at least the one character after the run.
    from = at + k + 1;
  }
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
