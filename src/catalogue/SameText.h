// Comparing texts without regard to letter case, as the system compares names (Wi-Fi networks,
// printers, window classes, file paths): every letter folds, not only ASCII ones.
#pragma once

#include <string_view>

namespace xal {

// Equal UTF-8 texts once each character is mapped to its simple upper case. Text that is not
// valid UTF-8 compares byte by byte with only ASCII letters folded.
bool SameText(std::string_view a, std::string_view b);

// True when needle occurs in haystack with letter case ignored as SameText ignores it.
bool ContainsText(std::string_view haystack, std::string_view needle);

}  // namespace xal
