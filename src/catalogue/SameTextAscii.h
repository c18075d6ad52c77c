// What both platforms' SameText do without the Unicode tables: ASCII texts, where folding ASCII
// letters is all there is to it, and texts that are not valid UTF-8.
#pragma once

#include <algorithm>
#include <string_view>

namespace xal::detail {

inline char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool BothAscii(std::string_view a, std::string_view b) {
  const auto ascii = [](std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  };
  return ascii(a) && ascii(b);
}

inline bool SameAscii(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

inline bool ContainsAscii(std::string_view haystack, std::string_view needle) {
  return needle.empty() ||
         std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                     [](char p, char q) { return FoldAscii(p) == FoldAscii(q); }) != haystack.end();
}

}  // namespace xal::detail
