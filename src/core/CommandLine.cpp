#include "core/CommandLine.h"

#include <algorithm>
#include <cctype>

namespace xal {
namespace {

bool SameSwitch(const std::string& argument, const char* name) {
  const std::string_view expected(name);
  return argument.size() == expected.size() &&
         std::equal(argument.begin(), argument.end(), expected.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

TXALCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  TXALCommandLine result;
  for (const std::string& argument : arguments) {
    if (SameSwitch(argument, "-m")) {
      result.UseProgramFolder = true;
    } else if (SameSwitch(argument, "-v")) {
      result.ShowMainWindow = true;
    }
  }
  return result;
}

std::string ExtractFilePath(const std::string& path) {
  const auto separator = path.find_last_of("\\/:");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace xal
