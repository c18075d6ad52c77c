#include "catalogue/XmlParser.h"

namespace xal::xml {

std::unique_ptr<Document> Parse(std::string_view bytes, const std::string& sourceName) {
  DocumentBuilder builder({}, bytes.size());
  ParseInto(bytes, sourceName, builder);
  return builder.Finish();
}

std::unique_ptr<Document> ParseEachChild(std::string_view bytes, const std::string& sourceName,
                                         const ChildVisitor& visit) {
  DocumentBuilder builder(visit);
  ParseInto(bytes, sourceName, builder);
  return builder.Finish();
}

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
