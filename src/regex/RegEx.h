// The regular-expression entry: a search anywhere in the text, as the address patterns and the
// IPv4 checks need it. The engine is the standard library's ECMAScript grammar.
#pragma once

#include <memory>
#include <regex>
#include <string>

namespace xal {

enum class TXALRegExOptions : unsigned {
  None = 0,
  IgnoreCase = 1,
};

// A compiled expression, for callers that try one expression against many texts.
class TXALRegEx {
 public:
  // Raises EXALError naming the expression when it is not a valid regular expression.
  explicit TXALRegEx(const std::string& pattern, TXALRegExOptions options = TXALRegExOptions::None);

  // True when the expression matches anywhere in the text.
  bool IsMatch(const std::string& text) const;

 private:
  std::regex regex_;
};

// True when the expression matches anywhere in the text. Raises EXALError for an invalid
// expression.
bool RegExIsMatch(const std::string& pattern, const std::string& text,
                  TXALRegExOptions options = TXALRegExOptions::None);

}  // namespace xal
