#include "catalogue/XmlParser.h"

namespace xal::xml {

std::string TooDeepReason() {
  return "elements nested more than " + std::to_string(kMaxElementDepth) + " levels deep";
}

std::string FormatParseError(const std::string& sourceName, const std::string& reason, int line,
                             int column) {
  std::string message;
  if (!sourceName.empty()) {
    message = sourceName + ": ";
  }
  message += "the XML is not well-formed at line " + std::to_string(line) + ", column " +
             std::to_string(column) + ": " + reason + ".";
  return message;
}

}  // namespace xal::xml
