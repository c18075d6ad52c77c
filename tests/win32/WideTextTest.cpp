#include "platform/win32/WideText.h"

#include <gtest/gtest.h>

#include <string>

namespace xal::win32 {
namespace {

TEST(WideText, RoundTripsEveryKindOfCharacter) {
  struct Case {
    std::string utf8;
    std::wstring utf16;
  };
  const Case cases[] = {
      {"", L""},
      {"plain ASCII", L"plain ASCII"},
      {"B\xc3\xbcro", L"B\u00fcro"},                       // two-byte
      {"\xe6\x9d\xb1\xe4\xba\xac", L"\u6771\u4eac"},       // 東京, three-byte
      {"\xf0\x9f\x96\xa8", L"\xd83d\xdda8"},               // a surrogate pair
      {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},  // NUL inside the text
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Widen(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(Narrow(c.utf16), c.utf8) << c.utf8;
  }
}

}  // namespace
}  // namespace xal::win32
