// Conversions between the texts of the XML files and the catalogue's numbers and booleans.
// Every failure raises EConvertError; the readers decide whether to wrap it.
#pragma once

#include <string>
#include <string_view>

namespace xal {

// A decimal integer and nothing else: an optional "+" or "-" followed by digits. No blanks, no
// fraction, no other base. Used where the program's own files only ever hold such numbers and
// anything else means a damaged file (the display count, an App's display number).
// Raises EConvertError "'<text>' is not a valid integer value", also when the value does not fit
// in 32 bits; a text longer than 40 bytes is quoted by its start and "...".
int StrictStrToInt(std::string_view text);

// The number conversion for geometry attributes, which hand-edited files may write loosely.
// Accepts blanks (space, tab, CR, LF) around the number, an optional sign, and a decimal
// fraction ("12.5", ".5", "12.") that is rounded to the nearest integer, halves away from zero.
// Everything else (empty text, exponents, hexadecimal, thousands separators, several signs) and
// values outside 32 bits raise the same EConvertError as StrictStrToInt.
int LenientStrToInt(std::string_view text);

// "True" or "False" in any letter case, or an integer (optional sign and decimal digits, any
// length) where any value other than zero is true. Raises EConvertError
// "'<text>' is not a valid boolean value" otherwise.
bool StrToBoolean(std::string_view text);

// Decimal with a minus sign when negative, no padding.
std::string IntToStr(int value);

}  // namespace xal
