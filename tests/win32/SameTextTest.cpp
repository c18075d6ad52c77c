// The Windows implementation of SameText against the same table as the host's.
#include "catalogue/SameText.h"

#include <gtest/gtest.h>

#include "catalogue/SameTextCases.h"

namespace xal {
namespace {

TEST(SameTextOnWindows, FoldsEveryLetterAsTheHostTableSays) {
  for (const SameTextCase& c : SameTextCases()) {
    EXPECT_EQ(SameText(c.a, c.b), c.same) << c.a << " / " << c.b;
  }
  EXPECT_TRUE(ContainsText("C:\\WINDOWS\\System32\\notepad.exe", "C:\\Windows\\system32"));
  EXPECT_FALSE(ContainsText("C:\\Program Files\\app.exe", "C:\\Windows\\system32"));
}

}  // namespace
}  // namespace xal
