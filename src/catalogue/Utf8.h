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

// A character that an XML 1.0 document can hold: no control characters but tab, line feed and
// carriage return, no surrogates, not U+FFFE or U+FFFF. The writer refuses the others and both
// parsers refuse them, so a text with one of them could be saved but never read back.
constexpr bool IsXmlCharacter(char32_t c) {
  return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c < 0xD800) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Well-formed UTF-8 made only of characters an XML file can hold: text the data files can store
// and read back.
bool IsStorableText(std::string_view text);

// UTF-8 text with each control character that an XML file can't hold replaced by its visible
// picture (U+2400 to U+241F), for names the system gives that must be stored as they read.
std::string ControlsAsPictures(std::string_view utf8);

// A value as an error message may quote it: at most maxBytes bytes, cut at a character
// boundary and marked with "..." when cut. A message box has no room for a 10 MB value.
std::string QuoteForMessage(std::string_view text, std::size_t maxBytes = 40);

// "U+0041" style name of a code point, at least four hexadecimal digits.
std::string CodePointName(char32_t codePoint);

}  // namespace xal
