#include "regex/RegEx.h"

#include "catalogue/XALErrors.h"

namespace xal {
namespace {

std::regex Compile(const std::string& pattern, TXALRegExOptions options) {
  auto flags = std::regex::ECMAScript;
  if ((static_cast<unsigned>(options) & static_cast<unsigned>(TXALRegExOptions::IgnoreCase)) != 0) {
    flags |= std::regex::icase;
  }
  try {
    return std::regex(pattern, flags);
  } catch (const std::regex_error& error) {
    throw EXALError("\"" + pattern + "\" is not a valid regular expression: " + error.what());
  }
}

}  // namespace

TXALRegEx::TXALRegEx(const std::string& pattern, TXALRegExOptions options)
    : regex_(Compile(pattern, options)) {}

bool TXALRegEx::IsMatch(const std::string& text) const {
  return std::regex_search(text, regex_);
}

bool RegExIsMatch(const std::string& pattern, const std::string& text, TXALRegExOptions options) {
  return TXALRegEx(pattern, options).IsMatch(text);
}

}  // namespace xal
