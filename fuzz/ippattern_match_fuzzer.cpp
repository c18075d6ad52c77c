// The direct match of simple address patterns against the engine: any disagreement aborts. The
// input is a pattern over digits, dots and stars, a newline, then the text it is searched in.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "regex/IPPattern.h"
#include "regex/RegEx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\n');
  if (split == std::string::npos) {
    return 0;
  }
  const std::string pattern = input.substr(0, split);
  // Long texts only deepen the engine's recursion; addresses are short, and a little past 64
  // characters reaches the prepared text's search run by run.
  const std::string text = input.substr(split + 1, 80);
  // The engine backtracks exponentially in the stars, where the direct match does not; beyond a
  // few stars a run would test the engine's patience rather than the match.
  if (!xal::IsSimpleIPPattern(pattern) || std::count(pattern.begin(), pattern.end(), '*') > 6) {
    return 0;
  }
  const bool found = xal::SimpleIPPatternFound(pattern, text);
  if (found != xal::RegExIsMatch(xal::IPPatternToRegEx(pattern), text) ||
      found != xal::TXALPatternText(text).Found(pattern)) {
    std::abort();
  }
  return 0;
}
