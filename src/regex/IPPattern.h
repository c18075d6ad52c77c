// IPv4 addresses and the address patterns of environments ("192.168.*.*").
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace xal {

// Four decimal octets 0 to 255, one to three digits each, and nothing around them.
extern const char* const kIPv4AddressRegEx;
// Four parts, each an octet as above or a single "*".
extern const char* const kIPPatternRegEx;

// The regular expression an address pattern stands for: every "." becomes "\." and then every
// "*" becomes ".+". Nothing else is changed, so the result is searched anywhere in an address.
std::string IPPatternToRegEx(const std::string& pattern);

// True when the pattern holds nothing but digits, dots and stars, as the address dialog lets
// through; such a pattern is always a valid expression and SimpleIPPatternFound can answer for it.
bool IsSimpleIPPattern(std::string_view pattern);

// For a simple pattern: whether the expression IPPatternToRegEx makes of it is found anywhere in
// the text, with exactly the engine's answer but without the engine.
bool SimpleIPPatternFound(std::string_view pattern, std::string_view text);

// A text made ready to be searched by many simple patterns, as a recheck searches the few current
// addresses for every distinct pattern. A one-line text of up to 64 characters, which every
// address is, keeps where each digit and dot stands, and a pattern is then found with a few bit
// operations per character; any other text is searched run by run.
class TXALPatternText {
 public:
  explicit TXALPatternText(std::string text);

  // SimpleIPPatternFound(pattern, text), for a simple pattern.
  bool Found(std::string_view pattern) const;

 private:
  bool FoundByPositions(std::string_view pattern) const;
  std::uint64_t Positions(char c) const;

  std::string text_;
  bool byPositions_ = false;
  // Bit i of entry c is set where the text holds digit c at i; entry 10 is for the dot.
  std::array<std::uint64_t, 11> positions_{};
};

// Whether the pattern is found anywhere in the text: directly when it is simple, through the
// expression otherwise. Raises EXALError when the expression is not valid.
bool IPPatternFound(const std::string& pattern, const std::string& text);

bool IsIPv4Address(const std::string& text);

}  // namespace xal
