// Checks of UTF-8 text, the program's inner encoding.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace xal {

// Well-formed UTF-8 throughout: no overlong forms, no surrogates, nothing above U+10FFFF and no
// sequence cut short.
bool IsValidUtf8(std::string_view bytes);

// Decodes the code point that starts at bytes[index] and moves index past it. Gives false, and
// leaves index as it was, when no well-formed sequence starts there.
bool NextCodePoint(std::string_view bytes, std::size_t& index, char32_t& codePoint);

// A value as an error message may quote it: at most maxBytes bytes, cut at a character
// boundary and marked with "..." when cut. A message box has no room for a 10 MB value.
std::string QuoteForMessage(std::string_view text, std::size_t maxBytes = 40);

// "U+0041" style name of a code point, at least four hexadecimal digits.
std::string CodePointName(char32_t codePoint);

}  // namespace xal
