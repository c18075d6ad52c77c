#include "catalogue/SameText.h"

#include <gtest/gtest.h>

#include "catalogue/SameTextCases.h"
#include "catalogue/XALLists.h"

namespace xal {
namespace {

TEST(SameText, FoldsEveryLetterAsTheSystemDoes) {
  for (const SameTextCase& c : SameTextCases()) {
    EXPECT_EQ(SameText(c.a, c.b), c.same) << c.a << " / " << c.b;
    EXPECT_EQ(SameText(c.b, c.a), c.same) << c.b << " / " << c.a;
  }
}

TEST(SameText, ContainsFindsAPieceWhateverItsCase) {
  EXPECT_TRUE(ContainsText("C:\\WINDOWS\\System32\\notepad.exe", "C:\\Windows\\system32"));
  EXPECT_TRUE(ContainsText("M\xC3\x9CNCHEN B\xC3\x9CRO", "b\xC3\xbcro"));
  EXPECT_FALSE(ContainsText("C:\\Program Files\\app.exe", "C:\\Windows\\system32"));
  EXPECT_TRUE(ContainsText("anything", ""));
}

TEST(SameText, StringListLookUpIgnoresCaseOfAllLetters) {
  TXALStringList printers;
  printers.Add("Drucker B\xC3\xBCro");
  EXPECT_EQ(printers.IndexOf("DRUCKER B\xC3\x9CRO"), 0);
  EXPECT_EQ(printers.IndexOf("Drucker Buro"), -1);
}

}  // namespace
}  // namespace xal
