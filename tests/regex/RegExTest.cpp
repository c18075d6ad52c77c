#include <gtest/gtest.h>

#include "catalogue/XALErrors.h"
#include "regex/IPPattern.h"
#include "regex/RegEx.h"

namespace xal {
namespace {

TEST(RegEx, SearchesAnywhereInTheText) {
  EXPECT_TRUE(RegExIsMatch("b+", "abbc"));
  EXPECT_FALSE(RegExIsMatch("^b", "abbc"));
  EXPECT_FALSE(RegExIsMatch("X", "abc"));
  EXPECT_TRUE(RegExIsMatch("X", "abxc", TXALRegExOptions::IgnoreCase));
}

TEST(RegEx, MalformedExpressionRaisesEXALErrorNamingIt) {
  try {
    RegExIsMatch("10.(", "10.0.0.1");
    FAIL() << "no error";
  } catch (const EXALError& error) {
    EXPECT_NE(std::string(error.what()).find("\"10.(\""), std::string::npos) << error.what();
  }
}

TEST(IPPattern, ConvertsDotsAndStarsOnly) {
  EXPECT_EQ(IPPatternToRegEx("192.168.*.*"), R"(192\.168\..+\..+)");
  EXPECT_EQ(IPPatternToRegEx("10.0.0.1"), R"(10\.0\.0\.1)");
  // Other characters pass unchanged; a stored pattern is handed on as it is.
  EXPECT_EQ(IPPatternToRegEx("1?2"), "1?2");
}

TEST(IPPattern, PatternsMatchAnywhereInAnAddress) {
  struct Case {
    const char* pattern;
    const char* address;
    bool matches;
  };
  const Case cases[] = {
      {"192.168.*.*", "192.168.10.4", true},
      {"10.0.0.1", "110.0.0.15", true},
      {"192.168.1.1", "192.168.1.100", true},
      {"192.168.*.*", "10.1.2.3", false},
      {"*.*.*.*", "10.1.2.3", true},
      // The dot is literal: "10x0" is no match for "10.0".
      {"10.0.*.*", "10x0.1.2", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RegExIsMatch(IPPatternToRegEx(c.pattern), c.address), c.matches)
        << c.pattern << " vs " << c.address;
  }
}

TEST(IPPattern, IPv4AddressCheck) {
  for (const char* good :
       {"192.168.001.010", "0.0.0.0", "255.255.255.255", "10.0.0.5", "010.1.2.3"}) {
    EXPECT_TRUE(IsIPv4Address(good)) << good;
  }
  for (const char* bad : {"192.168.1.256", "1.2.3", "1.2.3.4.5", " 1.2.3.4", "1.2.3.4 ",
                          "300.1.1.1", "fe80::1", "", "1.2.3.x", "1..2.3"}) {
    EXPECT_FALSE(IsIPv4Address(bad)) << bad;
  }
}

}  // namespace
}  // namespace xal
