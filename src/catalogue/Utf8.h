// Checks of UTF-8 text, the program's inner encoding.
#pragma once

#include <string_view>

namespace xal {

// Well-formed UTF-8 throughout: no overlong forms, no surrogates, nothing above U+10FFFF and no
// sequence cut short.
bool IsValidUtf8(std::string_view bytes);

}  // namespace xal
