// SameText on the host: the C library's Unicode upper-case mapping, which gives the simple
// mappings the system's ordinal comparison uses.
#include <locale.h>
#include <wctype.h>

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
  const locale_t locale = Utf8Locale();
  std::u32string result;
  result.reserve(text.size());
  std::size_t at = 0;
  char32_t c = 0;
  while (at < text.size()) {
    if (!NextCodePoint(text, at, c)) {
      return std::nullopt;
    }
    result.push_back(locale == static_cast<locale_t>(0)
                         ? c
                         : static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), locale)));
  }
  return result;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) {
  // ASCII texts, the common case, need no tables and no copies.
  if (detail::BothAscii(a, b)) {
    return detail::SameAscii(a, b);
  }
  const std::optional<std::u32string> x = Folded(a);
  const std::optional<std::u32string> y = Folded(b);
  if (!x || !y) {
    return detail::SameAscii(a, b);
  }
  return *x == *y;
}

bool ContainsText(std::string_view haystack, std::string_view needle) {
  if (detail::BothAscii(haystack, needle)) {
    return detail::ContainsAscii(haystack, needle);
  }
  const std::optional<std::u32string> x = Folded(haystack);
  const std::optional<std::u32string> y = Folded(needle);
  if (!x || !y) {
    return detail::ContainsAscii(haystack, needle);
  }
  return x->find(*y) != std::u32string::npos;
}

}  // namespace xal
