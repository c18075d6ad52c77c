#include <gtest/gtest.h>

#include "core/XALAddressMonitor.h"

namespace xal {
namespace {

std::string Describe(const std::vector<TXALAddressChange>& changes) {
  std::string text;
  for (const TXALAddressChange& change : changes) {
    text += std::to_string(change.Index) + ":" + change.OldAddress + ">" + change.NewAddress + ";";
  }
  return text;
}

TEST(AddressMonitor, ReportsEachChangedEntry) {
  struct Case {
    std::vector<std::string> before;
    std::vector<std::string> now;
    const char* changes;
  };
  const Case cases[] = {
      {{"10.0.0.5"}, {"10.0.0.5"}, ""},
      {{"10.0.0.5"}, {"10.0.0.6"}, "0:10.0.0.5>10.0.0.6;"},
      {{"10.0.0.5"}, {"10.0.0.5", "192.168.1.2"}, "1:<unknown>>192.168.1.2;"},
      {{}, {"1.1.1.1", "2.2.2.2"}, "0:<unknown>>1.1.1.1;1:<unknown>>2.2.2.2;"},
      {{"1.1.1.1", "2.2.2.2"}, {"2.2.2.2"}, "0:1.1.1.1><unknown>;"},
      {{"1.1.1.1", "2.2.2.2"}, {"2.2.2.2", "1.1.1.1"}, "0:1.1.1.1>2.2.2.2;1:2.2.2.2>1.1.1.1;"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Describe(CompareAddressLists(c.before, c.now)), c.changes)
        << ::testing::PrintToString(c.before) << " -> " << ::testing::PrintToString(c.now);
  }
}

}  // namespace
}  // namespace xal
