// The direct match of simple address patterns must give the engine's answer, whatever the text.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "catalogue/XALErrors.h"
#include "regex/IPPattern.h"
#include "regex/RegEx.h"

namespace xal {
namespace {

bool ByExpression(const std::string& pattern, const std::string& text) {
  return RegExIsMatch(IPPatternToRegEx(pattern), text);
}

// Both direct ways must agree: the search run by run and the text made ready for many patterns.
bool Direct(const std::string& pattern, const std::string& text) {
  const bool found = SimpleIPPatternFound(pattern, text);
  EXPECT_EQ(TXALPatternText(text).Found(pattern), found)
      << "prepared: \"" << pattern << "\" in \"" << text << '"';
  return found;
}

TEST(SimpleIPPattern, AgreesWithTheExpressionOnTheCasesThatMatter) {
  using namespace std::string_literals;
  struct Case {
    std::string pattern;
    std::string text;
    bool found;
  };
  const Case cases[] = {
      {"192.168.*.*", "192.168.10.4", true},
      {"192.168.*.*", "10.1.2.3", false},
      // Searched, not matched whole: inside an address, at its start and at its end.
      {"10.0.0.1", "110.0.0.15", true},
      {"192.168.1.1", "192.168.1.100", true},
      {"0.1", "10.0.0.1", true},
      {"1.2.3.4", "1.2.3.4", true},
      {"1.2.3.4", "1.2.3.", false},
      // A star takes at least one character, and any character but a line end.
      {"1.*", "1.", false},
      {"1.*", "1.x", true},
      {"*.1", ".1", false},
      {"*.1", "x.1", true},
      {"1**2", "1x2", false},
      {"1**2", "1xy2", true},
      {"*", "", false},
      {"*", "7", true},
      {"1.*.2", "1.\n.2", false},
      {"1.*.2", "1.\r.2", false},
      {"1.*.2", "1.\0.2"s, true},
      {"1.*", "x\n1.y", true},
      {"1.*", "1.\n", false},
      {"1.*", "1.\n1.z", true},
      // The dot is literal.
      {"10.0", "10x0", false},
      // A star between two runs needs a character of its own.
      {"1*1", "11", false},
      {"1*1", "111", true},
      {"1.1*1", "1.1.1", true},
      // An empty pattern is an empty expression, found in every text.
      {"", "", true},
      {"", "1.2.3.4", true},
      {"1", "", false},
      // Texts of 64 characters and more, where the positions fill a whole word or do not fit.
      {"*1", std::string(63, '0') + "1", true},
      {"0*", std::string(63, '0') + "1", true},
      {"1*", std::string(63, '0') + "1", false},
      {"0*0", std::string(64, '0'), true},
      {"2.*", std::string(70, '0') + "2.3", true},
      {"2.*", std::string(70, '0') + "2.", false},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(IsSimpleIPPattern(c.pattern)) << c.pattern;
    EXPECT_EQ(Direct(c.pattern, c.text), c.found)
        << '"' << c.pattern << "\" in \"" << c.text << '"';
    EXPECT_EQ(ByExpression(c.pattern, c.text), c.found)
        << "engine: \"" << c.pattern << "\" in \"" << c.text << '"';
  }
}

TEST(SimpleIPPattern, AgreesWithTheExpressionOnGeneratedPatternsAndTexts) {
  std::mt19937 engine(20240611);
  const auto pick = [&](const std::string& alphabet, int maxLength) {
    std::string text(std::uniform_int_distribution<int>(0, maxLength)(engine), ' ');
    for (char& c : text) {
      c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(engine)];
    }
    return text;
  };
  // Few digits, so that runs recur and the search has to look past false starts.
  const std::string patternChars = "012.*";
  const std::string textChars = std::string("0123.x\n\r", 8) + std::string(1, '\0');
  int found = 0;
  for (int i = 0; i < 4000; ++i) {
    const std::string pattern = pick(patternChars, 9);
    // Half the texts are addresses, the others anything.
    const std::string text =
        i % 2 == 0 ? std::to_string(engine() % 4) + "." + std::to_string(engine() % 21) + "." +
                         std::to_string(engine() % 3) + "." + std::to_string(engine() % 121)
                   : pick(textChars, 14);
    const bool expected = ByExpression(pattern, text);
    found += expected ? 1 : 0;
    ASSERT_EQ(Direct(pattern, text), expected) << '"' << pattern << "\" in \"" << text << '"';
  }
  // Both answers must be well represented for the comparison to mean something.
  EXPECT_GT(found, 800);
  EXPECT_LT(found, 3200);
}

TEST(SimpleIPPattern, OnlyDigitsDotsAndStarsAreSimple) {
  for (const char* simple : {"", "192.168.*.*", "*", "0123456789.*"}) {
    EXPECT_TRUE(IsSimpleIPPattern(simple)) << simple;
  }
  for (const char* other : {"1?2", "10.(", "1.2.3.4 ", "a.b", "1+", "[0-9]", "\\d"}) {
    EXPECT_FALSE(IsSimpleIPPattern(other)) << other;
  }
}

TEST(IPPatternFound, OtherPatternsGoThroughTheExpression) {
  EXPECT_TRUE(IPPatternFound("192.168.*.*", "192.168.0.1"));
  EXPECT_TRUE(IPPatternFound("1?2", "2"));
  EXPECT_TRUE(IPPatternFound("10.[0-9]", "10.7.0.1"));
  EXPECT_FALSE(IPPatternFound("^0.1", "10.0.0.1"));
  EXPECT_THROW(IPPatternFound("10.(", "10.0.0.1"), EXALError);
}

}  // namespace
}  // namespace xal
