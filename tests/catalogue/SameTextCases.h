// Texts that the system takes as equal, or not, when letter case is ignored; shared by the host
// tests and the Windows tests, so both implementations are held to one table.
#pragma once

#include <vector>

namespace xal {

struct SameTextCase {
  const char* a;
  const char* b;
  bool same;
};

inline const std::vector<SameTextCase>& SameTextCases() {
  static const std::vector<SameTextCase> cases = {
      {"Office", "OFFICE", true},
      {"", "", true},
      {"Office", "Offices", false},
      {"B\xC3\xBCro", "B\xC3\x9CRO", true},              // Büro, BÜRO
      {"\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89", true},  // été, ÉTÉ
      {"\xCE\xB1\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1", "\xCE\x91\xCE\x98\xCE\x89\xCE\x9D\xCE\x91",
       true},
      {"\xD0\xBE\xD1\x84\xD0\xB8\xD1\x81", "\xD0\x9E\xD0\xA4\xD0\x98\xD0\xA1", true},  // офис
      {"B\xC3\xBCro", "Buro", false},
      {"\xE4\xBC\x9A\xE7\xA4\xBE", "\xE4\xBC\x9A\xE7\xA4\xBE", true},  // 会社
      {"\xE4\xBC\x9A\xE7\xA4\xBE", "\xE4\xBC\x9A", false},
      // Not UTF-8: ASCII letters fold, other bytes must match.
      {"Caf\xE9", "CAF\xE9", true},
      {"Caf\xE9", "CAF\xC9", false},
  };
  return cases;
}

}  // namespace xal
