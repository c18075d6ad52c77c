// The direct match of simple address patterns against the engine: any disagreement aborts. The
// input is a pattern over digits, dots and stars, a newline, then the text it is searched in.
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
  // Long texts only deepen the engine's recursion; addresses are short.
  const std::string text = input.substr(split + 1, 64);
  if (!xal::IsSimpleIPPattern(pattern)) {
    return 0;
  }
  if (xal::SimpleIPPatternFound(pattern, text) !=
      xal::RegExIsMatch(xal::IPPatternToRegEx(pattern), text)) {
    std::abort();
  }
  return 0;
}
