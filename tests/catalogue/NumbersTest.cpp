#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "catalogue/XALErrors.h"
#include "catalogue/XALNumbers.h"

namespace xal {
namespace {

struct NumberCase {
  const char* text;
  bool strictOk;
  int strictValue;
  bool lenientOk;
  int lenientValue;
};

TEST(Numbers, StrictAndLenientIntegerConversion) {
  const NumberCase cases[] = {
      {"0", true, 0, true, 0},
      {"42", true, 42, true, 42},
      {"-42", true, -42, true, -42},
      {"+7", true, 7, true, 7},
      {"007", true, 7, true, 7},
      {"2147483647", true, INT_MAX, true, INT_MAX},
      {"-2147483648", true, INT_MIN, true, INT_MIN},
      {"2147483648", false, 0, false, 0},
      {"-2147483649", false, 0, false, 0},
      {"99999999999999999999999", false, 0, false, 0},
      {" 12 ", false, 0, true, 12},
      {"\t-3\r\n", false, 0, true, -3},
      {"2.5", false, 0, true, 3},
      {"-2.5", false, 0, true, -3},
      {"2.49", false, 0, true, 2},
      {".5", false, 0, true, 1},
      {"5.", false, 0, true, 5},
      {"-0.4", false, 0, true, 0},
      {"2147483647.5", false, 0, false, 0},
      {"-2147483648.4", false, 0, true, INT_MIN},
      {"", false, 0, false, 0},
      {" ", false, 0, false, 0},
      {"-", false, 0, false, 0},
      {".", false, 0, false, 0},
      {"1e3", false, 0, false, 0},
      {"0x10", false, 0, false, 0},
      {"$10", false, 0, false, 0},
      {"1,000", false, 0, false, 0},
      {"1 000", false, 0, false, 0},
      {"--1", false, 0, false, 0},
      {"+-1", false, 0, false, 0},
      {"1.2.3", false, 0, false, 0},
      {"12a", false, 0, false, 0},
      {"１２", false, 0, false, 0},
  };
  for (const NumberCase& c : cases) {
    const std::string message = std::string("'") + c.text + "' is not a valid integer value";
    if (c.strictOk) {
      EXPECT_EQ(StrictStrToInt(c.text), c.strictValue) << c.text;
    } else {
      try {
        StrictStrToInt(c.text);
        ADD_FAILURE() << "strict accepted '" << c.text << "'";
      } catch (const EConvertError& error) {
        EXPECT_EQ(error.what(), message);
      }
    }
    if (c.lenientOk) {
      EXPECT_EQ(LenientStrToInt(c.text), c.lenientValue) << c.text;
    } else {
      try {
        LenientStrToInt(c.text);
        ADD_FAILURE() << "lenient accepted '" << c.text << "'";
      } catch (const EConvertError& error) {
        EXPECT_EQ(error.what(), message);
      }
    }
  }
}

TEST(Numbers, Booleans) {
  const std::pair<const char*, bool> accepted[] = {{"True", true},
                                                   {"true", true},
                                                   {"TRUE", true},
                                                   {"False", false},
                                                   {"fAlSe", false},
                                                   {"1", true},
                                                   {"0", false},
                                                   {"-1", true},
                                                   {"000", false},
                                                   {"+0", false},
                                                   {"123456789012345678901", true}};
  for (const auto& [text, value] : accepted) {
    EXPECT_EQ(StrToBoolean(text), value) << text;
  }
  for (const char* text : {"", "yes", "T", " True", "1.0", "-"}) {
    try {
      StrToBoolean(text);
      ADD_FAILURE() << text;
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.what(), std::string("'") + text + "' is not a valid boolean value");
    }
  }
}

// The messages go into message boxes; a hostile file's value is quoted by its start only, cut
// where a character begins.
TEST(Numbers, LongValuesAreQuotedByTheirStart) {
  const std::string tokyo = "\xE6\x9D\xB1\xE4\xBA\xAC";  // two characters of three bytes
  const std::pair<std::string, std::string> cases[] = {
      {std::string(40, 'a'), std::string(40, 'a')},
      {std::string(41, 'a'), std::string(40, 'a') + "..."},
      {std::string(39, 'a') + tokyo, std::string(39, 'a') + "..."},
      {std::string(37, 'a') + tokyo, std::string(37, 'a') + "\xE6\x9D\xB1..."},
      {std::string(10'000'000, '7') + "x", std::string(40, '7') + "..."},
  };
  for (const auto& [text, quoted] : cases) {
    for (const auto convert : {&StrictStrToInt, &LenientStrToInt}) {
      try {
        convert(text);
        ADD_FAILURE() << quoted;
      } catch (const EConvertError& error) {
        EXPECT_EQ(error.what(), "'" + quoted + "' is not a valid integer value");
      }
    }
    try {
      StrToBoolean(text);
      ADD_FAILURE() << quoted;
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.what(), "'" + quoted + "' is not a valid boolean value");
    }
  }
}

}  // namespace
}  // namespace xal
