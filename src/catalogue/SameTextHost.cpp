// SameText on the host: the C library's Unicode upper-case mapping, which gives the simple
// mappings the system's ordinal comparison uses.
#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <optional>
#include <string>

#include "catalogue/SameText.h"
#include "catalogue/SameTextAscii.h"
#include "catalogue/Utf8.h"

namespace xal {
namespace {

locale_t Utf8Locale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  return locale;
}

// Upper-cased code points, or nullopt when the text is not valid UTF-8.
std::optional<std::u32string> Folded(std::string_view text) {
  if (!IsValidUtf8(text)) {
    return std::nullopt;
  }
  const locale_t locale = Utf8Locale();
  std::u32string result;
  result.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
      c = (c << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3Fu);
    }
    at += length;
    result.push_back(locale == static_cast<locale_t>(0)
                         ? c
                         : static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), locale)));
  }
  return result;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() == b.size() && detail::SameAscii(a, b)) {
    return true;  // the common case, and every pure-ASCII one
  }
  const std::optional<std::u32string> x = Folded(a);
  const std::optional<std::u32string> y = Folded(b);
  if (!x || !y) {
    return detail::SameAscii(a, b);
  }
  return *x == *y;
}

bool ContainsText(std::string_view haystack, std::string_view needle) {
  const std::optional<std::u32string> x = Folded(haystack);
  const std::optional<std::u32string> y = Folded(needle);
  if (!x || !y) {
    return detail::ContainsAscii(haystack, needle);
  }
  return x->find(*y) != std::u32string::npos;
}

}  // namespace xal
