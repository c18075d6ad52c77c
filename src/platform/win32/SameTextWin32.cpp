// SameText on Windows: the system's own ordinal comparison without case, the one it uses for
// file names, window classes and printer names.
#include <windows.h>

#include <algorithm>
#include <string>

#include "catalogue/SameText.h"
#include "catalogue/SameTextAscii.h"
#include "catalogue/Utf8.h"
#include "platform/win32/WideText.h"

namespace xal {

using win32::Widen;

bool SameText(std::string_view a, std::string_view b) {
  // ASCII texts, the common case, and texts that are no UTF-8 need no conversion.
  if (detail::BothAscii(a, b) || !IsValidUtf8(a) || !IsValidUtf8(b)) {
    return detail::SameAscii(a, b);
  }
  const std::wstring x = Widen(a);
  const std::wstring y = Widen(b);
  return CompareStringOrdinal(x.data(), static_cast<int>(x.size()), y.data(),
                              static_cast<int>(y.size()), TRUE) == CSTR_EQUAL;
}

bool ContainsText(std::string_view haystack, std::string_view needle) {
  if (needle.empty()) {
    return true;
  }
  if (detail::BothAscii(haystack, needle) || !IsValidUtf8(haystack) || !IsValidUtf8(needle)) {
    return detail::ContainsAscii(haystack, needle);
  }
  const std::wstring x = Widen(haystack);
  const std::wstring y = Widen(needle);
  // FindStringOrdinal compares the way CompareStringOrdinal does.
  return FindStringOrdinal(FIND_FROMSTART, x.data(), static_cast<int>(x.size()), y.data(),
                           static_cast<int>(y.size()), TRUE) >= 0;
}

}  // namespace xal
