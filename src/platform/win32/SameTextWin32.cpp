// SameText on Windows: the system's own ordinal comparison without case, the one it uses for
// file names, window classes and printer names.
#include <windows.h>

#include <algorithm>
#include <string>

#include "catalogue/SameText.h"
#include "catalogue/SameTextAscii.h"
#include "catalogue/Utf8.h"

namespace xal {
namespace {

std::wstring Wide(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                      wide.data(), length);
  return wide;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() == b.size() && detail::SameAscii(a, b)) {
    return true;
  }
  if (!IsValidUtf8(a) || !IsValidUtf8(b)) {
    return detail::SameAscii(a, b);
  }
  const std::wstring x = Wide(a);
  const std::wstring y = Wide(b);
  return CompareStringOrdinal(x.data(), static_cast<int>(x.size()), y.data(),
                              static_cast<int>(y.size()), TRUE) == CSTR_EQUAL;
}

bool ContainsText(std::string_view haystack, std::string_view needle) {
  if (needle.empty()) {
    return true;
  }
  if (!IsValidUtf8(haystack) || !IsValidUtf8(needle)) {
    return detail::ContainsAscii(haystack, needle);
  }
  const std::wstring x = Wide(haystack);
  const std::wstring y = Wide(needle);
  // FindStringOrdinal compares the way CompareStringOrdinal does.
  return FindStringOrdinal(FIND_FROMSTART, x.data(), static_cast<int>(x.size()), y.data(),
                           static_cast<int>(y.size()), TRUE) >= 0;
}

}  // namespace xal
